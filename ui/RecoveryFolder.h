#pragma once

// RecoveryFolder: the recovery copies of unsaved cases in the
// application-data folder. Each copy is an ordinary case file ("ID.cml")
// with the file it belongs to beside it ("ID.source", empty for a new case)
// and a lock file ("ID.lock") held by the session that writes it, so that
// another running instance never takes or deletes a live copy.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <map>
#include <memory>

class QLockFile;

struct RecoveryCopy {
    QString id;
    QString casePath; // the copy itself
    QString source;   // the case's own file; empty: never saved
    QDateTime changed;
};

class RecoveryFolder
{
public:
    // `folder` empty: "recovery" in the application-data folder.
    explicit RecoveryFolder(const QString &folder = QString());
    ~RecoveryFolder();
    RecoveryFolder(const RecoveryFolder &) = delete;
    RecoveryFolder &operator=(const RecoveryFolder &) = delete;

    QString folder() const { return m_folder; }

    // Writes this session's copy through the safe writer; the first write
    // claims a name and its lock. False with the reason.
    bool write(const QByteArray &caseBytes, const QString &source, QString *error);
    // This session's copy, or empty.
    QString copyPath() const;
    // Deletes this session's copy and gives up its lock.
    void remove();

    // Copies whose session is no longer running, newest first. Each stays
    // locked for this session until adopted, discarded or released.
    QList<RecoveryCopy> claimLeftCopies();
    // A claimed copy becomes this session's own (after a restore); a copy
    // this session wrote before is deleted.
    void adopt(const RecoveryCopy &copy);
    void discard(const RecoveryCopy &copy);
    // Every claimed copy not adopted or discarded is left for a later start.
    void releaseClaimed();

private:
    QString pathOf(const QString &id, const char *suffix) const;
    void deleteFiles(const QString &id) const;

    QString m_folder;
    QString m_id;
    std::unique_ptr<QLockFile> m_lock;
    std::map<QString, std::unique_ptr<QLockFile>> m_claimed;
};
