#pragma once

#include <QString>
#include <QStringList>

// A file named on the command line, as a desktop's "open with" passes it:
// "orvacalc CASE.cml" opens the case in the window, "orvacalc FILE.calc" the
// alimony calculator with that file.
namespace LaunchFile {

enum class Kind {
    None,   // no file given
    Case,   // anything but an alimony file: the case reader decides
    Alimony // ".calc"
};

// The file among the positional arguments: the first one that is not the
// installers' plain word "importold". Empty when there is none.
QString fromArguments(const QStringList &positional);

// Which window opens the file, by its suffix (case-insensitive).
Kind kindOf(const QString &path);

} // namespace LaunchFile
