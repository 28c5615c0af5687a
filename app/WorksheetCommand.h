#pragma once

#include <QJsonObject>

class OrvaDocument;
class QCommandLineParser;

// The worksheet of a case file from the command line, for batch use and for
// machines without a display: no window, no update check.
//   orvacalc --worksheet-json CASE.cml          every worksheet field as JSON
//   orvacalc --worksheet-pdf OUT.pdf CASE.cml   the worksheet PDF
//            [--paper letter|a4]                 on other paper than the user's choice
namespace WorksheetCommand {

enum ExitCode {
    Done = 0,
    UsageError = 1, // as for an unknown option
    FileError = 2   // a case file that cannot be read, or a PDF that cannot be written
};

// Whether the command line asks for a worksheet; looked at in main before
// any Qt object exists.
bool requested(int argc, char **argv);

// Whether argv holds "--NAME" or "--NAME=...", before any Qt object exists.
bool hasOption(int argc, char **argv, const char *name);

// One line "orvacalc: MESSAGE" on standard error: how every headless command
// says why it failed.
void printError(const QString &message);

// Before the application object: the offscreen platform unless one was
// chosen. The log keeps off standard error unless asked for (LogFile).
void prepareProcess();

void addOptions(QCommandLineParser &parser);
bool isSet(const QCommandLineParser &parser);

// Reads the case file, writes the PDF and/or prints the JSON; returns the
// process exit code. Errors go to standard error as one line.
int run(const QCommandLineParser &parser);

// Reads the case file a command names (`value` as Qt decoded the
// argument; the bytes given where they are not text). Done, or the exit
// code after the one error line.
int readCaseArgument(OrvaDocument &document, const QString &value);

// Every field of the worksheet field table of `document` (Worksheet A or B
// as its custody type decides), plus "worksheet": "A" or "B".
QJsonObject fieldsJson(const OrvaDocument &document);

} // namespace WorksheetCommand
