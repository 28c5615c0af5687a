#pragma once

#include <QString>

// The desktop's own list of recently used files: Windows' recent documents,
// the XDG "recently-used.xbel" of Linux desktops.
namespace Platform {

// Puts `path` at the top of the desktop's recent files; false (with the
// reason) when the list could not be updated. A list in a form this
// program does not understand is left as it is.
bool addRecentDocument(const QString &path, QString *error = nullptr);

// Where the Linux list is kept: XDG_DATA_HOME, by default ~/.local/share.
QString recentlyUsedFile();

} // namespace Platform
