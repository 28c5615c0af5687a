#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Writing a whole file so that a failure never costs the user the file that
// was there before: the previous file stays byte for byte unless the new one
// was completely written, flushed and committed.
namespace Platform {

// Writes `data` as the file `path`. False (with the reason in `error`, when
// given) if anything fails; the previous file, if any, is then unchanged.
//
// The new file normally replaces the old one atomically from a temporary
// file in the same folder (hidden, ".orvacalc-XXXXXX.tmp"; ones this user
// left there more than a day ago are removed). An existing target that is
// not a regular file (a folder, device, pipe or socket) is refused; a
// symbolic link keeps pointing where it did and the file it names gets the
// data, unless another user put the link in a shared sticky folder. Where
// the replacement could not keep the file's owner, group and mode (a file
// of another user in a shared or sticky folder) or no temporary file can be
// created beside it, the file is rewritten in place instead: its old and
// new bytes are first kept in a journal in the application-data folder, so
// that a rewrite cut off midway is finished later (finishInterruptedRewrites,
// and before the next write to the same file).
bool writeFileSafely(const QString &path, const QByteArray &data, QString *error = nullptr);
// The same for a name in the system's own bytes, which need not be text
// (a command-line argument that is not UTF-8).
bool writeNativeFileSafely(const QByteArray &path, const QByteArray &data, QString *error = nullptr);

// At start-up: finishes every in-place rewrite that was cut off, from its
// journal. One sentence per file for the user, saying what became of it.
QStringList finishInterruptedRewrites();

// Where a copy handed to another program (the mail program) is written in
// the temporary folder under `name`: that name itself when it is free or a
// regular file of this user. A shared temporary folder lets anyone put a
// link or a file of their own there under the name; the copy is never
// written through those but goes into a new private folder there instead.
// Empty (with the reason in `error`) when neither can be had.
QString temporaryCopyPath(const QString &name, QString *error = nullptr);

// Writes `data` to standard output and flushes it. False (with the reason)
// when it did not all arrive: a full device, a closed stream or pipe.
bool writeStandardOutput(const QByteArray &data, QString *error = nullptr);

// Before any file is opened: a closed standard output or error stream is
// reopened on the null device for reading, so that no file the program
// opens takes its place and writing to it fails as it should.
void reserveStandardStreams();

} // namespace Platform
