#pragma once

#include <QString>

// Marks the field widgets put on their line edits, the same in every field.
namespace FieldLook {

// Text that cannot be used as typed.
inline QString invalidStyleSheet()
{
    // A dark red and a dark amber: 4.5:1 on the field, as text needs.
    return QStringLiteral("QLineEdit { border-color: #c00000; }");
}

// A value the case took differently from how it was typed.
inline QString noteStyleSheet()
{
    return QStringLiteral("QLineEdit { border: 2px solid #a05a00; }");
}

} // namespace FieldLook
