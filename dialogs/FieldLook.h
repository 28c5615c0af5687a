#pragma once

#include <QLineEdit>
#include <QString>

// Marks put on line edits, the same in every window.
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

// The red mark with `reason` as tool tip, or no mark at all.
inline void markInvalid(QLineEdit *edit, bool invalid, const QString &reason)
{
    const QString sheet = invalid ? invalidStyleSheet() : QString();
    if (edit->styleSheet() != sheet)
        edit->setStyleSheet(sheet);
    edit->setToolTip(invalid ? reason : QString());
}

// The amber note with `note` as tool tip; an empty note removes it.
inline void markNote(QLineEdit *edit, const QString &note)
{
    const QString sheet = note.isEmpty() ? QString() : noteStyleSheet();
    if (edit->styleSheet() != sheet)
        edit->setStyleSheet(sheet);
    edit->setToolTip(note);
}

} // namespace FieldLook
