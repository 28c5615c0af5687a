#include "OrvaEnums.h"

#include <QFile>
#include <QThread>
#include <QtTest>

#include <vector>

class TestSchedules : public QObject
{
    Q_OBJECT

private slots:
    void everyRowEqualsTheStatute_data();
    void everyRowEqualsTheStatute();
    void tellingRows_data();
    void tellingRows();
    void monotonic();
    void absentKeysGiveZeros();
    void singleInstanceAcrossThreads();
};

using Rows = std::vector<std::pair<qint64, OrvaEnums::Row>>;

static Rows readCsv(const QStringList &files)
{
    Rows rows;
    for (const QString &name : files) {
        QFile file(QString(ORVA_SOURCE_DIR "/model/data/") + name);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            qFatal("cannot open %s", qPrintable(name));
        const QList<QByteArray> lines = file.readAll().split('\n');
        for (int i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines.at(i).trimmed();
            if (line.isEmpty())
                continue;
            const QList<QByteArray> cells = line.split(',');
            if (cells.size() != 7)
                qFatal("bad row in %s", qPrintable(name));
            OrvaEnums::Row row{};
            for (int c = 0; c < 6; ++c)
                row[c] = cells.at(c + 1).toInt();
            rows.emplace_back(cells.at(0).toLongLong(), row);
        }
    }
    return rows;
}

void TestSchedules::everyRowEqualsTheStatute_data()
{
    QTest::addColumn<int>("schedule");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("count");
    QTest::addColumn<qint64>("first");
    QTest::newRow("first") << int(OrvaEnums::First)
                           << QStringList{"md-schedule-2010.csv", "md-schedule-2010-above-15000.csv"} << 576
                           << qint64(1250);
    QTest::newRow("second") << int(OrvaEnums::Second) << QStringList{"md-schedule-2022.csv"} << 577 << qint64(1200);
}

void TestSchedules::everyRowEqualsTheStatute()
{
    QFETCH(int, schedule);
    QFETCH(QStringList, files);
    QFETCH(int, count);
    QFETCH(qint64, first);
    const auto which = static_cast<OrvaEnums::Schedule>(schedule);
    const OrvaEnums &enums = OrvaEnums::instance();
    const Rows csv = readCsv(files);
    QCOMPARE(int(csv.size()), count);
    QCOMPARE(enums.rowCount(which), count);
    QCOMPARE(enums.firstKey(which), first);
    QCOMPARE(enums.lastKey(which), qint64(30000));
    for (int i = 0; i < count; ++i) {
        QCOMPARE(enums.keyAt(which, i), csv[i].first);
        QCOMPARE(enums.row(which, csv[i].first), csv[i].second);
    }
}

void TestSchedules::tellingRows_data()
{
    QTest::addColumn<int>("schedule");
    QTest::addColumn<qint64>("key");
    QTest::addColumn<QList<int>>("amounts");
    const int first = OrvaEnums::First;
    const int second = OrvaEnums::Second;
    QTest::newRow("first 1250") << first << qint64(1250) << QList<int>{162, 163, 165, 167, 169, 170};
    QTest::newRow("first 1300") << first << qint64(1300) << QList<int>{195, 197, 199, 202, 204, 206};
    QTest::newRow("first 2000") << first << qint64(2000) << QList<int>{395, 574, 654, 661, 668, 675};
    QTest::newRow("first 5000") << first << qint64(5000) << QList<int>{852, 1229, 1442, 1611, 1772, 1926};
    QTest::newRow("first 10000") << first << qint64(10000) << QList<int>{1271, 1811, 2101, 2347, 2582, 2806};
    QTest::newRow("first 15000") << first << qint64(15000) << QList<int>{1942, 2847, 3379, 3784, 4186, 4569};
    QTest::newRow("first 30000") << first << qint64(30000) << QList<int>{3884, 5695, 6758, 7568, 8371, 9138};
    QTest::newRow("second 1200") << second << qint64(1200) << QList<int>{50, 55, 57, 58, 59, 60};
    QTest::newRow("second 1250") << second << qint64(1250) << QList<int>{74, 79, 81, 82, 83, 84};
    QTest::newRow("second 1300") << second << qint64(1300) << QList<int>{109, 116, 119, 121, 122, 124};
    QTest::newRow("second 2000") << second << qint64(2000) << QList<int>{403, 591, 658, 667, 675, 684};
    QTest::newRow("second 5000") << second << qint64(5000) << QList<int>{924, 1356, 1639, 1831, 2014, 2189};
    QTest::newRow("second 10000") << second << qint64(10000) << QList<int>{1345, 1881, 2257, 2521, 2773, 3014};
    QTest::newRow("second 15000") << second << qint64(15000) << QList<int>{2160, 3015, 3454, 3858, 4244, 4613};
    QTest::newRow("second 30000") << second << qint64(30000) << QList<int>{3163, 4596, 5256, 5871, 6458, 7020};
}

void TestSchedules::tellingRows()
{
    QFETCH(int, schedule);
    QFETCH(qint64, key);
    QFETCH(QList<int>, amounts);
    const OrvaEnums::Row row = OrvaEnums::instance().row(static_cast<OrvaEnums::Schedule>(schedule), key);
    for (int c = 0; c < 6; ++c)
        QCOMPARE(row[c], amounts.at(c));
}

void TestSchedules::monotonic()
{
    const OrvaEnums &enums = OrvaEnums::instance();
    for (auto schedule : {OrvaEnums::First, OrvaEnums::Second}) {
        OrvaEnums::Row previous{};
        for (int i = 0; i < enums.rowCount(schedule); ++i) {
            const OrvaEnums::Row row = enums.row(schedule, enums.keyAt(schedule, i));
            for (int c = 0; c < 6; ++c) {
                if (c > 0)
                    QVERIFY(row[c] >= row[c - 1]);
                QVERIFY(row[c] >= previous[c]);
            }
            previous = row;
        }
    }
}

void TestSchedules::absentKeysGiveZeros()
{
    const OrvaEnums &enums = OrvaEnums::instance();
    const OrvaEnums::Row zeros{0, 0, 0, 0, 0, 0};
    QCOMPARE(enums.row(OrvaEnums::First, 1200), zeros);
    QCOMPARE(enums.row(OrvaEnums::First, 1275), zeros);
    QCOMPARE(enums.row(OrvaEnums::Second, 30050), zeros);
    QCOMPARE(enums.row(OrvaEnums::Second, -50), zeros);
    QCOMPARE(enums.row(OrvaEnums::Second, std::numeric_limits<qint64>::min()), zeros);
    QCOMPARE(enums.row(OrvaEnums::Second, std::numeric_limits<qint64>::max()), zeros);
}

void TestSchedules::singleInstanceAcrossThreads()
{
    std::vector<const OrvaEnums *> seen(8, nullptr);
    std::vector<QThread *> threads;
    for (size_t i = 0; i < seen.size(); ++i)
        threads.push_back(QThread::create([&seen, i] { seen[i] = &OrvaEnums::instance(); }));
    for (QThread *thread : threads)
        thread->start();
    for (QThread *thread : threads) {
        thread->wait();
        delete thread;
    }
    for (const OrvaEnums *instance : seen)
        QCOMPARE(instance, &OrvaEnums::instance());
}

QTEST_GUILESS_MAIN(TestSchedules)
#include "tst_schedules.moc"
