#pragma once

// FileCommands: the File menu. New, Open, Save and Save As with the save
// prompt that guards unsaved changes, Preview and Print with the question
// before a shared worksheet whose support exceeds the sole figure, the paper
// of the worksheet, and what closing the window asks.

#include <QObject>
#include <QString>

#include <memory>

class CaseFormBinding;
class CaseHolder;
class CaseRecovery;
class RecentCases;
class OrvaDocument;
class QWidget;
class WarningsPresenter;

namespace Ui {
class MainWindow;
}

class FileCommands : public QObject
{
    Q_OBJECT

public:
    FileCommands(QWidget *window, Ui::MainWindow *form, CaseHolder *holder, CaseFormBinding *binding,
                 WarningsPresenter *warnings);
    ~FileCommands() override;

    void newCase();
    void open();
    // False when nothing was written (dialog cancelled, write failed).
    bool save(bool as);
    void preview();
    void print();
    // Replaces the case by the one in a case file, as Open does after its
    // dialog; an unreadable file keeps the current case and shows the error.
    bool openCaseFile(const QString &fileName);
    // Closing the window: the case details are remembered, unsaved changes
    // offered for saving; false when the user cancelled.
    bool mayClose();
    // At start-up: the cases of sessions that did not close are offered back.
    void offerRecoveredCases();
    CaseRecovery *recovery() const { return m_recovery.get(); }
    RecentCases *recentCases() const { return m_recent.get(); }
    // A case chosen under Recent Cases: one that is gone leaves the list
    // with a message.
    void openRecent(const QString &path);

    // The folder "ORVA" in the user's documents, and its "New Guidelines",
    // created when missing.
    void createDocumentsFolders();
    QString documentsFolder() const { return m_documentsFolder; }
    // Start folder of the case-file dialogs for the current case.
    QString caseFolder() const;

signals:
    // Another case is shown: the window refreshes.
    void caseReplaced();
    // The case was written: its name in the title may have changed.
    void caseSaved();

private:
    bool maySaveChanges();
    bool confirmSharedAboveSole();
    void showCase(std::shared_ptr<OrvaDocument> document);

    QWidget *m_window;
    Ui::MainWindow *m_ui;
    CaseHolder *m_case;
    CaseFormBinding *m_binding;
    WarningsPresenter *m_warnings;
    QString m_documentsFolder;
    std::unique_ptr<CaseRecovery> m_recovery;
    std::unique_ptr<RecentCases> m_recent;
};
