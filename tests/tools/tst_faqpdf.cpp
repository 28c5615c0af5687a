// The FAQ beside the built program read back as a user's viewer reads it, and
// the generator refusing a source it cannot typeset faithfully.

#include "ProgramRun.h"

#include "ReadOnlyFolder.h"

#include <QDir>
#include <QFile>
#include <QPdfDocument>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kFaq = QStringLiteral(ORVA_BINARY_DIR "/bin/FAQ.pdf");
const QString kSource = QStringLiteral(ORVA_SOURCE_DIR "/tools/faq-pdf/faq.txt");

QStringList pageTexts(const QString &path)
{
    QPdfDocument pdf;
    if (pdf.load(path) != QPdfDocument::Error::None)
        return {};
    QStringList pages;
    for (int i = 0; i < pdf.pageCount(); ++i)
        pages << pdf.getAllText(i).text().simplified();
    return pages;
}

using Run = OrvaTest::ProgramRun;

Run generate(const QString &source, const QString &out)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return OrvaTest::runProcess(QStringLiteral(ORVA_FAQ_PDF), {source, out}, environment);
}

void writeText(const QString &path, const QByteArray &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(text), text.size());
    file.close();
}

} // namespace

class TestFaqPdf : public QObject
{
    Q_OBJECT

private slots:
    void answersTheUsualQuestions_data();
    void answersTheUsualQuestions();
    void everyQuestionOfTheSourceIsPrinted();
    void everyQuestionStandsWithItsAnswer();
    void everyPageIsNumbered();
    void malformedSourceKeepsThePreviousFile_data();
    void malformedSourceKeepsThePreviousFile();
    void unwritableFolderKeepsThePreviousFile();
};

void TestFaqPdf::answersTheUsualQuestions_data()
{
    QTest::addColumn<QString>("phrase");
    QTest::newRow("which worksheet") << "Which worksheet applies to my case";
    QTest::newRow("what counts as income") << "What counts as income?";
    QTest::newRow("92 overnights") << "at least 92 overnights";
    QTest::newRow("above the schedule") << "incomes are above the schedule";
    QTest::newRow("cash medical support") << "What is cash medical support";
    QTest::newRow("save and send") << "How do I save a worksheet and send it?";
    QTest::newRow("guideline version") << "Which guideline version should I choose?";
}

void TestFaqPdf::answersTheUsualQuestions()
{
    QFETCH(QString, phrase);
    const QString all = pageTexts(kFaq).join(QLatin1Char(' '));
    QVERIFY2(!all.isEmpty(), "FAQ.pdf is beside the program and readable");
    QVERIFY2(all.contains(phrase), qPrintable(phrase));
}

void TestFaqPdf::everyQuestionOfTheSourceIsPrinted()
{
    QFile source(kSource);
    QVERIFY(source.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList questions;
    for (const QByteArray &line : source.readAll().split('\n')) {
        if (line.startsWith("Q: "))
            questions << QString::fromUtf8(line.mid(3)).trimmed();
    }
    QVERIFY(questions.size() >= 6);
    const QString all = pageTexts(kFaq).join(QLatin1Char(' '));
    for (const QString &question : std::as_const(questions)) {
        // Once in the list of questions at the top, once above its answer.
        QVERIFY2(all.count(question) == 2, qPrintable(question));
    }
}

// A question never ends a page with its answer on the next one.
void TestFaqPdf::everyQuestionStandsWithItsAnswer()
{
    QFile source(kSource);
    QVERIFY(source.open(QIODevice::ReadOnly | QIODevice::Text));
    const QList<QByteArray> lines = source.readAll().split('\n');
    const QStringList pages = pageTexts(kFaq);
    QVERIFY(!pages.isEmpty());
    for (int i = 0; i + 1 < lines.size(); ++i) {
        if (!lines.at(i).startsWith("Q: "))
            continue;
        const QString question = QString::fromUtf8(lines.at(i).mid(3)).trimmed();
        QString answerStart = QString::fromUtf8(lines.at(i + 1)).simplified();
        if (answerStart.startsWith(QLatin1String("- "))) // a list item, printed with a bullet
            answerStart.remove(0, 2);
        answerStart = answerStart.section(QLatin1Char(' '), 0, 3);
        // The heading is the question's last appearance; the list at the top comes first.
        int page = -1;
        for (int p = 0; p < pages.size(); ++p) {
            if (pages.at(p).contains(question))
                page = p;
        }
        QVERIFY2(page >= 0, qPrintable(question));
        const QString &text = pages.at(page);
        QVERIFY2(text.indexOf(answerStart, text.lastIndexOf(question)) >= 0, qPrintable(question));
    }
}

void TestFaqPdf::everyPageIsNumbered()
{
    const QStringList pages = pageTexts(kFaq);
    QVERIFY2(pages.size() > 1, qPrintable(QString::number(pages.size())));
    for (int i = 0; i < pages.size(); ++i) {
        const QString footer = QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.size());
        QVERIFY2(pages.at(i).contains(footer), qPrintable(footer));
    }
}

void TestFaqPdf::malformedSourceKeepsThePreviousFile_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("reason");
    QTest::newRow("text before a section") << QByteArray("Hello\n== S\nQ: q?\nA.\n") << QByteArray("before the first section");
    QTest::newRow("answer without a question") << QByteArray("== S\nAn answer.\n") << QByteArray("without a question");
    QTest::newRow("question without an answer") << QByteArray("== S\nQ: Alone?\n== T\nQ: q?\nA.\n")
                                                << QByteArray("has no answer");
    QTest::newRow("section without questions") << QByteArray("== Empty\n== S\nQ: q?\nA.\n") << QByteArray("has no questions");
    QTest::newRow("only notes") << QByteArray("# a note\n\n") << QByteArray("no questions");
}

void TestFaqPdf::malformedSourceKeepsThePreviousFile()
{
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, reason);
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("faq.txt"));
    const QString out = dir.filePath(QStringLiteral("FAQ.pdf"));
    writeText(in, source);
    writeText(out, "previous FAQ");

    const Run run = generate(in, out);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(reason), run.err.constData());
    QFile kept(out);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("previous FAQ"));
    QVERIFY(!QFile::exists(out + QStringLiteral(".part")));

    // The same folder takes a well-formed source.
    writeText(in, "== Section\nQ: Is this a question?\nYes, and this is its answer.\n- one item\n- two items\n");
    QCOMPARE(generate(in, out).exitCode, 0);
    const QStringList pages = pageTexts(out);
    QCOMPARE(pages.size(), 1);
    QVERIFY(pages.first().contains(QStringLiteral("Yes, and this is its answer.")));
    QVERIFY(pages.first().contains(QStringLiteral("two items")));
}

void TestFaqPdf::unwritableFolderKeepsThePreviousFile()
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("faq.txt"));
    const QString folder = dir.filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(folder));
    const QString out = folder + QStringLiteral("/FAQ.pdf");
    writeText(in, "== Section\nQ: Is this a question?\nYes.\n");
    writeText(out, "previous FAQ");
    {
        OrvaTest::ReadOnlyFolder readOnly(folder);
        if (!readOnly.ok())
            QSKIP(qPrintable(readOnly.reason()));
        const auto run = generate(in, out);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("faq-pdf: cannot write " + QFile::encodeName(out) + ": "), run.err.constData());
    }
    QFile kept(out);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("previous FAQ"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("FAQ.pdf")});
}

QTEST_GUILESS_MAIN(TestFaqPdf)

#include "tst_faqpdf.moc"
