#include "LogFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMutex>

#include <cstdio>
#include <cstring>

namespace LogFile {

namespace {

struct State {
    QMutex mutex;
    QString file;
    bool echo = false;
    bool broken = false; // a write failed: no more tries, no loop of failures
};

State &state()
{
    static State s;
    return s;
}

const char *levelName(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg: return "debug";
    case QtInfoMsg: return "info";
    case QtWarningMsg: return "warning";
    case QtCriticalMsg: return "critical";
    case QtFatalMsg: return "fatal";
    }
    return "log";
}

void writeToFile(State &s, const QByteArray &line)
{
    if (s.broken || s.file.isEmpty())
        return;
    QFile file(s.file);
    if (file.exists() && file.size() + line.size() > RotateAtBytes)
        rotate(s.file);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        s.broken = true;
        return;
    }
    if (file.write(line) != line.size() || !file.flush())
        s.broken = true;
    file.close();
}

void handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    State &s = state();
    const QByteArray text = message.toLocal8Bit();
    {
        QMutexLocker lock(&s.mutex);
        const QByteArray category = context.category ? QByteArray(context.category) : QByteArray("default");
        const QByteArray line = QDateTime::currentDateTime().toString(Qt::ISODateWithMs).toUtf8() + ' '
                                + levelName(type) + ' ' + category + ": " + message.toUtf8() + '\n';
        writeToFile(s, line);
    }
    if (s.echo || type == QtFatalMsg) {
        std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
        std::fputc('\n', stderr);
        std::fflush(stderr);
    }
}

} // namespace

QString fileIn(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("orvacalc.log"));
}

bool echoRequested(int argc, char **argv, bool rulesCount)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--verbose") == 0)
            return true;
    }
    return rulesCount && !qEnvironmentVariableIsEmpty("QT_LOGGING_RULES");
}

bool rotate(const QString &file)
{
    QFile::remove(file + QLatin1Char('.') + QString::number(KeptFiles));
    for (int n = KeptFiles - 1; n >= 1; --n) {
        const QString older = file + QLatin1Char('.') + QString::number(n);
        if (QFile::exists(older))
            QFile::rename(older, file + QLatin1Char('.') + QString::number(n + 1));
    }
    return QFile::rename(file, file + QStringLiteral(".1"));
}

void install(const QString &folder, bool echo)
{
    State &s = state();
    {
        QMutexLocker lock(&s.mutex);
        s.echo = echo;
        s.broken = folder.isEmpty() || !QDir().mkpath(folder);
        s.file = s.broken ? QString() : fileIn(folder);
    }
    qInstallMessageHandler(handler);
}

} // namespace LogFile
