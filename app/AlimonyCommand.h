#pragma once

#include <QJsonObject>

class QCommandLineParser;

// The alimony calculator from the command line, without a window:
//   orvacalc --alimony-json FILE.calc
// reads the nine inputs as the dialog opens them, recalculates, and prints
// the object the dialog would then save.
namespace AlimonyCommand {

// Whether the command line asks for it; looked at in main before any Qt
// object exists.
bool requested(int argc, char **argv);

void addOptions(QCommandLineParser &parser);
bool isSet(const QCommandLineParser &parser);

// Exit codes as the worksheet commands: 0 done, 1 wrong usage, 2 a file that
// cannot be read or parsed, or output that cannot be written (one line on
// standard error).
int run(const QCommandLineParser &parser);

// The 29 members the dialog saves after opening `inputsByKey` and
// recalculating.
QJsonObject savedObject(const QMap<QString, QString> &inputsByKey);

} // namespace AlimonyCommand
