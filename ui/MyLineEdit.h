#pragma once

#include <QLineEdit>

// Line edit that reports when it gains and really loses keyboard focus.
class MyLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit MyLineEdit(QWidget *parent = nullptr);

signals:
    void focusChanged(bool focused);

protected:
    void focusInEvent(QFocusEvent *event) override;
    // A focus-out after which the focus still resolves to this edit (a popup
    // whose focus proxy leads back here) reports nothing.
    void focusOutEvent(QFocusEvent *event) override;
};
