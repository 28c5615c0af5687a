#pragma once

#include "Accessible.h"

#include <QLineEdit>
#include <QString>

// Marks put on line edits, the same in every window.
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

// The red mark with `reason` as tool tip, or no mark at all.
inline void showMark(QLineEdit *edit, const QString &sheet, const QString &tip)
{
    if (edit->styleSheet() != sheet)
        edit->setStyleSheet(sheet);
    if (edit->toolTip() == tip)
        return;
    edit->setToolTip(tip);
    // A screen reader hears a mark as it appears; it describes the field
    // while it stands.
    if (!tip.isEmpty())
        Accessible::announce(edit, tip);
    else
        Accessible::name(edit, edit->accessibleName(), QStringLiteral(""));
}

inline void markInvalid(QLineEdit *edit, bool invalid, const QString &reason)
{
    showMark(edit, invalid ? invalidStyleSheet() : QString(), invalid ? reason : QString());
}

// The amber note with `note` as tool tip; an empty note removes it.
inline void markNote(QLineEdit *edit, const QString &note)
{
    showMark(edit, note.isEmpty() ? QString() : noteStyleSheet(), note);
}

} // namespace FieldLook
