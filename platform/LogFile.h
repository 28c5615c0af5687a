#pragma once

#include <QString>

// The program's log: every line goes to a file in the application-data
// folder, which rotates when it grows large; standard error gets the lines
// only when asked for (--verbose, or logging rules set in the environment),
// so that the command line prints nothing but its output and its errors.
namespace LogFile {

// Installs the log for the whole process. `folder` holds the file (created
// when missing); `echo` also writes every line to standard error. A file that
// cannot be written loses its lines, never the program's work.
void install(const QString &folder, bool echo);

// The file lines go to, in `folder`.
QString fileIn(const QString &folder);

// Whether the user asked for the log on standard error: "--verbose" among
// the arguments, or (when `rulesCount`) QT_LOGGING_RULES set.
bool echoRequested(int argc, char **argv, bool rulesCount);

// Beyond this size the file becomes "<name>.1" (the older ones move up to
// ".3", the oldest is dropped) and a new file starts.
constexpr qint64 RotateAtBytes = 1024 * 1024;
constexpr int KeptFiles = 3;

// Moves the files of a full log up by one; false when the file could not be
// moved aside (lines then go on into it).
bool rotate(const QString &file);

} // namespace LogFile
