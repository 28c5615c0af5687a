#pragma once

#include <QJsonObject>

class QCommandLineParser;
struct WorksheetInput;

// The support explorer's curves from the command line, without a window:
//   orvacalc --explore-json CASE.cml
// prints the order at every split of overnights and along either parent's
// income as one JSON object.
namespace ExploreCommand {

// Whether the command line asks for it; looked at in main before any Qt
// object exists.
bool requested(int argc, char **argv);

void addOptions(QCommandLineParser &parser);
bool isSet(const QCommandLineParser &parser);

// Exit codes as the worksheet commands: 0 done, 1 wrong usage, 2 a case file
// that cannot be read, or output that cannot be written (one line on
// standard error).
int run(const QCommandLineParser &parser);

// {"overnights": [{"nights", "worksheet", "recommended"}, ...],
//  "income": [{"parent", "income", "recommended"}, ...]}
QJsonObject curvesJson(const WorksheetInput &input);

} // namespace ExploreCommand
