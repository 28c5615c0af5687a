#include "AskAnswers.h"
#include "MainWindowDriver.h"
#include "OrvaTestMain.h"
#include "RecentCases.h"
#include "RecentDocuments.h"

#include <QDomDocument>
#include <QMenu>
#include <QTemporaryDir>

using namespace OrvaTest;

namespace {

QString caseFile(const QTemporaryDir &dir, int n)
{
    const QString path = dir.filePath(QStringLiteral("case%1.cml").arg(n));
    OrvaDocument doc(OrvaDocument::July2022);
    doc.setMotherMonthlyIncome(1000 + n);
    return doc.writeCaseFile(path) ? path : QString();
}

QAction *menuEntry(Window &w, int index)
{
    QMenu *menu = w.ui->menuRecent_Cases;
    emit menu->aboutToShow();
    return menu->actions().value(index);
}

} // namespace

class TestRecentCases : public QObject
{
    Q_OBJECT

private slots:
    void init() { QSettings().remove(QStringLiteral("recent-cases")); }
    void lastEightNewestFirst();
    void goneCaseLeavesWithAMessage();
    void desktopListGetsTheCase();
};

void TestRecentCases::lastEightNewestFirst()
{
    QTemporaryDir dir;
    Window w = openWindow();
    for (int n = 1; n <= 9; ++n)
        QVERIFY(w.window->openCaseFile(caseFile(dir, n)));
    QVERIFY(w.window->openCaseFile(dir.filePath(QStringLiteral("case5.cml"))));
    AskAnswers answers;
    answers.file(dir.filePath(QStringLiteral("saved.cml")));
    w.window->form()->actionSave_As->trigger();

    QStringList expected;
    for (const char *name : {"saved", "case5", "case9", "case8", "case7", "case6", "case4", "case3"})
        expected << dir.filePath(QLatin1String(name) + QStringLiteral(".cml"));
    QCOMPARE(w.window->recentCases()->files(), expected);
    // The list outlives the window.
    Window next = openWindow();
    QCOMPARE(next.window->recentCases()->files(), expected);

    menuEntry(next, 3)->trigger(); // "&4": case8
    QCOMPARE(next.window->document()->motherMonthlyIncome(), 1008);
    QCOMPARE(next.window->recentCases()->files().first(), expected.at(3));

    menuEntry(next, 9)->trigger(); // after the separator: Clear List
    QCOMPARE(next.window->recentCases()->files(), QStringList());
}

void TestRecentCases::goneCaseLeavesWithAMessage()
{
    QTemporaryDir dir;
    Window w = openWindow();
    const QString kept = caseFile(dir, 1);
    const QString gone = caseFile(dir, 2);
    QVERIFY(w.window->openCaseFile(kept));
    QVERIFY(w.window->openCaseFile(gone));
    QVERIFY(QFile::remove(gone));
    typeAmount(w.ui->fatherMonthlyIncomeEdit, QStringLiteral("777"));

    AskAnswers answers;
    menuEntry(w, 0)->trigger();
    const QList<Ask::Shown> shown = answers.shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.at(0).icon, QMessageBox::Warning);
    QVERIFY2(shown.at(0).text.contains(QStringLiteral("case2.cml")), qPrintable(shown.at(0).text));
    QCOMPARE(w.window->recentCases()->files(), QStringList{kept});
    // The case on screen, with its change, stays.
    QCOMPARE(w.window->document()->fatherMonthlyIncome(), 777);
}

// Another program's entry stays; opening a case twice keeps one entry of it.
void TestRecentCases::desktopListGetsTheCase()
{
    QTemporaryDir dir;
    const QString list = Platform::recentlyUsedFile();
    QDir().mkpath(QFileInfo(list).absolutePath());
    QFile other(list);
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write("<?xml version=\"1.0\"?>\n<xbel version=\"1.0\" "
                "xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\">"
                "<bookmark href=\"file:///tmp/letter.odt\" added=\"2024-01-01T00:00:00Z\"/></xbel>");
    other.close();

    Window w = openWindow();
    const QString path = caseFile(dir, 1);
    QVERIFY(w.window->openCaseFile(path));
    QVERIFY(w.window->openCaseFile(path));

    QFile file(list);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QDomDocument xbel;
    QVERIFY(xbel.setContent(file.readAll()));
    const QDomNodeList bookmarks = xbel.elementsByTagName(QStringLiteral("bookmark"));
    QCOMPARE(bookmarks.size(), 2);
    QCOMPARE(bookmarks.at(0).toElement().attribute(QStringLiteral("href")), QStringLiteral("file:///tmp/letter.odt"));
    const QDomElement ours = bookmarks.at(1).toElement();
    QCOMPARE(ours.attribute(QStringLiteral("href")), QUrl::fromLocalFile(path).toString());
    QCOMPARE(ours.elementsByTagName(QStringLiteral("mime:mime-type")).at(0).toElement().attribute(QStringLiteral("type")),
             QStringLiteral("application/x-orvacalc-case"));
    QCOMPARE(ours.elementsByTagName(QStringLiteral("bookmark:application")).at(0).toElement().attribute(
                 QStringLiteral("count")),
             QStringLiteral("2"));
}

ORVA_WIDGET_TEST_MAIN(TestRecentCases)
#include "tst_recentcases.moc"
