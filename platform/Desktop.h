#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

// Everything the program hands to the desktop: files, web and mail addresses
// opened by their default handler, and programs started detached. One place,
// so that a test can record what would have been opened instead of starting
// a browser, a mail program or an installer.
namespace Platform {

struct DesktopCall {
    enum Kind { OpenUrl, StartDetached };
    Kind kind = OpenUrl;
    QString target;        // the address (as text) or the program
    QStringList arguments; // StartDetached only
};

// Opens a file, web or "mailto:" address with the desktop's default handler.
// False when the desktop reports failure.
bool openUrl(const QUrl &url);

// Starts a program on its own; it lives on after this process ends.
bool startDetached(const QString &program, const QStringList &arguments = {});

// Test seam: while a recorder is set, every call above goes to it (its
// result is the call's result) and nothing reaches the desktop. An empty
// function restores the real desktop.
void setDesktopRecorder(std::function<bool(const DesktopCall &)> recorder);

} // namespace Platform
