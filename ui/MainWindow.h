#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <memory>

class FCItemEdit;
class FCbItemEdit;
class LItemEdit;
class OrvaDocument;
class QBalloonTip;
class QComboBox;
class QRadioButton;
class QSettings;
class SupportExplorer;
class QUrl;

namespace Ui {
class MainWindow;
}

// The program's one window: the case form with every worksheet result beside
// the inputs. Every edit is written into the case document, followed by one
// full refresh of the window from the document.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    OrvaDocument *document() const { return m_document.get(); }
    std::shared_ptr<OrvaDocument> sharedDocument() const { return m_document; }
    std::shared_ptr<QSettings> settings() const { return m_settings; }
    Ui::MainWindow *form() const { return m_ui.get(); }
    QString documentsFolder() const { return m_documentsFolder; }
    QBalloonTip *motherBalloon() const { return m_motherBalloon.get(); }
    QBalloonTip *fatherBalloon() const { return m_fatherBalloon.get(); }
    QTimer *noticeTimer() { return &m_noticeTimer; }

    // Rewrites every field of the window from the document.
    void refresh();
    void updateTitle();

    // Text of a ratio as the window shows it: "37.5 %".
    static QString percentText(float ratio);

    static QString sharedAboveSoleStyle();
    static QString aboveScheduleStyle();

    // The statute document of a guideline version and where it is installed:
    // beside the program.
    static QString statuteFileName(int mode);
    static QString statuteFilePath(int mode);
    // Start folder of the case-file dialogs for the current case.
    QString caseFolder() const;

    // Where a notice or balloon may go without covering the field being
    // typed into: that field's area on the screen, empty when the keyboard
    // is elsewhere.
    QRect focusedFieldArea() const;

    // Replaces the case by the one in a case file, as Open does after its
    // dialog; an unreadable file keeps the current case and shows the error.
    bool openCaseFile(const QString &fileName);
    // Runs the alimony calculator with an alimony file; false when the file
    // could not be read (the calculator then opens empty).
    bool openAlimonyFile(const QString &fileName);

    // Documents installed beside the program: the compiled help, its HTML
    // pages (for desktops without a help viewer) and the FAQ.
    static QString besideProgram(const QString &fileName);
    static QString helpFilePath();
    static QString manualPagePath(const QString &page);
    static QString faqFilePath();
    // The new message to support that Email Support starts.
    static QUrl supportMailUrl();

protected:
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void basicFieldsChanged(const QString &value);
    void courtTypeChanged();
    void countyChanged(int index);
    void custodyChanged(int index);
    void fieldValueChanged(qulonglong value);
    void fieldFootnoteChanged(const QString &value);
    void childDetailChanged(const QString &value);
    void overnightsChanged(const QString &value);
    void overnightsTyped(const QString &value);
    void multifamilyChildrenChanged(const QString &value);
    void cashMedicalPercentChanged(double value);
    void additionalFieldChanged(const QString &value);
    void modifiedFlagChanged(bool flag);

    void on_modeSwitchButton_clicked();
    void on_modeComboBox_currentIndexChanged(int index);
    void on_actionShow_Old_Guidelines_triggered();
    void on_statuteButton_clicked();

    void on_actionNew_triggered();
    void on_actionOpen_triggered();
    void on_actionSave_triggered();
    void on_actionSave_As_triggered();
    void on_actionPreview_triggered();
    void on_actionPrint_triggered();
    void on_actionPaper_Letter_triggered();
    void on_actionPaper_A4_triggered();
    void on_actionExit_triggered();

    void on_actionCalculate_Alimony_triggered();
    void on_actionSupport_Explorer_triggered();
    void on_plaintiffMoreButton_clicked();
    void on_defendantMoreButton_clicked();
    void on_actionSaveable_9_202_triggered();
    void on_actionSaveable_9_203_triggered();
    void on_actionJoint_Parenting_Statement_triggered();
    void on_actionParent_Plan_Tool_triggered();
    void on_actionFAQ_triggered();
    void on_actionEmail_Support_triggered();
    void on_actionAbout_triggered();
    void on_actionContents_triggered();
    void on_actionSearch_triggered();
    void on_actionCheck_for_updates_triggered();
    void on_actionOpen_website_triggered();
    void on_rateConverterButton_clicked();
    void on_calendarButton_clicked();
    void on_commentsButton_clicked();

    void switchMotherToSole();
    void switchFatherToSole();
    void showExtrapolationNotice();

private:
    struct AmountField {
        FCItemEdit *edit;
        void (OrvaDocument::*setter)(qint64);
        qint64 (OrvaDocument::*getter)() const;
        int footnote;
    };

    void bindInputs();
    std::shared_ptr<OrvaDocument> makeDocument() const;
    void replaceDocument(std::shared_ptr<OrvaDocument> document);
    void connectDocument();
    void applyGuidelineSelection(QObject *source);
    QRadioButton *modeRadioButton(int mode) const;
    void checkGuidelineRadio(QRadioButton *radio);
    void openManualPage(const QString &page);
    bool maySaveChanges();
    bool saveDocument(bool as);
    bool confirmSharedAboveSole();
    void setBackground();
    void checkModeRadioButton();
    void hideBalloons();
    // Opens a court form of the resources in the form viewer.
    void openForm(const QString &resourceFile, const QString &title, const QString &proposedName);
    void showWarning(bool warning, LItemEdit *field, QBalloonTip *balloon);
    void placeBalloon(QBalloonTip *balloon);
    void showWarningBalloons();
    void keepBalloonsOffFocus();
    void showMultifamily(LItemEdit *field, int children, qint64 allowance, bool shown);
    void finishEdit();
    void applyRememberedCaseDetails();
    void rememberCaseDetails();
    void restoreComboText(QComboBox *combo);
    void placeNotice(QWidget *notice);
    // Why the overnights shown differ from the number typed.
    QString overnightsNote(int typed, int stored) const;
    void applyOvernights(LItemEdit *field, const QString &value);
    void commitTypedEntry();

    std::unique_ptr<Ui::MainWindow> m_ui;
    std::shared_ptr<OrvaDocument> m_document;
    std::shared_ptr<QSettings> m_settings;
    QString m_titleFormat;
    QString m_documentsFolder;
    QString m_backgroundImage; // the picture the window background shows
    std::unique_ptr<QBalloonTip> m_motherBalloon;
    std::unique_ptr<QBalloonTip> m_fatherBalloon;
    QTimer m_noticeTimer;
    QList<AmountField> m_amountFields;
    QPointer<SupportExplorer> m_explorer; // made when first opened
};
