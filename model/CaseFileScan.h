#pragma once

#include <QString>

class QIODevice;

// A quick pass over a case file before the XML reader sees it, in bounded
// memory. It finds what the reader would either take very long over (the
// reader checks every attribute of an element against all the others before
// it, so time grows with the square of their number) or report only as
// "not well-formed" (bytes that are not text in the file's encoding).
struct CaseFileScan {
    QString encoding;           // the encoding the file declares or starts with
    bool encodingKnown = true;  // false: the reader cannot decode that encoding
    bool encodingValid = true;  // false: bytes that are no text in that encoding
    qint64 invalidLine = 0;     // line of the first of them
    bool overloaded = false;    // more attributes or namespaces than a case file could carry
    qint64 overloadedLine = 0;  // line of the element that went over
    qint64 overloadedCount = 0; // its number of attributes
    qint64 bytes = 0;           // read, up to just past CaseFileSizeLimit
    bool tooLarge = false;      // more than CaseFileSizeLimit bytes
};

// A case file is a few kilobytes; one of 16 MB holds more text than any
// worksheet shows. Larger files are refused before they are read.
constexpr qint64 CaseFileSizeLimit = 16 * 1024 * 1024;

// Attributes of all elements together, counted as the reader's work: the
// sum over the elements of the square of their number. About a quarter of a
// second of the reader's time; one element may carry some 7000.
constexpr qint64 CaseFileAttributeBudget = 50'000'000;
// Namespace declarations of all elements together: the reader looks each
// element's namespace up among all those in scope.
constexpr qint64 CaseFileNamespaceBudget = 32;

// Reads `device` from where it stands to its end.
CaseFileScan scanCaseFile(QIODevice *device);
