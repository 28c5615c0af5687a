#include "FieldGeometry.h"

#include <QWidget>

namespace FieldGeometry {

int polishedEditHeight(QWidget *field, QWidget *edit)
{
    field->ensurePolished();
    field->adjustSize();
    return edit->height();
}

} // namespace FieldGeometry
