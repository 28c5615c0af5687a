#include "PdfPreviewDialog.h"

#include "Accessible.h"
#include "Ask.h"
#include "OrvaDocument.h"
#include "PDFUtils.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QMetaEnum>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfPageRenderer>
#include <QPdfView>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

// Without a parent the preview belongs to the program's main window.
QWidget *ownerOrMainWindow(QWidget *parent)
{
    if (parent)
        return parent;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->objectName() == QLatin1String("MainWindow"))
            return window;
    }
    return nullptr;
}

QPushButton *flatButton(const char *name, const QString &icon, const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setFlat(true);
    button->setIcon(QIcon(icon));
    button->setText(text);
    return button;
}

} // namespace

PdfPreviewDialog::PdfPreviewDialog(std::shared_ptr<OrvaDocument> document, QWidget *parent)
    : QMainWindow(ownerOrMainWindow(parent))
    , m_document(std::move(document))
    , m_caseMode(true)
{
    setUp();
}

PdfPreviewDialog::PdfPreviewDialog(const QString &fileName, QWidget *parent)
    : QMainWindow(ownerOrMainWindow(parent))
    , m_fileName(fileName)
    , m_caseMode(false)
{
    setUp();
}

PdfPreviewDialog::~PdfPreviewDialog() = default;

void PdfPreviewDialog::setUpForm()
{
    setObjectName(QStringLiteral("PdfPreviewDialog"));
    resize(906, 430);
    setWindowTitle(QStringLiteral("Print Preview"));

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    auto *verticalLayout = new QVBoxLayout(central);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setSpacing(0);
    verticalLayout->setContentsMargins(0, 0, 0, 0);

    m_menu = new QFrame(central);
    m_menu->setObjectName(QStringLiteral("menu"));
    auto *menuLayout = new QHBoxLayout(m_menu);
    menuLayout->setObjectName(QStringLiteral("menuLayout"));
    menuLayout->setContentsMargins(2, 2, 2, 2);
    m_closeButton = flatButton("closeButton", QStringLiteral(":/images/pdf/cross.png"), QStringLiteral("Close"), m_menu);
    m_closeButton->setShortcut(QKeySequence(QStringLiteral("Shift+F4")));
    m_printButton = flatButton("printButton", QStringLiteral(":/images/pdf/printer.png"), QStringLiteral("Print"), m_menu);
    m_saveButton = flatButton("saveButton", QStringLiteral(":/images/menu/disk.png"), QStringLiteral("Save"), m_menu);
    m_zoomOutButton = flatButton("zoomOutButton", QStringLiteral(":/images/pdf/magnifier_zoom_out.png"), QString(), m_menu);
    m_zoomComboBox = new QComboBox(m_menu);
    m_zoomComboBox->setObjectName(QStringLiteral("zoomComboBox"));
    m_zoomInButton = flatButton("zoomInButton", QStringLiteral(":/images/pdf/magnifier_zoom_in.png"), QString(), m_menu);
    Accessible::name(m_zoomOutButton, tr("Zoom out"));
    Accessible::name(m_zoomComboBox, tr("Zoom"));
    Accessible::name(m_zoomInButton, tr("Zoom in"));
    menuLayout->addWidget(m_closeButton);
    menuLayout->addWidget(m_printButton);
    menuLayout->addWidget(m_saveButton);
    menuLayout->addItem(new QSpacerItem(40, 17, QSizePolicy::Minimum, QSizePolicy::Minimum));
    menuLayout->addWidget(m_zoomOutButton);
    menuLayout->addWidget(m_zoomComboBox);
    menuLayout->addWidget(m_zoomInButton);
    menuLayout->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    verticalLayout->addWidget(m_menu);

    m_pdfView = new QPdfView(central);
    m_pdfView->setObjectName(QStringLiteral("pdfView"));
    m_pdfView->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    Accessible::name(m_pdfView, tr("Worksheet pages"));
    verticalLayout->addWidget(m_pdfView);
    setCentralWidget(central);

    QMetaObject::connectSlotsByName(this);
}

void PdfPreviewDialog::setUp()
{
    setUpForm();
    setWindowModality(Qt::ApplicationModal);

    m_closeButton->setShortcut(QKeySequence::Cancel);
    m_printButton->setShortcut(QKeySequence::Print);
    m_saveButton->setShortcut(QKeySequence::Save);
    if (!m_caseMode)
        m_saveButton->hide();

    const QList<QPair<QString, int>> zoomItems = {
        {QStringLiteral("Fit width"), -2}, {QStringLiteral("Fit page"), -1}, {QStringLiteral("25 %"), 25},
        {QStringLiteral("50 %"), 50},      {QStringLiteral("75 %"), 75},     {QStringLiteral("100 %"), 100},
        {QStringLiteral("125 %"), 125},    {QStringLiteral("150 %"), 150},   {QStringLiteral("200 %"), 200},
        {QStringLiteral("400 %"), 400},    {QStringLiteral("800 %"), 800}};
    for (const auto &[text, value] : zoomItems)
        m_zoomComboBox->addItem(text, value);
    m_zoomComboBox->setCurrentIndex(m_zoomComboBox->findData(-1));
    applyZoom(-1);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool written = true;
    if (m_caseMode) {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir().mkpath(folder);
        m_fileName = folder + QStringLiteral("/.client.pdf");
        QString reason;
        written = m_document && PDFUtils::save(*m_document, m_fileName, nullptr, &reason);
        if (!written)
            qCritical().noquote() << "PdfPreviewDialog: the worksheet could not be written:" << reason;
    }

    m_pdf = new QPdfDocument(this);
    // A failed write keeps the worksheet of an earlier preview in the file;
    // showing it would pass another case off as this one.
    if (written) {
        const QPdfDocument::Error error = m_pdf->load(m_fileName);
        if (error != QPdfDocument::Error::None) {
            const char *name = QMetaEnum::fromType<QPdfDocument::Error>().valueToKey(int(error));
            qCritical() << (name ? name : "Unknown") << m_fileName;
        }
    }
    m_pdfView->setDocument(m_pdf);
    m_pdfView->setPageMode(QPdfView::PageMode::MultiPage);
    // The view fits a page to its full height and then adds the document's
    // margins above and below, which cut off the page's foot: no margins there.
    const QMargins margins = m_pdfView->documentMargins();
    m_pdfView->setDocumentMargins(QMargins(margins.left(), 0, margins.right(), 0));
    m_pdfView->setPageSpacing(margins.left());
    m_pdfView->viewport()->installEventFilter(this);
    // The view keeps a page drawn for an earlier zoom when it arrives after
    // the zoom changed, and shows it scaled (blurred) until the zoom changes
    // again: such a page is drawn anew.
    if (auto *renderer = m_pdfView->findChild<QPdfPageRenderer *>()) {
        connect(renderer, &QPdfPageRenderer::pageRendered, this,
                [this](int page, QSize imageSize) { checkRenderedPage(page, imageSize); });
    }
    connect(m_pdfView, &QPdfView::zoomFactorChanged, this, [this] { m_staleSizes.clear(); });
    applyZoom(m_zoomValue);
    QApplication::restoreOverrideCursor();
    if (!m_caseMode)
        setWindowTitle(documentTitle());

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->geometry();
        const QSize size(int(available.width() * 0.75), int(available.height() * 0.75));
        resize(size);
        move(available.center() - QPoint(size.width() / 2, size.height() / 2));
    }
}

// A document is known by its own title ("Maryland Family Law ... Guidelines
// from July 2022"), or else by its file name.
QString PdfPreviewDialog::documentTitle() const
{
    const QString title = m_pdf->metaData(QPdfDocument::MetaDataField::Title).toString().trimmed();
    return title.isEmpty() ? QFileInfo(m_fileName).fileName() : title;
}

int PdfPreviewDialog::exec()
{
    showMaximized();
    return m_loop.exec();
}

QString PdfPreviewDialog::proposedFileName(const QString &caseNumber, const QDateTime &when)
{
    // A case number such as 24/1234 must not turn the name into a folder path.
    QString number = caseNumber;
    for (const QChar c : QStringLiteral("/\\:*?\"<>|"))
        number.replace(c, QLatin1Char('-'));
    return QStringLiteral("Case_%1_Preview_%2.pdf").arg(number, when.toString(QStringLiteral("ddMMM_yyyy_hh_mm_ss")));
}

void PdfPreviewDialog::reject()
{
    close();
}

void PdfPreviewDialog::closeEvent(QCloseEvent *event)
{
    qDebug() << "PdfPreviewDialog::closeEvent";
    m_loop.exit(0);
    event->accept();
}

void PdfPreviewDialog::on_closeButton_clicked()
{
    close();
}

void PdfPreviewDialog::on_printButton_clicked()
{
    if (!m_caseMode) {
        PDFUtils::printPDF(m_fileName, this);
        return;
    }
    // The worksheet is drawn anew for the printer, not copied from the file shown.
    QPrinter printer(QPrinter::ScreenResolution);
    QPrintDialog dialog(&printer, this);
    if (!Ask::exec(dialog) || !m_document)
        return;
    QString reason;
    if (!PDFUtils::print(*m_document, &printer, &reason))
        Ask::critical(this, QStringLiteral("Print Preview"),
                      QStringLiteral("The worksheet could not be printed.\n\n%1").arg(reason));
}

void PdfPreviewDialog::on_zoomOutButton_clicked()
{
    stepZoom(false);
}

void PdfPreviewDialog::on_zoomInButton_clicked()
{
    stepZoom(true);
}

void PdfPreviewDialog::on_zoomComboBox_activated(int index)
{
    Q_UNUSED(index);
    applyZoom(m_zoomComboBox->currentData().toInt());
}

void PdfPreviewDialog::on_saveButton_clicked()
{
    if (!m_caseMode || !m_document)
        return;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir().mkpath(folder); // the dialog would otherwise start somewhere else
    const QString proposed = folder + QLatin1Char('/')
                             + proposedFileName(m_document->caseNumber(), QDateTime::currentDateTime());
    const QString chosen =
        Ask::saveFileName(this, QStringLiteral("Save as PDF"), proposed, QStringLiteral("PDF files (*.pdf)"));
    if (chosen.isEmpty())
        return;
    // A save that did not happen must not look like one that did, and the
    // user needs to know why (a full disk, a folder without permission).
    QString reason;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool saved = PDFUtils::save(*m_document, chosen, nullptr, &reason);
    QApplication::restoreOverrideCursor();
    if (!saved)
        Ask::critical(this, QStringLiteral("Save as PDF"),
                      QStringLiteral("The worksheet could not be saved to\n%1\n\n%2")
                          .arg(QDir::toNativeSeparators(chosen), reason));
}

void PdfPreviewDialog::applyZoom(int value)
{
    m_zoomValue = value;
    if (value < 0) {
        fit(value == -1);
    } else {
        m_pdfView->setZoomMode(QPdfView::ZoomMode::Custom);
        m_pdfView->setZoomFactor(value / 100.0);
    }
}

void PdfPreviewDialog::fit(bool wholePage)
{
    // Worked out here rather than left to the view's own fit, which leaves
    // the zoom factor (the start of the zoom steps) unchanged, does not
    // follow a change of the window's size, and draws pages at sizes that
    // checkRenderedPage cannot foresee.
    const int page = m_pdfView->pageNavigator()->currentPage();
    const QSizeF points = m_pdf && m_pdf->pageCount() > 0 ? m_pdf->pagePointSize(page) : QSizeF();
    const qreal pixelsPerPoint = screenPixelsPerPoint();
    if (points.isEmpty() || pixelsPerPoint <= 0) {
        m_pdfView->setZoomMode(wholePage ? QPdfView::ZoomMode::FitInView : QPdfView::ZoomMode::FitToWidth);
        return;
    }
    // The gap below the page shows where it ends.
    const QMargins margins = m_pdfView->documentMargins();
    const QSize room = m_pdfView->viewport()->size()
                       - QSize(margins.left() + margins.right(),
                               margins.top() + margins.bottom() + m_pdfView->pageSpacing());
    const qreal widthFactor = room.width() / (points.width() * pixelsPerPoint);
    const qreal factor = wholePage ? qMin(widthFactor, room.height() / (points.height() * pixelsPerPoint))
                                   : widthFactor;
    if (factor <= 0)
        return;
    m_pdfView->setZoomMode(QPdfView::ZoomMode::Custom);
    if (!qFuzzyCompare(m_pdfView->zoomFactor(), factor))
        m_pdfView->setZoomFactor(factor);
}

// The view's own scale at zoom 1; 0 without a screen.
qreal PdfPreviewDialog::screenPixelsPerPoint()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() / 72.0 : 0;
}

bool PdfPreviewDialog::eventFilter(QObject *watched, QEvent *event)
{
    // "Fit page" and "Fit width" keep fitting when the window changes size.
    if (watched == m_pdfView->viewport() && event->type() == QEvent::Resize && m_zoomValue < 0)
        QMetaObject::invokeMethod(this, [this] { if (m_zoomValue < 0) fit(m_zoomValue == -1); }, Qt::QueuedConnection);
    return QMainWindow::eventFilter(watched, event);
}

void PdfPreviewDialog::checkRenderedPage(int page, QSize imageSize)
{
    if (!m_pdf || m_pdfView->zoomMode() != QPdfView::ZoomMode::Custom)
        return;
    // The size the view lays this page out at now, as it reckons it.
    const QSize expected = (m_pdf->pagePointSize(page) * screenPixelsPerPoint() * m_pdfView->zoomFactor()).toSize();
    if (expected.isEmpty())
        return;
    const auto matches = [imageSize](QSize size) {
        return qAbs(imageSize.width() - size.width()) <= 1 && qAbs(imageSize.height() - size.height()) <= 1;
    };
    const qreal ratio = m_pdfView->devicePixelRatioF();
    if (matches(expected) || matches((QSizeF(expected) * ratio).toSize()))
        return;
    if (m_staleSizes.value(page) == imageSize)
        return;
    m_staleSizes.insert(page, imageSize);
    if (!m_redrawQueued) {
        m_redrawQueued = true;
        QMetaObject::invokeMethod(this, &PdfPreviewDialog::redrawPages, Qt::QueuedConnection);
    }
}

void PdfPreviewDialog::redrawPages()
{
    m_redrawQueued = false;
    // The view has no call to forget its pages; a change of the page spacing
    // makes it forget them all, and the spacing is set back at once.
    const int spacing = m_pdfView->pageSpacing();
    m_pdfView->setPageSpacing(spacing + 1);
    m_pdfView->setPageSpacing(spacing);
}

void PdfPreviewDialog::stepZoom(bool in)
{
    const int current = int(m_pdfView->zoomFactor() * 100);
    int best = -1;
    for (int i = 0; i < m_zoomComboBox->count(); ++i) {
        const int value = m_zoomComboBox->itemData(i).toInt();
        if (value < 0)
            continue;
        if (in && value > current && (best < 0 || value <= m_zoomComboBox->itemData(best).toInt()))
            best = i;
        if (!in && value < current && (best < 0 || value >= m_zoomComboBox->itemData(best).toInt()))
            best = i;
    }
    if (best < 0)
        return;
    m_zoomComboBox->setCurrentIndex(best);
    applyZoom(m_zoomComboBox->itemData(best).toInt());
}
