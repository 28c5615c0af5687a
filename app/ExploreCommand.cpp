#include "ExploreCommand.h"

#include "OrvaDocument.h"
#include "SafeFile.h"
#include "SupportCurves.h"
#include "WorksheetCommand.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

const char *const JsonName = "explore-json";

QJsonArray orders(const qint64 (&recommended)[2])
{
    return QJsonArray{recommended[0], recommended[1]};
}

} // namespace

namespace ExploreCommand {

bool requested(int argc, char **argv)
{
    return WorksheetCommand::hasOption(argc, argv, JsonName);
}

void addOptions(QCommandLineParser &parser)
{
    parser.addOption(QCommandLineOption(
        QString::fromLatin1(JsonName),
        QStringLiteral("Print the monthly order of <case.cml> at every split of overnights (0 to 365 for the "
                       "second parent) and along each parent's income as one JSON object, without opening a "
                       "window, then exit."),
        QStringLiteral("case.cml")));
}

bool isSet(const QCommandLineParser &parser)
{
    return parser.isSet(QString::fromLatin1(JsonName));
}

QJsonObject curvesJson(const WorksheetInput &input)
{
    QJsonArray overnights;
    const QList<SupportCurves::OvernightsPoint> points = SupportCurves::overnightsCurve(input);
    for (const SupportCurves::OvernightsPoint &point : points)
        overnights.append(QJsonObject{{QStringLiteral("nights"), point.nights},
                                      {QStringLiteral("worksheet"), point.shared ? QStringLiteral("B") : QStringLiteral("A")},
                                      {QStringLiteral("recommended"), orders(point.recommended)}});
    QJsonArray income;
    for (int parent = 0; parent < 2; ++parent) {
        const SupportCurves::IncomeCurve curve = SupportCurves::incomeCurve(input, parent);
        for (const SupportCurves::IncomePoint &point : curve.points)
            income.append(QJsonObject{{QStringLiteral("parent"), parent + 1},
                                      {QStringLiteral("income"), point.income},
                                      {QStringLiteral("recommended"), orders(point.recommended)}});
    }
    return QJsonObject{{QStringLiteral("overnights"), overnights}, {QStringLiteral("income"), income}};
}

int run(const QCommandLineParser &parser)
{
    const QString path = parser.value(QString::fromLatin1(JsonName));
    const QStringList positional = parser.positionalArguments();
    if (!positional.isEmpty()) {
        WorksheetCommand::printError(
            QStringLiteral("unexpected argument \"%1\"; usage: orvacalc --explore-json CASE.cml").arg(positional.first()));
        return WorksheetCommand::UsageError;
    }
    if (path.isEmpty()) {
        WorksheetCommand::printError(QStringLiteral("the file name is empty; usage: orvacalc --explore-json CASE.cml"));
        return WorksheetCommand::UsageError;
    }

    OrvaDocument document(OrvaDocument::modeForNewCase());
    if (const int code = WorksheetCommand::readCaseArgument(document, path); code != WorksheetCommand::Done)
        return code;
    QString reason;
    const QByteArray text = QJsonDocument(curvesJson(document.worksheetInput())).toJson(QJsonDocument::Compact);
    // A full disk or a reader that went away must not pass for success.
    if (!Platform::writeStandardOutput(text + '\n', &reason)) {
        WorksheetCommand::printError(QStringLiteral("cannot write to standard output: %1").arg(reason));
        return WorksheetCommand::FileError;
    }
    return WorksheetCommand::Done;
}

} // namespace ExploreCommand
