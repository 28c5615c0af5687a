#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class QPrinter;

// The one-page alimony report: an HTML template with $-placeholders, the rows
// of unchecked formulas taken out, printed as a rich-text document.
namespace Alimony {

QString reportTemplatePath();

// The template as UTF-8 text; empty (with the reason) when it cannot be read.
QString reportTemplate(QString *error = nullptr);

// Object names of the six row check boxes, amount rows then duration rows.
const QStringList &rowCheckBoxes();

// Where the report says why the Virginia row is no statutory amount.
inline constexpr char VirginiaNotePlaceholder[] = "$vaNote";

// Every placeholder of the report ("$caseNumber", "$AAMLwk", ...) with the
// name of the field whose text it shows.
const QMap<QString, QString> &placeholderFields();

// The page: the rows of `uncheckedBoxes` removed, then every placeholder
// replaced in one pass (the longest name first where one starts another) by
// its text, escaped, so that no typed text becomes markup or another
// placeholder.
QString reportHtml(const QString &templateText, const QMap<QString, QString> &textsByPlaceholder,
                   const QStringList &uncheckedBoxes);

// Prints the page in Times New Roman, 12 pt, on the paper chosen for the
// worksheet. False with the reason when the printer could not take it.
bool printReport(const QString &html, QPrinter *printer, QString *error = nullptr);

} // namespace Alimony
