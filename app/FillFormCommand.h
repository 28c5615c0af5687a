#pragma once

class QCommandLineParser;

// A court form filled from a case file, without a window, for batch use:
//   orvacalc --fill-form NAME OUT.pdf CASE.cml [--client 1|2]
// NAME is 9-202, 9-203, joint-statement or parenting-plan. The form goes
// through the same mapping and the same viewer as the window's, offscreen.
namespace FillFormCommand {

// Whether the command line asks for it; looked at in main before any Qt
// object exists.
bool requested(int argc, char **argv);

void addOptions(QCommandLineParser &parser);
bool isSet(const QCommandLineParser &parser);

// Exit codes as the worksheet commands: 0 done, 1 wrong usage (also an
// output that would replace the case file), 2 a case file that cannot be
// read, a form that cannot be filled or a PDF that cannot be written (one
// line on standard error).
int run(const QCommandLineParser &parser);

} // namespace FillFormCommand
