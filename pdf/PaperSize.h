#pragma once

#include <QPageSize>
#include <QString>

// The paper the worksheet is printed on. Maryland courts file on US Letter;
// A4 is kept for users elsewhere. The choice lives in the settings store.
namespace PaperSize {

enum Size { Letter, A4 };

// Settings key and its values ("letter", "a4").
inline constexpr char SettingsKey[] = "paper-size";

QString name(Size size);
// Reads "letter" or "a4" (any case, blanks around ignored); false for
// anything else, leaving `size` as it was.
bool fromName(const QString &text, Size *size);

// The user's choice; Letter when none is stored or the stored one is unknown.
Size fromSettings();
void store(Size size);

QPageSize pageSize(Size size);

} // namespace PaperSize
