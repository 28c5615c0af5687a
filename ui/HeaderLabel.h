#pragma once

#include <QFrame>

class QHBoxLayout;
class QLabel;

// Title above a column of fields, centred over the edits (left of the
// 120-pixel padding that stands above the buttons).
class HeaderLabel : public QFrame
{
    Q_OBJECT

public:
    explicit HeaderLabel(QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const;

private:
    QHBoxLayout *m_horizontalLayout = nullptr;
    QLabel *m_label = nullptr;
    QLabel *m_padding = nullptr;
};
