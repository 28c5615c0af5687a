#include "FillFormCommand.h"

#include "CommandLineNames.h"
#include "CourtFormFill.h"
#include "OrvaDocument.h"
#include "PDFUtils.h"
#include "PdfjsHost.h"
#include "PdfjsProtocol.h"
#include "SafeFile.h"
#include "WorksheetCommand.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QStringList>

namespace {

const char *const FillName = "fill-form";
const char *const ClientName = "client";

QString usage()
{
    return QStringLiteral("usage: orvacalc --fill-form 9-202|9-203|joint-statement|parenting-plan OUT.pdf CASE.cml "
                          "[--client 1|2]");
}

using CommandLineNames::FileName;

// The output would replace the case it is made from (the same name, or a
// link to it).
bool isSameFile(const FileName &a, const FileName &b)
{
    bool missing = false;
    const QString canonical = QFileInfo(CommandLineNames::readableName(a, nullptr, &missing)).canonicalFilePath();
    return !canonical.isEmpty()
           && canonical == QFileInfo(CommandLineNames::readableName(b, nullptr, &missing)).canonicalFilePath();
}

// The bytes of the name as given, also where the name is not text.
bool writePdf(const FileName &name, const QByteArray &pdf, QString *reason)
{
    if (name.native.isEmpty())
        return Platform::writeFileSafely(name.text, pdf, reason);
    return Platform::writeNativeFileSafely(name.native, pdf, reason);
}

} // namespace

namespace FillFormCommand {

bool requested(int argc, char **argv)
{
    return WorksheetCommand::hasOption(argc, argv, FillName) || WorksheetCommand::hasOption(argc, argv, ClientName);
}

void addOptions(QCommandLineParser &parser)
{
    parser.addOption(QCommandLineOption(
        QString::fromLatin1(FillName),
        QStringLiteral("Write the court form <name> (9-202, 9-203, joint-statement or parenting-plan) filled from "
                       "the case file CASE.cml to OUT.pdf, given as arguments after it, without opening a window, "
                       "then exit."),
        QStringLiteral("name")));
    parser.addOption(QCommandLineOption(
        QString::fromLatin1(ClientName),
        QStringLiteral("Whose financial statement --fill-form writes: 1 the first parent column, 2 the second "
                       "(default: the client chosen in the case)."),
        QStringLiteral("1|2")));
}

bool isSet(const QCommandLineParser &parser)
{
    return parser.isSet(QString::fromLatin1(FillName)) || parser.isSet(QString::fromLatin1(ClientName));
}

int run(const QCommandLineParser &parser)
{
    using WorksheetCommand::printError;
    if (!parser.isSet(QString::fromLatin1(FillName))) {
        printError(QStringLiteral("--client goes with --fill-form; ") + usage());
        return WorksheetCommand::UsageError;
    }
    const QString name = parser.value(QString::fromLatin1(FillName));
    const CourtFormFill::FormInfo *form = CourtFormFill::byName(name);
    if (!form) {
        printError(QStringLiteral("unknown form \"%1\"; ").arg(name) + usage());
        return WorksheetCommand::UsageError;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 2 || positional.at(0).isEmpty() || positional.at(1).isEmpty()) {
        printError(QStringLiteral("--fill-form needs the output PDF and one case file; ") + usage());
        return WorksheetCommand::UsageError;
    }
    const QString outPath = positional.at(0);
    const QString casePath = positional.at(1);
    int client = -1;
    if (parser.isSet(QString::fromLatin1(ClientName))) {
        const QString value = parser.value(QString::fromLatin1(ClientName));
        if (value != QLatin1String("1") && value != QLatin1String("2")) {
            printError(QStringLiteral("--client is 1 or 2, not \"%1\"; ").arg(value) + usage());
            return WorksheetCommand::UsageError;
        }
        client = value.toInt();
    }
    FileName caseName;
    FileName outName;
    QString reason;
    if (!CommandLineNames::resolve(casePath, &caseName, &reason)
        || !CommandLineNames::resolve(outPath, &outName, &reason)) {
        printError(reason);
        return WorksheetCommand::UsageError;
    }
    if (isSameFile(outName, caseName)) {
        printError(QStringLiteral("the PDF \"%1\" would replace the case file; choose another name for it")
                       .arg(outPath));
        return WorksheetCommand::UsageError;
    }

    OrvaDocument document(OrvaDocument::modeForNewCase());
    if (const int code = WorksheetCommand::readCaseArgument(document, casePath); code != WorksheetCommand::Done)
        return code;
    if (client < 0)
        client = document.formsClient();

    const PdfjsForm filled{PdfjsProtocol::formUrl(form->resourceFile), form->title, form->proposedName,
                           CourtFormFill::values(document, form->form, client)};
    QByteArray pdf;
    if (!PDFUtils::fillCourtForm(filled, &pdf, &reason)) {
        printError(QStringLiteral("cannot fill the form %1: %2").arg(form->name, reason));
        return WorksheetCommand::FileError;
    }
    if (!writePdf(outName, pdf, &reason)) {
        printError(QStringLiteral("cannot write the form PDF \"%1\": %2").arg(outPath, reason));
        return WorksheetCommand::FileError;
    }
    return WorksheetCommand::Done;
}

} // namespace FillFormCommand
