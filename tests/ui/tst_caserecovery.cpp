#include "AskAnswers.h"
#include "CaseHolder.h"
#include "CaseRecovery.h"
#include "MainWindowDriver.h"
#include "OrvaTestMain.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

using namespace OrvaTest;

namespace {

QStringList copiesIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.cml")}, QDir::Files);
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString recoveryFolder()
{
    return RecoveryFolder().folder();
}

} // namespace

class TestCaseRecovery : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QDir(recoveryFolder()).removeRecursively(); }
    void killedProgramIsOfferedOnlyOnceDead();
    void copyGoesWithTheChanges_data();
    void copyGoesWithTheChanges();
    void answersToTheOffer_data();
    void answersToTheOffer();
    void unwritableFolderWarnsOnce();
};

// A real program, typed into, is killed; while it ran, another window of
// its own did not see its copy, and it did not see that window's.
void TestCaseRecovery::killedProgramIsOfferedOnlyOnceDead()
{
    QTemporaryDir scratch;
    const QString script = scratch.filePath(QStringLiteral("typing.txt"));
    QFile typing(script);
    QVERIFY(typing.open(QIODevice::WriteOnly));
    typing.write("child1NameEdit\tAvery\nmotherMonthlyIncomeEdit\t5000\nfatherMonthlyIncomeEdit\t3000\n");
    typing.close();

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ORVA_TEST_TYPING"), script);
    environment.insert(QStringLiteral("ORVA_RECOVERY_INTERVAL_MS"), QStringLiteral("20"));
    child.setProcessEnvironment(environment);
    child.start(QStringLiteral(ORVA_EXECUTABLE), {});
    QVERIFY(child.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(child.canReadLine(), 30000);
    const QList<QByteArray> typed = child.readLine().trimmed().split(' ');
    QCOMPARE(typed.size(), 3);
    QCOMPARE(typed.at(0), "typed");
    QTRY_COMPARE_WITH_TIMEOUT(copiesIn(recoveryFolder()).size(), 1, 10000);

    Window own = openWindow();
    typeAmount(own.ui->motherMonthlyIncomeEdit, QStringLiteral("100"));
    own.window->recovery()->writeNow();
    QCOMPARE(copiesIn(recoveryFolder()).size(), 2);
    {
        AskAnswers answers;
        own.window->offerRecoveredCases();
        QCOMPARE(answers.shown().size(), 0);
    }

    ::kill(pid_t(child.processId()), SIGKILL);
    QVERIFY(child.waitForFinished());

    Window next = openWindow();
    AskAnswers answers;
    answers.box(QMessageBox::Yes);
    next.window->offerRecoveredCases();
    const QList<Ask::Shown> shown = answers.shown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.at(0).text.startsWith(
                 QStringLiteral("Orva-Calc did not close normally. Restore the case 'Unsaved' (changed at ")),
             qPrintable(shown.at(0).text));
    // The figures the killed program showed, from the copy alone.
    QCOMPARE(QByteArray::number(next.window->document()->motherRecommendedChildSupport()), typed.at(1));
    QCOMPARE(QByteArray::number(next.window->document()->fatherRecommendedChildSupport()), typed.at(2));
    QCOMPARE(next.window->document()->motherMonthlyIncome(), 5000);
    QVERIFY(next.window->document()->modified());
    QVERIFY(next.window->document()->untitled());

    // Closed with Discard: only the other window's copy stays.
    answers.box(QMessageBox::No);
    QVERIFY(next.window->close());
    QCOMPARE(copiesIn(recoveryFolder()).size(), 1);
}

enum class Ending { Save, CloseDiscarding, NewDiscarding };

void TestCaseRecovery::copyGoesWithTheChanges_data()
{
    QTest::addColumn<Ending>("ending");
    QTest::newRow("Save") << Ending::Save;
    QTest::newRow("close, Discard") << Ending::CloseDiscarding;
    QTest::newRow("New, Discard") << Ending::NewDiscarding;
}

void TestCaseRecovery::copyGoesWithTheChanges()
{
    QFETCH(Ending, ending);
    QTemporaryDir scratch;
    Window w = openWindow();
    w.window->recovery()->setInterval(10);
    typeAmount(w.ui->motherMonthlyIncomeEdit, QStringLiteral("4200"));
    QTRY_COMPARE(copiesIn(recoveryFolder()).size(), 1);
    const QString copy = QDir(recoveryFolder()).filePath(copiesIn(recoveryFolder()).at(0));
    typeAmount(w.ui->fatherMonthlyIncomeEdit, QStringLiteral("3100"));
    QTRY_VERIFY(contentOf(copy).contains("<Monthinc_d>3100</Monthinc_d>"));

    AskAnswers answers;
    const QString saved = scratch.filePath(QStringLiteral("case.cml"));
    switch (ending) {
    case Ending::Save:
        answers.file(saved);
        w.window->form()->actionSave->trigger();
        break;
    case Ending::CloseDiscarding:
        answers.box(QMessageBox::No);
        QVERIFY(w.window->close());
        break;
    case Ending::NewDiscarding:
        answers.box(QMessageBox::No);
        w.window->form()->actionNew->trigger();
        break;
    }
    QCOMPARE(copiesIn(recoveryFolder()), QStringList());
}

void TestCaseRecovery::answersToTheOffer_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("restored");
    QTest::addColumn<int>("copiesAfter");
    QTest::newRow("Restore") << QMessageBox::Yes << true << 1;
    QTest::newRow("Discard") << QMessageBox::Discard << false << 0;
    QTest::newRow("Later") << QMessageBox::Cancel << false << 1;
}

// A saved case changed, and the session gone without closing: Restore
// brings the changes back to be saved into the case's own file.
void TestCaseRecovery::answersToTheOffer()
{
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, restored);
    QFETCH(int, copiesAfter);
    QTemporaryDir scratch;
    const QString file = scratch.filePath(QStringLiteral("smith.cml"));
    {
        Window gone = openWindow();
        QVERIFY(gone.doc->writeCaseFile(file));
        typeAmount(gone.ui->motherMonthlyIncomeEdit, QStringLiteral("6100"));
        gone.window->recovery()->writeNow();
    }
    QCOMPARE(copiesIn(recoveryFolder()).size(), 1);

    Window w = openWindow();
    AskAnswers answers;
    answers.box(answer);
    w.window->offerRecoveredCases();
    QCOMPARE(answers.shown().at(0).text.section(QLatin1Char('('), 0, 0),
             QStringLiteral("Orva-Calc did not close normally. Restore the case 'smith.cml' "));
    QCOMPARE(w.window->document()->motherMonthlyIncome(), restored ? 6100 : 0);
    QCOMPARE(copiesIn(recoveryFolder()).size(), copiesAfter);
    if (!restored)
        return;
    QCOMPARE(w.window->document()->filePath(), file);
    QVERIFY(w.window->document()->modified());
    w.window->form()->actionSave->trigger();
    OrvaDocument reread(OrvaDocument::July2022);
    QVERIFY(reread.readCaseFile(file));
    QCOMPARE(reread.motherMonthlyIncome(), 6100);
    QCOMPARE(copiesIn(recoveryFolder()).size(), 0);
}

// Where no copy can be written, the log says so once; nothing asks.
void TestCaseRecovery::unwritableFolderWarnsOnce()
{
    QTemporaryDir scratch;
    QFile blocker(scratch.filePath(QStringLiteral("file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    CaseHolder holder;
    CaseRecovery recovery(&holder, blocker.fileName() + QStringLiteral("/recovery"));
    AskAnswers answers;
    const QRegularExpression warning(QStringLiteral("cannot write the recovery copy"));
    QTest::ignoreMessage(QtWarningMsg, warning);
    QTest::failOnWarning(warning);
    holder.document()->setMotherMonthlyIncome(100);
    holder.document()->setModified(true);
    recovery.writeNow();
    holder.document()->setMotherMonthlyIncome(200);
    recovery.writeNow();
    QCOMPARE(answers.shown().size(), 0);
}

ORVA_WIDGET_TEST_MAIN(TestCaseRecovery)
#include "tst_caserecovery.moc"
