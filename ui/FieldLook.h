#pragma once

#include <QString>

// Marks the field widgets put on their line edits, the same in every field.
namespace FieldLook {

// Text that cannot be used as typed.
inline QString invalidStyleSheet()
{
    return QStringLiteral("QLineEdit { border-color: red; }");
}

// A value the case took differently from how it was typed.
inline QString noteStyleSheet()
{
    return QStringLiteral("QLineEdit { border: 2px solid #d08000; }");
}

} // namespace FieldLook
