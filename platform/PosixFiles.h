#pragma once
// File steps the safe writer and its rewrite journal share (Linux and other
// POSIX systems). Names are native bytes: they need not be UTF-8.
#include <QtGlobal>

#ifndef Q_OS_WIN

#include <QByteArray>
#include <QString>

#include <sys/types.h>

namespace Platform::Posix {

QString systemReason(int code);

// The folder part of `path` ("." when it has none).
QByteArray folderOf(const QByteArray &path);

// Writes all of `data` at offset 0; 0 or an errno value.
int writeAll(int fd, const QByteArray &data);
// Reads up to `size` bytes from offset 0; 0 or an errno value.
int readAll(int fd, qint64 size, QByteArray *data);
// Makes the open file `fd` hold exactly `data`, synced: room reserved
// first (a full disk fails before a byte changes), written, cut to length.
int replaceContent(int fd, const QByteArray &data);

// A new file in `folder`, hidden and named after the program
// (".orvacalc-XXXXXX.tmp"), so that it fits beside a name of any length and
// says whose it is; -1 with errno on failure.
int createTemporary(const QByteArray &folder, mode_t mode, QByteArray *name);
// Removes this user's temporaries in `folder` that are older than a day:
// what a program stopped between creating and renaming one left there.
void removeStaleTemporaries(const QByteArray &folder);
// Syncs the folder's entries after a rename; a folder that cannot be synced
// (some network file systems) does not undo the rename.
void syncFolder(const QByteArray &folder);

} // namespace Platform::Posix

#endif
