#include "AlimonyCommand.h"

#include "AlimonyFile.h"
#include "AlimonyFormulas.h"
#include "CommandLineNames.h"
#include "SafeFile.h"
#include "WorksheetCommand.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QJsonDocument>

namespace {

const char *const JsonName = "alimony-json";

QCommandLineOption jsonOption()
{
    return QCommandLineOption(QString::fromLatin1(JsonName),
                              QStringLiteral("Read the inputs of the alimony file <file.calc>, recalculate, and print "
                                             "the 29 members the alimony calculator would save as one JSON object, "
                                             "without opening a window, then exit."),
                              QStringLiteral("file.calc"));
}

bool readFile(const CommandLineNames::FileName &name, QMap<QString, QString> *inputs, QString *reason)
{
    bool missing = false;
    const QString path = CommandLineNames::readableName(name, reason, &missing);
    QByteArray bytes;
    if (path.isEmpty() || !Alimony::readFile(path, &bytes, reason))
        return false;
    QString error;
    if (!Alimony::readInputs(bytes, inputs, &error)) {
        *reason = QStringLiteral("not a valid alimony file (%1)").arg(error);
        return false;
    }
    return true;
}

} // namespace

namespace AlimonyCommand {

bool requested(int argc, char **argv)
{
    return WorksheetCommand::hasOption(argc, argv, JsonName);
}

void addOptions(QCommandLineParser &parser)
{
    parser.addOption(jsonOption());
}

bool isSet(const QCommandLineParser &parser)
{
    return parser.isSet(QString::fromLatin1(JsonName));
}

QJsonObject savedObject(const QMap<QString, QString> &inputsByKey)
{
    Alimony::Inputs inputs;
    inputs.years = inputsByKey.value(QStringLiteral("years"));
    inputs.payorGross = inputsByKey.value(QStringLiteral("payorgross"));
    inputs.payeeGross = inputsByKey.value(QStringLiteral("payeegross"));
    inputs.upward = inputsByKey.value(QStringLiteral("payordeviationO"));
    inputs.downward = inputsByKey.value(QStringLiteral("payeedeviationO"));
    QMap<QString, QString> texts = Alimony::recalculate(inputs);
    texts.insert(inputsByKey);
    const QByteArray bytes = Alimony::fileBytes(texts);
    return QJsonDocument::fromJson(bytes.mid(Alimony::PrefixLength)).object();
}

int run(const QCommandLineParser &parser)
{
    const QString path = parser.value(QString::fromLatin1(JsonName));
    const QStringList positional = parser.positionalArguments();
    if (!positional.isEmpty()) {
        WorksheetCommand::printError(QStringLiteral("unexpected argument \"%1\"; usage: orvacalc --alimony-json FILE.calc")
                       .arg(positional.first()));
        return WorksheetCommand::UsageError;
    }
    if (path.isEmpty()) {
        WorksheetCommand::printError(QStringLiteral("the file name is empty; usage: orvacalc --alimony-json FILE.calc"));
        return WorksheetCommand::UsageError;
    }

    QMap<QString, QString> inputs;
    QString reason;
    CommandLineNames::FileName name;
    if (!CommandLineNames::resolve(path, &name, &reason)) {
        WorksheetCommand::printError(reason);
        return WorksheetCommand::UsageError;
    }
    if (!readFile(name, &inputs, &reason)) {
        WorksheetCommand::printError(QStringLiteral("cannot read alimony file \"%1\": %2").arg(path, reason));
        return WorksheetCommand::FileError;
    }
    // A full disk or a reader that went away must not pass for success.
    if (!Platform::writeStandardOutput(QJsonDocument(savedObject(inputs)).toJson(QJsonDocument::Indented), &reason)) {
        WorksheetCommand::printError(QStringLiteral("cannot write to standard output: %1").arg(reason));
        return WorksheetCommand::FileError;
    }
    return WorksheetCommand::Done;
}

} // namespace AlimonyCommand
