#include "AlimonyFile.h"
#include "AlimonyFormulas.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

const char *const InputKeys[] = {"docket", "county", "Plaintiff", "Defendant", "years",
                                 "payorgross", "payeegross", "payordeviationO", "payeedeviationO"};

// Every key of the file with a value of its own: "v1", "v2", ...
QMap<QString, QString> distinctTexts()
{
    QMap<QString, QString> texts;
    int n = 0;
    for (const char *key : InputKeys)
        texts.insert(QString::fromLatin1(key), QStringLiteral("v%1").arg(++n));
    for (const QString &name : Alimony::resultNames())
        texts.insert(name, QStringLiteral("v%1").arg(++n));
    return texts;
}

} // namespace

class TestAlimonyFile : public QObject
{
    Q_OBJECT

private slots:
    void writtenBytes();
    void everyTextSurvivesARoundTrip_data();
    void everyTextSurvivesARoundTrip();
    void reading_data();
    void reading();
    void unreadable_data();
    void unreadable();
};

void TestAlimonyFile::writtenBytes()
{
    const QByteArray bytes = Alimony::fileBytes(distinctTexts());
    // Sorted keys, upper case first; no spaces, no line break at the end.
    QCOMPARE(bytes,
             QByteArray("CalcFormValue = {\"AAMLa\":\"v10\",\"AAMLh\":\"v12\",\"AAMLw\":\"v13\",\"AAMLwk\":\"v11\","
                        "\"AAMm\":\"v26\",\"AAMy\":\"v27\",\"Arizonaa\":\"v18\",\"Arizonah\":\"v20\","
                        "\"Arizonaw\":\"v21\",\"Arizonawk\":\"v19\",\"Defendant\":\"v4\",\"Plaintiff\":\"v3\","
                        "\"TXa\":\"v22\",\"TXh\":\"v24\",\"TXm\":\"v28\",\"TXw\":\"v25\",\"TXwk\":\"v23\","
                        "\"TXy\":\"v29\",\"VAa\":\"v14\",\"VAh\":\"v16\",\"VAw\":\"v17\",\"VAwk\":\"v15\","
                        "\"county\":\"v2\",\"docket\":\"v1\",\"payeedeviationO\":\"v9\",\"payeegross\":\"v7\","
                        "\"payordeviationO\":\"v8\",\"payorgross\":\"v6\",\"years\":\"v5\"}"));

    // Keys without a text are written as empty strings, never left out.
    const QJsonObject empty =
        QJsonDocument::fromJson(Alimony::fileBytes({}).mid(Alimony::PrefixLength)).object();
    QCOMPARE(empty.size(), 29);
    for (auto it = empty.begin(); it != empty.end(); ++it)
        QVERIFY2(it.value().isString() && it.value().toString().isEmpty(), qPrintable(it.key()));
}

void TestAlimonyFile::everyTextSurvivesARoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("apostrophe") << "O'Brien";
    QTest::newRow("double quotes") << "John \"Jack\" Smith";
    QTest::newRow("backslashes") << "C:\\cases\\2024\\";
    QTest::newRow("non-ASCII") << QStringLiteral("Zoë Núñez – Ærø 日本");
    QTest::newRow("markup") << "<b>A & B</b> &amp; <";
    QTest::newRow("control characters") << "tab\there\nline\r\x01";
    QTest::newRow("prefix inside") << "CalcFormValue = {\"x\":1}";
    QTest::newRow("empty") << "";
}

void TestAlimonyFile::everyTextSurvivesARoundTrip()
{
    QFETCH(QString, text);
    QMap<QString, QString> texts = distinctTexts();
    for (const char *key : InputKeys)
        texts.insert(QString::fromLatin1(key), text + QString::fromLatin1(key));

    QMap<QString, QString> read;
    QString error;
    QVERIFY2(Alimony::readInputs(Alimony::fileBytes(texts), &read, &error), qPrintable(error));
    QCOMPARE(read.size(), 9);
    for (const char *key : InputKeys)
        QCOMPARE(read.value(QString::fromLatin1(key)), text + QString::fromLatin1(key));
}

void TestAlimonyFile::reading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("docket");
    QTest::addColumn<QString>("plaintiff");
    QTest::addColumn<QString>("years");

    QTest::newRow("written by us") << QByteArray("CalcFormValue = {\"Plaintiff\":\"Ann\",\"docket\":\"C-1\",\"years\":\"10\"}")
                                   << "C-1" << "Ann" << "10";
    QTest::newRow("apostrophe inside a JSON string")
        << QByteArray("CalcFormValue = {\"Plaintiff\":\"O'Brien\",\"docket\":\"it's\"}") << "it's" << "O'Brien" << "";
    QTest::newRow("single-quote script style")
        << QByteArray("CalcFormValue = {'docket':'A-1','Plaintiff':'Ann','years':'12.5'}") << "A-1" << "Ann" << "12.5";
    QTest::newRow("script style with quotes inside")
        << QByteArray("CalcFormValue = {'docket':'say \"hi\"','Plaintiff':'O\\'Brien'}") << "say \"hi\"" << "O'Brien" << "";
    QTest::newRow("script style, other escapes kept")
        << QByteArray("CalcFormValue = {'docket':'a\\\\n\\n'}") << "a\\n\n" << "" << "";
    QTest::newRow("script style with spaces")
        << QByteArray("CalcFormValue = { 'docket' : 'B-2' ,\n 'years' : '3' }") << "B-2" << "" << "3";
    QTest::newRow("any sixteen bytes before the object")
        << QByteArray("################{\"docket\":\"X\"}") << "X" << "" << "";
    QTest::newRow("numbers instead of strings")
        << QByteArray("CalcFormValue = {\"docket\":17,\"Plaintiff\":\"P\",\"years\":10}") << "" << "P" << "";
    QTest::newRow("null, true, objects")
        << QByteArray("CalcFormValue = {\"docket\":null,\"Plaintiff\":true,\"years\":{\"a\":\"1\"}}") << "" << "" << "";
    QTest::newRow("missing keys, extra members")
        << QByteArray("CalcFormValue = {\"AAMLa\":\"999\",\"other\":\"x\"}") << "" << "" << "";
    QTest::newRow("UTF-8 byte-order mark before the prefix")
        << QByteArray("\xEF\xBB\xBF" "CalcFormValue = {\"docket\":\"M\"}") << "M" << "" << "";
    QTest::newRow("line break at the end") << QByteArray("CalcFormValue = {\"docket\":\"D\"}\n") << "D" << "" << "";
    QTest::newRow("UTF-8 text") << QByteArray("CalcFormValue = {\"Plaintiff\":\"Zo\xc3\xab\"}") << ""
                                << QStringLiteral("Zoë") << "";
}

void TestAlimonyFile::reading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, docket);
    QFETCH(QString, plaintiff);
    QFETCH(QString, years);

    QMap<QString, QString> read{{QStringLiteral("stale"), QStringLiteral("x")}};
    QString error;
    QVERIFY2(Alimony::readInputs(bytes, &read, &error), qPrintable(error));
    QCOMPARE(read.size(), 9);
    QCOMPARE(read.value("docket"), docket);
    QCOMPARE(read.value("Plaintiff"), plaintiff);
    QCOMPARE(read.value("years"), years);
    QCOMPARE(read.value("county"), QString());
}

void TestAlimonyFile::unreadable_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("prefix only") << QByteArray("CalcFormValue = ");
    QTest::newRow("shorter than the prefix") << QByteArray("{\"docket\":\"X\"}");
    QTest::newRow("cut off") << QByteArray("CalcFormValue = {\"docket\":\"X");
    QTest::newRow("an array") << QByteArray("CalcFormValue = [\"docket\",\"X\"]");
    QTest::newRow("a string") << QByteArray("CalcFormValue = \"docket\"");
    QTest::newRow("unbalanced script quote") << QByteArray("CalcFormValue = {'docket':'X}");
}

void TestAlimonyFile::unreadable()
{
    QFETCH(QByteArray, bytes);
    QMap<QString, QString> read{{QStringLiteral("docket"), QStringLiteral("kept")}};
    QString error;
    QVERIFY(!Alimony::readInputs(bytes, &read, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(read.value("docket"), QStringLiteral("kept"));
}

QTEST_APPLESS_MAIN(TestAlimonyFile)
#include "tst_alimonyfile.moc"
