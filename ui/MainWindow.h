#pragma once

// MainWindow: the program's one window. It builds the case form and its
// menus, owns the parts that do the work and wires them: the binding of the
// fields to the case, the warnings, the guideline switch and the commands.
// Every edit is written into the case document, followed by one full
// refresh of the window from the document.

#include "CaseFormView.h"
#include "FileCommands.h"
#include "GuidelineSwitch.h"
#include "HelpCommands.h"
#include "WarningsPresenter.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class CaseFormBinding;
class CaseHolder;
class CaseRecovery;
class RecentCases;
class FormCommands;
class OrvaDocument;
class QBalloonTip;
class QSettings;
class SupportExplorer;
class QUrl;

namespace Ui {
class MainWindow;
}

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    OrvaDocument *document() const;
    std::shared_ptr<OrvaDocument> sharedDocument() const;
    std::shared_ptr<QSettings> settings() const;
    Ui::MainWindow *form() const { return m_ui.get(); }
    QString documentsFolder() const { return m_files->documentsFolder(); }
    WarningsPresenter *warnings() const { return m_warnings.get(); }
    QBalloonTip *motherBalloon() const { return m_warnings->motherBalloon(); }
    QBalloonTip *fatherBalloon() const { return m_warnings->fatherBalloon(); }
    QTimer *noticeTimer() { return m_warnings->noticeTimer(); }

    // Rewrites every field of the window from the document.
    void refresh();
    void updateTitle();

    static QString percentText(float ratio) { return CaseFormView::percentText(ratio); }
    static QString sharedAboveSoleStyle() { return WarningsPresenter::sharedAboveSoleStyle(); }
    static QString aboveScheduleStyle() { return WarningsPresenter::aboveScheduleStyle(); }
    static QString statuteFileName(int mode) { return GuidelineSwitch::statuteFileName(mode); }
    static QString statuteFilePath(int mode) { return GuidelineSwitch::statuteFilePath(mode); }
    QString caseFolder() const { return m_files->caseFolder(); }
    QRect focusedFieldArea() const { return m_warnings->focusedFieldArea(); }

    // Replaces the case by the one in a case file, as Open does after its
    // dialog; an unreadable file keeps the current case and shows the error.
    bool openCaseFile(const QString &fileName) { return m_files->openCaseFile(fileName); }
    // At start-up, once shown: cases of sessions that did not close.
    void offerRecoveredCases() { m_files->offerRecoveredCases(); }
    CaseRecovery *recovery() const { return m_files->recovery(); }
    RecentCases *recentCases() const { return m_files->recentCases(); }
    // Runs the alimony calculator with an alimony file; false when the file
    // could not be read (the calculator then opens empty).
    bool openAlimonyFile(const QString &fileName);

    static QString besideProgram(const QString &name) { return HelpCommands::besideProgram(name); }
    static QString helpFilePath() { return HelpCommands::helpFilePath(); }
    static QString manualPagePath(const QString &page) { return HelpCommands::manualPagePath(page); }
    static QString faqFilePath() { return HelpCommands::faqFilePath(); }
    static QUrl supportMailUrl();

protected:
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
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

private:
    void buildParts();
    void finishForm();

    std::unique_ptr<Ui::MainWindow> m_ui;
    QString m_titleFormat;
    // Declared in the order they are built; destroyed before the form's
    // widgets, so that a field reporting as the window is taken apart finds
    // nobody listening.
    std::unique_ptr<CaseHolder> m_case;
    std::unique_ptr<WarningsPresenter> m_warnings;
    std::unique_ptr<GuidelineSwitch> m_guidelines;
    std::unique_ptr<CaseFormBinding> m_binding;
    std::unique_ptr<CaseFormView> m_view;
    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<HelpCommands> m_help;
    std::unique_ptr<FormCommands> m_forms;
    QPointer<SupportExplorer> m_explorer; // made when first opened, a child of the window
};
