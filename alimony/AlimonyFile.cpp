#include "AlimonyFile.h"

#include "AlimonyFormulas.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace Alimony {

namespace {

// Turns single-quoted script literals into JSON strings, leaving
// double-quoted strings as they are.
QByteArray singleQuotedToJson(const QByteArray &text)
{
    QByteArray out;
    out.reserve(text.size() + 16);
    char quote = 0; // the quote of the string being copied, or 0 outside one
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (quote == 0) {
            if (c == '\'' || c == '"') {
                quote = c;
                out += '"';
            } else {
                out += c;
            }
            continue;
        }
        if (c == '\\' && i + 1 < text.size()) {
            const char next = text.at(++i);
            if (next == '\'') // \' needs no escape in JSON
                out += '\'';
            else
                out.append('\\').append(next);
        } else if (c == quote) {
            quote = 0;
            out += '"';
        } else if (c == '"') { // a double quote inside a single-quoted literal
            out += "\\\"";
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

const QList<InputField> &inputFields()
{
    static const QList<InputField> fields = {
        {"docket", "caseNumberEdit", "$caseNumber"},
        {"county", "countyEdit", "$county"},
        {"Plaintiff", "plaintiffEdit", "$plaintiff"},
        {"Defendant", "defendantEdit", "$defendant"},
        {"years", YearsEdit, "$years"},
        {"payorgross", PayorGrossEdit, "$payorGross"},
        {"payeegross", PayeeGrossEdit, "$payeeGross"},
        {"payordeviationO", UpwardEdit, "$payorDeviation"},
        {"payeedeviationO", DownwardEdit, "$payeeDeviation"},
    };
    return fields;
}

QByteArray filePrefix()
{
    return QByteArrayLiteral("CalcFormValue = ");
}

QByteArray fileBytes(const QMap<QString, QString> &textsByKey)
{
    // QJsonObject keeps its keys sorted, upper case before lower case.
    QJsonObject object;
    for (const InputField &field : inputFields()) {
        const QString key = QString::fromLatin1(field.key);
        object.insert(key, textsByKey.value(key));
    }
    for (const QString &name : resultNames())
        object.insert(name, textsByKey.value(name));
    return filePrefix() + QJsonDocument(object).toJson(QJsonDocument::Compact);
}

bool readInputs(const QByteArray &bytes, QMap<QString, QString> *inputsByKey, QString *error)
{
    // An editor that saves UTF-8 with a byte-order mark puts it before the
    // prefix; it is no part of the sixteen bytes.
    const qsizetype mark = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    const QByteArray body = bytes.mid(mark + PrefixLength);
    QJsonParseError strict;
    QJsonDocument document = QJsonDocument::fromJson(body, &strict);
    if (strict.error != QJsonParseError::NoError) {
        // Files in script style quote with apostrophes; a name like O'Brien
        // inside a JSON string must never reach this reading.
        QJsonParseError script;
        document = QJsonDocument::fromJson(singleQuotedToJson(body), &script);
        if (script.error != QJsonParseError::NoError) {
            // The reading that came further says best what is wrong.
            if (error)
                *error = (script.offset > strict.offset ? script : strict).errorString();
            return false;
        }
    }
    if (!document.isObject()) {
        if (error)
            *error = QStringLiteral("not a JSON object");
        return false;
    }
    const QJsonObject object = document.object();
    inputsByKey->clear();
    for (const InputField &field : inputFields()) {
        const QString key = QString::fromLatin1(field.key);
        inputsByKey->insert(key, object.value(key).toString());
    }
    return true;
}

bool readFile(const QString &path, QByteArray *bytes, QString *error)
{
    const auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return fail(info.isDir() ? QStringLiteral("a folder, not an alimony file")
                                 : QStringLiteral("not a regular file"));
    // Nine inputs and twenty results take a few kilobytes.
    const qint64 largest = 1 << 20;
    if (info.size() > largest)
        return fail(QStringLiteral("too large for an alimony file (%1 bytes)").arg(info.size()));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return fail(file.errorString());
    *bytes = file.read(largest + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    if (bytes->size() > largest)
        return fail(QStringLiteral("too large for an alimony file"));
    return true;
}

} // namespace Alimony
