// The alimony dialog driven as a user drives it: keystrokes in the inputs,
// the file and print commands through their buttons, with file dialogs,
// message boxes and the print dialog answered through their seams.

#include "AlimonyCalc.h"
#include "AlimonyFile.h"
#include "AlimonyFormulas.h"

#include "../ui/OrvaTestMain.h"
#include "AskAnswers.h"
#include "ReadOnlyFolder.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

using namespace OrvaTest;

const char *const InputNames[] = {"caseNumberEdit", "countyEdit", "plaintiffEdit", "defendantEdit", "yearsEdit",
                                  "payorgrossEdit", "payeegrossEdit", "payordeviationOEdit", "payeedeviationO"};

QLineEdit *field(AlimonyCalc &dialog, const QString &name)
{
    auto *edit = dialog.findChild<QLineEdit *>(name);
    if (!edit)
        qFatal("no field %s", qPrintable(name));
    return edit;
}

QString resultLine(AlimonyCalc &dialog)
{
    QStringList texts;
    for (const QString &name : Alimony::resultNames())
        texts << field(dialog, name)->text();
    return texts.join(QLatin1Char(' '));
}

QString expectedLine(const Alimony::Inputs &inputs)
{
    const QMap<QString, QString> results = Alimony::recalculate(inputs);
    QStringList texts;
    for (const QString &name : Alimony::resultNames())
        texts << results.value(name);
    return texts.join(QLatin1Char(' '));
}

void click(AlimonyCalc &dialog, const char *button)
{
    auto *push = dialog.findChild<QPushButton *>(QString::fromLatin1(button));
    QVERIFY(push);
    QTest::mouseClick(push, Qt::LeftButton);
}

void type(AlimonyCalc &dialog, const QString &name, const QString &text)
{
    QLineEdit *edit = field(dialog, name);
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// Answers the print dialog with a PDF file printer, or as cancelled.
class PrintAnswer
{
public:
    explicit PrintAnswer(const QString &pdfPath)
    {
        AlimonyCalc::setPrintDialogAnswer([this, pdfPath](QPrinter *printer) {
            ++asked;
            screenResolution = printer->resolution() < 300;
            if (pdfPath.isEmpty())
                return false;
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdfPath);
            return true;
        });
    }
    ~PrintAnswer() { AlimonyCalc::setPrintDialogAnswer({}); }
    int asked = 0;
    bool screenResolution = false;
};

} // namespace

class TestAlimonyCalc : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typingShowsEveryFormula_data();
    void typingShowsEveryFormula();
    void everyKeystrokeRecalculates();
    void onlyTypingInNumericInputsRecalculates();
    void invalidNumberIsMarked_data();
    void invalidNumberIsMarked();
    void markFollowsFileAndReset();

    void saveAndOpenRoundTrip_data();
    void saveAndOpenRoundTrip();
    void cancelledFileDialogsChangeNothing();
    void saveIntoReadOnlyFolderKeepsTheOldFile();
    void failedOpenKeepsTheFields_data();
    void failedOpenKeepsTheFields();
    void openGivenFile();

    void printWithTexasCleared();
    void cancelledPrintOnlyLogs();
    void failedPrintIsReported();

    void resetClearsTheInputsAndResults();
    void doneCloses();

private:
    std::unique_ptr<AlimonyCalc> m_dialog;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestAlimonyCalc::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_dialog = std::make_unique<AlimonyCalc>();
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
}

void TestAlimonyCalc::cleanup()
{
    m_dialog.reset();
    m_dir.reset();
}

void TestAlimonyCalc::typingShowsEveryFormula_data()
{
    QTest::addColumn<QString>("y");
    QTest::addColumn<QString>("p");
    QTest::addColumn<QString>("e");
    QTest::addColumn<QString>("u");
    QTest::addColumn<QString>("d");
    QTest::addColumn<QString>("expected");

    QTest::newRow("ten years") << "10" << "100000" << "20000" << "" << ""
                               << "26000 2166 74000 46000 20000 1666 80000 40000 12000 1000 88000 32000 "
                                  "20000 1666 80000 40000 90.0 7.5 36.0 3.0";
    QTest::newRow("deviations") << "4" << "60000" << "40000" << "100" << "50"
        << "600 50 58800 41200 600 50 58800 41200 600 50 58800 41200 600 50 58800 41200 24.0 2.0 0.0 0.0";
    QTest::newRow("millions") << "40" << "2000000" << "50000" << "0" << "0"
        << "590000 49166 1.41e+06 640000 575000 47916 1.425e+06 625000 975000 81250 1.025e+06 1.025e+06 "
           "30000 2500 1.97e+06 80000 permanent permanent 36.0 3.0";
    QTest::newRow("thousands separator counts as 0") << "2" << "80,000" << "10000" << "" << ""
        << "0 0 0 10000 0 0 0 10000 0 0 0 10000 0 0 0 10000 7.2 0.6 0.0 0.0";
}

void TestAlimonyCalc::typingShowsEveryFormula()
{
    QFETCH(QString, y);
    QFETCH(QString, p);
    QFETCH(QString, e);
    QFETCH(QString, u);
    QFETCH(QString, d);
    QFETCH(QString, expected);

    AlimonyCalc &dialog = *m_dialog;
    // The deviations first: the order of typing does not matter.
    type(dialog, "payordeviationOEdit", u);
    type(dialog, "payeedeviationO", d);
    type(dialog, "payeegrossEdit", e);
    type(dialog, "payorgrossEdit", p);
    type(dialog, "yearsEdit", y);
    QCOMPARE(resultLine(dialog), expected);
}

void TestAlimonyCalc::everyKeystrokeRecalculates()
{
    AlimonyCalc &dialog = *m_dialog;
    type(dialog, "yearsEdit", "12");
    type(dialog, "payeegrossEdit", "31000");
    QLineEdit *payor = field(dialog, "payorgrossEdit");
    payor->setFocus();
    const QString typed = QStringLiteral("187500");
    for (int i = 0; i < typed.size(); ++i) {
        QTest::keyClick(payor, typed.at(i).toLatin1());
        const QMap<QString, QString> expected =
            Alimony::recalculate({"12", typed.left(i + 1), "31000", QString(), QString()});
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(field(dialog, it.key())->text(), it.value());
    }
    QCOMPARE(field(dialog, "TXa")->text(), QStringLiteral("30000"));
    QTest::keyClick(payor, Qt::Key_Backspace);
    QCOMPARE(field(dialog, "TXa")->text(), QStringLiteral("3750")); // 20 % of 18750
}

void TestAlimonyCalc::onlyTypingInNumericInputsRecalculates()
{
    AlimonyCalc &dialog = *m_dialog;
    type(dialog, "yearsEdit", "10");
    type(dialog, "payorgrossEdit", "100000");
    const QString before = resultLine(dialog);

    type(dialog, "caseNumberEdit", "24-C-1");
    type(dialog, "plaintiffEdit", "Ann");
    field(dialog, "payeegrossEdit")->setText(QStringLiteral("20000"));
    QCOMPARE(resultLine(dialog), before);

    type(dialog, "payordeviationOEdit", "0");
    QCOMPARE(field(dialog, "AAMLa")->text(), QStringLiteral("26000"));
}

void TestAlimonyCalc::invalidNumberIsMarked_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("marked");
    QTest::addColumn<int>("backspaces"); // to a text that reads as a number again

    QTest::newRow("thousands separator") << "payorgrossEdit" << "85,000" << true << 4;
    QTest::newRow("currency sign") << "payeegrossEdit" << "300$" << true << 1;
    QTest::newRow("letters") << "yearsEdit" << "12y" << true << 1;
    QTest::newRow("decimal comma") << "payordeviationOEdit" << "12,5" << true << 2;
    QTest::newRow("word infinity") << "payeedeviationO" << "5inf" << true << 3;
    QTest::newRow("plain number") << "payorgrossEdit" << "85000.50" << false << 0;
    QTest::newRow("negative being typed") << "payordeviationOEdit" << "-" << false << 0;
    QTest::newRow("text fields take anything") << "caseNumberEdit" << "24,000$" << false << 0;
}

void TestAlimonyCalc::invalidNumberIsMarked()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(bool, marked);
    QFETCH(int, backspaces);

    QLineEdit *edit = field(*m_dialog, name);
    type(*m_dialog, name, typed);
    QCOMPARE(!edit->styleSheet().isEmpty(), marked);
    QCOMPARE(!edit->toolTip().isEmpty(), marked);
    if (!marked)
        return;
    QVERIFY(edit->styleSheet().contains(QStringLiteral("red")));
    // Still counted as 0, as the results show.
    QCOMPARE(Alimony::numberValue(edit->text()), 0.0);
    for (int i = 0; i < backspaces; ++i)
        QTest::keyClick(edit, Qt::Key_Backspace);
    QVERIFY(edit->styleSheet().isEmpty());
    QVERIFY(edit->toolTip().isEmpty());
}

void TestAlimonyCalc::markFollowsFileAndReset()
{
    const QString path = m_dir->filePath(QStringLiteral("marked.calc"));
    QVERIFY(writeFile(path, "CalcFormValue = {\"payorgross\":\"1,000\",\"years\":\"10\"}"));
    QVERIFY(m_dialog->openFile(path));
    QLineEdit *payor = field(*m_dialog, "payorgrossEdit");
    QVERIFY(!payor->styleSheet().isEmpty());
    QVERIFY(field(*m_dialog, "yearsEdit")->styleSheet().isEmpty());
    click(*m_dialog, "resetButton");
    QVERIFY(payor->styleSheet().isEmpty());
}

void TestAlimonyCalc::saveAndOpenRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("apostrophe") << "O'Brien";
    QTest::newRow("double quotes") << "John \"Jack\" O'Neil";
    QTest::newRow("backslashes") << "\\\\server\\share\\";
    QTest::newRow("non-ASCII") << QStringLiteral("Zoë Núñez – Ærø");
    QTest::newRow("markup") << "A & B <c> &amp;";
    QTest::newRow("empty") << "";
}

void TestAlimonyCalc::saveAndOpenRoundTrip()
{
    QFETCH(QString, text);
    AlimonyCalc &dialog = *m_dialog;
    type(dialog, "yearsEdit", "10");
    type(dialog, "payorgrossEdit", "100000");
    type(dialog, "payeegrossEdit", "20000");
    QMap<QString, QString> typed;
    int n = 0;
    for (const char *name : InputNames) {
        QLineEdit *edit = field(dialog, name);
        if (edit->text().isEmpty())
            edit->setText(text + QString::number(++n));
        typed.insert(QString::fromLatin1(name), edit->text());
    }
    const QString results = resultLine(dialog);

    const QString path = m_dir->filePath(QStringLiteral("round trip.calc"));
    AskAnswers answers;
    answers.file(path);
    click(dialog, "saveButton");
    QList<Ask::Shown> shown = answers.shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().kind, Ask::Shown::File);
    QCOMPARE(shown.first().title, QStringLiteral("Choose filename to save"));
    QCOMPARE(fileContents(path), Alimony::fileBytes(dialog.textsByKey()));
    QVERIFY(!fileContents(path).endsWith('\n'));

    click(dialog, "resetButton");
    type(dialog, "payeegrossEdit", "5");
    const QString afterEdit = resultLine(dialog);
    QVERIFY(afterEdit != results);

    answers.file(path);
    click(dialog, "openButton");
    shown = answers.shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().title, QStringLiteral("Select file to open"));
    for (auto it = typed.cbegin(); it != typed.cend(); ++it)
        QCOMPARE(field(dialog, it.key())->text(), it.value());
    // The results follow the reopened inputs at once, never the previous entry's.
    QCOMPARE(resultLine(dialog), expectedLine({"10", "100000", "20000", typed.value("payordeviationOEdit"),
                                               typed.value("payeedeviationO")}));
}

void TestAlimonyCalc::cancelledFileDialogsChangeNothing()
{
    AlimonyCalc &dialog = *m_dialog;
    type(dialog, "plaintiffEdit", "Kept");
    AskAnswers answers; // nothing queued: every file dialog is cancelled
    click(dialog, "saveButton");
    click(dialog, "openButton");
    const QList<Ask::Shown> shown = answers.shown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(0).kind, Ask::Shown::File);
    QCOMPARE(shown.at(1).kind, Ask::Shown::File);
    QCOMPARE(field(dialog, "plaintiffEdit")->text(), QStringLiteral("Kept"));
}

void TestAlimonyCalc::saveIntoReadOnlyFolderKeepsTheOldFile()
{
    const QString folder = m_dir->filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/case.calc");
    const QByteArray old = "CalcFormValue = {\"docket\":\"old\"}";
    QVERIFY(writeFile(path, old));

    AlimonyCalc &dialog = *m_dialog;
    type(dialog, "caseNumberEdit", "new");
    {
        ReadOnlyFolder locked(folder);
        if (!locked.ok())
            QSKIP(qPrintable(locked.reason()));
        AskAnswers answers;
        answers.file(path).box(QMessageBox::Ok);
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("^AlimonyCalc: save error: .+")));
        click(dialog, "saveButton");
        const QList<Ask::Shown> shown = answers.shown();
        QCOMPARE(shown.size(), 2);
        const Ask::Shown box = shown.at(1);
        QCOMPARE(box.kind, Ask::Shown::Box);
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.title, QStringLiteral("Alimony Calc"));
        QVERIFY2(box.text.startsWith(QStringLiteral("Can't write file: ")) && box.text.size() > 18,
                 qPrintable(box.text));
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
    QCOMPARE(fileContents(path), old);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"case.calc"});
    QCOMPARE(field(dialog, "caseNumberEdit")->text(), QStringLiteral("new"));
}

void TestAlimonyCalc::failedOpenKeepsTheFields_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // empty: no such file
    QTest::addColumn<QString>("log");
    QTest::addColumn<QString>("message");

    QTest::newRow("no such file") << "missing.calc" << QByteArray() << "open file error" << "Can't open selected file: ";
    QTest::newRow("a device") << "/dev/zero" << QByteArray() << "open file error"
                              << "Can't open selected file: not a regular";
    QTest::newRow("far too large") << "large.calc" << "CalcFormValue = {\"years\":\"" + QByteArray(2 << 20, '1') + "\"}"
                                   << "open file error" << "Can't open selected file: too large";
    QTest::newRow("not JSON") << "bad.calc" << QByteArray("CalcFormValue = {docket: x}") << "parse file error"
                              << "Can't process selected file: ";
    QTest::newRow("cut off") << "cut.calc" << QByteArray("CalcFormValue = {\"docket\":\"24") << "parse file error"
                             << "Can't process selected file: ";
    QTest::newRow("an array") << "array.calc" << QByteArray("CalcFormValue = [1]") << "parse file error"
                              << "Can't process selected file: ";
}

void TestAlimonyCalc::failedOpenKeepsTheFields()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, log);
    QFETCH(QString, message);

    const QString path = QDir::isAbsolutePath(name) ? name : m_dir->filePath(name);
    if (!bytes.isEmpty())
        QVERIFY(writeFile(path, bytes));
    AlimonyCalc &dialog = *m_dialog;
    type(dialog, "caseNumberEdit", "kept");
    type(dialog, "yearsEdit", "7");

    AskAnswers answers;
    answers.file(path).box(QMessageBox::Ok);
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("^AlimonyCalc: %1: .+").arg(log)));
    click(dialog, "openButton");
    const QList<Ask::Shown> shown = answers.shown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(1).icon, QMessageBox::Critical);
    QCOMPARE(shown.at(1).title, QStringLiteral("Alimony Calc"));
    QVERIFY2(shown.at(1).text.startsWith(message) && shown.at(1).text.size() > message.size(),
             qPrintable(shown.at(1).text));
    QCOMPARE(field(dialog, "caseNumberEdit")->text(), QStringLiteral("kept"));
    QCOMPARE(field(dialog, "yearsEdit")->text(), QStringLiteral("7"));
}

void TestAlimonyCalc::openGivenFile()
{
    const QString path = m_dir->filePath(QStringLiteral("given.calc"));
    QVERIFY(writeFile(path, "CalcFormValue = {'docket':'S-9','Plaintiff':'O\\'Hara','AAMLa':'999'}"));
    field(*m_dialog, "AAMLa")->setText(QStringLiteral("1"));
    QVERIFY(m_dialog->openFile(path));
    QCOMPARE(field(*m_dialog, "caseNumberEdit")->text(), QStringLiteral("S-9"));
    QCOMPARE(field(*m_dialog, "plaintiffEdit")->text(), QStringLiteral("O'Hara"));
    QCOMPARE(field(*m_dialog, "countyEdit")->text(), QString());
    // The stored result is not taken: results come from the inputs read.
    QCOMPARE(field(*m_dialog, "AAMLa")->text(), QStringLiteral("0"));
}

void TestAlimonyCalc::printWithTexasCleared()
{
    AlimonyCalc &dialog = *m_dialog;
    field(dialog, "caseNumberEdit")->setText(QStringLiteral("24 & <7>"));
    type(dialog, "yearsEdit", "12");
    type(dialog, "payorgrossEdit", "123456");
    type(dialog, "payeegrossEdit", "23456");
    for (const char *box : {"chkTX", "chkTXdf"}) {
        auto *check = dialog.findChild<QCheckBox *>(QString::fromLatin1(box));
        QVERIFY(check);
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
        QVERIFY(!check->isChecked());
    }

    const QString pdfPath = m_dir->filePath(QStringLiteral("report.pdf"));
    PrintAnswer printAnswer(pdfPath);
    AskAnswers answers;
    click(dialog, "printButton");
    QCOMPARE(printAnswer.asked, 1);
    QVERIFY(printAnswer.screenResolution);
    QCOMPARE(answers.shown().size(), 0);

    QPdfDocument pdf;
    QCOMPARE(pdf.load(pdfPath), QPdfDocument::Error::None);
    QCOMPARE(pdf.pageCount(), 1);
    const QString text = pdf.getAllText(0).text();
    QVERIFY2(text.contains(QStringLiteral("24 & <7>")), qPrintable(text));
    QVERIFY(text.contains(field(dialog, "AAMLa")->text())); // 0.3 x 123456 - 0.2 x 23456 = 32346
    QCOMPARE(field(dialog, "AAMLa")->text(), QStringLiteral("32346"));
    QVERIFY(text.contains(QStringLiteral("VA - Fairfax County")));
    QVERIFY(text.contains(QStringLiteral("AZ - Maricopa County")));
    QVERIFY(!text.contains(QStringLiteral("Texas")));
    QVERIFY(!text.contains(field(dialog, "TXw")->text())); // 24691 + 23456 = 48147
}

void TestAlimonyCalc::cancelledPrintOnlyLogs()
{
    PrintAnswer printAnswer{QString()};
    AskAnswers answers;
    QTest::ignoreMessage(QtCriticalMsg, "AlimonyCalc: print: user cancelled");
    click(*m_dialog, "printButton");
    QCOMPARE(printAnswer.asked, 1);
    QCOMPARE(answers.shown().size(), 0);
}

void TestAlimonyCalc::failedPrintIsReported()
{
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_dir->filePath(QStringLiteral("no/such/folder/report.pdf")));
    AskAnswers answers;
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("^AlimonyCalc: print error: .+")));
    QVERIFY(!m_dialog->printOn(&printer));
    const QList<Ask::Shown> shown = answers.shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().icon, QMessageBox::Critical);
}

void TestAlimonyCalc::resetClearsTheInputsAndResults()
{
    AlimonyCalc &dialog = *m_dialog;
    int n = 0;
    for (const char *name : InputNames)
        type(dialog, name, QString::number(++n));
    auto *va = dialog.findChild<QCheckBox *>(QStringLiteral("chkVA"));
    va->setChecked(false);
    const QString results = resultLine(dialog);
    QVERIFY(results != expectedLine({}));

    click(dialog, "resetButton");
    for (const char *name : InputNames)
        QCOMPARE(field(dialog, name)->text(), QString());
    QCOMPARE(resultLine(dialog), expectedLine({}));
    QVERIFY(!va->isChecked());
    QVERIFY(dialog.findChild<QCheckBox *>(QStringLiteral("chkTX"))->isChecked());
}

void TestAlimonyCalc::doneCloses()
{
    click(*m_dialog, "doneButton");
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QVERIFY(!m_dialog->isVisible());
}

ORVA_WIDGET_TEST_MAIN(TestAlimonyCalc)
#include "tst_alimonycalc.moc"
