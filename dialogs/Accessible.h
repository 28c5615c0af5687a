#pragma once

// What assistive technology (a screen reader) is told about the windows:
// names of fields, and alerts for balloons, notices and field marks.

#include <QString>

class QWidget;

namespace Accessible {

// Names `widget` (and describes it, when `description` is given). Nothing is
// sent to a listening screen reader when name and description stand.
void name(QWidget *widget, const QString &name, const QString &description = QString());

// Makes `widget` an alert (role alert message) for a screen reader: its
// name is its accessible name, else its window title.
void markAlert(QWidget *widget);

// Raises an alert with `text` on `widget`, which describes it from then on.
void announce(QWidget *widget, const QString &text);

} // namespace Accessible
