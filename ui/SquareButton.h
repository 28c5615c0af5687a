#pragma once

#include <QPushButton>

// Push button that is never narrower than it is tall.
class SquareButton : public QPushButton
{
    Q_OBJECT

public:
    explicit SquareButton(QWidget *parent = nullptr);

protected:
    void resizeEvent(QResizeEvent *event) override;
};
