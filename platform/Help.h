#pragma once

#include <QString>
#include <QStringList>

// Opening the compiled help file. Windows has a viewer for it (hh.exe); a
// Linux desktop often has none, and there the caller falls back to the same
// manual as HTML pages in the browser.
namespace Platform {

// Opens the help file with the desktop's program for it. On Windows, when the
// desktop refuses, starts the viewer command registered for help files (or
// hh.exe). False when nothing could be started, or (Linux) when the desktop
// has no program for the file's type: its opener would report success and
// then fail unseen.
bool openHelpFile(const QString &path);

// The same, with the desktop's own program only and no fallback viewer.
bool openWithDefaultProgram(const QString &path);

// Whether the desktop names a default program for a MIME type (xdg-mime on
// Linux; when that cannot be asked, the answer is yes and the desktop's
// opener decides). Always true on Windows, where the shell decides.
bool hasDefaultProgram(const QString &mimeType);

// The program and arguments of a help viewer command line, from the
// registered command with its environment variables already expanded: "%1"
// becomes the help file, quoted where the command does not quote it.
struct HelpCommand {
    QString program;
    QStringList arguments;
};
HelpCommand helpViewerCommand(const QString &expandedTemplate, const QString &helpFile);

} // namespace Platform
