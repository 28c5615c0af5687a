#include "MyComboBox.h"

#include <QAbstractItemView>

MyComboBox::MyComboBox(QWidget *parent)
    : QComboBox(parent)
    , m_parent(parent)
{
}

void MyComboBox::showPopup()
{
    view()->setFocusProxy(focusProxy());
    QComboBox::showPopup();
}
