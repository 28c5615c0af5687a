// The program's log file: lines keep their texts, a full file moves aside.
#include "LogFile.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestLogFile : public QObject
{
    Q_OBJECT

private slots:
    void linesKeepTheirTexts();
    void rotationKeepsThreeOlderFiles();
};

void TestLogFile::linesKeepTheirTexts()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("made/on/demand"));
    LogFile::install(folder, false);
    qCritical().noquote() << "AlimonyCalc: open file error:" << "No such file";
    qInstallMessageHandler(nullptr);
    const QByteArray log = contents(LogFile::fileIn(folder));
    QVERIFY2(log.contains(" critical default: AlimonyCalc: open file error: No such file\n"), log.constData());
}

void TestLogFile::rotationKeepsThreeOlderFiles()
{
    QTemporaryDir dir;
    const QString log = LogFile::fileIn(dir.path());
    for (int n = 0; n <= 3; ++n)
        write(n == 0 ? log : log + QLatin1Char('.') + QString::number(n), QByteArray::number(n));
    QVERIFY(LogFile::rotate(log));
    QVERIFY(!QFile::exists(log));
    QCOMPARE(contents(log + QStringLiteral(".1")), QByteArray("0"));
    QCOMPARE(contents(log + QStringLiteral(".2")), QByteArray("1"));
    QCOMPARE(contents(log + QStringLiteral(".3")), QByteArray("2"));
}

QTEST_GUILESS_MAIN(TestLogFile)
#include "tst_logfile.moc"
