#pragma once

#include <QByteArray>
#include <QString>

// File names as the user gave them on the command line. On Linux an
// argument is bytes that need not be UTF-8 text; Qt decodes the bytes it
// cannot read as U+FFFD, and that text names another file. The commands use
// the bytes themselves for such a name.
namespace CommandLineNames {

struct FileName {
    QString text;      // as Qt decoded it: for messages, and for opening when `native` is empty
    QByteArray native; // the bytes given, when Qt cannot carry them as text
};

// In main, before the application object: the arguments as given.
void capture(int argc, char **argv);

// The file named by `value`, an option value or argument as Qt decoded it.
// False, with the reason, when two different arguments read as that same
// text, so the one meant cannot be told.
bool resolve(const QString &value, FileName *name, QString *error);

// A name Qt can read the file by: the text, or for a name that is not text
// the file held open under /proc (Linux). Empty, with the reason, when the
// file cannot be reached that way; `missing` is then set for no such file.
QString readableName(const FileName &name, QString *error, bool *missing);

} // namespace CommandLineNames
