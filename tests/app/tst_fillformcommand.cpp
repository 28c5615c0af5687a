// orvacalc --fill-form run as a script runs it, on a machine without a
// display: the real program, its form viewer offscreen, the written form
// read back with pdftotext; wrong usage and unwritable output as for
// --worksheet-pdf.

#include "ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Example = QStringLiteral(ORVA_SOURCE_DIR "/examples/example-shared.cml");

QString pdfText(const QString &path)
{
    return QString::fromUtf8(OrvaTest::runProcess(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}).out);
}

} // namespace

class TestFillFormCommand : public QObject
{
    Q_OBJECT

private:
    OrvaTest::ProgramRun run(const QStringList &arguments)
    {
        QProcessEnvironment env = OrvaTest::serverEnvironment(m_dir.path());
        env.remove(QStringLiteral("QT_LOGGING_RULES"));
        OrvaTest::RunOptions options;
        options.workingDirectory = m_dir.path();
        options.timeoutMs = 120000;
        return OrvaTest::runProgram(QStringLiteral(ORVA_EXECUTABLE), arguments, env, options);
    }

    QTemporaryDir m_dir;

private slots:
    void fills_data();
    void fills();
    void refused_data();
    void refused();
};

void TestFillFormCommand::fills_data()
{
    QTest::addColumn<QStringList>("arguments"); // OUT.pdf and the case follow
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("absent");

    // The example: mother Jane Q. Sample earns 4200, father John R. Sample
    // 6900; its client is not chosen.
    QTest::newRow("9-202, the mother as client")
        << QStringList{"--fill-form", "9-202", "--client", "1"}
        << QStringList{"Jane Q. Sample", "C-15-FM-24-004821", "Ava Sample", "Ben Sample", "4,200"} << "6,900";
    QTest::newRow("9-203, the father by --client=2")
        << QStringList{"--client=2", "--fill-form", "9-203"} << QStringList{"John R. Sample", "6,900", "220"}
        << "4,200";
    QTest::newRow("parenting plan, no client") << QStringList{"--fill-form", "parenting-plan"}
                                               << QStringList{"Jane Q. Sample", "Mother", "Father"} << "4,200";
}

void TestFillFormCommand::fills()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, present);
    QFETCH(QString, absent);
    const QString out = m_dir.filePath(QStringLiteral("form %1.pdf").arg(QTest::currentDataTag()));
    const OrvaTest::ProgramRun result = run(arguments << out << Example);
    QVERIFY2(result.exitCode == 0, result.err.constData());
    QVERIFY(result.err.isEmpty());
    // The form itself with its words: a few hundred KB at most.
    QVERIFY(QFileInfo(out).size() < 1000000);
    const QString text = pdfText(out);
    for (const QString &word : present)
        QVERIFY2(text.contains(word), qPrintable(word));
    QVERIFY(!text.contains(absent));
}

void TestFillFormCommand::refused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error");

    QTest::newRow("unknown form") << QStringList{"--fill-form", "9-204", "out.pdf", Example} << 1
                                  << "orvacalc: unknown form \"9-204\"";
    QTest::newRow("client 3") << QStringList{"--fill-form", "9-202", "--client", "3", "out.pdf", Example} << 1
                              << "orvacalc: --client is 1 or 2";
    QTest::newRow("client alone") << QStringList{"--client", "1", "out.pdf", Example} << 1
                                  << "orvacalc: --client goes with --fill-form";
    QTest::newRow("no case") << QStringList{"--fill-form", "9-202", "out.pdf"} << 1 << "orvacalc: --fill-form needs";
    QTest::newRow("over the case") << QStringList{"--fill-form", "9-202", Example, Example} << 1
                                   << "orvacalc: the PDF";
    QTest::newRow("missing case") << QStringList{"--fill-form", "9-202", "out.pdf", "missing.cml"} << 2
                                  << "orvacalc: cannot read case file \"missing.cml\": no such file";
    QTest::newRow("no such folder") << QStringList{"--fill-form", "joint-statement", "none/out.pdf", Example} << 2
                                    << "orvacalc: cannot write the form PDF \"none/out.pdf\"";
}

void TestFillFormCommand::refused()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, error);
    const OrvaTest::ProgramRun result = run(arguments);
    QCOMPARE(result.exitCode, exitCode);
    const QString err = QString::fromLocal8Bit(result.err);
    QCOMPARE(err.count(QLatin1Char('\n')), 1);
    QVERIFY2(err.startsWith(error), qPrintable(err));
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("out.pdf"))));
    QVERIFY(QFileInfo(Example).size() > 1000); // the case stays
}

QTEST_GUILESS_MAIN(TestFillFormCommand)

#include "tst_fillformcommand.moc"
