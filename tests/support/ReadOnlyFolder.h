#pragma once

#include <QFile>
#include <QProcess>
#include <QString>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace OrvaTest {

// Makes a folder refuse new files for as long as the object lives, also when
// the tests run as root (where permission bits are ignored: the folder is
// then made immutable). ok() says whether that worked, reason() why not.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &path)
        : m_path(path)
    {
        m_permissions = QFile::permissions(path);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                                        | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther);
#ifndef Q_OS_WIN
        if (::geteuid() == 0)
            m_immutable = run({QStringLiteral("+i"), path});
#endif
        probe();
    }
    ~ReadOnlyFolder()
    {
        if (m_immutable)
            run({QStringLiteral("-i"), m_path});
        QFile::setPermissions(m_path, m_permissions);
    }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    bool ok() const { return m_ok; }
    QString reason() const { return m_reason; }

private:
    bool run(const QStringList &arguments)
    {
        QProcess chattr;
        chattr.start(QStringLiteral("chattr"), arguments);
        if (!chattr.waitForFinished(10000) || chattr.exitStatus() != QProcess::NormalExit || chattr.exitCode() != 0) {
            m_reason = QStringLiteral("chattr %1 failed: %2")
                           .arg(arguments.join(QLatin1Char(' ')),
                                QString::fromLocal8Bit(chattr.readAllStandardError()) + chattr.errorString());
            return false;
        }
        return true;
    }

    void probe()
    {
        QFile file(m_path + QStringLiteral("/.probe"));
        if (file.open(QIODevice::WriteOnly)) {
            file.close();
            file.remove();
            if (m_reason.isEmpty())
                m_reason = QStringLiteral("the folder still takes new files");
            return;
        }
        m_ok = true;
    }

    QString m_path;
    QFileDevice::Permissions m_permissions;
    bool m_immutable = false;
    bool m_ok = false;
    QString m_reason;
};

} // namespace OrvaTest
