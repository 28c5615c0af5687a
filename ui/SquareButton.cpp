#include "SquareButton.h"

#include <QResizeEvent>

SquareButton::SquareButton(QWidget *parent)
    : QPushButton(parent)
{
}

void SquareButton::resizeEvent(QResizeEvent *event)
{
    QPushButton::resizeEvent(event);
    setMinimumWidth(height());
}
