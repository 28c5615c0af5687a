// The headless alimony command of the real executable: the object the
// calculator would save for a file on disk, errors and usage.
#include "AlimonyCommand.h"
#include "AlimonyFile.h"
#include "AlimonyFormulas.h"
#include "ProgramRun.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

class TestAlimonyCommand : public QObject
{
    Q_OBJECT

private:
    OrvaTest::ProgramRun run(const QStringList &arguments, OrvaTest::RunOptions options = {})
    {
        options.workingDirectory = m_dir.path();
        return OrvaTest::runProgram(ORVA_EXECUTABLE, arguments, OrvaTest::serverEnvironment(m_dir.path()), options);
    }

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QTemporaryDir m_dir;

private slots:
    void savedObject_data();
    void savedObject();
    void sameAsTheDialogWouldSave();
    void failures_data();
    void failures();
    void standardOutputFailures_data();
    void standardOutputFailures();
};

void TestAlimonyCommand::savedObject_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("docket");
    QTest::addColumn<QString>("aamlMonthly");
    QTest::addColumn<QString>("texasMonths");

    // Stored results are ignored: they are recomputed from the inputs.
    QTest::newRow("ten years, stale results")
        << QByteArray("CalcFormValue = {\"AAMLwk\":\"1\",\"TXm\":\"9\",\"docket\":\"24-C-7\",\"payeegross\":\"20000\","
                      "\"payorgross\":\"100000\",\"years\":\"10\"}")
        << "24-C-7" << "2166" << "60.0";
    QTest::newRow("script style, apostrophe")
        << QByteArray("CalcFormValue = {'docket':'O\\'Neil','years':'4','payorgross':'60000','payeegross':'40000',"
                      "'payordeviationO':'100','payeedeviationO':'50'}")
        << "O'Neil" << "50" << "0.0";
    QTest::newRow("numbers instead of strings")
        << QByteArray("CalcFormValue = {\"docket\":12,\"years\":10,\"payorgross\":\"100000\"}") << "" << "2500"
        << "0.0";
}

void TestAlimonyCommand::savedObject()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, docket);
    QFETCH(QString, aamlMonthly);
    QFETCH(QString, texasMonths);

    const OrvaTest::ProgramRun result = run({"--alimony-json", write("case.calc", file)});
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.err.isEmpty(), result.err.constData());
    QJsonParseError error;
    const QJsonObject object = QJsonDocument::fromJson(result.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(object.size(), 29);
    for (auto it = object.begin(); it != object.end(); ++it)
        QVERIFY2(it.value().isString(), qPrintable(it.key()));
    QCOMPARE(object.value("docket").toString(), docket);
    QCOMPARE(object.value("AAMLwk").toString(), aamlMonthly);
    QCOMPARE(object.value("TXm").toString(), texasMonths);
}

// Every member, compared with what the calculator saves for the same inputs.
void TestAlimonyCommand::sameAsTheDialogWouldSave()
{
    const QMap<QString, QString> inputs = {
        {"docket", "D-1 & <2>"}, {"county", "Cecil"}, {"Plaintiff", "Zoë \"Z\""}, {"Defendant", "O'Hara"},
        {"years", "19.95"},      {"payorgross", "90000"}, {"payeegross", "30000"}, {"payordeviationO", "12.5"},
        {"payeedeviationO", "1,000"}};
    const OrvaTest::ProgramRun result = run({"--alimony-json", write("all.calc", Alimony::fileBytes(inputs))});
    QCOMPARE(result.exitCode, 0);

    QMap<QString, QString> texts = Alimony::recalculate({"19.95", "90000", "30000", "12.5", "1,000"});
    texts.insert(inputs);
    const QJsonObject expected = QJsonDocument::fromJson(Alimony::fileBytes(texts).mid(Alimony::PrefixLength)).object();
    QCOMPARE(QJsonDocument::fromJson(result.out).object(), expected);
    QCOMPARE(AlimonyCommand::savedObject(inputs), expected);
    // 17955 + 12 x 0 (12.5 is no whole amount) - 12 x 1,000.
    QCOMPARE(expected.value("Arizonaa").toString(), QStringLiteral("5955"));
}

void TestAlimonyCommand::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("content"); // written as bad.calc when not empty
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("no such file") << QStringList{"--alimony-json", "missing.calc"} << QByteArray() << 2
                                  << "cannot read alimony file \"missing.calc\"";
    QTest::newRow("a folder") << QStringList{"--alimony-json", "."} << QByteArray() << 2 << "a folder";
    QTest::newRow("not JSON") << QStringList{"--alimony-json", "bad.calc"} << QByteArray("CalcFormValue = {x}") << 2
                              << "not a valid alimony file";
    QTest::newRow("an array") << QStringList{"--alimony-json", "bad.calc"} << QByteArray("CalcFormValue = [1]") << 2
                              << "not a valid alimony file";
    QTest::newRow("a device") << QStringList{"--alimony-json", "/dev/zero"} << QByteArray() << 2
                              << "not a regular file";
    QTest::newRow("far too large") << QStringList{"--alimony-json", "bad.calc"}
                                   << "CalcFormValue = {\"years\":\"" + QByteArray(2 << 20, '1') + "\"}" << 2
                                   << "too large for an alimony file";
    QTest::newRow("extra argument") << QStringList{"--alimony-json", "bad.calc", "more.calc"}
                                    << QByteArray("CalcFormValue = {}") << 1 << "unexpected argument";
    QTest::newRow("no file name") << QStringList{"--alimony-json"} << QByteArray() << 1 << "";
}

void TestAlimonyCommand::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, content);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    if (!content.isEmpty())
        write("bad.calc", content);

    const OrvaTest::ProgramRun result = run(arguments);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY(result.out.isEmpty());
    const QString err = QString::fromLocal8Bit(result.err);
    QVERIFY2(err.contains(message), qPrintable(err));
    if (exitCode == 2)
        QCOMPARE(err.count(QLatin1Char('\n')), 1);
}

void TestAlimonyCommand::standardOutputFailures_data()
{
    QTest::addColumn<QString>("stream");
    QTest::addColumn<QString>("reason");
    QTest::newRow("full device") << "/dev/full" << "No space left on device";
    QTest::newRow("reader gone") << "broken-pipe" << "Broken pipe";
}

void TestAlimonyCommand::standardOutputFailures()
{
    QFETCH(QString, stream);
    QFETCH(QString, reason);
    if (stream.startsWith('/') && !QFile::exists(stream))
        QSKIP("no such device here");
    const QString path = write("ok.calc", "CalcFormValue = {\"years\":\"10\"}");
    OrvaTest::RunOptions options;
    if (stream == "broken-pipe") {
        options.inChild = [] {
            int ends[2];
            if (::pipe(ends) != 0 || ::dup2(ends[1], STDOUT_FILENO) < 0)
                ::_exit(91);
            ::close(ends[0]);
            ::close(ends[1]);
        };
    } else {
        options.standardOutputFile = stream;
    }
    const OrvaTest::ProgramRun result = run({"--alimony-json", path}, options);
    // Not killed by the signal of a closed pipe: the failure is said and the exit code tells it.
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(QString::fromLocal8Bit(result.err), "orvacalc: cannot write to standard output: " + reason + "\n");
}

QTEST_GUILESS_MAIN(TestAlimonyCommand)
#include "tst_alimonycommand.moc"
