#include "MyLineEdit.h"

MyLineEdit::MyLineEdit(QWidget *parent)
    : QLineEdit(parent)
{
}

void MyLineEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    emit focusChanged(true);
}

void MyLineEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (!hasFocus())
        emit focusChanged(false);
}
