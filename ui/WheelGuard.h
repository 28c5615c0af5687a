#pragma once

#include <QObject>

class QWidget;

// Keeps the mouse wheel from changing a widget (a combo box) the pointer
// merely passes over: the wheel only turns it while it has keyboard focus,
// and never gives it that focus.
class WheelGuard : public QObject
{
    Q_OBJECT

public:
    // Guards `widget`; the guard belongs to it.
    static void install(QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit WheelGuard(QObject *parent);
};
