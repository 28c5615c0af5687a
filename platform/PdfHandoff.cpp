#include "PdfHandoff.h"

#include <QByteArray>
#include <QDebug>
#include <QGuiApplication>

#ifdef Q_OS_WIN
#include <QSettings>

#include <windows.h>
#include <mapi.h>
#include <shellapi.h>
#else
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <unistd.h>
#endif

namespace Platform {

#ifdef Q_OS_WIN

namespace {

// The wide-character Simple MAPI structures (mapi.h of MinGW-w64 declares
// only the 8-bit ones); layouts as documented for MAPISendMailW.
struct OrvaMapiRecipDescW {
    ULONG ulReserved;
    ULONG ulRecipClass;
    PWSTR lpszName;
    PWSTR lpszAddress;
    ULONG ulEIDSize;
    PVOID lpEntryID;
};
struct OrvaMapiFileDescW {
    ULONG ulReserved;
    ULONG flFlags;
    ULONG nPosition;
    PWSTR lpszPathName;
    PWSTR lpszFileName;
    PVOID lpFileType;
};
struct OrvaMapiMessageW {
    ULONG ulReserved;
    PWSTR lpszSubject;
    PWSTR lpszNoteText;
    PWSTR lpszMessageType;
    PWSTR lpszDateReceived;
    PWSTR lpszConversationID;
    FLAGS flFlags;
    OrvaMapiRecipDescW *lpOriginator;
    ULONG nRecipCount;
    OrvaMapiRecipDescW *lpRecips;
    ULONG nFileCount;
    OrvaMapiFileDescW *lpFiles;
};
using SendMailW = ULONG(WINAPI *)(LHANDLE, ULONG_PTR, OrvaMapiMessageW *, FLAGS, ULONG);

PWSTR wide(std::wstring &text)
{
    return text.empty() ? nullptr : &text[0];
}

} // namespace

QString registeredPdfCommand()
{
    const QSettings key(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\acrobat\\shell\\open\\command"),
                        QSettings::NativeFormat);
    return key.value(QStringLiteral("Default")).toString();
}

QStringList splitCommand(const QString &command)
{
    QStringList arguments;
    if (command.trimmed().isEmpty())
        return arguments;
    int count = 0;
    LPWSTR *argv = CommandLineToArgvW(reinterpret_cast<LPCWSTR>(command.utf16()), &count);
    if (!argv)
        return arguments;
    for (int i = 0; i < count; ++i)
        arguments << QString::fromWCharArray(argv[i]);
    LocalFree(argv);
    return arguments;
}

QStringList openCommand(const QString &command, const QString &file)
{
    const QStringList arguments = splitCommand(command);
    if (arguments.isEmpty())
        return {};
    return {arguments.constFirst(), file};
}

MailResult sendMail(const QString &subject, const QString &body, const QString &attachment)
{
    MailResult result;
    HMODULE library = LoadLibraryW(L"mapi32.dll");
    if (!library)
        return result;
    auto send = reinterpret_cast<SendMailW>(reinterpret_cast<void *>(GetProcAddress(library, "MAPISendMailW")));
    if (!send) {
        FreeLibrary(library);
        result.stage = MailResult::NoSendFunction;
        return result;
    }

    std::wstring subjectText = subject.toStdWString();
    std::wstring bodyText = body.toStdWString();
    std::wstring path = attachment.toStdWString();
    OrvaMapiFileDescW file = {};
    file.lpszPathName = wide(path);
    OrvaMapiMessageW message = {};
    message.lpszSubject = wide(subjectText);
    message.lpszNoteText = wide(bodyText);
    message.nFileCount = 1;
    message.lpFiles = &file;

    result.stage = MailResult::Called;
    result.code = int(send(0, 0, &message, MAPI_DIALOG, 0));
    result.generalFailure = result.code == MAPI_E_FAILURE;
    FreeLibrary(library);
    return result;
}

#else // Linux: XDG

namespace {

// Waits for a short-lived helper (xdg-mime) and returns its standard
// output; empty when it is missing, fails or hangs.
QString runQuery(const QString &program, const QStringList &arguments)
{
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        return {};
    QProcess process;
    process.start(path, arguments, QIODevice::ReadOnly);
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(1000);
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

// Desktop-file ids may stand for a file in a subfolder: "kde4-okular.desktop"
// is also looked up as "kde4/okular.desktop".
QString locateDesktopFile(const QString &id)
{
    QString candidate = id;
    while (true) {
        const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, candidate);
        if (!path.isEmpty())
            return path;
        const int dash = candidate.indexOf(QLatin1Char('-'));
        if (dash < 0)
            return {};
        candidate[dash] = QLatin1Char('/');
    }
}

// The string escapes of desktop-entry values (\s \n \t \r \\).
QString unescapeValue(const QString &value)
{
    QString text;
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            text += c;
            continue;
        }
        const QChar next = value.at(++i);
        switch (next.unicode()) {
        case 's': text += QLatin1Char(' '); break;
        case 'n': text += QLatin1Char('\n'); break;
        case 't': text += QLatin1Char('\t'); break;
        case 'r': text += QLatin1Char('\r'); break;
        case '\\': text += QLatin1Char('\\'); break;
        default: text += QLatin1Char('\\'); text += next; break;
        }
    }
    return text;
}

QString execLine(const QString &desktopFile)
{
    QFile file(desktopFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inEntry)
            continue;
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && line.left(equals).trimmed() == QLatin1String("Exec"))
            return unescapeValue(line.mid(equals + 1).trimmed());
    }
    return {};
}

bool isFieldCode(const QString &argument)
{
    static const QString codes = QStringLiteral("fFuUickdDnNvm");
    return argument.size() == 2 && argument.at(0) == QLatin1Char('%') && codes.contains(argument.at(1));
}

// Drops field codes inside an argument and turns %% into %.
QString expandPercents(const QString &argument)
{
    QString text;
    for (int i = 0; i < argument.size(); ++i) {
        if (argument.at(i) == QLatin1Char('%') && i + 1 < argument.size()) {
            ++i;
            if (argument.at(i) == QLatin1Char('%'))
                text += QLatin1Char('%');
            continue;
        }
        text += argument.at(i);
    }
    return text;
}

} // namespace

QString registeredPdfCommand()
{
    const QString id = runQuery(QStringLiteral("xdg-mime"),
                                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("application/pdf")})
                           .section(QLatin1Char('\n'), 0, 0)
                           .trimmed();
    if (id.isEmpty())
        return {};
    const QString desktopFile = locateDesktopFile(id);
    return desktopFile.isEmpty() ? QString() : execLine(desktopFile);
}

namespace {

// The arguments of an Exec line as written, field codes still in them.
QStringList splitQuoted(const QString &command)
{
    QStringList arguments;
    QString current;
    bool quoted = false;
    bool inArgument = false;
    for (int i = 0; i < command.size(); ++i) {
        const QChar c = command.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                quoted = false;
            } else if (c == QLatin1Char('\\') && i + 1 < command.size()
                       && QStringLiteral("\"`$\\").contains(command.at(i + 1))) {
                current += command.at(++i);
            } else {
                current += c;
            }
        } else if (c.isSpace()) {
            if (inArgument)
                arguments << current;
            current.clear();
            inArgument = false;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            inArgument = true;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        arguments << current;
    return arguments;
}

} // namespace

QStringList splitCommand(const QString &command)
{
    const QStringList arguments = splitQuoted(command);
    QStringList expanded;
    for (const QString &argument : std::as_const(arguments)) {
        if (!isFieldCode(argument))
            expanded << expandPercents(argument);
    }
    return expanded;
}

QStringList openCommand(const QString &command, const QString &file)
{
    QStringList result;
    bool placed = false;
    const QStringList arguments = splitQuoted(command);
    for (const QString &argument : arguments) {
        if (isFieldCode(argument)) {
            // One file, where the entry takes its file or files; never as the program.
            if (!placed && !result.isEmpty() && QStringLiteral("fFuU").contains(argument.at(1))) {
                result << file;
                placed = true;
            }
            continue;
        }
        result << expandPercents(argument);
    }
    if (result.isEmpty())
        return {};
    if (!placed)
        result << file;
    return result;
}

MailResult sendMail(const QString &subject, const QString &body, const QString &attachment)
{
    MailResult result;
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (program.isEmpty())
        return result;

    auto *process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(program, {QStringLiteral("--subject"), subject, QStringLiteral("--body"), body,
                             QStringLiteral("--attach"), attachment});
    if (!process->waitForStarted(5000)) {
        delete process;
        result.stage = MailResult::NoSendFunction;
        return result;
    }
    result.stage = MailResult::Called;
    // Some mail programs keep xdg-email waiting while their compose window
    // is open: after a moment that counts as done, and the helper is left
    // to finish on its own.
    if (!process->waitForFinished(3000)) {
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return result;
    }
    result.code = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    result.generalFailure = result.code != 0;
    delete process;
    return result;
}

#endif

void prepareFormViewerEngine()
{
#ifndef Q_OS_WIN
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        qWarning("Form viewer: running as root, so the browser engine runs without its sandbox");
    }
#endif
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        if (!flags.contains("--disable-gpu")) {
            qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --disable-gpu").trimmed());
            qInfo("Form viewer: no display, so the browser engine draws without a GPU");
        }
    }
}

} // namespace Platform
