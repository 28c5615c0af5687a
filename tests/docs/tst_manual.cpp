// The user manual as built: the compiled help file beside the program opened
// with a CHM reader, the HTML pages beside it with every link leading to a
// page and anchor that exist, and the keyword index refusing dead entries.

#include "ProgramRun.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kBin = QStringLiteral(ORVA_BINARY_DIR "/bin");
const QString kSourcePages = QStringLiteral(ORVA_SOURCE_DIR "/docs/manual");
const QStringList kPages = {"index.html",   "starting.html", "window.html",        "guidelines.html",
                            "custody.html", "warnings.html", "files.html",         "alimony.html",
                            "rateconverter.html", "forms.html", "keywords.html"};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestManual : public QObject
{
    Q_OBJECT

private slots:
    void helpFileOpensWithAReader();
    void linksLeadSomewhere_data();
    void linksLeadSomewhere();
    void keywordIndexRefusesDeadEntries_data();
    void keywordIndexRefusesDeadEntries();
};

void TestManual::helpFileOpensWithAReader()
{
    const QString chm = kBin + QStringLiteral("/ORVA_CALC.chm");
    const QByteArray bytes = readAll(chm);
    QVERIFY2(bytes.startsWith("ITSF"), "a compiled HTML help file");

    const QString reader = QStandardPaths::findExecutable(QStringLiteral("extract_chmLib"));
    QVERIFY2(!reader.isEmpty(), "extract_chmLib (libchm-bin, tools/deps.sh)");
    QTemporaryDir out;
    const OrvaTest::ProgramRun extract = OrvaTest::runProcess(reader, {chm, out.path()});
    QVERIFY2(extract.exitCode == 0, (extract.err + extract.out).constData());
    for (const QString &page : kPages) {
        const QByteArray extracted = readAll(out.filePath(page));
        QVERIFY2(!extracted.isEmpty(), qPrintable(page));
        if (page != QLatin1String("keywords.html"))
            QCOMPARE(extracted, readAll(kSourcePages + QLatin1Char('/') + page));
    }
    // The table of contents, the keyword index and the full-text search index.
    QVERIFY(readAll(out.filePath(QStringLiteral("toc.hhc"))).contains("starting.html"));
    QVERIFY(readAll(out.filePath(QStringLiteral("index.hhk"))).contains("cash medical support"));
    QVERIFY(QFile::exists(out.filePath(QStringLiteral("$FIftiMain"))));
}

void TestManual::linksLeadSomewhere_data()
{
    QTest::addColumn<QString>("page");
    for (const QString &page : kPages)
        QTest::newRow(qPrintable(page)) << page;
}

void TestManual::linksLeadSomewhere()
{
    QFETCH(QString, page);
    const QString folder = kBin + QStringLiteral("/manual/");
    const QString html = QString::fromUtf8(readAll(folder + page));
    QVERIFY2(html.contains(QLatin1String("</html>")), qPrintable(page));
    static const QRegularExpression link(QStringLiteral("href=\"([^\"#]*)(#([^\"]*))?\""));
    int links = 0;
    for (auto it = link.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString target = m.captured(1).isEmpty() ? page : m.captured(1);
        QVERIFY2(!target.contains(QLatin1Char(':')), qPrintable(page + QStringLiteral(": ") + target));
        const QString targetHtml = QString::fromUtf8(readAll(folder + target));
        QVERIFY2(!targetHtml.isEmpty(), qPrintable(page + QStringLiteral(" -> ") + target));
        const QString anchor = m.captured(3);
        if (!anchor.isEmpty())
            QVERIFY2(targetHtml.contains(QStringLiteral("id=\"%1\"").arg(anchor)),
                     qPrintable(page + QStringLiteral(" -> ") + target + QLatin1Char('#') + anchor));
        ++links;
    }
    QVERIFY2(links > 0, "every page leads back to the contents");
}

void TestManual::keywordIndexRefusesDeadEntries_data()
{
    QTest::addColumn<QByteArray>("keywords");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("good") << QByteArray("# note\nzebra|a.html#b\nApple|a.html\n") << true;
    QTest::newRow("missing page") << QByteArray("x|nowhere.html\n") << false;
    QTest::newRow("missing anchor") << QByteArray("x|a.html#nowhere\n") << false;
    QTest::newRow("no target") << QByteArray("just a word\n") << false;
    QTest::newRow("empty") << QByteArray("# only a note\n") << false;
}

void TestManual::keywordIndexRefusesDeadEntries()
{
    QFETCH(QByteArray, keywords);
    QFETCH(bool, accepted);
    QTemporaryDir dir;
    QFile page(dir.filePath(QStringLiteral("a.html")));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<html><body><h2 id=\"b\">B</h2></body></html>");
    page.close();
    QFile list(dir.filePath(QStringLiteral("keywords.txt")));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write(keywords);
    list.close();
    const QString hhk = dir.filePath(QStringLiteral("index.hhk"));
    const QString html = dir.filePath(QStringLiteral("keywords.html"));

    const OrvaTest::ProgramRun run = OrvaTest::runProcess(
        QStringLiteral(ORVA_CMAKE_COMMAND),
        {QStringLiteral("-DIN=") + list.fileName(), QStringLiteral("-DPAGES=") + dir.path(),
         QStringLiteral("-DHHK=") + hhk, QStringLiteral("-DHTML=") + html, QStringLiteral("-P"),
         kSourcePages + QStringLiteral("/keywords.cmake")});
    QVERIFY2((run.exitCode == 0) == accepted, (run.err + run.out).constData());
    QCOMPARE(QFile::exists(hhk), accepted);
    if (!accepted)
        return;
    const QByteArray written = readAll(html);
    // Sorted as a reader looks things up, whatever the case.
    QVERIFY(written.indexOf("Apple") < written.indexOf("zebra"));
    QVERIFY(written.contains("href=\"a.html#b\""));
    QVERIFY(readAll(hhk).contains("<param name=\"Local\" value=\"a.html#b\">"));
}

QTEST_GUILESS_MAIN(TestManual)

#include "tst_manual.moc"
