#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// The ".calc" alimony file: "CalcFormValue = " followed by one compact JSON
// object of string members, the nine inputs and the twenty results, with no
// line break at the end.
namespace Alimony {

// One input field: its key in the file, its line edit and its report
// placeholder.
struct InputField {
    const char *key;
    const char *objectName;
    const char *placeholder;
};

// The nine inputs in the order the dialog, the file and the report use them.
const QList<InputField> &inputFields();

// Object names of the five numeric inputs, Y, P, E, U, D.
const char *const YearsEdit = "yearsEdit";
const char *const PayorGrossEdit = "payorgrossEdit";
const char *const PayeeGrossEdit = "payeegrossEdit";
const char *const UpwardEdit = "payordeviationOEdit";
const char *const DownwardEdit = "payeedeviationO";

const int PrefixLength = 16;
QByteArray filePrefix();

// The file's bytes for the field texts given by key (every key of the nine
// inputs and twenty results; missing ones are written empty).
QByteArray fileBytes(const QMap<QString, QString> &textsByKey);

// The nine inputs of a file's bytes, by key; a key that is missing or not a
// string gives an empty text. The first sixteen bytes are skipped whatever
// they hold, after a UTF-8 byte-order mark if there is one. False, with the parser's reason in `error`, when the rest is no
// JSON object, neither as JSON nor in the single-quoted script style.
bool readInputs(const QByteArray &bytes, QMap<QString, QString> *inputsByKey, QString *error = nullptr);

// The bytes of an alimony file at `path`. Folders, pipes and devices are
// refused (a pipe would block, a device never end), and so is a file far
// larger than any alimony file, which would only fill memory. False with
// the reason in `error`.
bool readFile(const QString &path, QByteArray *bytes, QString *error = nullptr);

} // namespace Alimony
