#include "MainWindowForm.h"

#include "FCItemEdit.h"
#include "FCbItemEdit.h"
#include "HeaderLabel.h"
#include "LItemEdit.h"
#include "MyLineEdit.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QIntValidator>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpacerItem>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

template <typename T>
T *named(T *object, const char *name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

QLabel *caption(QWidget *parent, const char *name, const QString &text, Qt::Alignment alignment)
{
    auto *label = named(new QLabel(text, parent), name);
    label->setAlignment(alignment);
    return label;
}

QAction *action(QMainWindow *window, const char *name, const QString &text, const char *icon = nullptr)
{
    auto *result = named(new QAction(text, window), name);
    if (icon)
        result->setIcon(QIcon(QString::fromLatin1(icon)));
    return result;
}

QSpacerItem *horizontalSpacer(int width = 40)
{
    return new QSpacerItem(width, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
}

QSpacerItem *verticalSpacer(int height = 20)
{
    return new QSpacerItem(20, height, QSizePolicy::Minimum, QSizePolicy::Expanding);
}

QToolButton *toolButton(QWidget *parent, const char *name, const QString &text, const char *icon, QSize iconSize)
{
    auto *button = named(new QToolButton(parent), name);
    button->setText(text);
    button->setIcon(QIcon(QString::fromLatin1(icon)));
    button->setIconSize(iconSize);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    return button;
}

} // namespace

namespace Ui {

void MainWindow::setupUi(QMainWindow *window)
{
    if (window->objectName().isEmpty())
        window->setObjectName(QStringLiteral("MainWindow"));
    window->resize(764, 564);

    // ---- Actions ----------------------------------------------------------------
    actionNew = action(window, "actionNew", QObject::tr("&New"), ":/images/menu/add.png");
    actionOpen = action(window, "actionOpen", QObject::tr("&Open"), ":/images/menu/folder_add.png");
    actionSave = action(window, "actionSave", QObject::tr("&Save"), ":/images/menu/disk.png");
    actionSave_As = action(window, "actionSave_As", QObject::tr("Save &As..."));
    actionPreview = action(window, "actionPreview", QObject::tr("Pre&view"), ":/images/menu/magnifier.png");
    actionPrint = action(window, "actionPrint", QObject::tr("&Print"), ":/images/menu/printer.png");
    actionExit = action(window, "actionExit", QObject::tr("E&xit"), ":/images/menu/door_out.png");
    actionPaper_Letter = action(window, "actionPaper_Letter", QObject::tr("US &Letter (8.5 x 11 in)"));
    actionPaper_A4 = action(window, "actionPaper_A4", QObject::tr("&A4 (210 x 297 mm)"));
    paperGroup = named(new QActionGroup(window), "paperGroup");
    for (QAction *paper : {actionPaper_Letter, actionPaper_A4}) {
        paper->setCheckable(true);
        paperGroup->addAction(paper);
    }
    actionSaveable_9_202 = action(window, "actionSaveable_9_202", QObject::tr("Saveable 9-202"),
                                  ":/images/menu/application_form.png");
    actionSaveable_9_203 = action(window, "actionSaveable_9_203", QObject::tr("Saveable 9-203"),
                                  ":/images/menu/application_form.png");
    actionJoint_Parenting_Statement = action(window, "actionJoint_Parenting_Statement",
                                             QObject::tr("Joint Parenting Statement"),
                                             ":/images/menu/application_form.png");
    actionParent_Plan_Tool = action(window, "actionParent_Plan_Tool", QObject::tr("Parent Plan Tool"),
                                    ":/images/menu/application_form.png");
    actionCheck_for_updates = action(window, "actionCheck_for_updates", QObject::tr("Check for updates"));
    actionContents = action(window, "actionContents", QObject::tr("Contents"));
    actionEmail_Support = action(window, "actionEmail_Support", QObject::tr("Email Support"));
    actionAbout = action(window, "actionAbout", QObject::tr("About"));
    actionFAQ = action(window, "actionFAQ", QObject::tr("FAQ"));
    actionOpen_website = action(window, "actionOpen_website", QObject::tr("Open website"));
    actionCalculate_Alimony = action(window, "actionCalculate_Alimony", QObject::tr("Calculate Alimony"),
                                     ":/images/menu/calculator.png");
    actionCalculate_Alimony->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    actionSupport_Explorer = action(window, "actionSupport_Explorer", QObject::tr("Support E&xplorer"));
    actionSupport_Explorer->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    actionSearch = action(window, "actionSearch", QObject::tr("Search"));
    // The Tools menu offers the buttons of the right-hand panel as well.
    actionRate_Converter = action(window, "actionRate_Converter", QObject::tr("Rate Converter"));
    actionCalendar = action(window, "actionCalendar", QObject::tr("Calendar"));
    actionComments = action(window, "actionComments", QObject::tr("Comments"));
    actionStatute = action(window, "actionStatute", QObject::tr("Statute"));
    actionShow_Old_Guidelines = action(window, "actionShow_Old_Guidelines",
                                       QObject::tr("Show Pre Oct 2020 Guidelines"));
    // The keys every desktop program uses; where the platform has none for a
    // command, the common one.
    const auto keys = [](QAction *command, QKeySequence::StandardKey key, const char *fallback) {
        QList<QKeySequence> sequences = QKeySequence::keyBindings(key);
        if (sequences.isEmpty() && fallback)
            sequences << QKeySequence(QString::fromLatin1(fallback));
        command->setShortcuts(sequences);
    };
    keys(actionNew, QKeySequence::New, "Ctrl+N");
    keys(actionOpen, QKeySequence::Open, "Ctrl+O");
    keys(actionSave, QKeySequence::Save, "Ctrl+S");
    keys(actionSave_As, QKeySequence::SaveAs, "Ctrl+Shift+S");
    keys(actionPrint, QKeySequence::Print, "Ctrl+P");
    keys(actionExit, QKeySequence::Quit, "Ctrl+Q");
    actionPreview->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+P")));
    actionShow_Old_Guidelines->setCheckable(true);
    actionShow_Old_Guidelines->setToolTip(QObject::tr("Show Pre Oct 2020 Guidelines"));

    centralWidget = named(new QWidget(window), "centralWidget");
    verticalLayout = named(new QVBoxLayout(centralWidget), "verticalLayout");
    verticalLayout->setContentsMargins(0, 0, 0, 0);
    verticalLayout->setSpacing(0);

    // ---- 1. Case, court, county and parties --------------------------------------
    commonFrame = named(new QFrame(centralWidget), "commonFrame");
    gridLayout = named(new QGridLayout(commonFrame), "gridLayout");
    gridLayout->setVerticalSpacing(0);

    caseNumberEdit = named(new QLineEdit(commonFrame), "caseNumberEdit");
    gridLayout->addWidget(caseNumberEdit, 0, 1, 1, 2);

    courtTypeGroup = named(new QGroupBox(QObject::tr("Court Jurisdiction"), commonFrame), "courtTypeGroup");
    courtTypeGroup->setFlat(true);
    courtTypeGroup->setAlignment(Qt::AlignCenter);
    courtTypeGroup->setMinimumWidth(200);
    horizontalLayout_2 = named(new QHBoxLayout(courtTypeGroup), "horizontalLayout_2");
    circuitCourtTypeRadio = named(new QRadioButton(QObject::tr("Circuit"), courtTypeGroup), "circuitCourtTypeRadio");
    districtCourtTypeRadio = named(new QRadioButton(QObject::tr("District"), courtTypeGroup), "districtCourtTypeRadio");
    horizontalLayout_2->addWidget(circuitCourtTypeRadio);
    horizontalLayout_2->addWidget(districtCourtTypeRadio);
    gridLayout->addWidget(courtTypeGroup, 0, 3, 2, 1);

    countryComboBox = named(new QComboBox(commonFrame), "countryComboBox");
    countryComboBox->setEditable(true);
    // Wide enough for the longest county name.
    countryComboBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    gridLayout->addWidget(countryComboBox, 0, 4, 1, 2);

    const Qt::Alignment captionBelow = Qt::AlignTop | Qt::AlignHCenter;
    label_2 = caption(commonFrame, "label_2", QObject::tr("Case Number"), captionBelow);
    gridLayout->addWidget(label_2, 1, 1, 1, 2);
    label_3 = caption(commonFrame, "label_3", QObject::tr("Select County"), captionBelow);
    // A screen reader names a list box after its caption.
    label_3->setBuddy(countryComboBox);
    gridLayout->addWidget(label_3, 1, 4, 1, 2);

    plaintiffMoreButton = named(new QPushButton(QObject::tr("more"), commonFrame), "plaintiffMoreButton");
    plaintiffMoreButton->setFlat(true);
    gridLayout->addWidget(plaintiffMoreButton, 2, 0);
    plaintiffNameEdit = named(new QLineEdit(commonFrame), "plaintiffNameEdit");
    gridLayout->addWidget(plaintiffNameEdit, 2, 1, 1, 2);

    groupBox_2 = named(new QGroupBox(QObject::tr("Select client for financial forms"), commonFrame), "groupBox_2");
    groupBox_2->setFlat(true);
    groupBox_2->setAlignment(Qt::AlignCenter);
    groupBox_2->setMinimumWidth(200);
    horizontalLayout = named(new QHBoxLayout(groupBox_2), "horizontalLayout");
    radioButton_4 = named(new QRadioButton(groupBox_2), "radioButton_4");
    radioButton_3 = named(new QRadioButton(groupBox_2), "radioButton_3");
    radioButton_3->setLayoutDirection(Qt::RightToLeft);
    horizontalLayout->addWidget(radioButton_4);
    horizontalLayout->addWidget(radioButton_3);
    gridLayout->addWidget(groupBox_2, 2, 3, 2, 1);

    defendantNameEdit = named(new QLineEdit(commonFrame), "defendantNameEdit");
    gridLayout->addWidget(defendantNameEdit, 2, 4, 1, 2);
    defendantMoreButton = named(new QPushButton(QObject::tr("more"), commonFrame), "defendantMoreButton");
    defendantMoreButton->setFlat(true);
    gridLayout->addWidget(defendantMoreButton, 2, 6);

    plaintiffNameLabel = caption(commonFrame, "plaintiffNameLabel", QObject::tr("Plaintiff's Name"), captionBelow);
    gridLayout->addWidget(plaintiffNameLabel, 3, 1, 1, 2);
    defendantNameLabel = caption(commonFrame, "defendantNameLabel", QObject::tr("Defendant's Name"), captionBelow);
    gridLayout->addWidget(defendantNameLabel, 3, 4, 1, 2);
    // The "more" buttons keep their own width; the name and number fields take the rest.
    plaintiffMoreButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    defendantMoreButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    verticalLayout->addWidget(commonFrame);

    // ---- 2. Children and custody ---------------------------------------------------
    childrenFrame_2 = named(new QFrame(centralWidget), "childrenFrame_2");
    childrenFrame = named(new QGridLayout(childrenFrame_2), "childrenFrame");
    childrenFrame->setVerticalSpacing(0);
    const int stretch[] = {1, 5, 5, 1, 5, 5, 1};
    for (int column = 0; column < 7; ++column)
        childrenFrame->setColumnStretch(column, stretch[column]);
    childrenFrame->addItem(horizontalSpacer(), 2, 0);
    childrenFrame->addItem(horizontalSpacer(), 2, 6);

    childNameLabel1 = caption(childrenFrame_2, "childNameLabel1", QObject::tr("Children's Name"), Qt::AlignCenter);
    birthdayLabel1 = caption(childrenFrame_2, "birthdayLabel1", QObject::tr("Birth Date/Age"), Qt::AlignCenter);
    custodyTypeLabel = caption(childrenFrame_2, "custodyTypeLabel", QObject::tr("Custody type"),
                               Qt::AlignBottom | Qt::AlignHCenter);
    childNameLabel2 = caption(childrenFrame_2, "childNameLabel2", QObject::tr("Children's Name"), Qt::AlignCenter);
    birthdayLabel2 = caption(childrenFrame_2, "birthdayLabel2", QObject::tr("Birth Date/Age"), Qt::AlignCenter);
    childrenFrame->addWidget(childNameLabel1, 0, 1);
    childrenFrame->addWidget(birthdayLabel1, 0, 2);
    childrenFrame->addWidget(custodyTypeLabel, 0, 3);
    childrenFrame->addWidget(childNameLabel2, 0, 4);
    childrenFrame->addWidget(birthdayLabel2, 0, 5);

    QLineEdit **childNames[] = {&child1NameEdit, &child2NameEdit, &child3NameEdit,
                                &child4NameEdit, &child5NameEdit, &child6NameEdit};
    QLineEdit **childDates[] = {&child1DateEdit, &child2DateEdit, &child3DateEdit,
                                &child4DateEdit, &child5DateEdit, &child6DateEdit};
    for (int i = 0; i < 6; ++i) {
        *childNames[i] = new QLineEdit(childrenFrame_2);
        (*childNames[i])->setObjectName(QStringLiteral("child%1NameEdit").arg(i + 1));
        *childDates[i] = new QLineEdit(childrenFrame_2);
        (*childDates[i])->setObjectName(QStringLiteral("child%1DateEdit").arg(i + 1));
        const int row = 1 + i % 3;
        const int column = i < 3 ? 1 : 4;
        childrenFrame->addWidget(*childNames[i], row, column);
        childrenFrame->addWidget(*childDates[i], row, column + 1);
    }

    custodyTypeComboBox = named(new QComboBox(childrenFrame_2), "custodyTypeComboBox");
    custodyTypeComboBox->setEditable(true);
    childrenFrame->addWidget(custodyTypeComboBox, 1, 3);
    custodyTypeLabel->setBuddy(custodyTypeComboBox);
    custodyTypeLabel_2 = caption(childrenFrame_2, "custodyTypeLabel_2", QObject::tr("Selected Guidelines"),
                                 Qt::AlignBottom | Qt::AlignHCenter);
    childrenFrame->addWidget(custodyTypeLabel_2, 2, 3);
    // Shares the cell of the hidden caption above: the count stands under the custody type.
    childCountLabel = caption(childrenFrame_2, "childCountLabel", QString(), Qt::AlignCenter);
    childrenFrame->addWidget(childCountLabel, 2, 3);
    horizontalLayout_3 = named(new QHBoxLayout, "horizontalLayout_3");
    custodyTypeLabel_3 = caption(childrenFrame_2, "custodyTypeLabel_3", QObject::tr("Selected Guidelines"),
                                 Qt::AlignCenter);
    modeComboBox = named(new QComboBox(childrenFrame_2), "modeComboBox");
    modeSwitchButton = named(new QPushButton(QObject::tr("Switch to Old Guidelines"), childrenFrame_2),
                             "modeSwitchButton");
    modeSwitchButton->setFlat(true);
    modeSwitchButton->setFocusPolicy(Qt::NoFocus);
    horizontalLayout_3->addWidget(custodyTypeLabel_3);
    horizontalLayout_3->addWidget(modeComboBox);
    horizontalLayout_3->addWidget(modeSwitchButton);
    childrenFrame->addLayout(horizontalLayout_3, 3, 3);
    verticalLayout->addWidget(childrenFrame_2);

    // ---- 3. Guideline versions ----------------------------------------------------------
    modeFrame = named(new QFrame(centralWidget), "modeFrame");
    _2 = named(new QHBoxLayout(modeFrame), "_2");
    _2->addItem(horizontalSpacer());
    oldGuidelinesRadioButton = named(new QRadioButton(QObject::tr("Guidelines Oct 2020"), modeFrame),
                                     "oldGuidelinesRadioButton");
    newGuidelinesRadioButton = named(new QRadioButton(QObject::tr("Guidelines Jul 2022"), modeFrame),
                                     "newGuidelinesRadioButton");
    _2->addWidget(oldGuidelinesRadioButton);
    _2->addWidget(newGuidelinesRadioButton);
    _2->addItem(horizontalSpacer());
    verticalLayout->addWidget(modeFrame);

    // ---- 4. The worksheet: inputs and results per parent ---------------------------------
    mainFrame_2 = named(new QFrame(centralWidget), "mainFrame_2");
    mainFrame = named(new QHBoxLayout(mainFrame_2), "mainFrame");
    leftFrame = named(new QFrame(mainFrame_2), "leftFrame");
    gridLayout_2 = named(new QGridLayout(leftFrame), "gridLayout_2");
    gridLayout_2->setSizeConstraint(QLayout::SetFixedSize);
    gridLayout_2->setHorizontalSpacing(5);
    gridLayout_2->setVerticalSpacing(1);
    gridLayout_2->setContentsMargins(0, 0, 0, 0);

    motherHeaderLabel = named(new HeaderLabel(leftFrame), "motherHeaderLabel");
    motherHeaderLabel->setText(QObject::tr("Mother"));
    fatherHeaderLabel = named(new HeaderLabel(leftFrame), "fatherHeaderLabel");
    fatherHeaderLabel->setText(QObject::tr("Father"));
    gridLayout_2->addWidget(motherHeaderLabel, 0, 1);
    gridLayout_2->addWidget(fatherHeaderLabel, 0, 2);

    struct Row {
        QLabel **caption;
        const char *captionName;
        QString text;
        QWidget *mother;
        QWidget *father;
    };
    const auto amount = [&](FCItemEdit **field, const char *name) {
        *field = named(new FCItemEdit(leftFrame), name);
        return *field;
    };
    const auto computed = [&](LItemEdit **field, const char *name) {
        *field = named(new LItemEdit(leftFrame), name);
        return *field;
    };
    const auto percent = [&](FCbItemEdit **field, const char *name) {
        *field = named(new FCbItemEdit(leftFrame), name);
        return *field;
    };
    const Row rows[] = {
        {&label_10, "label_10", QObject::tr("Monthly Income"),
         amount(&motherMonthlyIncomeEdit, "motherMonthlyIncomeEdit"),
         amount(&fatherMonthlyIncomeEdit, "fatherMonthlyIncomeEdit")},
        {&label_11, "label_11", QObject::tr("Existing Child Support Payment"),
         amount(&motherExistingChildSupportPaymentEdit, "motherExistingChildSupportPaymentEdit"),
         amount(&fatherExistingChildSupportPaymentEdit, "fatherExistingChildSupportPaymentEdit")},
        {&label_12, "label_12", QObject::tr("Alimony Paid"), amount(&motherAlimonyPaidEdit, "motherAlimonyPaidEdit"),
         amount(&fatherAlimonyPaidEdit, "fatherAlimonyPaidEdit")},
        {&label_13, "label_13", QObject::tr("Alimony Awarded This Case"),
         amount(&motherAlimonyAwardedEdit, "motherAlimonyAwardedEdit"),
         amount(&fatherAlimonyAwardedEdit, "fatherAlimonyAwardedEdit")},
        {&multifamilyLabel, "multifamilyLabel", QObject::tr("Other Children In Home"),
         computed(&motherMultifamilyChildrenEdit, "motherMultifamilyChildrenEdit"),
         computed(&fatherMultifamilyChildrenEdit, "fatherMultifamilyChildrenEdit")},
        {&label_14, "label_14", QObject::tr("Adjusted Actual Income"),
         computed(&motherAdjustedActualIncomeEdit, "motherAdjustedActualIncomeEdit"),
         computed(&fatherAdjustedActualIncomeEdit, "fatherAdjustedActualIncomeEdit")},
        {&label_15, "label_15", QObject::tr("Number Of Overnights"),
         computed(&motherOvernightsEdit, "motherOvernightsEdit"),
         computed(&fatherOvernightsEdit, "fatherOvernightsEdit")},
        {&label_16, "label_16", QObject::tr("Work Related Child Care Expenses"),
         amount(&motherWorkRelatedExpensesEdit, "motherWorkRelatedExpensesEdit"),
         amount(&fatherWorkRelatedExpensesEdit, "fatherWorkRelatedExpensesEdit")},
        {&label_17, "label_17", QObject::tr("Health Insurance Payments"),
         amount(&motherHealthInsuranceEdit, "motherHealthInsuranceEdit"),
         amount(&fatherHealthInsuranceEdit, "fatherHealthInsuranceEdit")},
        {&label_18, "label_18", QObject::tr("Extraordinary Medical Expenses"),
         amount(&motherExtraMedicalExpensesEdit, "motherExtraMedicalExpensesEdit"),
         amount(&fatherExtraMedicalExpensesEdit, "fatherExtraMedicalExpensesEdit")},
        {&label_19, "label_19", QObject::tr("Cash Medical Support"),
         percent(&motherCashMedicalSupportEdit, "motherCashMedicalSupportEdit"),
         percent(&fatherCashMedicalSupportEdit, "fatherCashMedicalSupportEdit")},
        {&label_20, "label_20", QObject::tr("Additional Expenses"),
         amount(&motherAdditionalExpensesEdit, "motherAdditionalExpensesEdit"),
         amount(&fatherAdditionalExpensesEdit, "fatherAdditionalExpensesEdit")},
        {&label_21, "label_21", QObject::tr("Recommended Child Support"),
         computed(&motherRecommendedChildSupportEdit, "motherRecommendedChildSupportEdit"),
         computed(&fatherRecommendedChildSupportEdit, "fatherRecommendedChildSupportEdit")},
    };
    int row = 1;
    for (const Row &entry : rows) {
        *entry.caption = caption(leftFrame, entry.captionName, entry.text, Qt::AlignRight | Qt::AlignVCenter);
        gridLayout_2->addWidget(*entry.caption, row, 0);
        gridLayout_2->addWidget(entry.mother, row, 1);
        gridLayout_2->addWidget(entry.father, row, 2);
        ++row;
    }

    // Computed figures: read-only and styled apart from the inputs. Tab
    // passes over them (a click still selects them for copying, a screen
    // reader reads them from the tree), but stops at the order itself, the
    // figure the form is for.
    for (LItemEdit *computedField : {motherAdjustedActualIncomeEdit, fatherAdjustedActualIncomeEdit,
                                     motherRecommendedChildSupportEdit, fatherRecommendedChildSupportEdit}) {
        computedField->setReadOnly(true);
        computedField->lineEdit()->setFocusPolicy(Qt::ClickFocus);
    }
    motherRecommendedChildSupportEdit->lineEdit()->setFocusPolicy(Qt::StrongFocus);
    fatherRecommendedChildSupportEdit->lineEdit()->setFocusPolicy(Qt::StrongFocus);
    motherRecommendedChildSupportEdit->setBold(true);
    fatherRecommendedChildSupportEdit->setBold(true);
    motherOvernightsEdit->setMaxLength(3);
    motherOvernightsEdit->lineEdit()->setInputMethodHints(Qt::ImhDigitsOnly);

    // A count of a few children: a narrow field, its allowance beside it. The
    // row keeps its place while hidden under the older guidelines, so that
    // switching versions moves nothing.
    multifamilyLabel->setToolTip(multifamilyToolTip());
    QSizePolicy retained = multifamilyLabel->sizePolicy();
    retained.setRetainSizeWhenHidden(true);
    multifamilyLabel->setSizePolicy(retained);
    for (LItemEdit *count : {motherMultifamilyChildrenEdit, fatherMultifamilyChildrenEdit}) {
        count->setMaxLength(2);
        count->lineEdit()->setValidator(new QIntValidator(0, 99, count));
        count->lineEdit()->setInputMethodHints(Qt::ImhDigitsOnly);
        count->lineEdit()->setFixedWidth(count->lineEdit()->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);
        count->layout()->setAlignment(Qt::AlignLeft);
        count->setToolTip(multifamilyToolTip());
        QSizePolicy policy = count->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        count->setSizePolicy(policy);
    }

    horizontalLayout_4 = named(new QHBoxLayout, "horizontalLayout_4");
    horizontalLayout_4->setSpacing(5);
    label = caption(leftFrame, "label", QObject::tr("Preparer"), Qt::AlignRight | Qt::AlignVCenter);
    preparerEdit = named(new LItemEdit(leftFrame), "preparerEdit");
    preparerEdit->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    horizontalLayout_4->addWidget(label);
    horizontalLayout_4->addWidget(preparerEdit);
    gridLayout_2->addLayout(horizontalLayout_4, row, 0, 1, 2);
    horizontalLayout_7 = named(new QHBoxLayout, "horizontalLayout_7");
    dateEdit = named(new LItemEdit(leftFrame), "dateEdit");
    horizontalLayout_7->addWidget(dateEdit);
    gridLayout_2->addLayout(horizontalLayout_7, row, 2);
    mainFrame->addWidget(leftFrame);

    rightFrame = named(new QFrame(mainFrame_2), "rightFrame");
    verticalLayout_2 = named(new QVBoxLayout(rightFrame), "verticalLayout_2");
    verticalLayout_2->setContentsMargins(0, 0, 0, 0);
    label_7 = caption(rightFrame, "label_7", QObject::tr("Combined Income"), Qt::AlignCenter);
    verticalLayout_2->addWidget(label_7);
    combinedIncomeEdit = named(new QLineEdit(rightFrame), "combinedIncomeEdit");
    combinedIncomeEdit->setReadOnly(true);
    combinedIncomeEdit->setFocusPolicy(Qt::ClickFocus);
    verticalLayout_2->addWidget(combinedIncomeEdit);

    horizontalLayout_5 = named(new QHBoxLayout, "horizontalLayout_5");
    rateConverterButton = toolButton(rightFrame, "rateConverterButton", QObject::tr("Rate Converter"),
                                     ":/images/calculator.png", QSize(48, 48));
    rateConverterButton->setCursor(Qt::PointingHandCursor);
    calendarButton = toolButton(rightFrame, "calendarButton", QObject::tr("Calendar"), ":/images/calendar.png",
                                QSize(48, 48));
    calendarButton->setCursor(Qt::PointingHandCursor);
    horizontalLayout_5->addWidget(rateConverterButton);
    horizontalLayout_5->addWidget(calendarButton);
    verticalLayout_2->addLayout(horizontalLayout_5);

    adjustedCombinedIncomeEditLabel = caption(rightFrame, "adjustedCombinedIncomeEditLabel",
                                              QObject::tr("Adjusted Combined Income"), Qt::AlignCenter);
    verticalLayout_2->addWidget(adjustedCombinedIncomeEditLabel);
    adjustedCombinedIncomeEdit = named(new QLineEdit(rightFrame), "adjustedCombinedIncomeEdit");
    adjustedCombinedIncomeEdit->setReadOnly(true);
    adjustedCombinedIncomeEdit->setFocusPolicy(Qt::ClickFocus);
    verticalLayout_2->addWidget(adjustedCombinedIncomeEdit);
    verticalLayout_2->addItem(verticalSpacer());

    horizontalLayout_6 = named(new QHBoxLayout, "horizontalLayout_6");
    horizontalLayout_6->addItem(horizontalSpacer());
    statuteButton = toolButton(rightFrame, "statuteButton", QObject::tr("Statute"), ":/images/mdflag2ws2.jpg",
                               QSize(67, 55));
    horizontalLayout_6->addWidget(statuteButton);
    horizontalLayout_6->addItem(horizontalSpacer());
    verticalLayout_2->addLayout(horizontalLayout_6);

    commentsButton = named(new QPushButton(QObject::tr("Comments"), rightFrame), "commentsButton");
    commentsButton->setFlat(true);
    verticalLayout_2->addWidget(commentsButton);
    oldGuidelinesRadioButton_2 = named(new QRadioButton(QObject::tr("Guidelines Pre Oct 2020"), rightFrame),
                                       "oldGuidelinesRadioButton_2");
    verticalLayout_2->addWidget(oldGuidelinesRadioButton_2);
    verticalLayout_2->addItem(verticalSpacer());
    mainFrame->addWidget(rightFrame);
    verticalLayout->addWidget(mainFrame_2);

    window->setCentralWidget(centralWidget);

    buttonGroup = named(new QButtonGroup(window), "buttonGroup");
    buttonGroup->addButton(oldGuidelinesRadioButton);
    buttonGroup->addButton(newGuidelinesRadioButton);

    // ---- Menus ------------------------------------------------------------------------
    menuBar = named(new QMenuBar(window), "menuBar");
    menuBar->setStyleSheet(QStringLiteral("QMenuBar { background: transparent; }"
                                          "QMenuBar::item { background: transparent; }"
                                          "QMenuBar::item:selected { background: #a8a8a8; }"
                                          "QMenuBar::item:pressed { background: #888888; }"));
    menuFile = named(new QMenu(QObject::tr("&File"), menuBar), "menuFile");
    menuPaper_Size = named(new QMenu(QObject::tr("Pape&r Size"), menuFile), "menuPaper_Size");
    menuRecent_Cases = named(new QMenu(QObject::tr("Recen&t Cases"), menuFile), "menuRecent_Cases");
    menuPaper_Size->addAction(actionPaper_Letter);
    menuPaper_Size->addAction(actionPaper_A4);
    menuFinancial_Forms = named(new QMenu(QObject::tr("Fi&nancial Forms"), menuBar), "menuFinancial_Forms");
    menuCustody_Forms = named(new QMenu(QObject::tr("&Custody Forms"), menuBar), "menuCustody_Forms");
    menuUpdates_Renew = named(new QMenu(QObject::tr("&Updates/Renew"), menuBar), "menuUpdates_Renew");
    menuHelp = named(new QMenu(QObject::tr("&Help"), menuBar), "menuHelp");
    menuFAQ = named(new QMenu(QObject::tr("F&AQ"), menuBar), "menuFAQ");
    menuTrial_Custody_Calendar = named(new QMenu(QObject::tr("&Trial Custody Calendar"), menuBar),
                                       "menuTrial_Custody_Calendar");
    menuTools = named(new QMenu(QObject::tr("T&ools"), menuBar), "menuTools");
    for (QMenu *menu : {menuFile, menuFinancial_Forms, menuCustody_Forms, menuTools, menuUpdates_Renew, menuHelp,
                        menuFAQ, menuTrial_Custody_Calendar})
        menuBar->addMenu(menu);
    menuFile->addAction(actionNew);
    menuFile->addAction(actionOpen);
    menuFile->addMenu(menuRecent_Cases);
    menuFile->addSeparator();
    menuFile->addAction(actionSave);
    menuFile->addAction(actionSave_As);
    menuFile->addSeparator();
    menuFile->addAction(actionPreview);
    menuFile->addAction(actionPrint);
    menuFile->addMenu(menuPaper_Size);
    menuFile->addSeparator();
    menuFile->addAction(actionExit);
    menuFinancial_Forms->addAction(actionSaveable_9_202);
    menuFinancial_Forms->addAction(actionSaveable_9_203);
    menuCustody_Forms->addAction(actionJoint_Parenting_Statement);
    menuCustody_Forms->addAction(actionParent_Plan_Tool);
    menuTools->addAction(actionCalculate_Alimony);
    menuTools->addAction(actionSupport_Explorer);
    menuTools->addSeparator();
    menuTools->addAction(actionRate_Converter);
    menuTools->addAction(actionCalendar);
    menuTools->addAction(actionComments);
    menuTools->addAction(actionStatute);
    menuUpdates_Renew->addAction(actionCheck_for_updates);
    menuHelp->addAction(actionContents);
    // Search has no place of its own in the menus: beside Contents a user finds it.
    menuHelp->addAction(actionSearch);
    menuHelp->addAction(actionEmail_Support);
    menuHelp->addAction(actionAbout);
    menuFAQ->addAction(actionFAQ);
    menuTrial_Custody_Calendar->addAction(actionOpen_website);
    window->setMenuBar(menuBar);

    // Tab goes from input to input (the "more" buttons lead to the parties'
    // addresses); the tools of the right-hand panel are clicked or taken
    // from the Tools menu, and clicking one leaves the keyboard in the field
    // being typed into.
    for (QWidget *command : {static_cast<QWidget *>(rateConverterButton), static_cast<QWidget *>(calendarButton),
                             static_cast<QWidget *>(statuteButton), static_cast<QWidget *>(commentsButton)})
        command->setFocusPolicy(Qt::NoFocus);

    window->setWindowTitle(QStringLiteral("Orva-Calc Professional v12.03"));
    modeComboBox->setCurrentIndex(-1);

    // ---- Tab order ------------------------------------------------------------------------
    QWidget *const order[] = {
        caseNumberEdit, circuitCourtTypeRadio, districtCourtTypeRadio, countryComboBox, plaintiffMoreButton,
        plaintiffNameEdit, radioButton_4, radioButton_3, defendantNameEdit, defendantMoreButton,
        child1NameEdit, child1DateEdit, custodyTypeComboBox, child2NameEdit, child2DateEdit, child3NameEdit,
        child3DateEdit, child4NameEdit, child4DateEdit, child5NameEdit, child5DateEdit, child6NameEdit,
        child6DateEdit,
        motherMonthlyIncomeEdit, fatherMonthlyIncomeEdit,
        motherExistingChildSupportPaymentEdit, fatherExistingChildSupportPaymentEdit,
        motherAlimonyPaidEdit, fatherAlimonyPaidEdit,
        motherAlimonyAwardedEdit, fatherAlimonyAwardedEdit,
        motherMultifamilyChildrenEdit, fatherMultifamilyChildrenEdit,
        motherAdjustedActualIncomeEdit, fatherAdjustedActualIncomeEdit,
        motherOvernightsEdit, fatherOvernightsEdit,
        motherWorkRelatedExpensesEdit, fatherWorkRelatedExpensesEdit,
        motherHealthInsuranceEdit, fatherHealthInsuranceEdit,
        motherExtraMedicalExpensesEdit, fatherExtraMedicalExpensesEdit,
        motherCashMedicalSupportEdit, fatherCashMedicalSupportEdit,
        motherAdditionalExpensesEdit, fatherAdditionalExpensesEdit,
        motherRecommendedChildSupportEdit, fatherRecommendedChildSupportEdit,
        preparerEdit, dateEdit, combinedIncomeEdit, rateConverterButton, calendarButton,
        adjustedCombinedIncomeEdit, statuteButton, commentsButton,
    };
    for (size_t i = 1; i < sizeof(order) / sizeof(order[0]); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

QString MainWindow::multifamilyToolTip()
{
    return QObject::tr("Other children living in this parent's home (line 1d, July 2022 guidelines).\n"
                       "Count a child only when all three hold:\n"
                       "  - the parent owes the child a legal duty of support;\n"
                       "  - the child spends more than 92 overnights a year in the parent's home;\n"
                       "  - the child is not subject to the support order being calculated.\n"
                       "More than 6 count as 6. Beside the count: the allowance, 75% of the schedule's\n"
                       "amount for these children on this parent's own monthly income, which is\n"
                       "deducted from the parent's income (Family Law \u00a7 12-201(c)).");
}

} // namespace Ui
