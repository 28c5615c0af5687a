#include "CalendarDialog.h"

#include "Accessible.h"
#include "DialogFlags.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QDate>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

CalendarDialog::CalendarDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CalendarDialog"));
    setWindowTitle(tr("Calendar"));
    resize(320, 240);

    auto *layout = new QVBoxLayout(this);
    layout->setObjectName(QStringLiteral("verticalLayout"));
    m_calendarWidget = new QCalendarWidget(this);
    m_calendarWidget->setObjectName(QStringLiteral("calendarWidget"));
    m_calendarWidget->setGridVisible(true);
    m_calendarWidget->setSelectedDate(QDate::currentDate());
    layout->addWidget(m_calendarWidget);
    // The days' table inside the calendar is what takes the keyboard.
    if (auto *days = m_calendarWidget->findChild<QAbstractItemView *>())
        Accessible::name(days, tr("Days of the month"));
    if (auto *previous = m_calendarWidget->findChild<QWidget *>(QStringLiteral("qt_calendar_prevmonth")))
        Accessible::name(previous, tr("Previous month"));
    if (auto *next = m_calendarWidget->findChild<QWidget *>(QStringLiteral("qt_calendar_nextmonth")))
        Accessible::name(next, tr("Next month"));

    m_todayButton = new QPushButton(this);
    m_todayButton->setObjectName(QStringLiteral("todayButton"));
    m_todayButton->setFlat(true);
    m_todayButton->setAutoDefault(false);
    m_todayButton->setText(tr("Today: ") + QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    m_todayButton->setFixedHeight(m_todayButton->sizeHint().height());
    layout->addWidget(m_todayButton);

    QMetaObject::connectSlotsByName(this);
    OrvaDialogs::setCommonWindowFlags(this);
}

void CalendarDialog::on_todayButton_clicked()
{
    m_calendarWidget->setSelectedDate(QDate::currentDate());
    m_calendarWidget->showToday();
}
