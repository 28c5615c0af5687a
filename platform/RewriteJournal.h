#pragma once
// The journal of an in-place rewrite: before the first byte of a file that
// is rewritten where it is changes, its old and its new bytes are kept
// durably in the application-data folder. A rewrite cut off midway (the
// program killed, the machine down) is finished from there at the next
// start and before the next write to the same file.
#include <QtGlobal>

#ifndef Q_OS_WIN

#include <QByteArray>
#include <QList>
#include <QString>

#include <sys/types.h>

namespace Platform::Journal {

struct Rewrite {
    QByteArray target; // native name, links resolved
    dev_t device = 0;  // the file itself: one put in its place is not touched
    ino_t inode = 0;
    QByteArray before;
    QByteArray after;
};

// Keeps `rewrite` durably under `file` (fileFor its target); 0 or an errno
// value, the journal then absent.
int keep(const Rewrite &rewrite, QByteArray *file);
// Removes a journal once its rewrite is done or undone.
void drop(const QByteArray &file);

// The journal a rewrite of `target` has while it runs.
QByteArray fileFor(const QByteArray &target);
// Every journal left in the folder.
QList<QByteArray> leftOver();

// Finishes the rewrite that the journal `file` records and removes the
// journal; returns the sentence that says what became of the file.
QString finish(const QByteArray &file);

} // namespace Platform::Journal

#endif
