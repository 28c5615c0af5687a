#include "SupportExplorer.h"

#include "Accessible.h"
#include "Ask.h"
#include "ComparisonPage.h"
#include "ExplorerChart.h"
#include "ExplorerOutput.h"
#include "IncomePage.h"
#include "OrvaDocument.h"
#include "OvernightsPage.h"
#include "SafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int PreferredWidth = 880;
constexpr int PreferredHeight = 620;
constexpr int MinimumWidth = 640;

// Where the case files go, when the program made that folder.
QString proposedFolder()
{
    const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    return documents.exists(QStringLiteral("ORVA")) ? documents.filePath(QStringLiteral("ORVA")) : documents.path();
}

} // namespace

SupportExplorer::SupportExplorer(QWidget *parent)
    // A dialog's window, which stays above the main window while the user
    // types there; with the buttons of a normal window.
    : QWidget(parent, Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("SupportExplorer"));
    setWindowTitle(tr("Support Explorer"));
    // A companion of the main window: closing that window ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);

    m_tabs = new QTabWidget(this);
    m_overnights = new OvernightsPage(m_tabs);
    m_income = new IncomePage(m_tabs);
    m_comparison = new ComparisonPage(m_tabs);
    m_tabs->addTab(m_overnights, tr("&Overnights"));
    m_tabs->addTab(m_income, tr("&Income"));
    m_tabs->addTab(m_comparison, tr("&Sole and shared"));
    // The charts' figures are read out below each chart; the chart itself is named by its page.
    Accessible::name(m_overnights->chart(), tr("Order against overnights, chart"));
    Accessible::name(m_income->chart(), tr("Order against income, chart"));
    connect(m_tabs, &QTabWidget::currentChanged, this, &SupportExplorer::showCurrentPage);

    auto *save = new QPushButton(tr("Save &As..."), this);
    save->setObjectName(QStringLiteral("saveButton"));
    auto *print = new QPushButton(tr("&Print..."), this);
    print->setObjectName(QStringLiteral("printButton"));
    auto *close = new QPushButton(tr("Close"), this);
    connect(save, &QPushButton::clicked, this, &SupportExplorer::saveOutput);
    connect(print, &QPushButton::clicked, this, &SupportExplorer::printOutput);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(print);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);
    resize(PreferredWidth, PreferredHeight);
}

void SupportExplorer::follow(const OrvaDocument &document)
{
    if (!isVisible())
        return;
    m_case = ExplorerCase::from(document);
    m_stale = {m_overnights, m_income, m_comparison};
    showCurrentPage();
}

ExplorerPage *SupportExplorer::currentPage() const
{
    return static_cast<ExplorerPage *>(m_tabs->currentWidget());
}

void SupportExplorer::showCurrentPage()
{
    ExplorerPage *page = currentPage();
    if (!m_stale.removeOne(page))
        return;
    page->showCase(m_case);
}

void SupportExplorer::placeBeside(const QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QRect main = window->frameGeometry();
    const QSize frame = frameGeometry().size() - size();
    // The wider side, and no wider than that where it leaves a usable chart:
    // on a small screen the explorer covers the right edge of the window
    // (its tools), not the columns of figures.
    const int rightRoom = available.right() - main.right();
    const int leftRoom = main.left() - available.left();
    const int room = std::max(rightRoom, leftRoom) - frame.width();
    const int wide = std::clamp(room, std::min(MinimumWidth, available.width()), std::min(PreferredWidth, available.width()));
    const int high = std::min(PreferredHeight, available.height() - frame.height());
    resize(wide, high);
    const int outer = wide + frame.width();
    const int left = rightRoom >= leftRoom ? std::max(available.left(), std::min(main.right() + 1, available.right() + 1 - outer))
                                           : std::min(available.right() + 1 - outer, std::max(available.left(), main.left() - outer));
    const int top = std::clamp(main.top(), available.top(),
                               std::max(available.top(), available.bottom() + 1 - high - frame.height()));
    move(left, top);
}

void SupportExplorer::saveOutput()
{
    const QString names[] = {tr("overnights"), tr("income"), tr("sole and shared")};
    const QString proposed = QDir(proposedFolder())
                                 .filePath(tr("Support explorer - %1.pdf").arg(names[m_tabs->currentIndex()]));
    QString path = Ask::saveFileName(this, tr("Save the chart"), proposed,
                                     tr("PDF document (*.pdf);;PNG picture (*.png)"));
    if (path.isEmpty())
        return;
    QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix.isEmpty()) {
        path += QStringLiteral(".pdf");
        suffix = QStringLiteral("pdf");
    }
    if (suffix != QLatin1String("pdf") && suffix != QLatin1String("png")) {
        Ask::critical(this, tr("Support Explorer"),
                      tr("The chart is saved as a PDF document (.pdf) or a PNG picture (.png); \"%1\" is neither.")
                          .arg(QFileInfo(path).fileName()));
        return;
    }
    ExplorerPage &page = *currentPage();
    const QByteArray bytes = suffix == QLatin1String("png")
                                 ? ExplorerOutput::png(page)
                                 : ExplorerOutput::pdf(page, m_case.heading, PaperSize::fromSettings());
    QString reason = tr("The chart could not be drawn.");
    if (bytes.isEmpty() || !Platform::writeFileSafely(path, bytes, &reason))
        Ask::critical(this, tr("Support Explorer"),
                      tr("The chart could not be saved as \"%1\".").arg(path) + QStringLiteral("\n\n") + reason);
}

void SupportExplorer::printOutput()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (!Ask::exec(dialog))
        return;
    QString reason;
    if (!ExplorerOutput::print(*currentPage(), m_case.heading, &printer, PaperSize::fromSettings(), &reason))
        Ask::critical(this, tr("Support Explorer"),
                      tr("The chart could not be printed.") + QStringLiteral("\n\n") + reason);
}
