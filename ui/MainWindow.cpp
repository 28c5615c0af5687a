#include "MainWindow.h"

#include "CaseFormBinding.h"
#include "CaseHolder.h"
#include "DisplayScale.h"
#include "FCItemEdit.h"
#include "FCbItemEdit.h"
#include "FieldDialogs.h"
#include "FormCommands.h"
#include "LItemEdit.h"
#include "MainWindowForm.h"
#include "OrvaDocument.h"
#include "SupportExplorer.h"
#include "PaperSize.h"
#include "QBalloonTip.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDebug>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMoveEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <cmath>

namespace {

// A normal window of fixed size: title bar, system menu, minimise and close
// buttons, no maximise button. Given at construction: changed afterwards,
// the flags make Qt re-style the whole form.
constexpr Qt::WindowFlags MainWindowFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                            | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                                            | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent, MainWindowFlags)
    , m_ui(std::make_unique<Ui::MainWindow>())
    , m_titleFormat(QStringLiteral("Orva-Calc Professional v%1 %2%3"))
    , m_case(std::make_unique<CaseHolder>())
{
    m_ui->setupUi(this);
    QMetaObject::connectSlotsByName(this);

    const float scale = DisplayScale::of(QCoreApplication::instance());
    if (!qFuzzyCompare(scale, 1.0f)) {
        resize(static_cast<int>(std::lround(width() / static_cast<double>(scale))),
               static_cast<int>(std::lround(height() / static_cast<double>(scale))));
    }

    buildParts();
    m_guidelines->showMode();
    qDebug() << "MainWindow: style sheet:" << styleSheet();

    m_case->applyRememberedDetails();

    m_ui->preparerEdit->setLabelText(tr("Date"));
    const bool a4 = PaperSize::fromSettings() == PaperSize::A4;
    (a4 ? m_ui->actionPaper_A4 : m_ui->actionPaper_Letter)->setChecked(true);

    m_binding = std::make_unique<CaseFormBinding>(this, m_ui.get(), m_case.get());
    m_view = std::make_unique<CaseFormView>(m_ui.get(), m_case.get());
    connect(m_binding.get(), &CaseFormBinding::refreshNeeded, this, &MainWindow::refresh);
    connect(m_case.get(), &CaseHolder::modifiedFlagChanged, this, &MainWindow::modifiedFlagChanged);

    m_ui->motherRecommendedChildSupportEdit->setBold(true);
    m_ui->fatherRecommendedChildSupportEdit->setBold(true);

    refresh();
    m_ui->motherMonthlyIncomeEdit->setFocus();
    finishForm();

    ensurePolished();
    // The amounts' grid keeps its frame at its own size only once activated;
    // the window's minimum depends on that size.
    m_ui->gridLayout_2->activate();
    adjustSize();
    setFixedSize(minimumSizeHint());
    qInfo() << "MainWindow: window size:" << size();

    m_files = std::make_unique<FileCommands>(this, m_ui.get(), m_case.get(), m_binding.get(), m_warnings.get());
    m_files->createDocumentsFolders();
    connect(m_files.get(), &FileCommands::caseReplaced, this, &MainWindow::refresh);
    connect(m_files.get(), &FileCommands::caseSaved, this, &MainWindow::updateTitle);

    // Alt with a letter belongs to the menus, never to the text of a field.
    qApp->installEventFilter(this);
    m_warnings->followApplication();
}

MainWindow::~MainWindow()
{
    // A field with the keyboard reports its last edit as it loses it while
    // the window is taken apart, after the case is gone: nobody listens then.
    const QList<QObject *> children = findChildren<QObject *>();
    for (QObject *child : children)
        disconnect(child, nullptr, this, nullptr);
}

// The parts that need no more than the form: the warnings, the guideline
// switch, the help and form commands and the dialogs behind field buttons.
void MainWindow::buildParts()
{
    m_warnings = std::make_unique<WarningsPresenter>(this, m_ui.get(), m_case.get());
    m_guidelines = std::make_unique<GuidelineSwitch>(this, m_ui.get(), m_case.get(), m_warnings.get());
    m_help = std::make_unique<HelpCommands>(this, m_warnings.get());
    m_forms = std::make_unique<FormCommands>(this, m_case.get(), m_warnings.get());
    connect(m_guidelines.get(), &GuidelineSwitch::refreshNeeded, this, &MainWindow::refresh);
    connect(m_forms.get(), &FormCommands::refreshNeeded, this, &MainWindow::refresh);
    connect(m_warnings->motherBalloon(), &QBalloonTip::switchButtonClicked, m_guidelines.get(),
            &GuidelineSwitch::switchMotherToSole);
    connect(m_warnings->fatherBalloon(), &QBalloonTip::switchButtonClicked, m_guidelines.get(),
            &GuidelineSwitch::switchFatherToSole);
    for (FCItemEdit *field : findChildren<FCItemEdit *>())
        FieldDialogs::attach(field);
    for (FCbItemEdit *field : findChildren<FCbItemEdit *>())
        FieldDialogs::attach(field);
}

// What the form gets once it shows the case: fonts, hidden controls, the
// guideline buttons and the tab order, the tool actions.
void MainWindow::finishForm()
{
    const QFont radioFont = m_ui->newGuidelinesRadioButton->font();
    m_ui->oldGuidelinesRadioButton->setFont(radioFont);
    m_ui->oldGuidelinesRadioButton_2->setFont(radioFont);
    m_ui->modeSwitchButton->hide();
    m_ui->modeComboBox->hide();
    m_ui->custodyTypeLabel_2->hide();
    m_ui->verticalLayout->setSpacing(0);
    for (QRadioButton *radio : {m_ui->newGuidelinesRadioButton, m_ui->oldGuidelinesRadioButton,
                                m_ui->oldGuidelinesRadioButton_2})
        connect(radio, &QRadioButton::toggled, this, &MainWindow::on_modeSwitchButton_clicked);
    m_ui->buttonGroup->addButton(m_ui->oldGuidelinesRadioButton_2);
    // The guideline buttons come last when tabbing, so that Tab through the
    // amounts never lands on them (an arrow key there switches the version).
    QWidget::setTabOrder(m_ui->commentsButton, m_ui->oldGuidelinesRadioButton_2);
    QWidget::setTabOrder(m_ui->oldGuidelinesRadioButton_2, m_ui->oldGuidelinesRadioButton);
    QWidget::setTabOrder(m_ui->oldGuidelinesRadioButton, m_ui->newGuidelinesRadioButton);
    QFont switchFont = m_ui->modeSwitchButton->font();
    switchFont.setBold(true);
    m_ui->modeSwitchButton->setFont(switchFont);

    connect(m_ui->actionRate_Converter, &QAction::triggered, m_ui->rateConverterButton, &QAbstractButton::click);
    connect(m_ui->actionCalendar, &QAction::triggered, m_ui->calendarButton, &QAbstractButton::click);
    connect(m_ui->actionComments, &QAction::triggered, m_ui->commentsButton, &QAbstractButton::click);
    // The statute button is out of the Tab chain; the menu is its keyboard path.
    connect(m_ui->actionStatute, &QAction::triggered, m_ui->statuteButton, &QAbstractButton::click);
}

OrvaDocument *MainWindow::document() const
{
    return m_case->document();
}

std::shared_ptr<OrvaDocument> MainWindow::sharedDocument() const
{
    return m_case->sharedDocument();
}

std::shared_ptr<QSettings> MainWindow::settings() const
{
    return m_case->settings();
}

QUrl MainWindow::supportMailUrl()
{
    return HelpCommands::supportMailUrl();
}

bool MainWindow::openAlimonyFile(const QString &fileName)
{
    return m_forms->openAlimonyFile(fileName);
}

void MainWindow::refresh()
{
    // Every shown figure from one computation. No update bracket: a widget
    // whose text did not change is not repainted.
    const WorksheetLines lines = m_case->document()->worksheet();
    updateTitle();
    m_guidelines->showMode();
    m_view->showCase(lines);
    m_warnings->showWarnings(lines);
    if (m_explorer)
        m_explorer->follow(*m_case->document());
}

void MainWindow::updateTitle()
{
    OrvaDocument *doc = m_case->document();
    setWindowTitle(m_titleFormat.arg(QStringLiteral(ORVA_VERSION_TEXT),
                                     doc->modified() ? QStringLiteral("(* ") : QStringLiteral("("),
                                     doc->documentName() + QLatin1Char(')')));
}

void MainWindow::modifiedFlagChanged(bool flag)
{
    qDebug() << "modifiedFlagChanged:" << flag;
    updateTitle();
}

// ---- Window events ------------------------------------------------------------------------

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && m_warnings)
        m_warnings->windowStateChanged();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Alt with a printable key is a menu key: when no menu takes it, it must
    // not reach the text of a field (where it would type and change the case).
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers();
        // Ctrl+Alt is AltGr on Windows keyboards: a character, typed on purpose.
        if ((modifiers & Qt::AltModifier) && !(modifiers & (Qt::ControlModifier | Qt::MetaModifier))
            && !key->text().isEmpty() && key->text().at(0).isPrint()
            && static_cast<QWidget *>(watched)->window() == this)
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    if (m_warnings)
        m_warnings->windowMoved(event->pos() - event->oldPos());
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    qDebug() << "MainWindow: mouse at" << event->position();
    QMainWindow::mouseMoveEvent(event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_files->mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    m_warnings->hideBalloons();
}

// ---- Commands: each hands over to the part that does it --------------------------------------

void MainWindow::on_modeSwitchButton_clicked()
{
    m_guidelines->applySelection(sender());
}

void MainWindow::on_modeComboBox_currentIndexChanged(int index)
{
    qDebug() << "MainWindow::on_modeComboBox_currentIndexChanged" << index << m_ui->modeComboBox->currentIndex()
             << m_ui->modeComboBox->currentText() << document()->mode();
    m_guidelines->applySelection(sender());
}

void MainWindow::on_actionShow_Old_Guidelines_triggered()
{
    m_guidelines->showOldGuidelines();
}

void MainWindow::on_statuteButton_clicked()
{
    m_guidelines->openStatute();
}

void MainWindow::on_actionNew_triggered()
{
    m_files->newCase();
}

void MainWindow::on_actionOpen_triggered()
{
    m_files->open();
}

void MainWindow::on_actionSave_triggered()
{
    m_files->save(false);
}

void MainWindow::on_actionSave_As_triggered()
{
    m_files->save(true);
}

void MainWindow::on_actionPreview_triggered()
{
    m_files->preview();
}

void MainWindow::on_actionPrint_triggered()
{
    m_files->print();
}

// The paper of every worksheet from now on, kept for the next start too.
void MainWindow::on_actionPaper_Letter_triggered()
{
    PaperSize::store(PaperSize::Letter);
}

void MainWindow::on_actionPaper_A4_triggered()
{
    PaperSize::store(PaperSize::A4);
}

void MainWindow::on_actionExit_triggered()
{
    close();
}

void MainWindow::on_plaintiffMoreButton_clicked()
{
    m_forms->plaintiffDetails();
}

void MainWindow::on_defendantMoreButton_clicked()
{
    m_forms->defendantDetails();
}

void MainWindow::on_actionSaveable_9_202_triggered()
{
    m_forms->openForm(CourtFormFill::ShortFinancial);
}

void MainWindow::on_actionSaveable_9_203_triggered()
{
    m_forms->openForm(CourtFormFill::LongFinancial);
}

void MainWindow::on_actionJoint_Parenting_Statement_triggered()
{
    m_forms->openForm(CourtFormFill::JointStatement);
}

void MainWindow::on_actionParent_Plan_Tool_triggered()
{
    m_forms->openForm(CourtFormFill::ParentingPlan);
}

void MainWindow::on_rateConverterButton_clicked()
{
    m_forms->rateConverter();
}

void MainWindow::on_calendarButton_clicked()
{
    m_forms->calendar();
}

void MainWindow::on_commentsButton_clicked()
{
    m_forms->comments();
}

void MainWindow::on_actionCalculate_Alimony_triggered()
{
    m_forms->calculateAlimony();
}

// Non-modal beside this window; refresh() keeps it on the case.
void MainWindow::on_actionSupport_Explorer_triggered()
{
    const bool first = !m_explorer;
    if (first)
        m_explorer = new SupportExplorer(this);
    m_explorer->show();
    if (first)
        m_explorer->placeBeside(this);
    m_explorer->follow(*m_case->document());
    m_explorer->raise();
    m_explorer->activateWindow();
}

void MainWindow::on_actionContents_triggered()
{
    m_help->contents();
}

void MainWindow::on_actionSearch_triggered()
{
    m_help->search();
}

void MainWindow::on_actionEmail_Support_triggered()
{
    m_help->emailSupport();
}

void MainWindow::on_actionFAQ_triggered()
{
    m_help->faq();
}

void MainWindow::on_actionOpen_website_triggered()
{
    m_help->openWebsite();
}

void MainWindow::on_actionCheck_for_updates_triggered()
{
    m_help->checkForUpdates();
}

void MainWindow::on_actionAbout_triggered()
{
    m_help->about();
}
