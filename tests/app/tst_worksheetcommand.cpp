// The headless worksheet command of the real executable: JSON and PDF output
// for case files on disk, errors, usage and a machine without a display.
#include "ChildProcess.h"
#include "KillAt.h"
#include "OrvaDocument.h"
#include "ProgramRun.h"
#include "PDFDocument.h"
#include "ReadOnlyFolder.h"
#include "SpecialFiles.h"
#include "WorksheetCommand.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPdfDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using Doc = OrvaDocument;

class TestWorksheetCommand : public QObject
{
    Q_OBJECT

private:
    using Run = OrvaTest::ProgramRun;

    Run run(const QStringList &arguments, QProcessEnvironment environment = {})
    {
        if (environment.isEmpty())
            environment = this->environment();
        return OrvaTest::runProgram(ORVA_EXECUTABLE, arguments, environment, m_dir.path());
    }

    // As on a server, with the program's own logging rules: a stray message
    // shows in the output the tests compare.
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = OrvaTest::serverEnvironment(m_dir.path());
        env.remove("QT_LOGGING_RULES");
        env.insert("TMPDIR", scratchFolder());
        return env;
    }

    // The temporary folder of every run: the commands leave nothing there.
    QString scratchFolder() const { return m_dir.filePath("tmp"); }

    // Runs the program with standard output set up by `modifier` in the child
    // (a closed stream, a broken pipe, a file-size limit).
    Run runModified(const QStringList &arguments, const std::function<void()> &modifier)
    {
        OrvaTest::RunOptions options;
        options.workingDirectory = m_dir.path();
        options.inChild = modifier;
        return OrvaTest::runProgram(ORVA_EXECUTABLE, arguments, environment(), options);
    }

    static QByteArray readAll(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    static std::unique_ptr<Doc> makeCase(Doc::Mode mode, int custody)
    {
        auto d = std::make_unique<Doc>(mode);
        d->setCustodyType(custody);
        d->setCourtType(Doc::District);
        d->setCounty(Doc::Worcester_County);
        d->setCaseNumber("D-23-FM-24-9");
        d->setPlaintiffName("Jane Sample");
        d->setDefendantName("John Sample");
        d->setChildName(1, "Ava");
        d->setChildBirthDate(1, "2015");
        d->setChildBirthDate(4, "3 yrs"); // no name: counts all the same
        d->setMotherMonthlyIncome(1234567);
        d->setFatherMonthlyIncome(5200);
        d->setFatherAlimonyAwarded(-400);
        d->setMotherWorkRelatedExpenses(310);
        d->setFatherHealthInsurance(190);
        d->setFootnote(7, "Consent order of 2024");
        d->setComments("Agreed.");
        return d;
    }

    QString writeCase(const QString &name, Doc::Mode mode, int custody)
    {
        const QString file = path(name);
        return makeCase(mode, custody)->writeCaseFile(file) ? file : QString();
    }

    QTemporaryDir m_dir;

private slots:
    void initTestCase();
    void json_data();
    void json();
    void pdf_data();
    void pdf();
    void bothAtOnce();
    void unreadableCaseFile_data();
    void unreadableCaseFile();
    void unwritablePdf();
    void usageErrors_data();
    void usageErrors();
    void helpListsTheOptions();
    void staleDisplayDoesNotMatter();
    void bundledExample();
    void courtFormCaptionsInOrder_data();
    void courtFormCaptionsInOrder();
    void pdfWouldReplaceTheCase_data();
    void pdfWouldReplaceTheCase();
    void pdfRefusedOrFailed_data();
    void pdfRefusedOrFailed();
    void standardOutputFailures_data();
    void standardOutputFailures();
    void readFailureReasons_data();
    void readFailureReasons();
    void boundedWorksheet();
    void namesThatAreNotText_data();
    void namesThatAreNotText();
    void settingsFileIsAPipe();
    void saveCutOffIsCompletedAtStart();
};

void TestWorksheetCommand::initTestCase()
{
    QVERIFY(QDir().mkpath(scratchFolder()));
}

void TestWorksheetCommand::json_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("custody");
    QTest::addColumn<QString>("worksheet");
    QTest::newRow("shared, July 2022") << int(Doc::July2022) << int(Doc::Shared) << "B";
    QTest::newRow("shared P1P2, pre October 2020") << int(Doc::PreOct2020) << int(Doc::SharedP1P2) << "B";
    QTest::newRow("sole father, October 2020") << int(Doc::NewOct2020) << int(Doc::SoleFather) << "A";
    QTest::newRow("sole parent 1, July 2022") << int(Doc::July2022) << int(Doc::SoleParent1) << "A";
}

void TestWorksheetCommand::json()
{
    QFETCH(int, mode);
    QFETCH(int, custody);
    QFETCH(QString, worksheet);

    const QString file = writeCase(QStringLiteral("json-%1.cml").arg(QTest::currentDataTag()), Doc::Mode(mode), custody);
    QVERIFY(!file.isEmpty());
    const Run result = run({"--worksheet-json", file});
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.err.isEmpty(), result.err.constData());

    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(result.out, &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    QVERIFY(json.isObject());
    const QJsonObject object = json.object();
    QCOMPARE(object.value("worksheet").toString(), worksheet);

    // Every field of the table, each as the string the worksheet prints.
    QStringList expectedKeys = PDFDocument::knownFieldNames(mode, custody);
    expectedKeys << "worksheet";
    QStringList keys = object.keys();
    expectedKeys.sort();
    keys.sort();
    QCOMPARE(keys, expectedKeys);
    for (auto it = object.constBegin(); it != object.constEnd(); ++it)
        QVERIFY2(it.value().isString(), qPrintable(it.key()));

    // The same texts as the worksheet drawn from the file read back here.
    Doc reread(Doc::July2022);
    QVERIFY(reread.readCaseFile(file));
    const QJsonObject expected = WorksheetCommand::fieldsJson(reread);
    for (auto it = expected.constBegin(); it != expected.constEnd(); ++it)
        QCOMPARE(object.value(it.key()).toString(), it.value().toString());

    QCOMPARE(object.value("monthly_income_m").toString(), QString("1234567"));
    QCOMPARE(object.value("alimony_awarded_f").toString(), QString("-400"));
    QCOMPARE(object.value("court").toString(), QString("In the District Court for Worcester County, Maryland"));
    QCOMPARE(object.value("fnn7").toString(), QString("1"));
    QCOMPARE(object.value("comments").toString(), QString("* 1 Consent order of 2024\nAgreed.\n"));
    QCOMPARE(object.value("numchildren").toString(), QString("2"));
    if (mode == Doc::July2022) {
        // Only the names of the case's own court form.
        QVERIFY(object.contains(worksheet == "A" ? "line9_m" : "line16_m"));
        QVERIFY(!object.contains("prepost") && !object.contains(worksheet == "A" ? "line16_m" : "line7a_f"));
    } else if (worksheet == "A") {
        QCOMPARE(object.value("prepost").toString(), QString(""));
        QCOMPARE(object.value("line14_m").toString(), QString(""));
        QVERIFY(!object.value("line7a_f").toString().isEmpty());
    } else {
        QCOMPARE(object.value("line7a_f").toString(), QString(""));
        QVERIFY(!object.value("line14_m").toString().isEmpty());
    }
}

void TestWorksheetCommand::pdf_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("custody");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("stored");   // paper in the settings; empty: none
    QTest::addColumn<QStringList>("paper"); // --paper and its value, if given
    QTest::addColumn<QSizeF>("page");
    const QSizeF letter(612, 792);
    const QSizeF a4(595, 842);
    QTest::newRow("Worksheet A, Letter unless chosen otherwise")
        << int(Doc::July2022) << int(Doc::SoleMother) << 2 << "" << QStringList{} << letter;
    QTest::newRow("Worksheet B, --paper a4") << int(Doc::NewOct2020) << int(Doc::Shared) << 2 << ""
                                             << QStringList{"--paper", "a4"} << a4;
    QTest::newRow("Worksheet B, pre October 2020, A4 from the settings")
        << int(Doc::PreOct2020) << int(Doc::SharedP1P2) << 2 << "a4" << QStringList{} << a4;
    QTest::newRow("Worksheet A, --paper=Letter over the settings")
        << int(Doc::NewOct2020) << int(Doc::SoleFather) << 1 << "a4" << QStringList{"--paper=Letter"} << letter;
}

void TestWorksheetCommand::pdf()
{
    QFETCH(int, mode);
    QFETCH(int, custody);
    QFETCH(int, pages);
    QFETCH(QString, stored);
    QFETCH(QStringList, paper);
    QFETCH(QSizeF, page);

    // The settings store of the program, as its File menu leaves it.
    const QString settings = path(".config/Pellwood/Orva-Calc.conf");
    QFile::remove(settings);
    if (!stored.isEmpty()) {
        QDir().mkpath(QFileInfo(settings).path());
        QFile file(settings);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[General]\npaper-size=" + stored.toLatin1() + "\n");
    }

    const QString file = writeCase(QStringLiteral("pdf-%1.cml").arg(QTest::currentDataTag()), Doc::Mode(mode), custody);
    const QString out = path(QStringLiteral("pdf-%1.pdf").arg(QTest::currentDataTag()));
    {
        QFile stale(out); // an older worksheet is replaced
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("old");
    }
    const Run result = run(QStringList{"--worksheet-pdf", out} + paper + QStringList{file});
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.err.isEmpty(), result.err.constData());
    QVERIFY(result.out.isEmpty());

    QPdfDocument pdf;
    QCOMPARE(pdf.load(out), QPdfDocument::Error::None);
    QCOMPARE(pdf.pageCount(), pages);
    for (int i = 0; i < pages; ++i)
        QCOMPARE(pdf.pagePointSize(i), page);
    const QString text = pdf.getAllText(0).text();
    QVERIFY(text.contains("Jane Sample"));
    QVERIFY(text.contains("1234567"));
    QVERIFY(text.contains(Doc::isSharedCustody(custody) ? "WORKSHEET B" : "WORKSHEET A"));
    // No scratch files left beside the output, nor in the temporary folder.
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("pdf-%1.pdf*").arg(QTest::currentDataTag())}, QDir::Files).size(), 1);
    QCOMPARE(QDir(m_dir.path()).entryList({".orvacalc-*"}, QDir::Files | QDir::Hidden), QStringList());
    QCOMPARE(QDir(scratchFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList());
}

void TestWorksheetCommand::bothAtOnce()
{
    const QString file = writeCase("both.cml", Doc::July2022, Doc::Shared);
    const QString out = path("both.pdf");
    const Run result = run({"--worksheet-json", file, "--worksheet-pdf", out});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(QJsonDocument::fromJson(result.out).object().value("worksheet").toString(), QString("B"));
    QPdfDocument pdf;
    QCOMPARE(pdf.load(out), QPdfDocument::Error::None);
    QCOMPARE(pdf.pageCount(), 3);
}

void TestWorksheetCommand::unreadableCaseFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // written unless null
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing") << "missing.cml" << QByteArray() << "no such file";
    QTest::newRow("folder") << "." << QByteArray() << "a folder, not a case file";
    QTest::newRow("empty") << "empty.cml" << QByteArray("") << "not an OrvaCalc case file";
    QTest::newRow("plain text") << "notes.cml" << QByteArray("Just some notes, no XML.\n") << "not an OrvaCalc case file";
    QTest::newRow("other XML") << "other.cml" << QByteArray("<?xml version=\"1.0\"?><html><body/></html>")
                               << "not an OrvaCalc case file";
    QTest::newRow("lower-case root") << "root.cml" << QByteArray("<case><case><casenum>1</casenum></case></case>")
                                     << "not an OrvaCalc case file";
    QTest::newRow("cut off") << "cut.cml"
                             << QByteArray("<?xml version=\"1.0\"?>\n<n1:Case xmlns:n1=\"urn:orvacalc_case\">\n"
                                           "  <case>\n    <casenum>7</casenum>\n    <Monthinc_m>42")
                             << "not a valid case file";
}

void TestWorksheetCommand::unreadableCaseFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);

    const QString file = name == "." ? m_dir.path() : path(name);
    if (!content.isNull()) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    const Run json = run({"--worksheet-json", file});
    QCOMPARE(json.exitCode, 2);
    QVERIFY(json.out.isEmpty());
    const QString err = QString::fromLocal8Bit(json.err);
    QCOMPARE(err.count('\n'), 1);
    QVERIFY2(err.startsWith("orvacalc: cannot read case file \"" + file + "\": " + reason), qPrintable(err));

    // Nothing written, and an existing PDF stays as it was.
    const QString fresh = path("never-written.pdf");
    const Run pdf = run({"--worksheet-pdf", fresh, file});
    QCOMPARE(pdf.exitCode, 2);
    QCOMPARE(QString::fromLocal8Bit(pdf.err).count('\n'), 1);
    QVERIFY(!QFile::exists(fresh));
    const QString kept = path("kept.pdf");
    {
        QFile f(kept);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("earlier worksheet");
    }
    QCOMPARE(run({"--worksheet-pdf", kept, file}).exitCode, 2);
    QFile f(kept);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("earlier worksheet"));
}

void TestWorksheetCommand::unwritablePdf()
{
    const QString file = writeCase("unwritable.cml", Doc::July2022, Doc::SoleMother);
    const QString out = path("no-such-folder/out.pdf");
    const Run result = run({"--worksheet-pdf", out, file});
    QCOMPARE(result.exitCode, 2);
    const QString err = QString::fromLocal8Bit(result.err);
    QCOMPARE(err.count('\n'), 1);
    QVERIFY2(err.startsWith("orvacalc: cannot write the worksheet PDF \"" + out + "\""), qPrintable(err));
    QVERIFY(!QFile::exists(out));
}

void TestWorksheetCommand::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("pdf without a case") << QStringList{"--worksheet-pdf", "out.pdf"};
    QTest::newRow("pdf with two cases") << QStringList{"--worksheet-pdf", "out.pdf", "a.cml", "b.cml"};
    QTest::newRow("json with a stray argument") << QStringList{"--worksheet-json", "a.cml", "b.cml"};
    QTest::newRow("json without a value") << QStringList{"--worksheet-json"};
    QTest::newRow("empty output name") << QStringList{"--worksheet-pdf", "", "a.cml"};
    QTest::newRow("unknown paper") << QStringList{"--worksheet-pdf", "out.pdf", "--paper", "legal", "a.cml"};
    QTest::newRow("paper without a value") << QStringList{"--worksheet-pdf", "out.pdf", "a.cml", "--paper"};
    QTest::newRow("paper for the JSON") << QStringList{"--worksheet-json", "a.cml", "--paper", "a4"};
    QTest::newRow("paper alone") << QStringList{"--paper", "a4", "a.cml"};
}

void TestWorksheetCommand::usageErrors()
{
    QFETCH(QStringList, arguments);
    const Run result = run(arguments);
    QCOMPARE(result.exitCode, 1);
    QVERIFY(result.out.isEmpty());
    QVERIFY(!result.err.isEmpty());
    QVERIFY(!QFile::exists(path("out.pdf")));
}

void TestWorksheetCommand::helpListsTheOptions()
{
    QProcessEnvironment env = environment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    const Run result = run({"--help"}, env);
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.out.contains("--worksheet-json <case.cml>"));
    QVERIFY(result.out.contains("--worksheet-pdf <out.pdf>"));
}

void TestWorksheetCommand::staleDisplayDoesNotMatter()
{
    // A DISPLAY nobody listens on (an ssh session gone): still no window system needed.
    QProcessEnvironment env = environment();
    env.insert("DISPLAY", ":97");
    const QString file = writeCase("stale.cml", Doc::July2022, Doc::SoleFather);
    const QString out = path("stale.pdf");
    const Run result = run({"--worksheet-pdf", out, file}, env);
    QCOMPARE(result.exitCode, 0);
    QVERIFY(QFile::exists(out));
}

void TestWorksheetCommand::bundledExample()
{
    const QString example = QStringLiteral(ORVA_SOURCE_DIR "/examples/example-shared.cml");
    const Run result = run({"--worksheet-json", example});
    QCOMPARE(result.exitCode, 0);
    const QJsonObject object = QJsonDocument::fromJson(result.out).object();
    QCOMPARE(object.value("worksheet").toString(), QString("B"));
    QCOMPARE(object.value("guidelines").toString(), QString("Post July 1, 2022 Guidelines"));
    // Lines 12 to 16 of the form, computed in tst_guideline.
    for (const auto &[name, value] : {std::pair{"line12_f", "1118"}, {"lineH_f", "27"}, {"line14_f", "278"},
                                      {"line16_f", "1396"}, {"line16_m", ""}})
        QCOMPARE(object.value(name).toString(), QString(value));
}

// The worksheets of the bundled example, printed and read back as text: the
// captions of the court's forms CC-DR-034 and CC-DR-035 in the forms' order,
// the recommended order under its line.
void TestWorksheetCommand::courtFormCaptionsInOrder_data()
{
    QTest::addColumn<QString>("custody");
    QTest::addColumn<QStringList>("captions");
    const QStringList header = {"This form contains Restricted Information.", "Circuit Court for", "Case No.",
                                "418 Elm Street, Apt 2B", "Address", "Rockville, MD 20850", "City, State, Zip",
                                "(301) 555-0142", "Telephone", "Plaintiff", "Defendant"};
    const QStringList income = {"Freq", "Mother", "Freq", "Father", "Combined", "1. MONTHLY ACTUAL INCOME",
                                "a. Minus preexisting child support payment actually paid",
                                "b. Minus alimony actually paid", "c. Plus/minus alimony awarded in this case",
                                "d. Multifamily Adjustment", "2. MONTHLY ADJUSTED ACTUAL INCOME",
                                "3. PERCENTAGE SHARE OF INCOME", "4. BASIC CHILD SUPPORT OBLIGATION"};
    const QStringList expenses = {"a. Work-Related Child Care Expenses", "b. Health Insurance Expenses",
                                  "c. Extraordinary Medical Expenses", "d. Cash Medical Support",
                                  "e. Additional Expenses"};
    QTest::newRow("A") << "1"
                       << header + QStringList{"WORKSHEET A - CHILD SUPPORT OBLIGATION: PRIMARY PHYSICAL CUSTODY",
                                               "Md. Rule 9-206(c)", "(CC-DR-034)", "Pursuant to Rule 20-201.1",
                                               "Number of Minor Children :", "Name Of Child", "Date Of Birth",
                                               "Frequencies are;M=Monthly,W=Weekly,B=Bi-Weekly,S=Semi-Monthly"}
                              + income + expenses
                              + QStringList{"5. TOTAL CHILD SUPPORT OBLIGATION", "CC-DR-034", "(Rev. 08/2024)",
                                            "Page 1 of 2", "6. EACH PARENT'S CHILD SUPPORT OBLIGATION",
                                            "7. TOTAL DIRECT PAY BY EACH PARENT", "8. RECOMMENDED CHILD SUPPORT AMOUNT",
                                            "9. RECOMMENDED CHILD SUPPORT ORDER", "1542",
                                            "Comments or special adjustments, such as (1)", "Prepared By:", "Date:",
                                            "Page 2 of 2"};
    QTest::newRow("B") << "0"
                       << header + QStringList{"WORKSHEET B - CHILD SUPPORT OBLIGATION: SHARED PHYSICAL CUSTODY",
                                               "Md. Rule 9-206(d)", "(CC-DR-035)", "Pursuant to Rule 20-201.1",
                                               "Number of Minor Children:", "Name of Child", "Date of Birth",
                                               "Frequencies are;M=Monthly,W=Weekly,B=Bi-Weekly,S=Semi-Monthly"}
                              + income
                              + QStringList{"5. ADJUSTED BASIC CHILD SUPPORT OBLIGATION",
                                            "6. OVERNIGHTS with each parent (must total 365)",
                                            "7. PERCENTAGE WITH EACH PARENT", "STOP HERE IF line 7 is less than 25%",
                                            "8. EACH PARENT'S SHARE OF ADJUSTED BASIC", "Page 1 of 3",
                                            "9. THEORETICAL BASIC CHILD SUPPORT", "10. SHARED PHYSICAL CUSTODY ADJUSTMENT",
                                            "11. ADJUSTED THEORETICAL BASIC CHILD", "12. NET BASIC CHILD SUPPORT OBLIGATION",
                                            "13. EXPENSES :"}
                              + expenses
                              + QStringList{"14. NET ADJUSTMENT FROM WORKSHEET C.", "278",
                                            "15. NET BASIC CHILD SUPPORT OBLIGATION", "1118",
                                            "16. RECOMMENDED CHILD SUPPORT ORDER", "1396", "Page 2 of 3",
                                            "Comments or special adjustments, such as any adjustment", "PREPARED BY:",
                                            "DATE:", "INSTRUCTIONS FOR WORKSHEET C:",
                                            "WORKSHEET C - FOR ADJUSTMENTS, LINE 14, WORKSHEET B",
                                            "a. Total amount of direct payments made for Line 13 a", "b. The excess",
                                            "c. Total amount of direct payments made for Line 13 b", "d. The excess",
                                            "e. Total amount of direct payments made for Line 13 c", "f. The excess",
                                            "g. Total amount of direct payments made for Line 13 d", "h. The excess",
                                            "i. Total amount of direct payments made for Line 13 e", "j. The excess",
                                            "k. For each parent, add lines b, d, f, h, and j.",
                                            "l. Subtract lesser amount from greater amount in Line k", "Page 3 of 3"};
}

void TestWorksheetCommand::courtFormCaptionsInOrder()
{
    QFETCH(QString, custody);
    QFETCH(QStringList, captions);

    QByteArray example = readAll(QStringLiteral(ORVA_SOURCE_DIR "/examples/example-shared.cml"));
    example.replace("<cbo_custody.SelectedIndex>0<", "<cbo_custody.SelectedIndex>" + custody.toLatin1() + "<");
    const QString file = path("captions.cml");
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(example) == example.size() && out.flush());
    out.close();
    const QString pdf = path("captions.pdf");
    QCOMPARE(run({"--worksheet-pdf", pdf, "--paper", "letter", file}).exitCode, 0);

    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY2(text.waitForFinished(30000) && text.exitCode() == 0, "pdftotext (poppler-utils, tools/deps.sh)");
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    qsizetype at = 0;
    for (const QString &caption : captions) {
        const qsizetype found = printed.indexOf(caption, at);
        QVERIFY2(found >= 0, qPrintable(QStringLiteral("'%1' missing after position %2").arg(caption).arg(at)));
        at = found + caption.size();
    }
}

void TestWorksheetCommand::pdfWouldReplaceTheCase_data()
{
    QTest::addColumn<QString>("output"); // relative to the test folder
    QTest::addColumn<QString>("input");
    QTest::newRow("same name") << "same.cml" << "same.cml";
    QTest::newRow("another way to the same file") << "./sub/../same.cml" << "same.cml";
    QTest::newRow("a link to the case") << "link.pdf" << "same.cml";
}

void TestWorksheetCommand::pdfWouldReplaceTheCase()
{
    QFETCH(QString, output);
    QFETCH(QString, input);
    const QString file = writeCase("same.cml", Doc::July2022, Doc::Shared);
    QVERIFY(QDir().mkpath(path("sub")));
    QFile::remove(path("link.pdf"));
    QVERIFY(QFile::link("same.cml", path("link.pdf")));
    const QByteArray before = readAll(file);

    const Run result = run({"--worksheet-pdf", output, input});
    QCOMPARE(result.exitCode, 1);
    const QString err = QString::fromLocal8Bit(result.err);
    QCOMPARE(err, "orvacalc: the PDF \"" + output + "\" would replace the case file; choose another name for it\n");
    QCOMPARE(readAll(file), before);
    QVERIFY(QFileInfo(path("link.pdf")).isSymLink());
}

void TestWorksheetCommand::pdfRefusedOrFailed_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("reason");
    QTest::newRow("pipe") << "fifo" << "Is a pipe, not a regular file";
    QTest::newRow("character device") << "device" << "Is a device, not a regular file";
    QTest::newRow("folder") << "folder" << "Is a directory";
    QTest::newRow("full disk keeps the earlier worksheet") << "full" << "File too large";
    QTest::newRow("full file system") << "full-file-system" << "No space left on device";
}

void TestWorksheetCommand::pdfRefusedOrFailed()
{
    QFETCH(QString, target);
    QFETCH(QString, reason);
    const QString file = writeCase("refused.cml", Doc::July2022, Doc::SoleMother);
    const QString out = path("refused-" + target + ".pdf");
    QByteArray before;
    if (target == "fifo" || target == "device" || target == "folder") {
        if (target == "device" && !OrvaTest::runsAsRoot())
            QSKIP("making a device node needs root");
        QVERIFY(OrvaTest::makeSpecialFile(target, out));
    } else if (target == "full-file-system") {
        if (!OrvaTest::runsAsRoot())
            QSKIP("mounting a small file system needs root");
        // The program runs on a full file system of its own, mounted on the
        // output's folder; it is gone when the program ends.
        QVERIFY(QDir().mkpath(path("full-file-system")));
    } else {
        QCOMPARE(run({"--worksheet-pdf", out, writeCase("earlier.cml", Doc::PreOct2020, Doc::Shared)}).exitCode, 0);
        before = readAll(out);
        QVERIFY(before.startsWith("%PDF"));
    }

    const QString output = target == "full-file-system" ? path("full-file-system/worksheet.pdf") : out;
    const QByteArray folder = QFile::encodeName(path("full-file-system"));
    const Run result = runModified({"--worksheet-pdf", output, file}, [target, folder] {
        if (target == "full-file-system") {
            if (!OrvaTest::mountPrivateFileSystem(folder, 64 * 1024) || !OrvaTest::fillFileSystem(folder, 0))
                ::_exit(92);
        }
        if (target == "full" && !OrvaTest::limitFileSize(4096))
            ::_exit(93);
    });
    if (target == "full-file-system") {
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(QString::fromLocal8Bit(result.err),
                 "orvacalc: cannot write the worksheet PDF \"" + output + "\": " + reason + "\n");
        return;
    }
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(QString::fromLocal8Bit(result.err),
             "orvacalc: cannot write the worksheet PDF \"" + out + "\": " + reason + "\n");
    if (target == "full")
        QCOMPARE(readAll(out), before);
    else
        QVERIFY(OrvaTest::isSpecialFile(target, out));
    QCOMPARE(QDir(m_dir.path()).entryList({"refused-" + target + ".pdf*"}, QDir::AllEntries | QDir::System),
             QStringList{"refused-" + target + ".pdf"});
}

void TestWorksheetCommand::standardOutputFailures_data()
{
    QTest::addColumn<QString>("stream");
    QTest::addColumn<QString>("reason");
    QTest::newRow("closed") << "closed" << "Bad file descriptor";
    QTest::newRow("reader gone") << "broken-pipe" << "Broken pipe";
    QTest::newRow("file-size limit") << "limit" << "File too large";
    QTest::newRow("full device") << "full-device" << "No space left on device";
}

void TestWorksheetCommand::standardOutputFailures()
{
    QFETCH(QString, stream);
    QFETCH(QString, reason);
    const QString file = writeCase("stdout.cml", Doc::July2022, Doc::Shared);
    const QByteArray sink = QFile::encodeName(path("stdout-" + stream));
    if (stream == "full-device") {
        if (::geteuid() != 0)
            QSKIP("making a device node needs root");
        QFile::remove(path("stdout-" + stream));
        // The full device's numbers, as a node of this test's own.
        QVERIFY(::mknod(sink.constData(), S_IFCHR | 0666, makedev(1, 7)) == 0);
    }

    const Run result = runModified({"--worksheet-json", file}, [stream, sink] {
        int fd = -1;
        if (stream == "closed") {
            ::close(STDOUT_FILENO);
            return;
        }
        if (stream == "broken-pipe") {
            int ends[2];
            if (::pipe(ends) != 0)
                ::_exit(90);
            ::close(ends[0]);
            fd = ends[1];
        } else if (stream == "limit") {
            if (!OrvaTest::limitFileSize(1024))
                ::_exit(93);
            fd = ::open(sink.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        } else {
            fd = ::open(sink.constData(), O_WRONLY);
        }
        if (fd < 0 || ::dup2(fd, STDOUT_FILENO) < 0)
            ::_exit(91);
        ::close(fd);
    });
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(QString::fromLocal8Bit(result.err), "orvacalc: cannot write to standard output: " + reason + "\n");
    if (stream == "full-device") {
        struct stat st {};
        QVERIFY(::lstat(sink.constData(), &st) == 0);
        QVERIFY(S_ISCHR(st.st_mode));
    }
    // The case file was only read.
    QVERIFY(readAll(file).startsWith("<?xml"));
}

void TestWorksheetCommand::readFailureReasons_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    QTest::newRow("Latin-1 without a declaration")
        << QByteArray("<n1:Case xmlns:n1=\"urn:orvacalc_case\"><case>\n<plaintiff>M\xfcller</plaintiff></case></n1:Case>")
        << "the text encoding is wrong: line 2 is not valid UTF-8 text (save the file as UTF-8, or declare its "
           "encoding)";
    QByteArray attributes;
    for (int i = 0; i < 100000; ++i)
        attributes += " a" + QByteArray::number(i) + "=\"\"";
    QTest::newRow("100000 attributes")
        << "<Case><case><x" + attributes + "/></case></Case>"
        << "not a valid case file (line 1: more attributes than a case file can carry, 100000 in one element)";
}

void TestWorksheetCommand::readFailureReasons()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    const QString file = path("reason.cml");
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(content), content.size());
    f.close();
    const Run result = run({"--worksheet-json", file});
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(QString::fromLocal8Bit(result.err), "orvacalc: cannot read case file \"" + file + "\": " + reason + "\n");
}

void TestWorksheetCommand::boundedWorksheet()
{
    // 1 MB of numbered words of 8 characters each, and a 300 KB case number.
    Doc doc(Doc::July2022);
    doc.setCaseNumber(QString(300 * 1024, 'N'));
    QString comments;
    for (int word = 1; comments.size() < 1024 * 1024; ++word)
        comments += QStringLiteral("w%1 ").arg(word, 6, 10, QLatin1Char('0'));
    doc.setComments(comments);
    const QString file = path("bounded.cml");
    const QString out = path("bounded.pdf");
    QVERIFY(doc.writeCaseFile(file));
    QCOMPARE(run({"--worksheet-pdf", out, file}).exitCode, 0);

    QPdfDocument pdf;
    QCOMPARE(pdf.load(out), QPdfDocument::Error::None);
    QCOMPARE(pdf.pageCount(), 3 + 50); // Worksheet B and 50 pages of comments
    const QString first = pdf.getAllText(0).text();
    QVERIFY(first.contains(QString(20, 'N') + "…") && !first.contains(QString(1024, 'N')));
    const QString last = pdf.getAllText(52).text();
    const QRegularExpressionMatch words = QRegularExpression("w(\\d{6})\\s*\\[\\.\\.\\. (\\d+) more characters of "
                                                             "the comments are left out\\]").match(last);
    QVERIFY2(words.hasMatch(), qPrintable(last.right(300)));
    // Everything after the last word printed is what is left out.
    QCOMPARE(words.captured(2).toLongLong(), comments.size() - 8 * words.captured(1).toLongLong());
}

void TestWorksheetCommand::namesThatAreNotText_data()
{
    QTest::addColumn<QStringList>("arguments"); // for printf: octal escapes are bytes
    QTest::addColumn<int>("exitCode");
    QTest::newRow("case and PDF named in bytes that are not UTF-8")
        << QStringList{"--worksheet-json", "case-\\377\\376.cml", "--worksheet-pdf", "out-\\377.pdf"} << 0;
    QTest::newRow("explorer reads the case by its bytes") << QStringList{"--explore-json", "case-\\377\\376.cml"} << 0;
    QTest::newRow("two names that read alike") << QStringList{"--worksheet-pdf", "out-\\377.pdf", "out-\\376.pdf"} << 1;
}

void TestWorksheetCommand::namesThatAreNotText()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    const QByteArray raw = QFile::encodeName(m_dir.path()) + "/case-\xff\xfe.cml";
    QVERIFY(::rename(QFile::encodeName(writeCase("raw.cml", Doc::July2022, Doc::Shared)).constData(), raw.constData()) == 0);
    // The shell hands the bytes over as they are.
    QString command = "exec \"$0\"";
    for (const QString &argument : arguments)
        command += argument.startsWith('-') ? ' ' + argument : " \"$(printf '" + argument + "')\"";
    OrvaTest::RunOptions options;
    options.workingDirectory = m_dir.path();
    const Run result = OrvaTest::runProcess("/bin/sh", {"-c", command, ORVA_EXECUTABLE}, environment(), options);
    QCOMPARE(result.exitCode, exitCode);
    const auto exists = [this](const QByteArray &name) {
        struct stat st {};
        return ::lstat((QFile::encodeName(m_dir.path()) + '/' + name).constData(), &st) == 0;
    };
    QCOMPARE(exists("out-\xff.pdf"), exitCode == 0 && arguments.contains("out-\\377.pdf"));
    QVERIFY(!exists("out-\xef\xbf\xbd.pdf"));
    ::unlink((QFile::encodeName(m_dir.path()) + "/out-\xff.pdf").constData()); // the folder's clean-up cannot name it
    if (exitCode == 0) {
        const QJsonObject printed = QJsonDocument::fromJson(result.out).object();
        QVERIFY(printed.value("worksheet").toString() == "B" || printed.value("overnights").toArray().size() == 366);
    } else {
        QCOMPARE(result.err, QString("orvacalc: \"out-\uFFFD.pdf\" is not valid text and stands for more than one "
                                     "of the names given; rename the file\n").toUtf8());
    }
    QVERIFY(::unlink(raw.constData()) == 0);
}

void TestWorksheetCommand::settingsFileIsAPipe()
{
    const QString settings = path(".config/Pellwood/Orva-Calc.conf");
    QFile::remove(settings);
    QVERIFY(QDir().mkpath(QFileInfo(settings).path()));
    QVERIFY(OrvaTest::makeSpecialFile("fifo", settings));
    OrvaTest::RunOptions options;
    options.workingDirectory = m_dir.path();
    options.timeoutMs = 20000;
    const Run result = OrvaTest::runProcess(ORVA_EXECUTABLE, {"--worksheet-json", writeCase("pipe.cml", Doc::July2022,
                                                                                           Doc::Shared)},
                                            environment(), options);
    QVERIFY(QFile::remove(settings));
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(QJsonDocument::fromJson(result.out).object().value("worksheet").toString(), QString("B"));
}

void TestWorksheetCommand::saveCutOffIsCompletedAtStart()
{
    const QString folder = path("locked");
    QVERIFY(QDir().mkpath(folder));
    const QString out = folder + "/worksheet.pdf";
    QCOMPARE(run({"--worksheet-pdf", out, writeCase("first.cml", Doc::July2022, Doc::SoleMother)}).exitCode, 0);
    // A folder that gains no files: the PDF is rewritten in place, and the
    // program is killed at its first write there.
    OrvaTest::ReadOnlyFolder locked(folder);
    if (!locked.ok())
        QSKIP(qPrintable(locked.reason()));
    const QString second = writeCase("second.cml", Doc::July2022, Doc::Shared);
    const Run killed = run({"--worksheet-pdf", out, second},
                           OrvaTest::killAtEnvironment(environment(), "pwrite", 1, "worksheet.pdf"));
    QCOMPARE(killed.exitCode, -2);
    QPdfDocument cut;
    // Not yet the second case's worksheet (Worksheet B, three pages).
    QVERIFY(cut.load(out) != QPdfDocument::Error::None || cut.pageCount() != 3);

    const Run next = run({"--worksheet-json", second});
    QCOMPARE(next.exitCode, 0);
    QCOMPARE(QString::fromLocal8Bit(next.err),
             "orvacalc: The save of \"" + out + "\" that was cut off has been completed.\n");
    QPdfDocument pdf;
    QCOMPARE(pdf.load(out), QPdfDocument::Error::None);
    QCOMPARE(pdf.pageCount(), 3); // Worksheet B of the second case
}

QTEST_MAIN(TestWorksheetCommand)
#include "tst_worksheetcommand.moc"
