#include "FileCommands.h"

#include "Ask.h"
#include "CaseFormBinding.h"
#include "CaseHolder.h"
#include "CaseRecovery.h"
#include "MainWindowForm.h"
#include "OrvaDocument.h"
#include "PDFUtils.h"
#include "PdfPreviewDialog.h"
#include "RecentCases.h"
#include "WarningsPresenter.h"

#include <QAction>
#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

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

FileCommands::FileCommands(QWidget *window, Ui::MainWindow *form, CaseHolder *holder, CaseFormBinding *binding,
                           WarningsPresenter *warnings)
    : m_window(window)
    , m_ui(form)
    , m_case(holder)
    , m_binding(binding)
    , m_warnings(warnings)
    , m_recovery(std::make_unique<CaseRecovery>(holder))
    , m_recent(std::make_unique<RecentCases>(form->menuRecent_Cases, holder->settings()))
{
    connect(m_recent.get(), &RecentCases::openRequested, this, &FileCommands::openRecent);
}

FileCommands::~FileCommands() = default;

void FileCommands::createDocumentsFolders()
{
    m_documentsFolder = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                            .filePath(QStringLiteral("ORVA"));
    QDir().mkpath(m_documentsFolder);
    QDir().mkpath(QDir(m_documentsFolder).filePath(QStringLiteral("New Guidelines")));
}

QString FileCommands::caseFolder() const
{
    if (m_case->document()->mode() == OrvaDocument::PreOct2020)
        return m_documentsFolder;
    return QDir(m_documentsFolder).filePath(QStringLiteral("New Guidelines"));
}

bool FileCommands::maySaveChanges()
{
    const QMessageBox::StandardButton answer =
        Ask::question(m_window, tr("Orva-Calc"), tr("Save file %1?").arg(m_case->document()->documentName()),
                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    switch (answer) {
    case QMessageBox::Yes:
        // The user asked to keep the case: when it was not written (dialog
        // cancelled, disk full) the command must not throw it away.
        return save(false);
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool FileCommands::save(bool as)
{
    m_binding->commitTypedEntry();
    m_warnings->hideBalloons();
    OrvaDocument *doc = m_case->document();
    QString target = doc->filePath();
    if (doc->untitled() || as) {
        // A case that has a file is saved again beside it, under its own name.
        const QString proposed = doc->untitled() ? caseFolder() + QDir::separator() + QStringLiteral("untitled.cml")
                                                 : QDir::toNativeSeparators(doc->filePath());
        QFileDialog dialog(m_window, tr("Choose location and file name"), proposed, caseFileFilter());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // A name typed without the extension still lands where Open finds it.
        dialog.setDefaultSuffix(QStringLiteral("cml"));
        target = Ask::exec(dialog);
        if (target.isEmpty())
            return false;
    }
    QString reason;
    if (!doc->writeCaseFile(target, &reason)) {
        showCaseFileError(m_window, tr("Error while saving document"), reason);
        return false;
    }
    m_recent->add(target);
    // The name changes even when the modified flag does not (Save As of a
    // saved case): the title shows it at once.
    emit caseSaved();
    return true;
}

void FileCommands::newCase()
{
    qDebug() << "MainWindow::New";
    m_binding->commitTypedEntry();
    if (m_case->document()->modified()) {
        m_warnings->hideBalloons();
        if (!maySaveChanges())
            return;
    }
    // The next case starts with the county and preparer of this one, as the
    // first case of a session starts with those of the last.
    m_case->rememberDetails();
    m_case->replace(CaseHolder::makeDocument());
    m_case->applyRememberedDetails();
    m_recovery->caseReplaced();
    emit caseReplaced();
}

void FileCommands::open()
{
    qDebug() << "MainWindow::Open";
    m_binding->commitTypedEntry();
    m_warnings->hideBalloons();
    if (m_case->document()->modified() && !maySaveChanges())
        return;

    const QString fileName = Ask::openFileName(m_window, tr("Select file to open"), caseFolder(), caseFileFilter());
    if (fileName.isEmpty())
        return;
    openCaseFile(fileName);
}

bool FileCommands::openCaseFile(const QString &fileName)
{
    std::shared_ptr<OrvaDocument> opened = CaseHolder::makeDocument();
    QString reason;
    if (!opened->readCaseFile(fileName, &reason)) {
        opened.reset();
        showCaseFileError(m_window, tr("Error opening document"), reason);
        return false;
    }
    showCase(std::move(opened));
    m_recent->add(fileName);
    return true;
}

void FileCommands::openRecent(const QString &path)
{
    m_binding->commitTypedEntry();
    m_warnings->hideBalloons();
    if (!QFileInfo(path).isFile()) {
        m_recent->remove(path);
        Ask::warning(m_window, tr("Orva-Calc"),
                     tr("The case file \"%1\" no longer exists. It was removed from the recent cases.")
                         .arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (m_case->document()->modified() && !maySaveChanges())
        return;
    openCaseFile(path);
}

void FileCommands::showCase(std::shared_ptr<OrvaDocument> document)
{
    m_case->replace(std::move(document));
    if (m_case->document()->mode() == OrvaDocument::PreOct2020) {
        QAction *showOld = m_ui->actionShow_Old_Guidelines;
        showOld->setChecked(true);
        emit showOld->triggered(true);
        showOld->setEnabled(false);
    }
    m_recovery->caseReplaced();
    emit caseReplaced();
}

bool FileCommands::mayClose()
{
    m_binding->commitTypedEntry();
    m_case->rememberDetails();
    if (m_case->document()->modified() && !maySaveChanges())
        return false;
    // Saved, or the changes thrown away on purpose: no copy to offer again.
    m_recovery->discard();
    return true;
}

void FileCommands::offerRecoveredCases()
{
    if (std::shared_ptr<OrvaDocument> restored = m_recovery->offerLeftCopies(m_window))
        showCase(std::move(restored));
}

bool FileCommands::confirmSharedAboveSole()
{
    if (!m_case->document()->hasSharedAboveSoleWarning())
        return true;
    QMessageBox box(QMessageBox::Warning, QString(), OrvaDocument::sharedAboveSoleQuestionText(),
                    QMessageBox::Ok | QMessageBox::Cancel, m_window);
    box.setObjectName(QStringLiteral("sharedAboveSoleQuestion"));
    box.setDefaultButton(QMessageBox::Cancel);
    return Ask::exec(box) != QMessageBox::Cancel;
}

void FileCommands::preview()
{
    qDebug() << "MainWindow::Preview";
    m_binding->commitTypedEntry();
    m_warnings->hideBalloons();
    if (!confirmSharedAboveSole())
        return;
    PdfPreviewDialog preview(m_case->sharedDocument());
    preview.exec();
}

void FileCommands::print()
{
    qDebug() << "MainWindow::Print";
    m_binding->commitTypedEntry();
    m_warnings->hideBalloons();
    if (!confirmSharedAboveSole())
        return;
    QPrinter printer(QPrinter::ScreenResolution);
    QPrintDialog dialog(&printer, m_window);
    if (!Ask::exec(dialog))
        return;
    // A worksheet that did not reach the printer must not pass for printed.
    QString reason;
    if (!PDFUtils::print(*m_case->document(), &printer, &reason))
        Ask::critical(m_window, tr("ORVA Calc"),
                      tr("The worksheet could not be printed.") + QStringLiteral("\n\n") + reason, QMessageBox::Ok);
}
