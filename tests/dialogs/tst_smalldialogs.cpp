#include "AboutDialog.h"
#include "CalendarDialog.h"
#include "CommentsDialog.h"

#include "../ui/OrvaTestMain.h"

#include <QCalendarWidget>
#include <QDate>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSysInfo>

class TestSmallDialogs : public QObject
{
    Q_OBJECT

private slots:
    void commonWindowFlags_data();
    void commonWindowFlags();
    void commentsDoneReturnsTheText_data();
    void commentsDoneReturnsTheText();
    void commentsCancelAndEscapeReject();
    void calendarOpensOnToday();
    void calendarTodayButtonReturnsToToday();
    void aboutShowsVersionAndMachine();
    void aboutOkCloses();
};

void TestSmallDialogs::commonWindowFlags_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QSize>("size");
    QTest::newRow("comments") << "comments" << "Footnotes" << QSize(350, 280);
    QTest::newRow("calendar") << "calendar" << "Calendar" << QSize(320, 240);
    QTest::newRow("about") << "about" << "About" << QSize(445, 175);
}

void TestSmallDialogs::commonWindowFlags()
{
    QFETCH(QString, kind);
    QFETCH(QString, title);
    QFETCH(QSize, size);

    std::unique_ptr<QDialog> dialog;
    if (kind == QLatin1String("comments"))
        dialog = std::make_unique<CommentsDialog>();
    else if (kind == QLatin1String("calendar"))
        dialog = std::make_unique<CalendarDialog>();
    else
        dialog = std::make_unique<AboutDialog>();

    QCOMPARE(dialog->windowTitle(), title);
    QCOMPARE(dialog->size(), size);
    const Qt::WindowFlags flags = dialog->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Window);
    QVERIFY(flags & Qt::WindowTitleHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::MSWindowsFixedSizeDialogHint);
    QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
}

void TestSmallDialogs::commentsDoneReturnsTheText_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("unchanged") << "Per the 2023 W-2." << "" << "Per the 2023 W-2.";
    QTest::newRow("appended") << "Line one" << " and more" << "Line one and more";
    QTest::newRow("empty stays empty") << "" << "" << "";
    QTest::newRow("new text") << "" << "Overtime excluded" << "Overtime excluded";
}

void TestSmallDialogs::commentsDoneReturnsTheText()
{
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    CommentsDialog dialog;
    dialog.setPlainText(stored);
    dialog.show();
    auto *edit = dialog.findChild<QPlainTextEdit *>(QStringLiteral("textEdit"));
    QVERIFY(edit);
    edit->moveCursor(QTextCursor::End);
    QTest::keyClicks(edit, typed);
    auto *done = dialog.findChild<QPushButton *>(QStringLiteral("doneButton"));
    QVERIFY(done->isDefault());
    QTest::mouseClick(done, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.plainText(), expected);
}

void TestSmallDialogs::commentsCancelAndEscapeReject()
{
    CommentsDialog dialog;
    dialog.setPlainText(QStringLiteral("kept"));
    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("cancelButton")), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));

    CommentsDialog second;
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    QTest::keyClick(&second, Qt::Key_Escape);
    QCOMPARE(second.result(), int(QDialog::Rejected));
    QVERIFY(!second.isVisible());
}

void TestSmallDialogs::calendarOpensOnToday()
{
    CalendarDialog dialog;
    auto *calendar = dialog.findChild<QCalendarWidget *>(QStringLiteral("calendarWidget"));
    QVERIFY(calendar);
    const QDate today = QDate::currentDate();
    QCOMPARE(calendar->selectedDate(), today);
    QCOMPARE(calendar->monthShown(), today.month());
    QCOMPARE(calendar->yearShown(), today.year());
    QVERIFY(calendar->isGridVisible());
    auto *button = dialog.findChild<QPushButton *>(QStringLiteral("todayButton"));
    QCOMPARE(button->text(), QStringLiteral("Today: ") + QLocale().toString(today, QLocale::ShortFormat));
}

void TestSmallDialogs::calendarTodayButtonReturnsToToday()
{
    CalendarDialog dialog;
    dialog.show();
    auto *calendar = dialog.findChild<QCalendarWidget *>(QStringLiteral("calendarWidget"));
    const QDate today = QDate::currentDate();
    calendar->setSelectedDate(today.addMonths(-14));
    calendar->showNextYear();
    QVERIFY(calendar->yearShown() != today.year() || calendar->monthShown() != today.month());
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("todayButton")), Qt::LeftButton);
    QCOMPARE(calendar->selectedDate(), today);
    QCOMPARE(calendar->monthShown(), today.month());
    QCOMPARE(calendar->yearShown(), today.year());
    QVERIFY(dialog.isVisible());
}

void TestSmallDialogs::aboutShowsVersionAndMachine()
{
    AboutDialog dialog;
    auto *info = dialog.findChild<QLabel *>(QStringLiteral("infoLabel"));
    QVERIFY(info);
    const QStringList lines = info->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 8);
    QCOMPARE(lines.at(0), QStringLiteral("ORVA-CALC"));
    QCOMPARE(lines.at(1), QStringLiteral("Version 16.2.24.319"));
    QCOMPARE(lines.at(2), QString());
    QVERIFY(!lines.at(3).isEmpty());
    QCOMPARE(lines.at(4), QStringLiteral("Pellwood"));
    QCOMPARE(lines.at(5), QStringLiteral("Child Support Software, Professional Version"));
    QCOMPARE(lines.at(6), QString());
    QCOMPARE(lines.at(7), QStringLiteral("OS info: %1 - %2")
                              .arg(QSysInfo::prettyProductName(), QSysInfo::currentCpuArchitecture()));
    QVERIFY(!QSysInfo::currentCpuArchitecture().isEmpty());

    auto *logo = dialog.findChild<QLabel *>(QStringLiteral("logoLabel"));
    QCOMPARE(logo->pixmap().size(), QSize(128, 128));
    QVERIFY(dialog.isModal());
}

void TestSmallDialogs::aboutOkCloses()
{
    AboutDialog dialog;
    dialog.show();
    auto *box = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
}

ORVA_WIDGET_TEST_MAIN(TestSmallDialogs)

#include "tst_smalldialogs.moc"
