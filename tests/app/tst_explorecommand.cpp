// The headless explorer command of the real executable: the curves of the
// example case, checked point by point against the worksheet command run on
// the same case with those overnights; errors and usage.
#include "OrvaDocument.h"
#include "ProgramRun.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

class TestExploreCommand : public QObject
{
    Q_OBJECT

private:
    OrvaTest::ProgramRun run(const QStringList &arguments, OrvaTest::RunOptions options = {})
    {
        options.workingDirectory = m_dir.path();
        return OrvaTest::runProgram(ORVA_EXECUTABLE, arguments, OrvaTest::serverEnvironment(m_dir.path()), options);
    }

    static QString example() { return QStringLiteral(ORVA_SOURCE_DIR "/examples/example-shared.cml"); }

    QTemporaryDir m_dir;
    QJsonObject m_curves;

private slots:
    void initTestCase();
    void curvesOfTheExample();
    void pointsMatchTheWorksheet_data();
    void pointsMatchTheWorksheet();
    void failures_data();
    void failures();
};

void TestExploreCommand::initTestCase()
{
    const OrvaTest::ProgramRun result = run({"--explore-json", example()});
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.err.isEmpty(), result.err.constData());
    QJsonParseError error;
    m_curves = QJsonDocument::fromJson(result.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
}

void TestExploreCommand::curvesOfTheExample()
{
    const QJsonArray overnights = m_curves.value("overnights").toArray();
    QCOMPARE(overnights.size(), 366);
    for (int i = 0; i < overnights.size(); ++i)
        QCOMPARE(overnights.at(i).toObject().value("nights").toInt(), i);

    // Incomes 0 to 35,000 in steps of 175 (the larger income, 6,900, is
    // below half of 35,000): 201 for the first parent, whose 4,200 is a
    // step; 202 for the second, whose 6,900 is put among them.
    const QJsonArray income = m_curves.value("income").toArray();
    QCOMPARE(income.size(), 201 + 202);
    const QJsonObject first = income.first().toObject();
    QCOMPARE(first.value("parent").toInt(), 1);
    QCOMPARE(first.value("income").toInteger(), 0);
    QCOMPARE(income.at(200).toObject().value("income").toInteger(), 35000);
    QCOMPARE(income.at(201 + 39).toObject().value("income").toInteger(), 6825);
    QCOMPARE(income.at(201 + 40).toObject().value("income").toInteger(), 6900);
    QCOMPARE(income.last().toObject().value("parent").toInt(), 2);
    // The case's own point on each income curve is the case's order.
    const QJsonArray own = m_curves.value("overnights").toArray().at(100).toObject().value("recommended").toArray();
    QCOMPARE(income.at(24).toObject().value("recommended").toArray(), own);
    QCOMPARE(income.at(201 + 40).toObject().value("recommended").toArray(), own);
}

void TestExploreCommand::pointsMatchTheWorksheet_data()
{
    QTest::addColumn<int>("nights");
    QTest::addColumn<int>("custody");
    const int sole[2] = {OrvaDocument::SoleMother, OrvaDocument::SoleFather};
    QTest::newRow("0") << 0 << sole[0];
    QTest::newRow("91, last sole") << 91 << sole[0];
    QTest::newRow("92, first shared") << 92 << int(OrvaDocument::Shared);
    QTest::newRow("94, band edge") << 94 << int(OrvaDocument::Shared);
    QTest::newRow("95, next band") << 95 << int(OrvaDocument::Shared);
    QTest::newRow("110, no adjustment") << 110 << int(OrvaDocument::Shared);
    QTest::newRow("256, mother's band") << 256 << int(OrvaDocument::Shared);
    QTest::newRow("273, last shared") << 273 << int(OrvaDocument::Shared);
    QTest::newRow("274, first sole") << 274 << sole[1];
    QTest::newRow("365") << 365 << sole[1];
}

// The example with the father's overnights changed, saved and handed to
// --worksheet-json: its recommended amounts are the curve's point.
void TestExploreCommand::pointsMatchTheWorksheet()
{
    QFETCH(int, nights);
    QFETCH(int, custody);
    OrvaDocument split(OrvaDocument::July2022);
    QVERIFY(split.readCaseFile(example()));
    split.setCustodyType(custody);
    split.setFatherOvernights(nights);
    const QString file = m_dir.filePath(QStringLiteral("split-%1.cml").arg(nights));
    QVERIFY(split.writeCaseFile(file));

    const OrvaTest::ProgramRun result = run({"--worksheet-json", file});
    QCOMPARE(result.exitCode, 0);
    const QJsonObject worksheet = QJsonDocument::fromJson(result.out).object();
    const QString sheet = worksheet.value("worksheet").toString();
    // The court's current forms: A's order on line 9, B's on line 16.
    const QString line = sheet == "B" ? "line16" : "line9";
    const QJsonObject point = m_curves.value("overnights").toArray().at(nights).toObject();
    QCOMPARE(point.value("worksheet").toString(), sheet);
    const QJsonArray recommended = point.value("recommended").toArray();
    // Worksheet A leaves the custodial parent's line blank.
    const auto printed = [&worksheet](const QString &field) {
        const QString text = worksheet.value(field).toString();
        return text.isEmpty() ? QStringLiteral("0") : text;
    };
    QCOMPARE(QString::number(recommended.at(0).toInteger()), printed(line + "_m"));
    QCOMPARE(QString::number(recommended.at(1).toInteger()), printed(line + "_f"));
}

void TestExploreCommand::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("standardOutput"); // a device to write to, empty: a pipe
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("no such file") << QStringList{"--explore-json", "missing.cml"} << QString() << 2
                                  << "orvacalc: cannot read case file \"missing.cml\": no such file\n";
    QTest::newRow("not a case") << QStringList{"--explore-json", "/dev/null"} << QString() << 2
                                << "orvacalc: cannot read case file \"/dev/null\"";
    QTest::newRow("extra argument") << QStringList{"--explore-json", example(), "more.cml"} << QString() << 1
                                    << "unexpected argument \"more.cml\"";
    QTest::newRow("full disk") << QStringList{"--explore-json", example()} << "/dev/full" << 2
                               << "orvacalc: cannot write to standard output: No space left on device\n";
}

void TestExploreCommand::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, standardOutput);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    if (!standardOutput.isEmpty() && !QFile::exists(standardOutput))
        QSKIP("no such device here");
    OrvaTest::RunOptions options;
    options.standardOutputFile = standardOutput;
    const OrvaTest::ProgramRun result = run(arguments, options);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY(result.out.isEmpty());
    const QString err = QString::fromLocal8Bit(result.err);
    QVERIFY2(err.startsWith(message) || err.contains(message), qPrintable(err));
    QCOMPARE(err.count(QLatin1Char('\n')), 1);
}

QTEST_GUILESS_MAIN(TestExploreCommand)
#include "tst_explorecommand.moc"
