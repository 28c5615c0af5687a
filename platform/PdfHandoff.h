#pragma once

#include <QString>
#include <QStringList>

// Handing a finished PDF to other programs of the desktop: the registered
// PDF program and the user's mail program. Windows: the Acrobat registry
// key, CommandLineToArgvW and Simple MAPI. Linux: the default application
// for application/pdf (xdg-mime and its desktop entry) and xdg-email.
namespace Platform {

// The registered command that opens PDF files, as written in the registry
// or the desktop entry's Exec line; empty when there is none.
QString registeredPdfCommand();

// Splits a registered command into the program and its arguments
// (Windows command-line rules; desktop-entry quoting on Linux, where field
// codes such as %f and %U are dropped).
QStringList splitCommand(const QString &command);

// The program and its arguments that open `file` with the registered
// command; empty when the command names no program. Windows: the
// registered program with the file as its only argument. Linux: the
// desktop entry's command with the file where its file code stands (or at
// the end), so that entries that start through another program (flatpak
// run, env) open the file too.
QStringList openCommand(const QString &command, const QString &file);

struct MailResult {
    enum Stage {
        NoMailer,       // the mail facility is not there (mapi32.dll, xdg-email)
        NoSendFunction, // it is there but cannot be called (MAPISendMailW, xdg-email not runnable)
        Called,         // it ran and gave `code`
    };
    Stage stage = NoMailer;
    int code = 0;                // MAPI result code, or xdg-email's exit status
    bool generalFailure = false; // Called, but nothing reached a compose window
};

// Opens the mail program's compose window with the subject, the body and
// `attachment` attached.
MailResult sendMail(const QString &subject, const QString &body, const QString &attachment);

// Before the form viewer's browser engine starts: as root the engine's
// sandbox cannot run, and without a display it must not look for a GPU.
// Changes nothing for a normal user on a desktop; says what it changed.
void prepareFormViewerEngine();

} // namespace Platform
