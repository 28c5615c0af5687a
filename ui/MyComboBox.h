#pragma once

#include <QComboBox>

// Combo box whose open list hands keyboard focus on to the combo box's own
// focus proxy, so that the field owning it stays "focused" while the list is
// open.
class MyComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit MyComboBox(QWidget *parent = nullptr);

    QWidget *ownerWidget() const { return m_parent; }

    void showPopup() override;

private:
    QWidget *m_parent = nullptr;
};
