#pragma once

#include <QSize>

class QWidget;

namespace FieldGeometry {

// The right-hand part of every composite field (buttons or trailing label) is
// 4 x h + 15 wide and h tall, h being the height of the field's own line edit,
// so that the columns of the main window line up.
inline QSize sideAreaSize(int editHeight)
{
    return QSize(4 * editHeight + 15, editHeight);
}

// Polishes and lays out `field`, then returns the height of `edit`.
int polishedEditHeight(QWidget *field, QWidget *edit);

// The same height, measured on the first field and kept for every later one
// while the application's style sheet, the edit's font and class and whether
// the field stands alone stay the same: polishing and laying out each field on
// its own costs more than all the rest of building it.
int editHeight(QWidget *field, QWidget *edit);

} // namespace FieldGeometry
