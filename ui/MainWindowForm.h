#pragma once

class QAction;
class QActionGroup;
class QButtonGroup;
class QComboBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QString;
class QToolButton;
class QVBoxLayout;
class QWidget;

class FCItemEdit;
class FCbItemEdit;
class HeaderLabel;
class LItemEdit;

namespace Ui {

// The main window's form: every widget, menu and action by object name.
class MainWindow
{
public:
    void setupUi(QMainWindow *window);

    // What counts as another child in a parent's home (Family Law § 12-201(c)(1)(iii)).
    static QString multifamilyToolTip();

    QAction *actionNew = nullptr;
    QAction *actionOpen = nullptr;
    QAction *actionSave = nullptr;
    QAction *actionSave_As = nullptr;
    QAction *actionPreview = nullptr;
    QAction *actionPrint = nullptr;
    QAction *actionExit = nullptr;
    QAction *actionPaper_Letter = nullptr;
    QAction *actionPaper_A4 = nullptr;
    QActionGroup *paperGroup = nullptr;
    QAction *actionSaveable_9_202 = nullptr;
    QAction *actionSaveable_9_203 = nullptr;
    QAction *actionJoint_Parenting_Statement = nullptr;
    QAction *actionParent_Plan_Tool = nullptr;
    QAction *actionCheck_for_updates = nullptr;
    QAction *actionContents = nullptr;
    QAction *actionEmail_Support = nullptr;
    QAction *actionAbout = nullptr;
    QAction *actionFAQ = nullptr;
    QAction *actionOpen_website = nullptr;
    QAction *actionCalculate_Alimony = nullptr;
    QAction *actionSupport_Explorer = nullptr;
    QAction *actionSearch = nullptr;
    QAction *actionShow_Old_Guidelines = nullptr;
    QAction *actionRate_Converter = nullptr;
    QAction *actionCalendar = nullptr;
    QAction *actionComments = nullptr;
    QAction *actionStatute = nullptr;

    QWidget *centralWidget = nullptr;
    QVBoxLayout *verticalLayout = nullptr;

    QFrame *commonFrame = nullptr;
    QGridLayout *gridLayout = nullptr;
    QLineEdit *caseNumberEdit = nullptr;
    QGroupBox *courtTypeGroup = nullptr;
    QHBoxLayout *horizontalLayout_2 = nullptr;
    QRadioButton *circuitCourtTypeRadio = nullptr;
    QRadioButton *districtCourtTypeRadio = nullptr;
    QComboBox *countryComboBox = nullptr;
    QLabel *label_2 = nullptr;
    QLabel *label_3 = nullptr;
    QPushButton *plaintiffMoreButton = nullptr;
    QLineEdit *plaintiffNameEdit = nullptr;
    QGroupBox *groupBox_2 = nullptr;
    QHBoxLayout *horizontalLayout = nullptr;
    QRadioButton *radioButton_4 = nullptr;
    QRadioButton *radioButton_3 = nullptr;
    QLineEdit *defendantNameEdit = nullptr;
    QPushButton *defendantMoreButton = nullptr;
    QLabel *plaintiffNameLabel = nullptr;
    QLabel *defendantNameLabel = nullptr;

    QFrame *childrenFrame_2 = nullptr;
    QGridLayout *childrenFrame = nullptr;
    QLabel *childNameLabel1 = nullptr;
    QLabel *birthdayLabel1 = nullptr;
    QLabel *custodyTypeLabel = nullptr;
    QLabel *childNameLabel2 = nullptr;
    QLabel *birthdayLabel2 = nullptr;
    QLineEdit *child1NameEdit = nullptr;
    QLineEdit *child1DateEdit = nullptr;
    QLineEdit *child2NameEdit = nullptr;
    QLineEdit *child2DateEdit = nullptr;
    QLineEdit *child3NameEdit = nullptr;
    QLineEdit *child3DateEdit = nullptr;
    QLineEdit *child4NameEdit = nullptr;
    QLineEdit *child4DateEdit = nullptr;
    QLineEdit *child5NameEdit = nullptr;
    QLineEdit *child5DateEdit = nullptr;
    QLineEdit *child6NameEdit = nullptr;
    QLineEdit *child6DateEdit = nullptr;
    QComboBox *custodyTypeComboBox = nullptr;
    QLabel *custodyTypeLabel_2 = nullptr;
    QLabel *childCountLabel = nullptr;
    QHBoxLayout *horizontalLayout_3 = nullptr;
    QLabel *custodyTypeLabel_3 = nullptr;
    QComboBox *modeComboBox = nullptr;
    QPushButton *modeSwitchButton = nullptr;

    QFrame *modeFrame = nullptr;
    QHBoxLayout *_2 = nullptr;
    QRadioButton *oldGuidelinesRadioButton = nullptr;
    QRadioButton *newGuidelinesRadioButton = nullptr;

    QFrame *mainFrame_2 = nullptr;
    QHBoxLayout *mainFrame = nullptr;
    QFrame *leftFrame = nullptr;
    QGridLayout *gridLayout_2 = nullptr;
    HeaderLabel *motherHeaderLabel = nullptr;
    HeaderLabel *fatherHeaderLabel = nullptr;
    QLabel *label_10 = nullptr;
    QLabel *label_11 = nullptr;
    QLabel *label_12 = nullptr;
    QLabel *label_13 = nullptr;
    QLabel *label_14 = nullptr;
    // Line 1d (July 2022 guidelines only): other children in each parent's
    // home, the allowance shown beside the count.
    QLabel *multifamilyLabel = nullptr;
    LItemEdit *motherMultifamilyChildrenEdit = nullptr;
    LItemEdit *fatherMultifamilyChildrenEdit = nullptr;
    QLabel *label_15 = nullptr;
    QLabel *label_16 = nullptr;
    QLabel *label_17 = nullptr;
    QLabel *label_18 = nullptr;
    QLabel *label_19 = nullptr;
    QLabel *label_20 = nullptr;
    QLabel *label_21 = nullptr;
    FCItemEdit *motherMonthlyIncomeEdit = nullptr;
    FCItemEdit *fatherMonthlyIncomeEdit = nullptr;
    FCItemEdit *motherExistingChildSupportPaymentEdit = nullptr;
    FCItemEdit *fatherExistingChildSupportPaymentEdit = nullptr;
    FCItemEdit *motherAlimonyPaidEdit = nullptr;
    FCItemEdit *fatherAlimonyPaidEdit = nullptr;
    FCItemEdit *motherAlimonyAwardedEdit = nullptr;
    FCItemEdit *fatherAlimonyAwardedEdit = nullptr;
    LItemEdit *motherAdjustedActualIncomeEdit = nullptr;
    LItemEdit *fatherAdjustedActualIncomeEdit = nullptr;
    LItemEdit *motherOvernightsEdit = nullptr;
    LItemEdit *fatherOvernightsEdit = nullptr;
    FCItemEdit *motherWorkRelatedExpensesEdit = nullptr;
    FCItemEdit *fatherWorkRelatedExpensesEdit = nullptr;
    FCItemEdit *motherHealthInsuranceEdit = nullptr;
    FCItemEdit *fatherHealthInsuranceEdit = nullptr;
    FCItemEdit *motherExtraMedicalExpensesEdit = nullptr;
    FCItemEdit *fatherExtraMedicalExpensesEdit = nullptr;
    FCbItemEdit *motherCashMedicalSupportEdit = nullptr;
    FCbItemEdit *fatherCashMedicalSupportEdit = nullptr;
    FCItemEdit *motherAdditionalExpensesEdit = nullptr;
    FCItemEdit *fatherAdditionalExpensesEdit = nullptr;
    LItemEdit *motherRecommendedChildSupportEdit = nullptr;
    LItemEdit *fatherRecommendedChildSupportEdit = nullptr;
    QHBoxLayout *horizontalLayout_4 = nullptr;
    QLabel *label = nullptr;
    LItemEdit *preparerEdit = nullptr;
    QHBoxLayout *horizontalLayout_7 = nullptr;
    LItemEdit *dateEdit = nullptr;

    QFrame *rightFrame = nullptr;
    QVBoxLayout *verticalLayout_2 = nullptr;
    QLabel *label_7 = nullptr;
    QLineEdit *combinedIncomeEdit = nullptr;
    QHBoxLayout *horizontalLayout_5 = nullptr;
    QToolButton *rateConverterButton = nullptr;
    QToolButton *calendarButton = nullptr;
    QLabel *adjustedCombinedIncomeEditLabel = nullptr;
    QLineEdit *adjustedCombinedIncomeEdit = nullptr;
    QHBoxLayout *horizontalLayout_6 = nullptr;
    QToolButton *statuteButton = nullptr;
    QPushButton *commentsButton = nullptr;
    QRadioButton *oldGuidelinesRadioButton_2 = nullptr;

    QButtonGroup *buttonGroup = nullptr;

    QMenuBar *menuBar = nullptr;
    QMenu *menuFile = nullptr;
    QMenu *menuPaper_Size = nullptr;
    QMenu *menuRecent_Cases = nullptr;
    QMenu *menuFinancial_Forms = nullptr;
    QMenu *menuCustody_Forms = nullptr;
    QMenu *menuUpdates_Renew = nullptr;
    QMenu *menuHelp = nullptr;
    QMenu *menuFAQ = nullptr;
    QMenu *menuTrial_Custody_Calendar = nullptr;
    QMenu *menuTools = nullptr;
};

} // namespace Ui
