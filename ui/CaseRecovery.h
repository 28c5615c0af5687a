#pragma once

// CaseRecovery: while the case has unsaved changes, a recovery copy of it is
// written every so often (at most once per interval, within one interval of
// the last change); it goes once the case is saved or its changes are
// discarded. At start-up the copies of sessions that ended without closing
// are offered back.

#include "RecoveryFolder.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <memory>

class CaseHolder;
class OrvaDocument;
class QWidget;

class CaseRecovery : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultIntervalMs = 10000;

    // `folder` empty: the application-data folder's.
    CaseRecovery(CaseHolder *holder, const QString &folder = QString(), QObject *parent = nullptr);
    ~CaseRecovery() override;

    void setInterval(int ms) { m_timer.setInterval(ms); }
    int interval() const { return m_timer.interval(); }
    RecoveryFolder &folder() { return m_folder; }

    // Writes the copy now when the case has changes not yet in it.
    void writeNow();
    // The case in the holder was replaced (New, Open, a restore).
    void caseReplaced();
    // The user chose to throw the changes away.
    void discard();

    // Asks about each copy left by a session that did not close, newest
    // first: Restore gives that case, modified, to save under its own file
    // (or untitled); Discard deletes it; Later keeps it for the next start.
    // Stops at the first Restore. Null when nothing was restored.
    std::shared_ptr<OrvaDocument> offerLeftCopies(QWidget *parent);

private:
    void modifiedFlagChanged(bool modified);
    std::shared_ptr<OrvaDocument> restore(const RecoveryCopy &copy);

    CaseHolder *m_case;
    RecoveryFolder m_folder;
    QTimer m_timer;
    QByteArray m_written; // what the copy holds
    bool m_warned = false;
};
