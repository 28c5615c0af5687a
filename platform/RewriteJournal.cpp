#include "RewriteJournal.h"

#ifndef Q_OS_WIN

#include "PosixFiles.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QtEndian>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Platform::Journal {

namespace {

const QByteArray Magic = QByteArrayLiteral("ORVACALC REWRITE JOURNAL 1\n");
const char JournalSuffix[] = ".journal";
constexpr QCryptographicHash::Algorithm Checksum = QCryptographicHash::Sha256;

QByteArray folder(bool create)
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (base.isEmpty())
        return {};
    const QByteArray path = QFile::encodeName(base + QStringLiteral("/rewrites"));
    if (create) {
        QDir().mkpath(base);
        // The journals hold whole case files: for this user's eyes only.
        if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
            return {};
    }
    return path;
}

void appendNumber(QByteArray &out, quint64 value)
{
    char bytes[8];
    qToBigEndian(value, bytes);
    out.append(bytes, 8);
}

void appendBlock(QByteArray &out, const QByteArray &block)
{
    appendNumber(out, quint64(block.size()));
    out += block;
}

QByteArray serialize(const Rewrite &rewrite)
{
    QByteArray out = Magic;
    appendBlock(out, rewrite.target);
    appendNumber(out, quint64(rewrite.device));
    appendNumber(out, quint64(rewrite.inode));
    appendBlock(out, rewrite.before);
    appendBlock(out, rewrite.after);
    out += QCryptographicHash::hash(out, Checksum);
    return out;
}

class Reader
{
public:
    explicit Reader(const QByteArray &bytes) : m_bytes(bytes) {}
    bool number(quint64 *value)
    {
        if (m_bytes.size() - m_at < 8)
            return false;
        *value = qFromBigEndian<quint64>(m_bytes.constData() + m_at);
        m_at += 8;
        return true;
    }
    bool block(QByteArray *block)
    {
        quint64 size = 0;
        if (!number(&size) || size > quint64(m_bytes.size() - m_at))
            return false;
        *block = m_bytes.mid(m_at, qsizetype(size));
        m_at += qsizetype(size);
        return true;
    }

private:
    const QByteArray &m_bytes;
    qsizetype m_at = Magic.size();
};

bool parse(const QByteArray &bytes, Rewrite *rewrite)
{
    const int sumSize = QCryptographicHash::hashLength(Checksum);
    if (!bytes.startsWith(Magic) || bytes.size() < Magic.size() + sumSize)
        return false;
    const QByteArray body = bytes.left(bytes.size() - sumSize);
    if (QCryptographicHash::hash(body, Checksum) != bytes.right(sumSize))
        return false;
    Reader reader(body);
    quint64 device = 0;
    quint64 inode = 0;
    if (!reader.block(&rewrite->target) || !reader.number(&device) || !reader.number(&inode)
        || !reader.block(&rewrite->before) || !reader.block(&rewrite->after))
        return false;
    rewrite->device = dev_t(device);
    rewrite->inode = ino_t(inode);
    return true;
}

bool readFile(const QByteArray &name, QByteArray *bytes)
{
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st {};
    const bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && Posix::readAll(fd, st.st_size, bytes) == 0;
    ::close(fd);
    return ok;
}

// What a rewrite from `before` to `after` can leave when it is cut off: the
// first bytes of `after`, then those of `before` or the zeros of the room
// reserved for it, at one of the lengths its steps give the file.
bool isCutOffRewrite(const QByteArray &now, const QByteArray &before, const QByteArray &after)
{
    const qsizetype larger = qMax(before.size(), after.size());
    if (now.size() != before.size() && now.size() != after.size() && now.size() != larger)
        return false;
    qsizetype written = 0;
    while (written < now.size() && written < after.size() && now.at(written) == after.at(written))
        ++written;
    for (qsizetype i = written; i < now.size(); ++i) {
        if (now.at(i) != (i < before.size() ? before.at(i) : '\0'))
            return false;
    }
    return true;
}

QString said(const char *text, const QByteArray &target, const QString &reason = QString())
{
    return QString::fromLatin1(text).arg(QFile::decodeName(target), reason);
}

// Brings the file to the journal's new bytes where that is still the
// rewrite's own unfinished work. True when the journal is done with.
bool complete(const Rewrite &rewrite, QString *sentence)
{
    struct stat st {};
    if (::lstat(rewrite.target.constData(), &st) != 0) {
        if (errno != ENOENT) {
            *sentence = said("The save of \"%1\" that was cut off could not be completed: %2.", rewrite.target,
                             Posix::systemReason(errno));
            return false;
        }
        *sentence = said("The save of \"%1\" that was cut off was dropped: the file is gone.", rewrite.target);
        return true;
    }
    if (!S_ISREG(st.st_mode) || st.st_dev != rewrite.device || st.st_ino != rewrite.inode) {
        *sentence = said("The save of \"%1\" that was cut off was dropped: another file has taken its place.",
                         rewrite.target);
        return true;
    }
    const int fd = ::open(rewrite.target.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    QByteArray now;
    int code = fd < 0 ? errno : 0;
    if (code == 0 && ::fstat(fd, &st) != 0)
        code = errno;
    if (code == 0)
        code = Posix::readAll(fd, st.st_size, &now);
    if (code == 0) {
        if (now == rewrite.after) {
            *sentence = said("The save of \"%1\" that was cut off had been written in full.", rewrite.target);
        } else if (!isCutOffRewrite(now, rewrite.before, rewrite.after)) {
            *sentence = said("The save of \"%1\" that was cut off was dropped: the file has been changed since.",
                             rewrite.target);
        } else {
            code = Posix::replaceContent(fd, rewrite.after);
            *sentence = said("The save of \"%1\" that was cut off has been completed.", rewrite.target);
        }
    }
    if (fd >= 0 && ::close(fd) != 0 && code == 0)
        code = errno;
    if (code != 0) {
        *sentence = said("The save of \"%1\" that was cut off could not be completed: %2.", rewrite.target,
                         Posix::systemReason(code));
        return false;
    }
    return true;
}

} // namespace

QByteArray fileFor(const QByteArray &target)
{
    const QByteArray base = folder(false);
    if (base.isEmpty())
        return {};
    return base + '/' + QCryptographicHash::hash(target, QCryptographicHash::Sha1).toHex() + JournalSuffix;
}

int keep(const Rewrite &rewrite, QByteArray *file)
{
    const QByteArray base = folder(true);
    if (base.isEmpty())
        return errno ? errno : ENOENT;
    const QByteArray name = fileFor(rewrite.target);
    // Written beside and renamed into place: a journal is whole or absent.
    QByteArray temporary;
    const int fd = Posix::createTemporary(base, 0600, &temporary);
    if (fd < 0)
        return errno;
    int code = Posix::writeAll(fd, serialize(rewrite));
    if (code == 0 && ::fsync(fd) != 0)
        code = errno;
    if (::close(fd) != 0 && code == 0)
        code = errno;
    if (code == 0 && ::rename(temporary.constData(), name.constData()) != 0)
        code = errno;
    if (code != 0) {
        ::unlink(temporary.constData());
        return code;
    }
    Posix::syncFolder(base);
    *file = name;
    return 0;
}

void drop(const QByteArray &file)
{
    if (::unlink(file.constData()) == 0)
        Posix::syncFolder(Posix::folderOf(file));
}

QList<QByteArray> leftOver()
{
    QList<QByteArray> files;
    const QByteArray base = folder(false);
    DIR *dir = base.isEmpty() ? nullptr : ::opendir(base.constData());
    if (!dir)
        return files;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name.endsWith(JournalSuffix) && !name.startsWith('.'))
            files << base + '/' + name;
    }
    ::closedir(dir);
    return files;
}

QString finish(const QByteArray &file)
{
    QByteArray bytes;
    Rewrite rewrite;
    if (!readFile(file, &bytes) || !parse(bytes, &rewrite)) {
        // Journals are renamed into place whole; this one is not ours.
        qWarning().noquote() << "SafeFile: removed an unreadable rewrite journal" << QFile::decodeName(file);
        drop(file);
        return QString();
    }
    QString sentence;
    if (complete(rewrite, &sentence))
        drop(file);
    qWarning().noquote() << "SafeFile:" << sentence;
    return sentence;
}

} // namespace Platform::Journal

#endif
