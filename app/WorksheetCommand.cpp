#include "WorksheetCommand.h"

#include "CommandLineNames.h"
#include "OrvaDocument.h"
#include "PDFDocument.h"
#include "PDFUtils.h"
#include "PaperSize.h"
#include "Platform.h"
#include "SafeFile.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QJsonDocument>
#include <QStringList>

#include <cstdio>

namespace {

const char *const JsonName = "worksheet-json";
const char *const PdfName = "worksheet-pdf";
const char *const PaperName = "paper";

QCommandLineOption jsonOption()
{
    return QCommandLineOption(QString::fromLatin1(JsonName),
                              QStringLiteral("Print every field of the worksheet of <case.cml> to standard output "
                                             "as one JSON object, without opening a window, then exit."),
                              QStringLiteral("case.cml"));
}

QCommandLineOption pdfOption()
{
    return QCommandLineOption(QString::fromLatin1(PdfName),
                              QStringLiteral("Write the worksheet of the case file given as argument to <out.pdf>, "
                                             "without opening a window, then exit. Exit code 2 when a file "
                                             "cannot be read or written."),
                              QStringLiteral("out.pdf"));
}

QCommandLineOption paperOption()
{
    return QCommandLineOption(QString::fromLatin1(PaperName),
                              QStringLiteral("Paper of --worksheet-pdf: letter or a4 (default: the paper chosen "
                                             "in the File menu, Letter unless changed)."),
                              QStringLiteral("letter|a4"));
}

using CommandLineNames::FileName;

bool readCase(OrvaDocument &document, const FileName &name, QString *reason)
{
    bool missing = false;
    const QString path = CommandLineNames::readableName(name, reason, &missing);
    if (missing || (!path.isEmpty() && !QFileInfo::exists(path))) {
        *reason = QStringLiteral("no such file");
        return false;
    }
    return !path.isEmpty() && document.readCaseFile(path, reason);
}

bool writePdf(const OrvaDocument &document, const FileName &name, PaperSize::Size paper, QString *reason)
{
    if (name.native.isEmpty())
        return PDFUtils::save(document, name.text, nullptr, paper, reason);
    return PDFUtils::saveNative(document, name.native, paper, reason);
}

// The output would replace the case it is made from (the same name, or a
// link to it).
bool isSameFile(const FileName &a, const FileName &b)
{
    bool missing = false;
    const QString canonical = QFileInfo(CommandLineNames::readableName(a, nullptr, &missing)).canonicalFilePath();
    return !canonical.isEmpty()
           && canonical == QFileInfo(CommandLineNames::readableName(b, nullptr, &missing)).canonicalFilePath();
}

} // namespace

namespace WorksheetCommand {

bool hasOption(int argc, char **argv, const char *name)
{
    const QByteArray option = QByteArray("--") + name;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == option || argument.startsWith(option + '='))
            return true;
    }
    return false;
}

bool requested(int argc, char **argv)
{
    return hasOption(argc, argv, JsonName) || hasOption(argc, argv, PdfName) || hasOption(argc, argv, PaperName);
}

void printError(const QString &message)
{
    const QByteArray line = QStringLiteral("orvacalc: %1\n").arg(message).toLocal8Bit();
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

void prepareProcess()
{
    Platform::reserveStandardStreams();
    Platform::attachParentConsole();
#ifndef Q_OS_WIN
    // No window is shown: the offscreen platform works with and without a
    // display, and a stale DISPLAY cannot stop the command.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
}

void addOptions(QCommandLineParser &parser)
{
    parser.addOption(jsonOption());
    parser.addOption(pdfOption());
    parser.addOption(paperOption());
    parser.addPositionalArgument(QStringLiteral("case.cml"),
                                 QStringLiteral("The case file whose worksheet --worksheet-pdf writes."),
                                 QStringLiteral("[case.cml]"));
}

bool isSet(const QCommandLineParser &parser)
{
    return parser.isSet(QString::fromLatin1(JsonName)) || parser.isSet(QString::fromLatin1(PdfName))
           || parser.isSet(QString::fromLatin1(PaperName));
}

QJsonObject fieldsJson(const OrvaDocument &document)
{
    PDFDocument worksheet;
    worksheet.fillWorksheetFields(document);
    const bool shared = OrvaDocument::isSharedCustody(document.custodyType());

    QJsonObject object;
    const QHash<QString, QString> fields = worksheet.fields();
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        object.insert(it.key(), it.value());
    object.insert(QStringLiteral("worksheet"), shared ? QStringLiteral("B") : QStringLiteral("A"));
    return object;
}

int run(const QCommandLineParser &parser)
{
    const bool json = parser.isSet(QString::fromLatin1(JsonName));
    const bool pdf = parser.isSet(QString::fromLatin1(PdfName));
    const QStringList positional = parser.positionalArguments();

    PaperSize::Size paper = PaperSize::fromSettings();
    if (parser.isSet(QString::fromLatin1(PaperName))) {
        const QString value = parser.value(QString::fromLatin1(PaperName));
        if (!pdf) {
            printError(QStringLiteral("--paper goes with --worksheet-pdf; usage: orvacalc --worksheet-pdf OUT.pdf "
                                      "--paper letter|a4 CASE.cml"));
            return UsageError;
        }
        if (!PaperSize::fromName(value, &paper)) {
            printError(QStringLiteral("unknown paper \"%1\"; use letter or a4").arg(value));
            return UsageError;
        }
    }

    QString casePath;
    if (json) {
        casePath = parser.value(QString::fromLatin1(JsonName));
        if (!positional.isEmpty()) {
            printError(QStringLiteral("unexpected argument \"%1\"; usage: orvacalc --worksheet-json CASE.cml")
                           .arg(positional.first()));
            return UsageError;
        }
    } else if (positional.size() == 1) {
        casePath = positional.first();
    } else {
        printError(QStringLiteral("--worksheet-pdf needs one case file; usage: orvacalc --worksheet-pdf OUT.pdf CASE.cml"));
        return UsageError;
    }
    const QString outPath = pdf ? parser.value(QString::fromLatin1(PdfName)) : QString();
    if (casePath.isEmpty() || (pdf && outPath.isEmpty())) {
        printError(QStringLiteral("a file name is empty; usage: orvacalc --worksheet-pdf OUT.pdf CASE.cml"));
        return UsageError;
    }

    // The bytes of the names as given: the file named is the file read and
    // written, also where the name is not text.
    FileName caseName;
    FileName outName;
    QString reason;
    if (!CommandLineNames::resolve(casePath, &caseName, &reason)
        || (pdf && !CommandLineNames::resolve(outPath, &outName, &reason))) {
        printError(reason);
        return UsageError;
    }
    if (pdf && isSameFile(outName, caseName)) {
        printError(QStringLiteral("the PDF \"%1\" would replace the case file; choose another name for it")
                       .arg(outPath));
        return UsageError;
    }

    OrvaDocument document(OrvaDocument::modeForNewCase());
    if (!readCase(document, caseName, &reason)) {
        printError(QStringLiteral("cannot read case file \"%1\": %2").arg(casePath, reason));
        return FileError;
    }
    if (pdf && !writePdf(document, outName, paper, &reason)) {
        printError(QStringLiteral("cannot write the worksheet PDF \"%1\": %2").arg(outPath, reason));
        return FileError;
    }
    if (json) {
        const QByteArray text = QJsonDocument(fieldsJson(document)).toJson(QJsonDocument::Indented);
        if (!Platform::writeStandardOutput(text, &reason)) {
            printError(QStringLiteral("cannot write to standard output: %1").arg(reason));
            return FileError;
        }
    }
    return Done;
}

int readCaseArgument(OrvaDocument &document, const QString &value)
{
    FileName name;
    QString reason;
    if (!CommandLineNames::resolve(value, &name, &reason)) {
        printError(reason);
        return UsageError;
    }
    if (!readCase(document, name, &reason)) {
        printError(QStringLiteral("cannot read case file \"%1\": %2").arg(value, reason));
        return FileError;
    }
    return Done;
}

} // namespace WorksheetCommand
