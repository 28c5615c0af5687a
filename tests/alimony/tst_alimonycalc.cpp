// The alimony dialog driven as a user drives it: keystrokes in the inputs,
// the file and print commands through their buttons, with file dialogs,
// message boxes and the print dialog answered through their seams.

#include "AlimonyCalc.h"
#include "AlimonyFile.h"
#include "AlimonyFormulas.h"
#include "FieldLook.h"

#include "../ui/OrvaTestMain.h"
#include "AskAnswers.h"
#include "ProgramRun.h"
#include "ReadOnlyFolder.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
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

} // namespace

class TestAlimonyCalc : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyKeystrokeRecalculates();
    void onlyTypingInNumericInputsRecalculates();
    void invalidNumberIsMarked_data();
    void invalidNumberIsMarked();
    void markFollowsFileAndReset();

    void saveAndOpenRoundTrip_data();
    void saveAndOpenRoundTrip();
    void cancelledFileDialogsChangeNothing();
    void saveIntoReadOnlyFolder_data();
    void saveIntoReadOnlyFolder();
    void failedOpenKeepsTheFields_data();
    void failedOpenKeepsTheFields();

    void printWithTexasCleared();
    void cancelledPrintOnlyLogs();
    void failedPrintIsReported();

    void resetClearsTheInputsAndResults();
    void closingAsksAboutChanges_data();
    void closingAsksAboutChanges();

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

// Every input reaches its own place in the formulas, and every keystroke
// shows all twenty results anew.
void TestAlimonyCalc::everyKeystrokeRecalculates()
{
    AlimonyCalc &dialog = *m_dialog;
    type(dialog, "payordeviationOEdit", "100");
    type(dialog, "payeedeviationO", "50");
    type(dialog, "yearsEdit", "12");
    type(dialog, "payeegrossEdit", "31000");
    QLineEdit *payor = field(dialog, "payorgrossEdit");
    payor->setFocus();
    const QString typed = QStringLiteral("187500");
    for (int i = 0; i < typed.size(); ++i) {
        QTest::keyClick(payor, typed.at(i).toLatin1());
        QCOMPARE(resultLine(dialog), expectedLine({"12", typed.left(i + 1), "31000", "100", "50"}));
    }
    // 20 % of 187500 (below the cap of 60000), 12 x 100 up, 12 x 50 down.
    QCOMPARE(field(dialog, "TXa")->text(), QStringLiteral("38100"));
    QVERIFY(!field(dialog, "VAa")->toolTip().isEmpty()); // 218500 combined, above 120000
    QTest::keyClick(payor, Qt::Key_Backspace);
    QCOMPARE(resultLine(dialog), expectedLine({"12", "18750", "31000", "100", "50"}));
    QVERIFY(field(dialog, "VAa")->toolTip().isEmpty());
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

    QTest::newRow("cents") << "payorgrossEdit" << "85000.50" << true << 3;
    QTest::newRow("letters") << "yearsEdit" << "12y" << true << 1;
    QTest::newRow("thousands separator") << "payorgrossEdit" << "$85,000" << false << 0;
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
    QCOMPARE(edit->styleSheet(), FieldLook::invalidStyleSheet());
    // Counted as 0, as the results show.
    QCOMPARE(field(*m_dialog, "AAMLa")->text(), QStringLiteral("0"));
    for (int i = 0; i < backspaces; ++i)
        QTest::keyClick(edit, Qt::Key_Backspace);
    QVERIFY(edit->styleSheet().isEmpty());
    QVERIFY(edit->toolTip().isEmpty());
}

void TestAlimonyCalc::markFollowsFileAndReset()
{
    const QString path = m_dir->filePath(QStringLiteral("marked.calc"));
    QVERIFY(writeFile(path, "CalcFormValue = {\"payorgross\":\"1.000,50\",\"years\":\"10\"}"));
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
    QTest::newRow("awkward") << QStringLiteral("John \"Jack\" O'Neil \\\\server\\ Zoë Núñez A & B <c> &amp;");
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
    QCOMPARE(answers.shown().size(), 1);
    QCOMPARE(fileContents(path), Alimony::fileBytes(dialog.textsByKey()));
    QVERIFY(!fileContents(path).endsWith('\n'));

    click(dialog, "resetButton");
    type(dialog, "payeegrossEdit", "5");
    const QString afterEdit = resultLine(dialog);
    QVERIFY(afterEdit != results);

    answers.file(path);
    click(dialog, "openButton");
    QCOMPARE(answers.shown().size(), 1);
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

void TestAlimonyCalc::saveIntoReadOnlyFolder_data()
{
    QTest::addColumn<bool>("existing");
    QTest::newRow("new file: refused") << false;
    QTest::newRow("existing file: rewritten in place") << true;
}

void TestAlimonyCalc::saveIntoReadOnlyFolder()
{
    QFETCH(bool, existing);
    const QString folder = m_dir->filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/case.calc");
    if (existing)
        QVERIFY(writeFile(path, "CalcFormValue = {\"docket\":\"old\"}"));

    AlimonyCalc &dialog = *m_dialog;
    type(dialog, "caseNumberEdit", "new");
    {
        ReadOnlyFolder locked(folder);
        if (!locked.ok())
            QSKIP(qPrintable(locked.reason()));
        AskAnswers answers;
        answers.file(path).box(QMessageBox::Ok);
        if (!existing)
            QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("^AlimonyCalc: save error: .+")));
        click(dialog, "saveButton");
        const QList<Ask::Shown> shown = answers.shown();
        QCOMPARE(shown.size(), existing ? 1 : 2);
        if (!existing) {
            QCOMPARE(shown.at(1).icon, QMessageBox::Critical);
            QVERIFY2(shown.at(1).text.startsWith(QStringLiteral("Can't write file: ")) && shown.at(1).text.size() > 18,
                     qPrintable(shown.at(1).text));
        }
    }
    QCOMPARE(fileContents(path).contains("\"docket\":\"new\""), existing);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), existing ? QStringList{"case.calc"} : QStringList());
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
    QVERIFY2(shown.at(1).text.startsWith(message) && shown.at(1).text.size() > message.size(),
             qPrintable(shown.at(1).text));
    QCOMPARE(field(dialog, "caseNumberEdit")->text(), QStringLiteral("kept"));
    QCOMPARE(field(dialog, "yearsEdit")->text(), QStringLiteral("7"));
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
    AskAnswers answers;
    Ask::answerNextPrint(pdfPath);
    click(dialog, "printButton");
    QCOMPARE(answers.shown().size(), 1); // the print dialog, no box

    QPdfDocument pdf;
    QCOMPARE(pdf.load(pdfPath), QPdfDocument::Error::None);
    QCOMPARE(pdf.pageCount(), 1);
    QCOMPARE(pdf.pagePointSize(0).toSize(), QSize(612, 792)); // US Letter, the paper unless another is chosen
    const QString text = pdf.getAllText(0).text();
    QVERIFY2(text.contains(QStringLiteral("24 & <7>")), qPrintable(text));
    QVERIFY(text.contains(field(dialog, "AAMLa")->text())); // 0.3 x 123456 - 0.2 x 23456 = 32346
    QCOMPARE(field(dialog, "AAMLa")->text(), QStringLiteral("32346"));
    QVERIFY(text.contains(QStringLiteral("VA - Va. Code § 16.1-278.17:1(C)")));
    QVERIFY(text.contains(QStringLiteral("AZ - Maricopa County")));
    QVERIFY(!text.contains(QStringLiteral("Texas")));
    QVERIFY(!text.contains(field(dialog, "TXw")->text())); // 24691 + 23456 = 48147

    // Times New Roman, or the serif face the system puts in its place.
    const QString pdffonts = QStandardPaths::findExecutable(QStringLiteral("pdffonts"));
    if (pdffonts.isEmpty())
        QSKIP("pdffonts (poppler-utils) is not installed");
    const QString list = QString::fromLocal8Bit(runProcess(pdffonts, {pdfPath}).out);
    QVERIFY2(list.contains(QStringLiteral("Times")) || list.contains(QStringLiteral("Serif")), qPrintable(list));
    QVERIFY2(!list.contains(QStringLiteral("Sans")), qPrintable(list));
}

void TestAlimonyCalc::cancelledPrintOnlyLogs()
{
    AskAnswers answers; // nothing queued: the print dialog is cancelled
    QTest::ignoreMessage(QtCriticalMsg, "AlimonyCalc: print: user cancelled");
    click(*m_dialog, "printButton");
    const QList<Ask::Shown> shown = answers.shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().kind, Ask::Shown::Print);
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

    AskAnswers answers;
    answers.box(QMessageBox::Cancel);
    click(dialog, "resetButton");
    QCOMPARE(field(dialog, "yearsEdit")->text(), QStringLiteral("5"));
    answers.box(QMessageBox::Discard);
    click(dialog, "resetButton");
    QCOMPARE(answers.shown().size(), 2);
    for (const char *name : InputNames)
        QCOMPARE(field(dialog, name)->text(), QString());
    QCOMPARE(resultLine(dialog), expectedLine({}));
    QVERIFY(!va->isChecked());
    QVERIFY(dialog.findChild<QCheckBox *>(QStringLiteral("chkTX"))->isChecked());
}

enum class Leave { Done, CloseButton, Escape };

void TestAlimonyCalc::closingAsksAboutChanges_data()
{
    QTest::addColumn<bool>("opened"); // from a file, else typed
    QTest::addColumn<Leave>("leave");
    QTest::addColumn<QList<QMessageBox::StandardButton>>("answers");
    QTest::addColumn<QString>("saveAs"); // empty: the save dialog is cancelled
    QTest::addColumn<bool>("closed");
    using B = QList<QMessageBox::StandardButton>;
    QTest::newRow("opened, unchanged: Done") << true << Leave::Done << B{} << "" << true;
    QTest::newRow("Done, Cancel") << false << Leave::Done << B{QMessageBox::Cancel} << "" << false;
    QTest::newRow("close button, Discard") << false << Leave::CloseButton << B{QMessageBox::Discard} << "" << true;
    QTest::newRow("Escape, Save") << false << Leave::Escape << B{QMessageBox::Save} << "entry" << true;
    QTest::newRow("Escape, Save, dialog cancelled") << false << Leave::Escape << B{QMessageBox::Save} << "" << false;
}

void TestAlimonyCalc::closingAsksAboutChanges()
{
    QFETCH(bool, opened);
    QFETCH(Leave, leave);
    QFETCH(QList<QMessageBox::StandardButton>, answers);
    QFETCH(QString, saveAs);
    QFETCH(bool, closed);
    AlimonyCalc &dialog = *m_dialog;
    if (opened) {
        const QString path = m_dir->filePath(QStringLiteral("opened.calc"));
        QVERIFY(writeFile(path, "CalcFormValue = {\"years\":\"12\"}"));
        QVERIFY(dialog.openFile(path));
    } else {
        type(dialog, "yearsEdit", "7");
    }
    AskAnswers asked;
    for (QMessageBox::StandardButton answer : answers)
        asked.box(answer);
    asked.file(saveAs.isEmpty() ? QString() : m_dir->filePath(saveAs));
    switch (leave) {
    case Leave::Done:
        click(dialog, "doneButton");
        break;
    case Leave::CloseButton:
        dialog.close();
        break;
    case Leave::Escape:
        QTest::keyClick(&dialog, Qt::Key_Escape);
        break;
    }
    QCOMPARE(dialog.isVisible(), !closed);
    QCOMPARE(asked.shown().size(), answers.size() + (answers.contains(QMessageBox::Save) ? 1 : 0));
    if (!saveAs.isEmpty())
        QVERIFY(fileContents(m_dir->filePath(saveAs + QStringLiteral(".calc"))).contains("\"years\":\"7\""));
}

ORVA_WIDGET_TEST_MAIN(TestAlimonyCalc)
#include "tst_alimonycalc.moc"
