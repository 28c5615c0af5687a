// The form viewer driven as a user drives it, on the real PDF.js viewer in
// Qt WebEngine (offscreen): a value typed into the form through the page
// reaches the saved, printed and mailed files; the tool bar is off while an
// operation runs and back afterwards, also when the page never answers.
// Mail and the PDF program are recording scripts first on PATH; dialogs
// and the desktop are answered through their seams.

#include "../ui/OrvaTestMain.h"

#include "AskAnswers.h"
#include "DesktopRecorder.h"
#include "FormViewer.h"
#include "PDFUtils.h"
#include "PdfjsProtocol.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPdfDocument>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <QtTest>

#include <algorithm>

namespace {

using namespace OrvaTest;

const QString kTitle = QStringLiteral("Saveable 9-202");
const QString kProposed = QStringLiteral("Short-Form-Financial.pdf");
const QString kName = QStringLiteral("Avery Quill Tester");
const QString kWages = QStringLiteral("4321");
const QString kViewerProgram = QStringLiteral("/opt/test viewer/bin/pdfviewer");
constexpr int kOperationTimeout = 60000;

bool pageReady(QWidget *viewer)
{
    return evaluate(viewer, QStringLiteral("typeof window.printProxy === 'object' && "
                                           "!!PDFViewerApplication.pdfDocument"))
        .toBool();
}

QString pdfText(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(20000))
        return QStringLiteral("<pdftotext did not finish>");
    return QString::fromUtf8(process.readAllStandardOutput());
}

QList<QAction *> toolbarActions(QWidget *viewer)
{
    QList<QAction *> actions;
    const QList<QAction *> all = viewer->findChildren<QAction *>();
    for (QAction *action : all) {
        if (!action->objectName().isEmpty())
            actions << action;
    }
    return actions;
}

bool allEnabled(QWidget *viewer, bool enabled)
{
    const QList<QAction *> actions = toolbarActions(viewer);
    return !actions.isEmpty()
        && std::all_of(actions.cbegin(), actions.cend(), [enabled](QAction *a) { return a->isEnabled() == enabled; });
}

void writeScript(const QString &path, const QByteArray &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    QVERIFY(file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser));
}

} // namespace

class TestPdfjsDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void save_data();
    void save();
    void print_data();
    void print();
    void sendMail_data();
    void sendMail();
    void openInPdfProgram_data();
    void openInPdfProgram();
    void busyStateEndsWhenThePageNeverAnswers_data();
    void busyStateEndsWhenThePageNeverAnswers();
    void lateScriptAnswerIsDropped();
    void closeWithEntries_data();
    void closeWithEntries();
    void noPdfProgramNoAcrobatButton();

private:
    void typeEntries(const QString &name = kName);
    // Triggers `action` and waits until the operation has given the tool bar
    // back; checks the tool bar was off meanwhile and that a second press
    // changed nothing.
    void runOperation(const QString &action, bool runs = true);
    QStringList xdgEmailCalls();

    QTemporaryDir m_dir;
    QString m_tools;
    QString m_path;
    QPointer<QWidget> m_viewer;
};

void TestPdfjsDialog::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_tools = m_dir.filePath(QStringLiteral("tools"));
    QVERIFY(QDir().mkpath(m_tools));
    // Recording stand-ins for the desktop's tools: xdg-email writes its
    // arguments and exits with the code in xdg-email.exit; xdg-mime names
    // the desktop entry written in default-pdf (none when empty).
    writeScript(m_tools + QStringLiteral("/xdg-email"),
                "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> \"" + m_tools.toUtf8()
                    + "/xdg-email.calls\"\nexit $(cat \"" + m_tools.toUtf8() + "/xdg-email.exit\" 2>/dev/null || echo 0)\n");
    writeScript(m_tools + QStringLiteral("/xdg-mime"),
                "#!/bin/sh\ncat \"" + m_tools.toUtf8() + "/default-pdf\" 2>/dev/null\nexit 0\n");
    QFile mime(m_tools + QStringLiteral("/default-pdf"));
    QVERIFY(mime.open(QIODevice::WriteOnly));
    mime.write("orva-testviewer.desktop\n");
    mime.close();
    const QString applications = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    QVERIFY(QDir().mkpath(applications));
    QFile entry(applications + QStringLiteral("/orva-testviewer.desktop"));
    QVERIFY(entry.open(QIODevice::WriteOnly));
    entry.write("[Desktop Entry]\nType=Application\nName=Test viewer\nExec=\"" + kViewerProgram.toUtf8()
                + "\" --new-window %U\n");
    entry.close();
    // The program's start-up makes the documents folder (its ORVA folder
    // lies there); the save dialog proposes it.
    QVERIFY(QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
    m_path = QString::fromLocal8Bit(qgetenv("PATH"));
    qputenv("PATH", (m_tools + QLatin1Char(':') + m_path).toLocal8Bit());

    QVERIFY(PDFUtils::openWithAcrobat(PdfjsProtocol::formUrl(QStringLiteral("Short-Form-Financial-2016.pdf")),
                                      kTitle, kProposed));
    m_viewer = formViewer(kTitle);
    QVERIFY(m_viewer);
    QTRY_VERIFY_WITH_TIMEOUT(pageReady(m_viewer), kOperationTimeout);

    typeEntries();
}

// Types into the form through the page, as the viewer's fields do.
void TestPdfjsDialog::typeEntries(const QString &name)
{
    evaluate(m_viewer, QStringLiteral("window.testFields = null; PDFViewerApplication.pdfDocument.getFieldObjects()"
                                      ".then(f => { window.testFields = f; }); 0"));
    QTRY_VERIFY_WITH_TIMEOUT(evaluate(m_viewer, QStringLiteral("!!window.testFields")).toBool(), 20000);
    const QVariant set = evaluate(
        m_viewer, QStringLiteral("(function () {"
                                 "  var storage = PDFViewerApplication.pdfDocument.annotationStorage;"
                                 "  storage.setValue(window.testFields['party_fullName'][0].id, {value: '%1'});"
                                 "  storage.setValue(window.testFields['income_wages_amount'][0].id, {value: '%2'});"
                                 "  return 'set';"
                                 "})()")
                      .arg(name, kWages));
    QCOMPARE(set.toString(), QStringLiteral("set"));
}

void TestPdfjsDialog::cleanupTestCase()
{
    qputenv("PATH", m_path.toLocal8Bit());
    if (!m_viewer)
        return;
    AskAnswers answers;
    answers.box(QMessageBox::Discard);
    QAction *close = m_viewer->findChild<QAction *>(QStringLiteral("closeAction"));
    QVERIFY(close);
    close->trigger();
    // The window is kept for the next form, hidden.
    QTRY_VERIFY_WITH_TIMEOUT(!m_viewer->isVisible(), 10000);
}

void TestPdfjsDialog::runOperation(const QString &name, bool runs)
{
    QVERIFY(m_viewer);
    QTRY_VERIFY(allEnabled(m_viewer, true));
    QAction *action = m_viewer->findChild<QAction *>(name);
    QVERIFY2(action, qPrintable(name));
    action->trigger();
    if (!runs) // ended before it began: a dialog cancelled
        return;
    QVERIFY2(allEnabled(m_viewer, false), "the tool bar stays usable while an operation runs");
    action->trigger(); // a second press while busy does nothing
    QTRY_VERIFY_WITH_TIMEOUT(allEnabled(m_viewer, true), kOperationTimeout);
}

QStringList TestPdfjsDialog::xdgEmailCalls()
{
    QFile calls(m_tools + QStringLiteral("/xdg-email.calls"));
    if (!calls.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(calls.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

void TestPdfjsDialog::save_data()
{
    QTest::addColumn<QString>("answer");   // file chosen in the dialog ("" cancels)
    QTest::addColumn<bool>("written");
    QTest::addColumn<bool>("errorBox");

    QTest::newRow("chosen file") << QStringLiteral("saved.pdf") << true << false;
    QTest::newRow("dialog cancelled") << QString() << false << false;
    QTest::newRow("folder missing") << QStringLiteral("missing/saved.pdf") << false << true;
}

void TestPdfjsDialog::save()
{
    QFETCH(QString, answer);
    QFETCH(bool, written);
    QFETCH(bool, errorBox);
    const QString target = answer.isEmpty() ? QString() : m_dir.filePath(answer);

    AskAnswers answers;
    answers.file(target);
    runOperation(QStringLiteral("saveAction"));

    const QList<Ask::Shown> shown = answers.shown();
    QCOMPARE(shown.size(), errorBox ? 2 : 1); // one dialog: the second press was ignored
    QCOMPARE(shown.at(0).kind, Ask::Shown::File);
    QCOMPARE(shown.at(0).title, QStringLiteral("Save as PDF"));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QRegularExpression proposed(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(documents + QStringLiteral("/Short-Form-Financial_"))
        + QStringLiteral("\\d\\d(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec)_\\d{4}_\\d\\d_\\d\\d_\\d\\d\\.pdf")));
    QVERIFY2(proposed.match(shown.at(0).text).hasMatch(), qPrintable(shown.at(0).text));

    if (errorBox) {
        QCOMPARE(shown.at(1).kind, Ask::Shown::Box);
        QCOMPARE(shown.at(1).icon, QMessageBox::Critical);
        QCOMPARE(shown.at(1).title, QStringLiteral("Save PDF"));
        QVERIFY2(shown.at(1).text.startsWith(QStringLiteral("Failed to open '%1' because of '").arg(target)),
                 qPrintable(shown.at(1).text));
    }
    QCOMPARE(!target.isEmpty() && QFile::exists(target), written);
    if (written) {
        const QString text = pdfText(target);
        QVERIFY2(text.contains(kName), qPrintable(text.left(400)));
        QVERIFY(text.contains(kWages));
    }
}

void TestPdfjsDialog::print_data()
{
    QTest::addColumn<bool>("printed");
    QTest::newRow("printer chosen") << true;
    QTest::newRow("dialog cancelled") << false;
}

void TestPdfjsDialog::print()
{
    QFETCH(bool, printed);
    const QString output = m_dir.filePath(printed ? QStringLiteral("printed.pdf") : QStringLiteral("none.pdf"));

    AskAnswers answers;
    Ask::answerNextPrint(printed ? output : QString());
    runOperation(QStringLiteral("printAction"), printed);
    QVERIFY(allEnabled(m_viewer, true));

    const QList<Ask::Shown> shown = answers.shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.at(0).kind, Ask::Shown::Print);
    QCOMPARE(QFile::exists(output), printed);
    if (!printed)
        return;
    // The filled form itself, with its words, not pictures of its pages.
    QVERIFY(pdfText(output).contains(kName));
    QVERIFY(QFileInfo(output).size() < 1000000);
    QPdfDocument pdf;
    QCOMPARE(pdf.load(output), QPdfDocument::Error::None);
    QCOMPARE(pdf.pageCount(), 3); // as many pages as the form
    // Each page carries the form's drawing, not a blank sheet.
    for (int page = 0; page < pdf.pageCount(); ++page) {
        const QImage image = pdf.render(page, QSize(300, 400));
        int dark = 0;
        // Every pixel: the form's rules are a pixel thin at this size.
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 128;
        }
        QVERIFY2(dark > 200, qPrintable(QStringLiteral("page %1: %2 dark pixels").arg(page).arg(dark)));
    }
}

void TestPdfjsDialog::sendMail_data()
{
    QTest::addColumn<QString>("exitCode"); // of xdg-email; empty: no xdg-email at all
    QTest::addColumn<bool>("fallback");
    QTest::addColumn<QString>("logLine");

    QTest::addColumn<bool>("linkPlanted"); // a link under the copy's name in the temporary folder

    QTest::newRow("compose window opened") << QStringLiteral("0") << false << QStringLiteral("Send Mail: 0") << false;
    QTest::newRow("no mail program") << QStringLiteral("3") << true << QStringLiteral("Send Mail: 3") << false;
    QTest::newRow("no xdg-email") << QString() << true << QStringLiteral("Failed to load mapi lib") << false;
    QTest::newRow("link planted") << QStringLiteral("0") << false << QStringLiteral("Send Mail: 0") << true;
}

void TestPdfjsDialog::sendMail()
{
    QFETCH(QString, exitCode);
    QFETCH(bool, fallback);
    QFETCH(QString, logLine);
    QFETCH(bool, linkPlanted);

    QFile::remove(m_tools + QStringLiteral("/xdg-email.calls"));
    QFile exit(m_tools + QStringLiteral("/xdg-email.exit"));
    QVERIFY(exit.open(QIODevice::WriteOnly));
    exit.write(exitCode.toUtf8());
    exit.close();
    QString attachment = QDir::temp().filePath(kProposed);
    QFile::remove(attachment);
    // Anyone may put a link there; the user's file it names must stay as it is.
    const QString victim = m_dir.filePath(QStringLiteral("victim.cml"));
    if (linkPlanted) {
        QFile file(victim);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("the user's case");
        file.close();
        QVERIFY(QFile::link(victim, attachment));
    }
    if (exitCode.isEmpty()) // the recording tools only, and no xdg-email among them
        qputenv("PATH", m_dir.filePath(QStringLiteral("empty")).toLocal8Bit());

    DesktopRecorder desktop;
    AskAnswers answers;
    runOperation(QStringLiteral("mailAction"));
    qputenv("PATH", (m_tools + QLatin1Char(':') + m_path).toLocal8Bit());

    QVERIFY(answers.shown().isEmpty()); // no dialog: the copy goes to the temporary folder
    if (linkPlanted) {
        QVERIFY(QFileInfo(attachment).isSymLink());
        QFile file(victim);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("the user's case"));
        QVERIFY(QFile::remove(attachment));
        // The copy went into a private folder of its own in the temporary folder.
        const QStringList calls = xdgEmailCalls();
        QVERIFY(!calls.isEmpty());
        attachment = calls.constLast();
        QCOMPARE(QFileInfo(attachment).fileName(), kProposed);
        QCOMPARE(QFileInfo(QFileInfo(attachment).absolutePath()).absolutePath(), QDir::temp().absolutePath());
    }
    QVERIFY(QFile::exists(attachment));
    QVERIFY(pdfText(attachment).contains(kName));
    const QString subject = QStringLiteral("Form Returned: Short-Form-Financial.pdf");
    if (!exitCode.isEmpty()) {
        QCOMPARE(xdgEmailCalls(), QStringList({QStringLiteral("--subject"), subject, QStringLiteral("--body"),
                                               PdfjsProtocol::MailBody, QStringLiteral("--attach"),
                                               QDir::toNativeSeparators(attachment)}));
    }
    if (fallback) {
        QCOMPARE(desktop.calls.size(), 1);
        QCOMPARE(desktop.calls.at(0).kind, Platform::DesktopCall::OpenUrl);
        const QUrl address(desktop.calls.at(0).target);
        QCOMPARE(address.scheme(), QStringLiteral("mailto"));
        const QUrlQuery query(address);
        QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded), subject);
        QCOMPARE(query.queryItemValue(QStringLiteral("attachment"), QUrl::FullyDecoded),
                 QUrl::fromLocalFile(attachment).toString());
    } else {
        QVERIFY(desktop.calls.isEmpty());
    }
    QFile log(PDFUtils::mailLogPath());
    QVERIFY(log.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromLocal8Bit(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(!lines.isEmpty());
    QVERIFY2(lines.constLast().endsWith(QStringLiteral(": ") + logLine), qPrintable(lines.constLast()));
    if (linkPlanted)
        QVERIFY(QDir(QFileInfo(attachment).absolutePath()).removeRecursively());
}

void TestPdfjsDialog::openInPdfProgram_data()
{
    QTest::addColumn<bool>("chosen");
    QTest::newRow("saved first") << true;
    QTest::newRow("save cancelled") << false;
}

void TestPdfjsDialog::openInPdfProgram()
{
    QFETCH(bool, chosen);
    const QString target = chosen ? m_dir.filePath(QStringLiteral("for the viewer.pdf")) : QString();

    DesktopRecorder desktop;
    AskAnswers answers;
    answers.file(target);
    runOperation(QStringLiteral("acrobatAction"));

    QCOMPARE(answers.shown().size(), 1); // the save dialog comes first
    if (!chosen) {
        QVERIFY(desktop.calls.isEmpty());
        return;
    }
    QVERIFY(pdfText(target).contains(kWages));
    QCOMPARE(desktop.calls.size(), 1);
    QCOMPARE(desktop.calls.at(0).kind, Platform::DesktopCall::StartDetached);
    QCOMPARE(desktop.calls.at(0).target, kViewerProgram);
    QCOMPARE(desktop.calls.at(0).arguments, (QStringList{QStringLiteral("--new-window"), target}));
}

void TestPdfjsDialog::busyStateEndsWhenThePageNeverAnswers_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("save") << QStringLiteral("saveAction");
    QTest::newRow("print") << QStringLiteral("printAction");
}

void TestPdfjsDialog::busyStateEndsWhenThePageNeverAnswers()
{
    QFETCH(QString, action);
    QVERIFY(m_viewer);
    const int timeout = m_viewer->property("busyTimeout").toInt();
    QVERIFY(m_viewer->setProperty("busyTimeout", 1500));
    // The page loses its channel object, as before the start-up has set it.
    evaluate(m_viewer, QStringLiteral("window.keptProxy = window.printProxy; window.printProxy = undefined; 0"));

    AskAnswers answers;
    answers.file(m_dir.filePath(QStringLiteral("never.pdf")));
    Ask::answerNextPrint(m_dir.filePath(QStringLiteral("never.pdf")));
    runOperation(action);

    evaluate(m_viewer, QStringLiteral("window.printProxy = window.keptProxy; 0"));
    m_viewer->setProperty("busyTimeout", timeout);
    const QList<Ask::Shown> shown = answers.shown();
    QCOMPARE(shown.size(), action == QLatin1String("printAction") ? 2 : 1); // the print dialog comes first
    QCOMPARE(shown.last().icon, QMessageBox::Warning);
    QCOMPARE(shown.last().title, kTitle);
    QVERIFY2(shown.last().text.contains(QStringLiteral("could not be processed")), qPrintable(shown.last().text));
}

// A script that answers after the wait for it gave up: its answer is not
// taken for the answer to the next one.
void TestPdfjsDialog::lateScriptAnswerIsDropped()
{
    const QString slow = QStringLiteral("(function () { const end = Date.now() + 500;"
                                        "  while (Date.now() < end) {} return 'late'; })()");
    QVERIFY(!evaluate(m_viewer, slow, 50).isValid());
    QCOMPARE(evaluate(m_viewer, QStringLiteral("'in time'")).toString(), QStringLiteral("in time"));
}

void TestPdfjsDialog::closeWithEntries_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("file"); // chosen after Save ("" cancels)
    QTest::addColumn<bool>("closed");

    QTest::newRow("cancel keeps the entries") << int(QMessageBox::Cancel) << QString() << false;
    QTest::newRow("save cancelled keeps them") << int(QMessageBox::Save) << QString() << false;
    QTest::newRow("saved, then closed") << int(QMessageBox::Save) << QStringLiteral("closing.pdf") << true;
    QTest::newRow("discarded") << int(QMessageBox::Discard) << QString() << true;
}

void TestPdfjsDialog::closeWithEntries()
{
    QFETCH(int, answer);
    QFETCH(QString, file);
    QFETCH(bool, closed);
    QVERIFY(m_viewer && m_viewer->isVisible());
    const QString name = QStringLiteral("Closing %1").arg(QTest::currentDataTag());
    typeEntries(name);

    AskAnswers answers;
    answers.box(QMessageBox::StandardButton(answer));
    answers.file(file.isEmpty() ? QString() : m_dir.filePath(file));
    m_viewer->close();
    QList<Ask::Shown> shown;
    QTRY_VERIFY_WITH_TIMEOUT((shown += answers.shown(), !shown.isEmpty()), kOperationTimeout);
    QCOMPARE(shown.at(0).buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    QTRY_VERIFY_WITH_TIMEOUT(closed ? !m_viewer->isVisible() : allEnabled(m_viewer, true), kOperationTimeout);
    QCOMPARE(m_viewer->isVisible(), !closed);
    if (!file.isEmpty())
        QVERIFY(pdfText(m_dir.filePath(file)).contains(name));
    if (!closed) {
        QCOMPARE(evaluate(m_viewer, PdfjsProtocol::unsavedScript()).toBool(), true);
        return;
    }
    // Opened again: the same window at once, without the entries.
    QVERIFY(PDFUtils::openWithAcrobat(PdfjsProtocol::formUrl(QStringLiteral("Short-Form-Financial-2016.pdf")),
                                      kTitle, kProposed));
    QCOMPARE(formViewer(kTitle), m_viewer.data());
    QTRY_VERIFY_WITH_TIMEOUT(firstPageDrawn(m_viewer), kOperationTimeout);
    QCOMPARE(evaluate(m_viewer, PdfjsProtocol::unsavedScript()).toBool(), false);
}

void TestPdfjsDialog::noPdfProgramNoAcrobatButton()
{
    QVERIFY(m_viewer->findChild<QAction *>(QStringLiteral("acrobatAction")));

    QFile mime(m_tools + QStringLiteral("/default-pdf"));
    QVERIFY(mime.open(QIODevice::WriteOnly | QIODevice::Truncate));
    mime.close();
    const QString title = QStringLiteral("Parent Plan Tool");
    QVERIFY(PDFUtils::openWithAcrobat(PdfjsProtocol::formUrl(QStringLiteral("Parent-Plan-Tool.pdf")), title,
                                      QStringLiteral("Parent-Plan-Tool.pdf")));
    QPointer<QWidget> viewer = formViewer(title);
    QVERIFY(viewer);
    QVERIFY(viewer != m_viewer); // a second viewer beside the one kept
    QVERIFY(viewer->findChild<QAction *>(QStringLiteral("mailAction")));
    QVERIFY(!viewer->findChild<QAction *>(QStringLiteral("acrobatAction"))->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(firstPageDrawn(viewer), kOperationTimeout);
    viewer->close(); // nothing entered: closes at once, and goes
    QTRY_VERIFY_WITH_TIMEOUT(!viewer, 10000);
}

int main(int argc, char **argv)
{
    OrvaTest::Environment environment;
    const QString temp = environment.home() + QStringLiteral("/tmp");
    QDir().mkpath(temp);
    qputenv("TMPDIR", temp.toLocal8Bit());
    CalcApplication app(argc, argv, 1.0f);
    TestPdfjsDialog test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pdfjsdialog.moc"
