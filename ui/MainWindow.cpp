#include "MainWindow.h"

#include "AboutDialog.h"
#include "AlimonyCalc.h"
#include "Ask.h"
#include "CalcApplication.h"
#include "CalendarDialog.h"
#include "ClientDetailsForm.h"
#include "CommentsDialog.h"
#include "Deployment.h"
#include "Desktop.h"
#include "FCItemEdit.h"
#include "FCbItemEdit.h"
#include "HeaderLabel.h"
#include "Help.h"
#include "LItemEdit.h"
#include "MainWindowForm.h"
#include "MyLineEdit.h"
#include "OrvaDocument.h"
#include "PDFUtils.h"
#include "PaperSize.h"
#include "PdfPreviewDialog.h"
#include "PdfjsProtocol.h"
#include "QBalloonTip.h"
#include "RateConverter.h"
#include "SupportExplorer.h"
#include "UpdateDialog.h"
#include "UpdateService.h"
#include "WheelGuard.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDebug>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMoveEvent>
#include <QPointer>
#include <QKeyEvent>
#include <QScreen>
#include <QWindow>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <cmath>

namespace {

// The display scale the application object was built with; 1 when the
// window runs inside another application object (tests, tools).
float applicationScale()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (app && app->inherits("CalcApplication"))
        return static_cast<CalcApplication *>(app)->scale();
    return 1.0f;
}

bool fuzzyIsOne(float value)
{
    return qFuzzyCompare(value, 1.0f);
}

// Rewriting a field with the text it already holds would throw away the
// cursor, selection and undo steps of someone typing in it.
void showText(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}

// The combo box shows its current entry, whatever was typed into it.
void showCurrentItem(QComboBox *combo, int index)
{
    combo->setCurrentIndex(index);
    const QString text = index < 0 ? QString() : combo->itemText(index);
    if (combo->isEditable() && combo->currentText() != text)
        combo->setEditText(text);
}

// Keeps a notice from taking the keyboard: where the window system makes it
// the active window all the same, the keyboard goes back to `owner` (and so
// to the field being typed into). A click into the notice is the user's own
// choice and is left alone.
class KeyboardStaysWith : public QObject
{
public:
    KeyboardStaysWith(QWidget *notice, QWidget *owner)
        : QObject(notice)
        , m_owner(owner)
    {
        notice->installEventFilter(this);
        for (QWidget *child : notice->findChildren<QWidget *>())
            child->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            m_clicked = true;
        if (event->type() == QEvent::WindowActivate && watched == parent() && !m_clicked) {
            QPointer<QWidget> owner = m_owner;
            QMetaObject::invokeMethod(
                this,
                [owner] {
                    if (owner)
                        QApplication::setActiveWindow(owner);
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> m_owner;
    bool m_clicked = false;
};

// Overnights as the window reads them: a whole number, blanks around it allowed.
bool toNights(const QString &text, int *nights)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (ok)
        *nights = value;
    return ok;
}

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
    , m_settings(std::make_shared<QSettings>())
    , m_titleFormat(QStringLiteral("Orva-Calc Professional v%1 %2%3"))
{
    m_document = makeDocument();

    m_ui->setupUi(this);
    QMetaObject::connectSlotsByName(this);

    const float scale = applicationScale();
    if (!fuzzyIsOne(scale)) {
        resize(static_cast<int>(std::lround(width() / static_cast<double>(scale))),
               static_cast<int>(std::lround(height() / static_cast<double>(scale))));
    }

    setBackground();
    checkModeRadioButton();
    qDebug() << "MainWindow: style sheet:" << styleSheet();

    applyRememberedCaseDetails();

    m_ui->preparerEdit->setLabelText(tr("Date"));
    const bool a4 = PaperSize::fromSettings() == PaperSize::A4;
    (a4 ? m_ui->actionPaper_A4 : m_ui->actionPaper_Letter)->setChecked(true);

    bindInputs();
    for (int value = 0; value < OrvaDocument::CountyCount; ++value)
        m_ui->countryComboBox->addItem(OrvaDocument::countyName(value), value);
    for (int custody = OrvaDocument::Shared; custody <= OrvaDocument::SoleParent2; ++custody)
        m_ui->custodyTypeComboBox->addItem(OrvaDocument::custodyTypeName(custody), custody);
    for (QComboBox *combo : {m_ui->countryComboBox, m_ui->custodyTypeComboBox}) {
        // Typed text must select an existing entry, never add one without a value.
        combo->setInsertPolicy(QComboBox::NoInsert);
        // Text that names no entry is not kept: the box shows the case's entry again.
        connect(combo->lineEdit(), &QLineEdit::editingFinished, this, [this, combo] { restoreComboText(combo); });
        WheelGuard::install(combo);
    }
    connectDocument();

    m_ui->motherRecommendedChildSupportEdit->setBold(true);
    m_ui->fatherRecommendedChildSupportEdit->setBold(true);

    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    const QString warningTitle = tr("Warning");
    const QString warningText = tr("Under the statute this calculation\nis greater than sole guidelines");
    m_motherBalloon = std::make_unique<QBalloonTip>(warningIcon, warningTitle, warningText,
                                                    m_ui->motherRecommendedChildSupportEdit);
    m_motherBalloon->setObjectName(QStringLiteral("motherBalloon"));
    m_fatherBalloon = std::make_unique<QBalloonTip>(warningIcon, warningTitle, warningText,
                                                    m_ui->fatherRecommendedChildSupportEdit);
    m_fatherBalloon->setObjectName(QStringLiteral("fatherBalloon"));
    connect(m_motherBalloon.get(), &QBalloonTip::switchButtonClicked, this, &MainWindow::switchMotherToSole);
    connect(m_fatherBalloon.get(), &QBalloonTip::switchButtonClicked, this, &MainWindow::switchFatherToSole);

    refresh();
    m_ui->motherMonthlyIncomeEdit->setFocus();

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

    ensurePolished();
    // The amounts' grid keeps its frame at its own size only once activated;
    // the window's minimum depends on that size.
    m_ui->gridLayout_2->activate();
    adjustSize();
    setFixedSize(minimumSizeHint());
    qInfo() << "MainWindow: window size:" << size();

    m_documentsFolder = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                            .filePath(QStringLiteral("ORVA"));
    QDir().mkpath(m_documentsFolder);
    QDir().mkpath(QDir(m_documentsFolder).filePath(QStringLiteral("New Guidelines")));

    m_noticeTimer.setSingleShot(true);
    m_noticeTimer.setInterval(2000);

    // Alt with a letter belongs to the menus, never to the text of a field.
    qApp->installEventFilter(this);
    // The balloons belong to this window: away while another program is in
    // front, and never over the field that has the keyboard.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            showWarningBalloons();
        else
            hideBalloons();
    });
    connect(qApp, &QApplication::focusChanged, this, [this] { keepBalloonsOffFocus(); });
}

MainWindow::~MainWindow()
{
    // A field with the keyboard reports its last edit as it loses it while
    // the window is taken apart, after the case is gone: nobody listens then.
    const QList<QObject *> children = findChildren<QObject *>();
    for (QObject *child : children)
        disconnect(child, nullptr, this, nullptr);
    if (m_document)
        disconnect(m_document.get(), nullptr, this, nullptr);
}

void MainWindow::bindInputs()
{
    Ui::MainWindow *ui = m_ui.get();
    for (QLineEdit *edit : {ui->caseNumberEdit, ui->plaintiffNameEdit, ui->defendantNameEdit})
        connect(edit, &QLineEdit::textEdited, this, &MainWindow::basicFieldsChanged);
    for (QRadioButton *radio : {ui->circuitCourtTypeRadio, ui->districtCourtTypeRadio})
        connect(radio, &QRadioButton::clicked, this, &MainWindow::courtTypeChanged);
    connect(ui->countryComboBox, qOverload<int>(&QComboBox::activated), this, &MainWindow::countyChanged);
    connect(ui->custodyTypeComboBox, qOverload<int>(&QComboBox::activated), this, &MainWindow::custodyChanged);

    const QList<QLineEdit *> childFields = findChildren<QLineEdit *>(QRegularExpression(QStringLiteral("child*")));
    for (QLineEdit *edit : childFields)
        connect(edit, &QLineEdit::textEdited, this, &MainWindow::childDetailChanged);

    m_amountFields = {
        {ui->motherMonthlyIncomeEdit, &OrvaDocument::setMotherMonthlyIncome, &OrvaDocument::motherMonthlyIncome, 1},
        {ui->fatherMonthlyIncomeEdit, &OrvaDocument::setFatherMonthlyIncome, &OrvaDocument::fatherMonthlyIncome, 2},
        {ui->motherExistingChildSupportPaymentEdit, &OrvaDocument::setMotherExistingChildSupportPayment,
         &OrvaDocument::motherExistingChildSupportPayment, 3},
        {ui->fatherExistingChildSupportPaymentEdit, &OrvaDocument::setFatherExistingChildSupportPayment,
         &OrvaDocument::fatherExistingChildSupportPayment, 4},
        {ui->motherAlimonyPaidEdit, &OrvaDocument::setMotherAlimonyPaid, &OrvaDocument::motherAlimonyPaid, 5},
        {ui->fatherAlimonyPaidEdit, &OrvaDocument::setFatherAlimonyPaid, &OrvaDocument::fatherAlimonyPaid, 6},
        {ui->motherAlimonyAwardedEdit, &OrvaDocument::setMotherAlimonyAwarded, &OrvaDocument::motherAlimonyAwarded,
         7},
        {ui->fatherAlimonyAwardedEdit, &OrvaDocument::setFatherAlimonyAwarded, &OrvaDocument::fatherAlimonyAwarded,
         8},
        {ui->motherWorkRelatedExpensesEdit, &OrvaDocument::setMotherWorkRelatedExpenses,
         &OrvaDocument::motherWorkRelatedExpenses, 9},
        {ui->fatherWorkRelatedExpensesEdit, &OrvaDocument::setFatherWorkRelatedExpenses,
         &OrvaDocument::fatherWorkRelatedExpenses, 10},
        {ui->motherHealthInsuranceEdit, &OrvaDocument::setMotherHealthInsurance, &OrvaDocument::motherHealthInsurance,
         11},
        {ui->fatherHealthInsuranceEdit, &OrvaDocument::setFatherHealthInsurance, &OrvaDocument::fatherHealthInsurance,
         12},
        {ui->motherExtraMedicalExpensesEdit, &OrvaDocument::setMotherExtraMedicalExpenses,
         &OrvaDocument::motherExtraMedicalExpenses, 13},
        {ui->fatherExtraMedicalExpensesEdit, &OrvaDocument::setFatherExtraMedicalExpenses,
         &OrvaDocument::fatherExtraMedicalExpenses, 14},
        {ui->motherAdditionalExpensesEdit, &OrvaDocument::setMotherAdditionalExpenses,
         &OrvaDocument::motherAdditionalExpenses, 17},
        {ui->fatherAdditionalExpensesEdit, &OrvaDocument::setFatherAdditionalExpenses,
         &OrvaDocument::fatherAdditionalExpenses, 18},
    };
    for (const AmountField &field : std::as_const(m_amountFields)) {
        connect(field.edit, &FCItemEdit::valueChanged, this, &MainWindow::fieldValueChanged);
        connect(field.edit, &FCItemEdit::footnoteChanged, this, &MainWindow::fieldFootnoteChanged);
    }
    for (FCbItemEdit *edit : {ui->motherCashMedicalSupportEdit, ui->fatherCashMedicalSupportEdit}) {
        connect(edit, &FCbItemEdit::percentChanged, this, &MainWindow::cashMedicalPercentChanged);
        connect(edit, &FCbItemEdit::footnoteChanged, this, &MainWindow::fieldFootnoteChanged);
    }
    for (LItemEdit *edit : {ui->motherOvernightsEdit, ui->fatherOvernightsEdit}) {
        connect(edit, &LItemEdit::editingFinished, this, &MainWindow::overnightsChanged);
        connect(edit, &LItemEdit::textEdited, this, &MainWindow::overnightsTyped);
    }
    for (LItemEdit *edit : {ui->motherMultifamilyChildrenEdit, ui->fatherMultifamilyChildrenEdit})
        connect(edit, &LItemEdit::textEdited, this, &MainWindow::multifamilyChildrenChanged);
    for (LItemEdit *edit : {ui->preparerEdit, ui->dateEdit})
        connect(edit, &LItemEdit::textEdited, this, &MainWindow::additionalFieldChanged);
}

std::shared_ptr<OrvaDocument> MainWindow::makeDocument() const
{
    // No QObject parent: the shared pointer is the document's only owner, so
    // a preview still holding it can never meet a document the window's
    // destruction already deleted.
    return std::make_shared<OrvaDocument>(OrvaDocument::modeForNewCase(QDate::currentDate()));
}

void MainWindow::replaceDocument(std::shared_ptr<OrvaDocument> document)
{
    if (m_document)
        disconnect(m_document.get(), nullptr, this, nullptr);
    m_document = std::move(document);
    connectDocument();
}

void MainWindow::connectDocument()
{
    connect(m_document.get(), &OrvaDocument::modifiedFlagChanged, this, &MainWindow::modifiedFlagChanged);
}

// ---- Refresh -----------------------------------------------------------------------

QString MainWindow::percentText(float ratio)
{
    const float percent = ratio * 100.0f;
    return QStringLiteral("%1 %").arg(QString::number(static_cast<double>(percent), 'g', 6));
}

QString MainWindow::sharedAboveSoleStyle()
{
    return QStringLiteral("QLineEdit { border-style: outset; border-width: 1px; border-color: red; "
                          "background-color: lightpink; }");
}

QString MainWindow::aboveScheduleStyle()
{
    return QStringLiteral("QLineEdit { border-style: outset; border-width: 1px; border-color: gold; "
                          "background-color: yellow; }");
}

void MainWindow::updateTitle()
{
    setWindowTitle(m_titleFormat.arg(QStringLiteral(ORVA_VERSION_TEXT),
                                     m_document->modified() ? QStringLiteral("(* ") : QStringLiteral("("),
                                     m_document->documentName() + QLatin1Char(')')));
}

void MainWindow::setBackground()
{
    QString image;
    switch (m_document->mode()) {
    case OrvaDocument::PreOct2020:
        image = QStringLiteral(":/images/001.png");
        break;
    case OrvaDocument::NewOct2020:
        image = QStringLiteral(":/images/bluecalc.png");
        break;
    default:
        image = QStringLiteral(":/images/002.png");
        break;
    }
    // Only a change of version changes the picture; no reload per keystroke.
    if (image == m_backgroundImage)
        return;
    m_backgroundImage = image;
    QPalette pal = palette();
    pal.setBrush(QPalette::All, QPalette::Window, QBrush(QPixmap(image)));
    setPalette(pal);
}

QRadioButton *MainWindow::modeRadioButton(int mode) const
{
    switch (mode) {
    case OrvaDocument::July2022:
        return m_ui->newGuidelinesRadioButton;
    case OrvaDocument::NewOct2020:
        return m_ui->oldGuidelinesRadioButton;
    default:
        return m_ui->oldGuidelinesRadioButton_2;
    }
}

void MainWindow::checkGuidelineRadio(QRadioButton *radio)
{
    QRadioButton *radios[] = {m_ui->newGuidelinesRadioButton, m_ui->oldGuidelinesRadioButton,
                              m_ui->oldGuidelinesRadioButton_2};
    for (QRadioButton *button : radios)
        button->blockSignals(true);
    radio->setChecked(true);
    for (QRadioButton *button : radios)
        button->blockSignals(false);
}

void MainWindow::checkModeRadioButton()
{
    checkGuidelineRadio(modeRadioButton(m_document->mode()));
}

namespace {

// A style sheet change re-polishes the widget and its children: only a change
// of the warning state should pay for it.
bool setStyleSheetIfChanged(QWidget *widget, const QString &styleSheet)
{
    if (widget->styleSheet() == styleSheet)
        return false;
    widget->setStyleSheet(styleSheet);
    return true;
}

} // namespace

void MainWindow::showWarning(bool warning, LItemEdit *field, QBalloonTip *balloon)
{
    if (warning) {
        // A style sheet change re-polishes the edit and drops its own font.
        if (setStyleSheetIfChanged(field, sharedAboveSoleStyle()))
            field->setBold(true);
        if (!balloon->isVisible() && !isMinimized())
            placeBalloon(balloon);
    } else {
        if (setStyleSheetIfChanged(field, QString()))
            field->setBold(true);
        field->setToolTip(QString());
        balloon->hideBalloon();
    }
}

// Line 1d: the count (empty for none) and the allowance it takes off the
// parent's income; the whole row only under the guidelines that have it.
void MainWindow::showMultifamily(LItemEdit *field, int children, qint64 allowance, bool shown)
{
    field->setText(children == 0 ? QString() : QString::number(children));
    field->setLabelText(allowance == 0 ? QStringLiteral("0") : QStringLiteral("-%1").arg(allowance));
    field->setVisible(shown);
}

void MainWindow::refresh()
{
    Ui::MainWindow *ui = m_ui.get();
    OrvaDocument *doc = m_document.get();
    // Every shown figure from one computation. No update bracket: a widget
    // whose text did not change is not repainted.
    const WorksheetLines lines = doc->worksheet();

    updateTitle();
    showCurrentItem(ui->countryComboBox, ui->countryComboBox->findData(doc->county()));
    showCurrentItem(ui->custodyTypeComboBox, ui->custodyTypeComboBox->findData(static_cast<int>(doc->custodyType())));
    setBackground();
    checkModeRadioButton();

    switch (doc->custodyType()) {
    case OrvaDocument::SharedP1P2:
    case OrvaDocument::SoleParent1:
    case OrvaDocument::SoleParent2:
        ui->plaintiffNameLabel->setText(tr("Plaintiff's Name (Parent 1)"));
        ui->defendantNameLabel->setText(tr("Defendant's Name (Parent 2)"));
        ui->motherHeaderLabel->setText(tr("Parent 1"));
        ui->fatherHeaderLabel->setText(tr("Parent 2"));
        break;
    case OrvaDocument::Shared:
    case OrvaDocument::SoleMother:
    case OrvaDocument::SoleFather:
        ui->plaintiffNameLabel->setText(tr("Plaintiff's Name"));
        ui->defendantNameLabel->setText(tr("Defendant's Name"));
        ui->motherHeaderLabel->setText(tr("Mother"));
        ui->fatherHeaderLabel->setText(tr("Father"));
        break;
    }

    if (doc->courtType() == OrvaDocument::Circuit)
        ui->circuitCourtTypeRadio->setChecked(true);
    else
        ui->districtCourtTypeRadio->setChecked(true);

    showText(ui->caseNumberEdit, doc->caseNumber());
    showText(ui->plaintiffNameEdit, doc->plaintiffName());
    showText(ui->defendantNameEdit, doc->defendantName());
    QLineEdit *const childNames[] = {ui->child1NameEdit, ui->child2NameEdit, ui->child3NameEdit,
                                     ui->child4NameEdit, ui->child5NameEdit, ui->child6NameEdit};
    QLineEdit *const childDates[] = {ui->child1DateEdit, ui->child2DateEdit, ui->child3DateEdit,
                                     ui->child4DateEdit, ui->child5DateEdit, ui->child6DateEdit};
    for (int i = 0; i < 6; ++i) {
        showText(childNames[i], doc->childName(i + 1));
        showText(childDates[i], doc->childBirthDate(i + 1));
    }
    ui->childCountLabel->setText(tr("Number of Minor Children: %1").arg(doc->childCount()));

    const auto amount = [](qint64 value) { return QString::number(value); };
    // A note on overnights the case took differently holds while they show
    // what the case took; any other figure there ends it.
    const auto showNights = [](LItemEdit *field, int nights) {
        const QString text = QString::number(nights);
        if (field->text() != text || field->isInvalid()) {
            field->setInvalid(false);
            if (field->text() != text)
                field->setNote(QString());
            field->setText(text);
        }
    };
    const auto setAmount = [doc](FCItemEdit *edit, qint64 (OrvaDocument::*getter)() const) {
        edit->setValue(static_cast<double>((doc->*getter)()));
    };

    setAmount(ui->motherMonthlyIncomeEdit, &OrvaDocument::motherMonthlyIncome);
    setAmount(ui->motherExistingChildSupportPaymentEdit, &OrvaDocument::motherExistingChildSupportPayment);
    setAmount(ui->motherAlimonyPaidEdit, &OrvaDocument::motherAlimonyPaid);
    setAmount(ui->motherAlimonyAwardedEdit, &OrvaDocument::motherAlimonyAwarded);
    const bool line1d = OrvaDocument::hasMultifamilyAdjustment(doc->mode());
    ui->multifamilyLabel->setVisible(line1d);
    showMultifamily(ui->motherMultifamilyChildrenEdit, doc->motherMultifamilyChildren(),
                    lines.mother.multifamilyAdjustment, line1d);
    ui->motherAdjustedActualIncomeEdit->setText(amount(lines.mother.adjustedActualIncome));
    ui->motherAdjustedActualIncomeEdit->setLabelText(percentText(lines.mother.incomeShare));
    showNights(ui->motherOvernightsEdit, doc->motherOvernights());
    ui->motherOvernightsEdit->setLabelText(percentText(lines.mother.timeShare));
    setAmount(ui->motherWorkRelatedExpensesEdit, &OrvaDocument::motherWorkRelatedExpenses);
    setAmount(ui->motherHealthInsuranceEdit, &OrvaDocument::motherHealthInsurance);
    setAmount(ui->motherExtraMedicalExpensesEdit, &OrvaDocument::motherExtraMedicalExpenses);
    ui->motherCashMedicalSupportEdit->setPercent(doc->motherCashMedicalPercent());
    ui->motherCashMedicalSupportEdit->setAmountText(amount(lines.mother.cashMedicalSupport));
    setAmount(ui->motherAdditionalExpensesEdit, &OrvaDocument::motherAdditionalExpenses);
    ui->motherRecommendedChildSupportEdit->setText(amount(lines.mother.recommendedChildSupport));

    setAmount(ui->fatherMonthlyIncomeEdit, &OrvaDocument::fatherMonthlyIncome);
    setAmount(ui->fatherExistingChildSupportPaymentEdit, &OrvaDocument::fatherExistingChildSupportPayment);
    setAmount(ui->fatherAlimonyPaidEdit, &OrvaDocument::fatherAlimonyPaid);
    setAmount(ui->fatherAlimonyAwardedEdit, &OrvaDocument::fatherAlimonyAwarded);
    showMultifamily(ui->fatherMultifamilyChildrenEdit, doc->fatherMultifamilyChildren(),
                    lines.father.multifamilyAdjustment, line1d);
    ui->fatherAdjustedActualIncomeEdit->setText(amount(lines.father.adjustedActualIncome));
    ui->fatherAdjustedActualIncomeEdit->setLabelText(percentText(lines.father.incomeShare));
    showNights(ui->fatherOvernightsEdit, doc->fatherOvernights());
    ui->fatherOvernightsEdit->setLabelText(percentText(lines.father.timeShare));
    setAmount(ui->fatherWorkRelatedExpensesEdit, &OrvaDocument::fatherWorkRelatedExpenses);
    setAmount(ui->fatherHealthInsuranceEdit, &OrvaDocument::fatherHealthInsurance);
    setAmount(ui->fatherExtraMedicalExpensesEdit, &OrvaDocument::fatherExtraMedicalExpenses);
    ui->fatherCashMedicalSupportEdit->setPercent(doc->fatherCashMedicalPercent());
    ui->fatherCashMedicalSupportEdit->setAmountText(amount(lines.father.cashMedicalSupport));
    setAmount(ui->fatherAdditionalExpensesEdit, &OrvaDocument::fatherAdditionalExpenses);
    ui->fatherRecommendedChildSupportEdit->setText(amount(lines.father.recommendedChildSupport));

    showText(ui->combinedIncomeEdit, amount(lines.combinedIncome));
    showText(ui->adjustedCombinedIncomeEdit, amount(lines.adjustedCombinedIncome));

    ui->preparerEdit->setText(doc->preparer());
    ui->dateEdit->setText(doc->preparedDate());

    for (const AmountField &field : std::as_const(m_amountFields))
        field.edit->setFootnote(doc->footnote(field.footnote));
    ui->motherCashMedicalSupportEdit->setFootnote(doc->footnote(15));
    ui->fatherCashMedicalSupportEdit->setFootnote(doc->footnote(16));

    qint64 soleValue = 0;
    showWarning(OrvaDocument::sharedAboveSoleWarning(lines, OrvaDocument::Mother, soleValue),
                ui->motherRecommendedChildSupportEdit, m_motherBalloon.get());
    soleValue = 0;
    showWarning(OrvaDocument::sharedAboveSoleWarning(lines, OrvaDocument::Father, soleValue),
                ui->fatherRecommendedChildSupportEdit, m_fatherBalloon.get());

    switch (doc->checkExtrapolation(m_noticeTimer.isActive(), lines)) {
    case OrvaDocument::ExtrapolationNoChange:
        break;
    case OrvaDocument::ExtrapolationWithinLimit:
        setStyleSheetIfChanged(ui->adjustedCombinedIncomeEdit, QString());
        break;
    case OrvaDocument::ExtrapolationHighlight:
        setStyleSheetIfChanged(ui->adjustedCombinedIncomeEdit, aboveScheduleStyle());
        break;
    case OrvaDocument::ExtrapolationWarn: {
        setStyleSheetIfChanged(ui->adjustedCombinedIncomeEdit, aboveScheduleStyle());
        // The notice belongs to this case: a New or Open within the delay
        // must not show it over the next one.
        const std::weak_ptr<OrvaDocument> warned = m_document;
        QTimer::singleShot(100, this, [this, warned] {
            if (warned.lock() == m_document)
                showExtrapolationNotice();
        });
        break;
    }
    }

    m_noticeTimer.stop();
    if (m_explorer)
        m_explorer->follow(*doc);
}

void MainWindow::showExtrapolationNotice()
{
    auto *notice = new QDialog(this);
    notice->setObjectName(QStringLiteral("extrapolationNotice"));
    notice->setWindowTitle(QString());
    auto *layout = new QVBoxLayout(notice);
    auto *label = new QLabel(OrvaDocument::extrapolationWarningText(m_document->mode()), notice);
    label->setObjectName(QStringLiteral("noticeLabel"));
    label->setWordWrap(true);
    label->setMinimumWidth(380);
    layout->addWidget(label);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Horizontal, notice);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, notice, &QDialog::accept);
    connect(notice, &QDialog::finished, notice, &QObject::deleteLater);
    QTimer::singleShot(20000, notice, &QDialog::accept);
    // The notice comes while the user types: it must neither take the
    // keyboard nor block the window, nor cover the field being typed into.
    notice->setWindowModality(Qt::NonModal);
    notice->setAttribute(Qt::WA_ShowWithoutActivating);
    notice->setFocusPolicy(Qt::NoFocus);
    new KeyboardStaysWith(notice, this);
    notice->adjustSize();
    placeNotice(notice);
    notice->show();
}

void MainWindow::placeNotice(QWidget *notice)
{
    const QRect window = frameGeometry();
    const QSize size = notice->frameGeometry().size().expandedTo(notice->sizeHint());
    const QRect avoid = focusedFieldArea();
    const QScreen *screen = this->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    const int left = window.center().x() - size.width() / 2;
    const QRect content = geometry();
    // Centred over the window, else over its top (the case header), else its bottom.
    const QList<QRect> places = {
        QRect(QPoint(left, window.center().y() - size.height() / 2), size),
        QRect(QPoint(left, content.top() + 8), size),
        QRect(QPoint(left, content.bottom() - size.height() - 8), size),
    };
    for (const QRect &place : places) {
        if ((avoid.isEmpty() || !place.intersects(avoid)) && (available.isEmpty() || available.contains(place))) {
            notice->move(place.topLeft());
            return;
        }
    }
    notice->move(places.first().topLeft());
}

// ---- Edit handlers ----------------------------------------------------------------

void MainWindow::restoreComboText(QComboBox *combo)
{
    const int value = combo == m_ui->countryComboBox ? m_document->county()
                                                     : static_cast<int>(m_document->custodyType());
    showCurrentItem(combo, combo->findData(value));
}

void MainWindow::applyRememberedCaseDetails()
{
    const QString preparer = m_settings->value(QStringLiteral("preparer"), QString()).toString();
    const int county = m_settings->value(QStringLiteral("county"), -1).toInt();
    if (!preparer.isEmpty())
        m_document->setPreparer(preparer);
    if (county != -1)
        m_document->setCounty(county);
}

void MainWindow::rememberCaseDetails()
{
    m_settings->setValue(QStringLiteral("county"), m_document->county());
    m_settings->setValue(QStringLiteral("preparer"), m_document->preparer());
    m_settings->sync();
}

void MainWindow::finishEdit()
{
    m_document->setModified(true);
    refresh();
}

void MainWindow::basicFieldsChanged(const QString &value)
{
    QObject *source = sender();
    if (source == m_ui->caseNumberEdit)
        m_document->setCaseNumber(value);
    else if (source == m_ui->plaintiffNameEdit)
        m_document->setPlaintiffName(value);
    else if (source == m_ui->defendantNameEdit)
        m_document->setDefendantName(value);
    finishEdit();
}

void MainWindow::courtTypeChanged()
{
    m_document->setCourtType(m_ui->circuitCourtTypeRadio->isChecked() ? OrvaDocument::Circuit
                                                                       : OrvaDocument::District);
    finishEdit();
}

void MainWindow::countyChanged(int index)
{
    Q_UNUSED(index)
    m_document->setCounty(m_ui->countryComboBox->currentData().toInt());
    finishEdit();
}

void MainWindow::custodyChanged(int index)
{
    Q_UNUSED(index)
    m_document->setCustodyType(m_ui->custodyTypeComboBox->currentData().toInt());
    finishEdit();
}

void MainWindow::fieldValueChanged(qulonglong value)
{
    QObject *source = sender();
    for (const AmountField &field : std::as_const(m_amountFields)) {
        if (field.edit != source)
            continue;
        qDebug() << "Field" << field.edit->objectName() << "edited. New value:" << value;
        (m_document.get()->*field.setter)(field.edit->value());
        break;
    }
    finishEdit();
}

void MainWindow::fieldFootnoteChanged(const QString &value)
{
    auto *source = qobject_cast<QWidget *>(sender());
    if (!source)
        return;
    qDebug() << "Field" << source->objectName() << "edited. New footnote:" << value;
    int number = 0;
    if (source == m_ui->motherCashMedicalSupportEdit)
        number = 15;
    else if (source == m_ui->fatherCashMedicalSupportEdit)
        number = 16;
    for (const AmountField &field : std::as_const(m_amountFields)) {
        if (field.edit == source)
            number = field.footnote;
    }
    if (number != 0)
        m_document->setFootnote(number, value);
    finishEdit();
}

void MainWindow::cashMedicalPercentChanged(double value)
{
    QObject *source = sender();
    qDebug() << "Cash medical control" << source->objectName() << "edited. New value:" << value;
    if (source == m_ui->motherCashMedicalSupportEdit)
        m_document->setMotherCashMedicalPercent(value);
    else if (source == m_ui->fatherCashMedicalSupportEdit)
        m_document->setFatherCashMedicalPercent(value);
    finishEdit();
}

void MainWindow::childDetailChanged(const QString &value)
{
    QObject *source = sender();
    qDebug() << "Child control" << source->objectName() << "edited. New value:" << value;
    QLineEdit *const names[] = {m_ui->child1NameEdit, m_ui->child2NameEdit, m_ui->child3NameEdit,
                                m_ui->child4NameEdit, m_ui->child5NameEdit, m_ui->child6NameEdit};
    QLineEdit *const dates[] = {m_ui->child1DateEdit, m_ui->child2DateEdit, m_ui->child3DateEdit,
                                m_ui->child4DateEdit, m_ui->child5DateEdit, m_ui->child6DateEdit};
    for (int i = 0; i < 6; ++i) {
        if (source == names[i])
            m_document->setChildName(i + 1, value);
        else if (source == dates[i])
            m_document->setChildBirthDate(i + 1, value);
    }
    finishEdit();
}

namespace {

QString overnightsInvalidText()
{
    return QObject::tr("Overnights: a whole number of nights, 0 to 365");
}

} // namespace

void MainWindow::overnightsTyped(const QString &value)
{
    auto *field = qobject_cast<LItemEdit *>(sender());
    if (!field)
        return;
    int nights = 0;
    field->setInvalid(!value.trimmed().isEmpty() && !toNights(value, &nights), overnightsInvalidText());
}

void MainWindow::overnightsChanged(const QString &value)
{
    QObject *source = sender();
    qDebug() << "Overnights control" << source->objectName() << "edited. New value:" << value;
    // Connected to the two overnights fields only.
    if (auto *field = qobject_cast<LItemEdit *>(source))
        applyOvernights(field, value);
}

// Overnights, and a county or custody named in its box, reach the case when
// the field is left. A command given from the keyboard leaves nothing: it
// must work on what the field shows, just as after a click on a menu.
void MainWindow::commitTypedEntry()
{
    for (LItemEdit *field : {m_ui->motherOvernightsEdit, m_ui->fatherOvernightsEdit}) {
        if (field->lineEdit()->hasFocus())
            applyOvernights(field, field->text());
    }
    for (QComboBox *combo : {m_ui->countryComboBox, m_ui->custodyTypeComboBox}) {
        if (!combo->lineEdit()->hasFocus())
            continue;
        // As on leaving the box: text naming an entry chooses it, any other
        // gives way to the case's entry.
        const int index = combo->findText(combo->lineEdit()->text(), Qt::MatchFixedString);
        if (index >= 0 && index != combo->currentIndex()) {
            combo->setCurrentIndex(index);
            if (combo == m_ui->countryComboBox)
                countyChanged(index);
            else
                custodyChanged(index);
        }
        restoreComboText(combo);
    }
}

void MainWindow::applyOvernights(LItemEdit *field, const QString &value)
{
    const bool mother = field == m_ui->motherOvernightsEdit;
    const int before = m_document->motherOvernights();
    const int shownBefore = mother ? before : m_document->fatherOvernights();
    int typed = 0;
    // Text that is no number, or the number already held, changes nothing:
    // the case keeps its overnights and is not marked as changed. Only a
    // field that shows them otherwise is brought back; no refresh else, which
    // would bring back a balloon a command has put away.
    if (!toNights(value, &typed) || typed == shownBefore) {
        if (field->text() != QString::number(shownBefore) || field->isInvalid())
            refresh();
        return;
    }
    const int nights = typed >= 366 ? 365 : typed;
    if (mother)
        m_document->setMotherOvernights(nights);
    else
        m_document->setFatherOvernights(nights);
    const int stored = mother ? m_document->motherOvernights() : m_document->fatherOvernights();
    if (m_document->motherOvernights() == before) {
        refresh();
    } else {
        finishEdit();
    }
    if (stored != typed)
        field->setNote(overnightsNote(typed, stored));
}

QString MainWindow::overnightsNote(int typed, int stored) const
{
    const OrvaDocument::CustodyType custody = m_document->custodyType();
    if (!OrvaDocument::isSharedCustody(custody))
        return tr("%1 not used: under sole custody the custodial parent has all 365 overnights, "
                  "the other parent none.")
            .arg(typed);
    const bool newRange = m_document->mode() == OrvaDocument::NewOct2020 || m_document->mode() == OrvaDocument::July2022;
    return tr("%1 not used: shared custody under these guidelines allows %2 to %3 overnights "
              "with each parent; %4 is the nearest.")
        .arg(typed)
        .arg(newRange ? 92 : 128)
        .arg(newRange ? 273 : 237)
        .arg(stored);
}

void MainWindow::multifamilyChildrenChanged(const QString &value)
{
    QObject *source = sender();
    qDebug() << "Other children control" << source->objectName() << "edited. New value:" << value;
    // An empty field is no other children; the setter keeps the count in 0..6.
    const int children = value.trimmed().toInt();
    if (source == m_ui->motherMultifamilyChildrenEdit)
        m_document->setMotherMultifamilyChildren(children);
    else if (source == m_ui->fatherMultifamilyChildrenEdit)
        m_document->setFatherMultifamilyChildren(children);
    finishEdit();
}

void MainWindow::additionalFieldChanged(const QString &value)
{
    QObject *source = sender();
    qDebug() << "Additional control" << source->objectName() << "edited. New value:" << value;
    if (source == m_ui->preparerEdit)
        m_document->setPreparer(value);
    else if (source == m_ui->dateEdit)
        m_document->setPreparedDate(value);
    finishEdit();
}

void MainWindow::modifiedFlagChanged(bool flag)
{
    qDebug() << "modifiedFlagChanged:" << flag;
    updateTitle();
}

// ---- Balloons and window events ------------------------------------------------------

QRect MainWindow::focusedFieldArea() const
{
    QWidget *focused = QApplication::focusWidget();
    if (!focused || focused->window() != this)
        return QRect();
    // The composite field around an inner edit, with its buttons.
    QWidget *field = focused;
    if (QWidget *parent = focused->parentWidget();
        parent && (qobject_cast<FCItemEdit *>(parent) || qobject_cast<FCbItemEdit *>(parent)
                   || qobject_cast<LItemEdit *>(parent)))
        field = parent;
    return QRect(field->mapToGlobal(QPoint(0, 0)), field->size());
}

void MainWindow::placeBalloon(QBalloonTip *balloon)
{
    QWidget *field = balloon->owner();
    const int middle = field->height() / 2;
    const QPoint usual = field->mapToGlobal(QPoint(10, middle));
    const QRect avoid = focusedFieldArea();
    bool top = true;
    bool left = true;
    if (avoid.isEmpty() || !balloon->placementFor(usual, &top, &left)) {
        balloon->showBalloon(usual, true);
        return;
    }
    // Where it usually stands, unless that covers the field being typed
    // into: then above or below instead, or beside its field.
    struct Place {
        QPoint anchor;
        bool top;
        bool left;
    };
    const QPoint beforeField = field->mapToGlobal(QPoint(-1, middle));
    const QPoint afterField = field->mapToGlobal(QPoint(field->width(), middle));
    const Place places[] = {
        {usual, top, left},         {usual, !top, left},      {beforeField, top, false},
        {beforeField, !top, false}, {afterField, top, true},  {afterField, !top, true},
    };
    const QScreen *screen = QGuiApplication::screenAt(usual);
    const QRect available = screen ? screen->availableGeometry() : QRect();
    for (const Place &place : places) {
        const QRect area = balloon->geometryFor(place.anchor, place.top, place.left);
        if (available.contains(area) && !area.intersects(avoid)) {
            balloon->showBalloon(place.anchor, true, place.top, place.left);
            return;
        }
    }
    balloon->showBalloon(usual, true);
}

void MainWindow::showWarningBalloons()
{
    if (!isVisible() || isMinimized())
        return;
    qint64 soleValue = 0;
    if (m_document->motherRecommendedChildSupportWarning(soleValue) && !m_motherBalloon->isVisible())
        placeBalloon(m_motherBalloon.get());
    soleValue = 0;
    if (m_document->fatherRecommendedChildSupportWarning(soleValue) && !m_fatherBalloon->isVisible())
        placeBalloon(m_fatherBalloon.get());
}

void MainWindow::keepBalloonsOffFocus()
{
    const QRect avoid = focusedFieldArea();
    if (avoid.isEmpty())
        return;
    for (QBalloonTip *balloon : {m_motherBalloon.get(), m_fatherBalloon.get()}) {
        if (balloon && balloon->isVisible() && balloon->geometry().intersects(avoid)) {
            balloon->hideBalloon();
            placeBalloon(balloon);
        }
    }
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (isMinimized())
        hideBalloons();
    else
        showWarningBalloons();
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

void MainWindow::hideBalloons()
{
    m_motherBalloon->hideBalloon();
    m_fatherBalloon->hideBalloon();
}

void MainWindow::switchMotherToSole()
{
    qDebug() << "MainWindow: mother's balloon: switch to sole custody";
    m_document->setCustodyType(m_document->custodyType() == OrvaDocument::SharedP1P2 ? OrvaDocument::SoleParent2
                                                                                     : OrvaDocument::SoleFather);
    m_motherBalloon->hideBalloon();
    refresh();
}

void MainWindow::switchFatherToSole()
{
    qDebug() << "MainWindow: father's balloon: switch to sole custody";
    m_document->setCustodyType(m_document->custodyType() == OrvaDocument::SharedP1P2 ? OrvaDocument::SoleParent1
                                                                                     : OrvaDocument::SoleMother);
    m_fatherBalloon->hideBalloon();
    refresh();
}

void MainWindow::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    const QPoint offset = event->pos() - event->oldPos();
    for (QBalloonTip *balloon : {m_motherBalloon.get(), m_fatherBalloon.get()}) {
        if (!balloon || !balloon->isVisible())
            continue;
        // Placement is checked where the anchor goes with the window, so that a
        // balloon carried towards a screen edge turns to the side where it fits.
        bool top = false;
        bool left = false;
        if (!balloon->placementFor(balloon->anchor() + offset, &top, &left) || top != balloon->arrowAtTop()
            || left != balloon->arrowAtLeft()) {
            QWidget *field = balloon->owner();
            balloon->hideBalloon();
            balloon->showBalloon(field->mapToGlobal(QPoint(2, field->height() / 2)), true);
        } else {
            balloon->moveWith(offset);
        }
    }
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    qDebug() << "MainWindow: mouse at" << event->position();
    QMainWindow::mouseMoveEvent(event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    commitTypedEntry();
    rememberCaseDetails();
    if (m_document->modified() && !maySaveChanges()) {
        event->ignore();
        return;
    }
    event->accept();
    hideBalloons();
}

// ---- Guideline version --------------------------------------------------------------

void MainWindow::on_modeSwitchButton_clicked()
{
    applyGuidelineSelection(sender());
}

void MainWindow::on_modeComboBox_currentIndexChanged(int index)
{
    qDebug() << "MainWindow::on_modeComboBox_currentIndexChanged" << index << m_ui->modeComboBox->currentIndex()
             << m_ui->modeComboBox->currentText() << m_document->mode();
    applyGuidelineSelection(sender());
}

void MainWindow::applyGuidelineSelection(QObject *source)
{
    // The button losing the check reports too; the one gaining it follows.
    if (auto *radio = qobject_cast<QRadioButton *>(source); radio && !radio->isChecked())
        return;

    Ui::MainWindow *ui = m_ui.get();
    OrvaDocument *doc = m_document.get();
    const bool shared = OrvaDocument::isSharedCustody(doc->custodyType());
    const OrvaDocument::Mode previous = doc->mode();

    if (ui->newGuidelinesRadioButton->isChecked() || ui->oldGuidelinesRadioButton->isChecked()) {
        const OrvaDocument::Mode target =
            ui->newGuidelinesRadioButton->isChecked() ? OrvaDocument::July2022 : OrvaDocument::NewOct2020;
        if (previous == OrvaDocument::PreOct2020 && shared) {
            const QMessageBox::StandardButton answer = QMessageBox::information(
                this, tr("Orva-Calc"),
                tr("With the New Guidlines you are able to\nset overnights value in the range 92 - 273\n\n"
                   "Do you want to reset the overnights?"),
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            if (answer == QMessageBox::Yes) {
                doc->setMode(target);
                doc->setMotherOvernights(273);
                ui->motherOvernightsEdit->setFocus();
            } else if (answer == QMessageBox::No) {
                doc->setMode(target);
                ui->motherOvernightsEdit->setFocus();
            } else {
                checkGuidelineRadio(ui->oldGuidelinesRadioButton_2);
            }
        } else {
            doc->setMode(target);
        }
    } else {
        const int nights = doc->motherOvernights();
        if (shared && (nights < 128 || nights > 237)) {
            const QMessageBox::StandardButton answer = QMessageBox::question(
                this, tr("ORVA-Calc: validation error"),
                tr("Can't switch to Pre Oct 2020 mode\nOvernights value should be between 128 and 237\n\n"
                   "Do you want to correct it automatically?"),
                QMessageBox::Yes | QMessageBox::No);
            if (answer == QMessageBox::Yes) {
                doc->setMode(OrvaDocument::PreOct2020);
                // The range rule of the new version brings the nights into 128..237.
                doc->setMotherOvernights(doc->motherOvernights());
            } else {
                ui->motherOvernightsEdit->setFocus();
                checkGuidelineRadio(modeRadioButton(previous));
            }
        } else {
            doc->setMode(OrvaDocument::PreOct2020);
        }
    }

    // Only the July 2022 guidelines have line 1d: leaving them drops the counts.
    doc->setMotherMultifamilyChildren(doc->motherMultifamilyChildren());
    doc->setFatherMultifamilyChildren(doc->fatherMultifamilyChildren());
    ui->actionShow_Old_Guidelines->setEnabled(!ui->oldGuidelinesRadioButton_2->isChecked());
    doc->setLastCheckedAdjustedCombinedIncome(0);
    if (!doc->extrapolationWarnedModes().isEmpty())
        m_noticeTimer.start();
    refresh();
}

void MainWindow::on_actionShow_Old_Guidelines_triggered()
{
    qDebug() << "MainWindow::on_actionShow_Old_Guidelines_triggered"
             << "checked" << m_ui->actionShow_Old_Guidelines->isChecked() << "enabled"
             << m_ui->actionShow_Old_Guidelines->isEnabled();
    checkModeRadioButton();
}

QString MainWindow::statuteFileName(int mode)
{
    switch (mode) {
    case OrvaDocument::PreOct2020:
        return QStringLiteral("FL12-201.pdf");
    case OrvaDocument::NewOct2020:
        return QStringLiteral("Maryland-2020-HB269.pdf");
    default:
        return QStringLiteral("07.01.22-12-204-Calculation-of-support.pdf");
    }
}

QString MainWindow::statuteFilePath(int mode)
{
    return QDir::cleanPath(
        QFileInfo(QCoreApplication::applicationDirPath() + QLatin1Char('/') + statuteFileName(mode)).absoluteFilePath());
}

void MainWindow::on_statuteButton_clicked()
{
    hideBalloons();
    const QString path = statuteFilePath(m_document->mode());
    qDebug() << "MainWindow::on_statuteButton_clicked" << path;
    // A missing file opens an empty preview; the window reports it in the log.
    PdfPreviewDialog preview(path);
    preview.exec();
}

// ---- File commands ----------------------------------------------------------------------

QString MainWindow::caseFolder() const
{
    if (m_document->mode() == OrvaDocument::PreOct2020)
        return m_documentsFolder;
    return QDir(m_documentsFolder).filePath(QStringLiteral("New Guidelines"));
}

namespace {

QString caseFileFilter()
{
    return QObject::tr("ORVA document (*.cml)");
}

// A case file that could not be saved or opened: the command's own text,
// and below it why (a full disk, a wrong encoding) so the user can act.
void showCaseFileError(QWidget *parent, const QString &text, const QString &reason)
{
    QMessageBox box(QMessageBox::Critical, QObject::tr("ORVA Calc"), text, QMessageBox::Ok, parent);
    if (!reason.isEmpty())
        box.setInformativeText(reason.left(1).toUpper() + reason.mid(1));
    Ask::exec(box);
}

} // namespace

bool MainWindow::maySaveChanges()
{
    const QMessageBox::StandardButton answer =
        Ask::question(this, tr("Orva-Calc"), tr("Save file %1?").arg(m_document->documentName()),
                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    switch (answer) {
    case QMessageBox::Yes:
        // The user asked to keep the case: when it was not written (dialog
        // cancelled, disk full) the command must not throw it away.
        return saveDocument(false);
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool MainWindow::saveDocument(bool as)
{
    commitTypedEntry();
    hideBalloons();
    QString target = m_document->filePath();
    if (m_document->untitled() || as) {
        // A case that has a file is saved again beside it, under its own name.
        const QString proposed = m_document->untitled()
                                     ? caseFolder() + QDir::separator() + QStringLiteral("untitled.cml")
                                     : QDir::toNativeSeparators(m_document->filePath());
        QFileDialog dialog(this, tr("Choose location and file name"), proposed, caseFileFilter());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // A name typed without the extension still lands where Open finds it.
        dialog.setDefaultSuffix(QStringLiteral("cml"));
        target = Ask::exec(dialog);
        if (target.isEmpty())
            return false;
    }
    QString reason;
    if (!m_document->writeCaseFile(target, &reason)) {
        showCaseFileError(this, tr("Error while saving document"), reason);
        return false;
    }
    // The name changes even when the modified flag does not (Save As of a
    // saved case): the title shows it at once.
    updateTitle();
    return true;
}

void MainWindow::on_actionNew_triggered()
{
    qDebug() << "MainWindow::New";
    commitTypedEntry();
    if (m_document->modified()) {
        hideBalloons();
        if (!maySaveChanges())
            return;
    }
    // The next case starts with the county and preparer of this one, as the
    // first case of a session starts with those of the last.
    rememberCaseDetails();
    replaceDocument(makeDocument());
    applyRememberedCaseDetails();
    refresh();
}

void MainWindow::on_actionOpen_triggered()
{
    qDebug() << "MainWindow::Open";
    commitTypedEntry();
    hideBalloons();
    if (m_document->modified() && !maySaveChanges())
        return;

    const QString fileName = Ask::openFileName(this, tr("Select file to open"), caseFolder(), caseFileFilter());
    if (fileName.isEmpty())
        return;
    openCaseFile(fileName);
}

bool MainWindow::openCaseFile(const QString &fileName)
{
    std::shared_ptr<OrvaDocument> opened = makeDocument();
    QString reason;
    if (!opened->readCaseFile(fileName, &reason)) {
        opened.reset();
        showCaseFileError(this, tr("Error opening document"), reason);
        return false;
    }
    replaceDocument(std::move(opened));
    if (m_document->mode() == OrvaDocument::PreOct2020) {
        QAction *showOld = m_ui->actionShow_Old_Guidelines;
        showOld->setChecked(true);
        emit showOld->triggered(true);
        showOld->setEnabled(false);
    }
    refresh();
    return true;
}

bool MainWindow::openAlimonyFile(const QString &fileName)
{
    // As the calculator's own Open: a file it cannot read is said over its
    // empty form, which stays open for a new entry.
    AlimonyCalc calculator;
    const bool opened = calculator.openFile(fileName);
    calculator.exec();
    return opened;
}

void MainWindow::on_actionSave_triggered()
{
    saveDocument(false);
}

void MainWindow::on_actionSave_As_triggered()
{
    saveDocument(true);
}

bool MainWindow::confirmSharedAboveSole()
{
    if (!m_document->hasSharedAboveSoleWarning())
        return true;
    QMessageBox box(QMessageBox::Warning, QString(), OrvaDocument::sharedAboveSoleQuestionText(),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("sharedAboveSoleQuestion"));
    box.setDefaultButton(QMessageBox::Cancel);
    return Ask::exec(box) != QMessageBox::Cancel;
}

void MainWindow::on_actionPreview_triggered()
{
    qDebug() << "MainWindow::Preview";
    commitTypedEntry();
    hideBalloons();
    if (!confirmSharedAboveSole())
        return;
    PdfPreviewDialog preview(m_document);
    preview.exec();
}

void MainWindow::on_actionPrint_triggered()
{
    qDebug() << "MainWindow::Print";
    commitTypedEntry();
    hideBalloons();
    if (!confirmSharedAboveSole())
        return;
    QPrinter printer(QPrinter::ScreenResolution);
    QPrintDialog dialog(&printer, this);
    if (!Ask::exec(dialog))
        return;
    // A worksheet that did not reach the printer must not pass for printed.
    QString reason;
    if (!PDFUtils::print(*m_document, &printer, &reason))
        Ask::critical(this, tr("ORVA Calc"), tr("The worksheet could not be printed.") + QStringLiteral("\n\n") + reason,
                      QMessageBox::Ok);
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

// ---- Client details, help, FAQ, support and website -------------------------------------

void MainWindow::on_plaintiffMoreButton_clicked()
{
    hideBalloons();
    ClientDetailsForm form(ClientDetailsForm::PlaintiffTab, m_document, this);
    form.exec();
}

void MainWindow::on_defendantMoreButton_clicked()
{
    hideBalloons();
    ClientDetailsForm form(ClientDetailsForm::DefendantTab, m_document, this);
    form.exec();
}

QString MainWindow::besideProgram(const QString &fileName)
{
    return QDir::cleanPath(
        QFileInfo(QCoreApplication::applicationDirPath() + QLatin1Char('/') + fileName).absoluteFilePath());
}

QString MainWindow::helpFilePath()
{
    return besideProgram(QStringLiteral("ORVA_CALC.chm"));
}

QString MainWindow::faqFilePath()
{
    return besideProgram(QStringLiteral("FAQ.pdf"));
}

QString MainWindow::manualPagePath(const QString &page)
{
    return besideProgram(QStringLiteral("manual/") + page);
}

QUrl MainWindow::supportMailUrl()
{
    QUrl url(QStringLiteral("mailto:") + QLatin1String(Deployment::supportAddress));
    url.setQuery(QStringLiteral("subject=Question&body=Place Question here."));
    return url;
}

void MainWindow::openManualPage(const QString &page)
{
    // The same manual as HTML pages, for a desktop without a help viewer.
    const QString path = manualPagePath(page);
    if (!QFileInfo::exists(path) || !Platform::openUrl(QUrl::fromLocalFile(path)))
        Ask::warning(this, tr("ORVA Calc"), tr("The manual could not be opened:\n%1").arg(QDir::toNativeSeparators(path)));
}

void MainWindow::on_actionContents_triggered()
{
    hideBalloons();
    if (!Platform::openHelpFile(helpFilePath()))
        openManualPage(QStringLiteral("index.html"));
}

void MainWindow::on_actionSearch_triggered()
{
    hideBalloons();
    if (!Platform::openWithDefaultProgram(helpFilePath()))
        openManualPage(QStringLiteral("keywords.html"));
}

void MainWindow::on_actionEmail_Support_triggered()
{
    hideBalloons();
    Platform::openUrl(supportMailUrl());
}

void MainWindow::on_actionFAQ_triggered()
{
    hideBalloons();
    const QString path = faqFilePath();
    qDebug() << "MainWindow::on_actionFAQ_triggered" << path;
    PdfPreviewDialog preview(path);
    preview.exec();
}

void MainWindow::on_actionOpen_website_triggered()
{
    hideBalloons();
    const QMessageBox::StandardButton answer =
        Ask::question(this, tr("ORVA Calc"),
                      tr("You will be navigated to %1 website").arg(QLatin1String(Deployment::websiteHost)),
                      QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
    if (answer == QMessageBox::Ok)
        Platform::openUrl(QUrl(QLatin1String(Deployment::websiteAddress)));
}

// The calculator stands apart from the case: no parent, and the case's
// warning balloons stay where they are.
void MainWindow::on_actionCalculate_Alimony_triggered()
{
    AlimonyCalc calculator;
    calculator.exec();
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
    m_explorer->follow(*m_document);
    m_explorer->raise();
    m_explorer->activateWindow();
}

void MainWindow::on_actionCheck_for_updates_triggered()
{
    hideBalloons();
    // The dialog runs the check under the wait cursor while it is built.
    UpdateService service;
    Updates::UpdateDialog dialog(Updates::UpdateDialog::InteractiveMode, &service, this);
    dialog.exec();
    // This window was closed for an installer that now replaces the program.
    if (dialog.programMustEnd())
        QCoreApplication::exit(0);
}

// ---- Court forms in the form viewer ----------------------------------------------------------

void MainWindow::openForm(const QString &resourceFile, const QString &title, const QString &proposedName)
{
    hideBalloons();
    if (!PDFUtils::openWithAcrobat(PdfjsProtocol::formUrl(resourceFile), title, proposedName))
        PDFUtils::showPdfErrorNotice();
}

void MainWindow::on_actionSaveable_9_202_triggered()
{
    openForm(QStringLiteral("Short-Form-Financial-2016.pdf"), tr("Saveable 9-202"),
             QStringLiteral("Short-Form-Financial.pdf"));
}

void MainWindow::on_actionSaveable_9_203_triggered()
{
    openForm(QStringLiteral("Long-Form-Financial-2016.pdf"), tr("Saveable 9-203"),
             QStringLiteral("Long-Form-Financial.pdf"));
}

void MainWindow::on_actionJoint_Parenting_Statement_triggered()
{
    openForm(QStringLiteral("Joint-Parenting-Statement.pdf"), tr("Joint Parenting Statement"),
             QStringLiteral("Joint-Parenting-Statement.pdf"));
}

void MainWindow::on_actionParent_Plan_Tool_triggered()
{
    openForm(QStringLiteral("Parent-Plan-Tool.pdf"), tr("Parent Plan Tool"), QStringLiteral("Parent-Plan-Tool.pdf"));
}

void MainWindow::on_actionExit_triggered()
{
    close();
}

void MainWindow::on_actionAbout_triggered()
{
    hideBalloons();
    AboutDialog dialog;
    dialog.exec();
}

void MainWindow::on_rateConverterButton_clicked()
{
    hideBalloons();
    RateConverter converter(RateConverter::standAloneText(), this);
    converter.exec();
}

void MainWindow::on_calendarButton_clicked()
{
    hideBalloons();
    CalendarDialog dialog(this);
    dialog.exec();
}

void MainWindow::on_commentsButton_clicked()
{
    hideBalloons();
    CommentsDialog dialog;
    dialog.setPlainText(m_document->comments());
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_document->setComments(dialog.plainText());
    m_document->setModified(true);
}
