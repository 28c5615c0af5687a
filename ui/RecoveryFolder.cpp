#include "RecoveryFolder.h"

#include "SafeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <algorithm>

namespace {

// A lock whose process is gone is free at once; a live one never is,
// however long its session has been running.
std::unique_ptr<QLockFile> tryLock(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

} // namespace

RecoveryFolder::RecoveryFolder(const QString &folder)
    : m_folder(folder.isEmpty()
                   ? QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("recovery"))
                   : folder)
{
}

RecoveryFolder::~RecoveryFolder()
{
    releaseClaimed();
}

QString RecoveryFolder::pathOf(const QString &id, const char *suffix) const
{
    return QDir(m_folder).filePath(id + QLatin1String(suffix));
}

QString RecoveryFolder::copyPath() const
{
    return m_id.isEmpty() ? QString() : pathOf(m_id, ".cml");
}

bool RecoveryFolder::write(const QByteArray &caseBytes, const QString &source, QString *error)
{
    if (m_id.isEmpty()) {
        // Private: the copies hold the parties' incomes and addresses.
        if (!QDir().mkpath(m_folder)) {
            if (error)
                *error = QStringLiteral("cannot create the folder %1").arg(m_folder);
            return false;
        }
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString id = QStringLiteral("case-%1-%2")
                               .arg(QCoreApplication::applicationPid())
                               .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        m_lock = tryLock(pathOf(id, ".lock"));
        if (!m_lock) {
            if (error)
                *error = QStringLiteral("cannot lock a recovery copy in %1").arg(m_folder);
            return false;
        }
        m_id = id;
    }
    // The source first: a copy is never found without the file it belongs to.
    return Platform::writeFileSafely(pathOf(m_id, ".source"), source.toUtf8(), error)
           && Platform::writeFileSafely(pathOf(m_id, ".cml"), caseBytes, error);
}

void RecoveryFolder::deleteFiles(const QString &id) const
{
    QFile::remove(pathOf(id, ".cml"));
    QFile::remove(pathOf(id, ".source"));
}

void RecoveryFolder::remove()
{
    if (m_id.isEmpty())
        return;
    deleteFiles(m_id);
    m_lock.reset(); // unlocks: the lock file goes last
    m_id.clear();
}

QList<RecoveryCopy> RecoveryFolder::claimLeftCopies()
{
    QList<RecoveryCopy> copies;
    const QFileInfoList files = QDir(m_folder).entryInfoList({QStringLiteral("*.cml")}, QDir::Files);
    for (const QFileInfo &file : files) {
        const QString id = file.completeBaseName();
        if (id == m_id || m_claimed.count(id))
            continue;
        std::unique_ptr<QLockFile> lock = tryLock(pathOf(id, ".lock"));
        if (!lock)
            continue;
        QFile source(pathOf(id, ".source"));
        RecoveryCopy copy{id, file.filePath(), QString(), file.lastModified()};
        if (source.open(QIODevice::ReadOnly))
            copy.source = QString::fromUtf8(source.readAll());
        m_claimed[id] = std::move(lock);
        copies << copy;
    }
    std::sort(copies.begin(), copies.end(),
              [](const RecoveryCopy &a, const RecoveryCopy &b) { return a.changed > b.changed; });
    return copies;
}

void RecoveryFolder::adopt(const RecoveryCopy &copy)
{
    const auto claimed = m_claimed.find(copy.id);
    if (claimed == m_claimed.end())
        return;
    remove();
    m_id = copy.id;
    m_lock = std::move(claimed->second);
    m_claimed.erase(claimed);
}

void RecoveryFolder::discard(const RecoveryCopy &copy)
{
    const auto claimed = m_claimed.find(copy.id);
    if (claimed == m_claimed.end())
        return;
    deleteFiles(copy.id);
    m_claimed.erase(claimed);
}

void RecoveryFolder::releaseClaimed()
{
    m_claimed.clear();
}
