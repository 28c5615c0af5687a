#include "FieldGeometry.h"

#include <QApplication>
#include <QFont>
#include <QString>
#include <QWidget>

namespace FieldGeometry {

int polishedEditHeight(QWidget *field, QWidget *edit)
{
    field->ensurePolished();
    field->adjustSize();
    return edit->height();
}

int editHeight(QWidget *field, QWidget *edit)
{
    struct Measured {
        QString styleSheet;
        QFont font;
        const QMetaObject *editClass = nullptr;
        bool window = false; // a field on its own lays out as a window
        int height = -1;
    };
    static Measured measured;
    const QString styleSheet = qApp ? qApp->styleSheet() : QString();
    const QFont font = edit->font();
    if (measured.height < 0 || measured.editClass != edit->metaObject() || measured.window != field->isWindow()
        || measured.font != font || measured.styleSheet != styleSheet) {
        measured = {styleSheet, font, edit->metaObject(), field->isWindow(), polishedEditHeight(field, edit)};
    }
    return measured.height;
}

} // namespace FieldGeometry
