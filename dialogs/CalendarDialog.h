#pragma once

#include <QDialog>

class QCalendarWidget;
class QPushButton;

// A month calendar for looking up dates; it returns nothing.
class CalendarDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CalendarDialog(QWidget *parent = nullptr);

private slots:
    void on_todayButton_clicked();

private:
    QCalendarWidget *m_calendarWidget = nullptr;
    QPushButton *m_todayButton = nullptr;
};
