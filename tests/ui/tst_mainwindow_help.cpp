// The window's client-details, help, FAQ, support and website commands, and
// a case file named on the command line. Everything handed to the desktop is
// recorded, never opened; message boxes take queued answers.

#include "MainWindowDriver.h"
#include "OrvaTestMain.h"

#include "AskAnswers.h"
#include "ClientDetailsForm.h"
#include "Deployment.h"
#include "DesktopRecorder.h"
#include "PdfPreviewDialog.h"
#include "QBalloonTip.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFile>
#include <QPdfDocument>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QUrlQuery>

namespace {

using namespace OrvaTest;

bool balloonsHidden(const Window &w)
{
    return !w.window->motherBalloon()->isVisible() && !w.window->fatherBalloon()->isVisible();
}

QString fileUrl(const QString &path)
{
    return QUrl::fromLocalFile(path).toString();
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(data), data.size());
    QVERIFY(file.flush());
    file.close();
}

} // namespace

class TestMainWindowHelp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void moreButtonsOpenTheClientDetails_data();
    void moreButtonsOpenTheClientDetails();
    void helpOpensTheManual_data();
    void helpOpensTheManual();
    void manualThatCannotBeOpenedIsReported();
    void emailSupportStartsAMessage();
    void websiteAfterTheQuestion_data();
    void websiteAfterTheQuestion();
    void faqOpensInThePreview();
    void fileFromTheCommandLine_data();
    void fileFromTheCommandLine();
    void alimonyFileFromTheCommandLine_data();
    void alimonyFileFromTheCommandLine();

private:
    // Registers (or not) a program for help files with the desktop, as the
    // user's own mimeapps.list does.
    void registerHelpViewer(bool registered);

    Window m_w;
    QTemporaryDir m_dir;
    QByteArray m_dataDirs;
};

void TestMainWindowHelp::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // The desktop's answers come only from the test's own folders: no
    // program the machine happens to have for help files counts.
    qunsetenv("XDG_CURRENT_DESKTOP");
    qunsetenv("DESKTOP_SESSION");
    // The system's MIME database stays, so that a file's type is known.
    const QString dirs = m_dir.filePath(QStringLiteral("xdg-data-dirs"));
    QVERIFY(QDir().mkpath(dirs));
    for (const QString &system : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        if (QFileInfo::exists(system + QStringLiteral("/mime/mime.cache"))) {
            QVERIFY(QFile::link(system + QStringLiteral("/mime"), dirs + QStringLiteral("/mime")));
            break;
        }
    }
    qputenv("XDG_DATA_DIRS", dirs.toLocal8Bit());
    for (const QString &document : {MainWindow::helpFilePath(), MainWindow::faqFilePath(),
                                    MainWindow::manualPagePath(QStringLiteral("index.html")),
                                    MainWindow::manualPagePath(QStringLiteral("keywords.html"))})
        QVERIFY2(QFile::exists(document), qPrintable(document));
}

void TestMainWindowHelp::init()
{
    QSettings().clear();
    registerHelpViewer(false);
    m_w = openWindow();
}

void TestMainWindowHelp::cleanup()
{
    if (m_w.window)
        m_w.window->document()->setModified(false);
    m_w = Window();
}

void TestMainWindowHelp::registerHelpViewer(bool registered)
{
    const QString config = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    const QString applications = QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME")) + QStringLiteral("/applications");
    QVERIFY(QDir().mkpath(config));
    QVERIFY(QDir().mkpath(applications));
    const QString list = config + QStringLiteral("/mimeapps.list");
    const QString entry = applications + QStringLiteral("/orva-test-chm.desktop");
    QFile::remove(list);
    QFile::remove(entry);
    if (!registered)
        return;
    writeFile(entry, "[Desktop Entry]\nType=Application\nName=Help viewer\nExec=true %f\n"
                     "MimeType=application/vnd.ms-htmlhelp;\n");
    writeFile(list, "[Default Applications]\napplication/vnd.ms-htmlhelp=orva-test-chm.desktop\n");
}

// ---- Client details ------------------------------------------------------------------

void TestMainWindowHelp::moreButtonsOpenTheClientDetails_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QString>("edit");
    QTest::newRow("plaintiff") << "plaintiffMoreButton" << "plaintiffTab" << "plaintiffCityEdit";
    QTest::newRow("defendant") << "defendantMoreButton" << "defendantTab" << "defendantCityEdit";
}

void TestMainWindowHelp::moreButtonsOpenTheClientDetails()
{
    QFETCH(QString, button);
    QFETCH(QString, tab);
    QFETCH(QString, edit);
    fatherAboveSole(m_w);
    QVERIFY(!balloonsHidden(m_w));
    m_w.doc->setModified(false);

    struct Seen {
        QString tab;
        QWidget *parent = nullptr;
        bool balloonsHidden = false;
        bool modal = false;
    } seen;
    Window &w = m_w;
    const auto answer = answerModal([&](QWidget *modal) {
        auto *form = qobject_cast<ClientDetailsForm *>(modal);
        QVERIFY2(form, modal->metaObject()->className());
        seen.tab = form->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->currentWidget()->objectName();
        seen.parent = form->parentWidget();
        seen.modal = form->isModal();
        seen.balloonsHidden = balloonsHidden(w);
        auto *city = form->findChild<QLineEdit *>(edit);
        QVERIFY(city);
        city->setFocus();
        QTest::keyClicks(city, QStringLiteral("Frederick"));
        QTest::mouseClick(form->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    QTest::mouseClick(m_w.window->findChild<QPushButton *>(button), Qt::LeftButton);
    QTRY_VERIFY(answer->answered);

    QCOMPARE(seen.tab, tab);
    QCOMPARE(seen.parent, m_w.window.get());
    QVERIFY(seen.modal);
    QVERIFY(seen.balloonsHidden);
    const QString city = button.startsWith(QLatin1String("plaintiff")) ? m_w.doc->plaintiffCity()
                                                                       : m_w.doc->defendantCity();
    QCOMPARE(city, QStringLiteral("Frederick"));
    // The details reach disk with the next save; the case asks for it.
    QVERIFY(m_w.doc->modified());
    QVERIFY(m_w.window->windowTitle().contains(QLatin1Char('*')));
}

// ---- Help, search, support, website ---------------------------------------------------

void TestMainWindowHelp::helpOpensTheManual_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("viewer");
    QTest::addColumn<QString>("opened");
    const QString chm = MainWindow::helpFilePath();
    QTest::newRow("Contents with a help viewer") << "actionContents" << true << chm;
    QTest::newRow("Contents without one") << "actionContents" << false
                                          << MainWindow::manualPagePath(QStringLiteral("index.html"));
    QTest::newRow("Search with a help viewer") << "actionSearch" << true << chm;
    QTest::newRow("Search without one") << "actionSearch" << false
                                        << MainWindow::manualPagePath(QStringLiteral("keywords.html"));
}

void TestMainWindowHelp::helpOpensTheManual()
{
    QFETCH(QString, command);
    QFETCH(bool, viewer);
    QFETCH(QString, opened);
    registerHelpViewer(viewer);
    fatherAboveSole(m_w);
    AskAnswers answers;
    DesktopRecorder desktop;

    m_w.window->findChild<QAction *>(command)->trigger();

    QCOMPARE(desktop.targets(), QStringList{fileUrl(opened)});
    QCOMPARE(desktop.calls.first().kind, Platform::DesktopCall::OpenUrl);
    QVERIFY2(QFile::exists(opened), qPrintable(opened));
    QVERIFY(balloonsHidden(m_w));
    QVERIFY(answers.shown().isEmpty());
}

void TestMainWindowHelp::manualThatCannotBeOpenedIsReported()
{
    AskAnswers answers;
    DesktopRecorder refusingDesktop(false);

    m_w.ui->actionContents->trigger();

    QCOMPARE(refusingDesktop.targets(), QStringList{fileUrl(MainWindow::manualPagePath(QStringLiteral("index.html")))});
    const QList<Ask::Shown> shown = answers.shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().icon, QMessageBox::Warning);
    QVERIFY2(shown.first().text.contains(QDir::toNativeSeparators(MainWindow::manualPagePath(QStringLiteral("index.html")))),
             qPrintable(shown.first().text));
}

void TestMainWindowHelp::emailSupportStartsAMessage()
{
    fatherAboveSole(m_w);
    DesktopRecorder desktop;

    m_w.ui->actionEmail_Support->trigger();

    QCOMPARE(desktop.calls.size(), 1);
    const QUrl mail(desktop.calls.first().target);
    QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
    QCOMPARE(mail.path(), QString::fromLatin1(Deployment::supportAddress));
    const QUrlQuery query(mail);
    QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded), QStringLiteral("Question"));
    QCOMPARE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded), QStringLiteral("Place Question here."));
    QCOMPARE(query.queryItems().size(), 2);
    // What a mail program receives: the space encoded, nothing else.
    QVERIFY(MainWindow::supportMailUrl().toEncoded().endsWith("body=Place%20Question%20here."));
    QVERIFY(balloonsHidden(m_w));
}

void TestMainWindowHelp::websiteAfterTheQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("OK") << int(QMessageBox::Ok) << QStringList{QString::fromLatin1(Deployment::websiteAddress)};
    QTest::newRow("Cancel") << int(QMessageBox::Cancel) << QStringList{};
}

void TestMainWindowHelp::websiteAfterTheQuestion()
{
    QFETCH(int, answer);
    QFETCH(QStringList, opened);
    fatherAboveSole(m_w);
    AskAnswers answers;
    answers.box(QMessageBox::StandardButton(answer));
    DesktopRecorder desktop;

    m_w.ui->actionOpen_website->trigger();

    QCOMPARE(desktop.targets(), opened);
    const QList<Ask::Shown> shown = answers.shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().title, QStringLiteral("ORVA Calc"));
    QCOMPARE(shown.first().text,
             QStringLiteral("You will be navigated to %1 website").arg(QString::fromLatin1(Deployment::websiteHost)));
    QCOMPARE(shown.first().buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(shown.first().defaultButton, QMessageBox::Ok);
    // The host the question names is the one the browser is sent to.
    QCOMPARE(QUrl(QString::fromLatin1(Deployment::websiteAddress)).host(), QString::fromLatin1(Deployment::websiteHost));
    QVERIFY(balloonsHidden(m_w));
}

void TestMainWindowHelp::faqOpensInThePreview()
{
    fatherAboveSole(m_w);
    struct Seen {
        bool caseMode = true;
        QString fileName;
        int pages = 0;
        QString firstPage;
        bool balloonsHidden = false;
    } seen;
    Window &w = m_w;
    const auto answer = answerModal([&](QWidget *modal) {
        auto *preview = qobject_cast<PdfPreviewDialog *>(modal);
        QVERIFY2(preview, modal->metaObject()->className());
        seen.caseMode = preview->caseMode();
        seen.fileName = preview->fileName();
        seen.pages = preview->pdfDocument()->pageCount();
        seen.firstPage = seen.pages > 0 ? preview->pdfDocument()->getAllText(0).text().simplified() : QString();
        seen.balloonsHidden = balloonsHidden(w);
        preview->close();
    });
    m_w.ui->actionFAQ->trigger();
    QTRY_VERIFY(answer->answered);

    QVERIFY(!seen.caseMode);
    QCOMPARE(seen.fileName, MainWindow::faqFilePath());
    QVERIFY2(seen.pages > 1, qPrintable(QString::number(seen.pages)));
    QVERIFY2(seen.firstPage.contains(QStringLiteral("Frequently asked questions")), qPrintable(seen.firstPage));
    QVERIFY(seen.balloonsHidden);
}

// ---- A file named on the command line ------------------------------------------------

void TestMainWindowHelp::fileFromTheCommandLine_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("caseNumber"); // empty: refused
    QTest::addColumn<QString>("reason");     // of a refusal, under the error
    QTest::newRow("case file") << "case.cml" << "24-7001" << "";
    QTest::newRow("case file in upper case") << "CASE.CML" << "24-7002" << "";
    QTest::newRow("case file without suffix") << "case" << "24-7003" << "";
    QTest::newRow("missing file") << "missing.cml" << "" << "No such file or directory";
    QTest::newRow("not a case") << "garbage.cml" << "" << "Not an OrvaCalc case file";
    QTest::newRow("empty file") << "empty.cml" << "" << "Not an OrvaCalc case file";
    QTest::newRow("relative to the start folder") << "relative/case.cml" << "24-7004" << "";
}

void TestMainWindowHelp::fileFromTheCommandLine()
{
    QFETCH(QString, file);
    QFETCH(QString, caseNumber);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("relative"))));
    const QString path = folder.filePath(file);
    if (!caseNumber.isEmpty()) {
        OrvaDocument stored(OrvaDocument::NewOct2020);
        stored.setCaseNumber(caseNumber);
        stored.setPlaintiffName(QStringLiteral("Rowan Hale"));
        stored.setMotherMonthlyIncome(4321);
        stored.setPlaintiffCity(QStringLiteral("Annapolis"));
        QVERIFY(stored.writeCaseFile(path));
    } else if (file.startsWith(QLatin1String("garbage"))) {
        writeFile(path, "<html><body>not a case</body></html>");
    } else if (file.startsWith(QLatin1String("empty"))) {
        writeFile(path, QByteArray());
    }
    AskAnswers answers;

    // Named as the user typed it, from the folder the program starts in.
    const QString startFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));
    CalcApplication::openLaunchFile(m_w.window.get(), file);
    QVERIFY(QDir::setCurrent(startFolder));

    OrvaDocument *doc = m_w.window->document();
    const QList<Ask::Shown> shown = answers.shown();
    if (!caseNumber.isEmpty()) {
        QVERIFY(shown.isEmpty());
        QCOMPARE(doc->caseNumber(), caseNumber);
        QCOMPARE(m_w.ui->caseNumberEdit->text(), caseNumber);
        QCOMPARE(m_w.ui->plaintiffNameEdit->text(), QStringLiteral("Rowan Hale"));
        QCOMPARE(doc->motherMonthlyIncome(), qint64(4321));
        QCOMPARE(doc->plaintiffCity(), QStringLiteral("Annapolis"));
        QCOMPARE(doc->mode(), OrvaDocument::NewOct2020);
        QCOMPARE(doc->filePath(), path);
        QVERIFY(m_w.window->windowTitle().contains(path));
    } else {
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().icon, QMessageBox::Critical);
        QCOMPARE(shown.first().text, QStringLiteral("Error opening document"));
        QCOMPARE(shown.first().informativeText, reason);
        // The empty new case stays.
        QVERIFY(doc->untitled());
        QVERIFY(!doc->modified());
        QVERIFY(doc->caseNumber().isEmpty());
    }
}

void TestMainWindowHelp::alimonyFileFromTheCommandLine_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("years"); // empty: refused with the calculator's own message
    QTest::newRow("alimony file") << "spouses.calc"
                                  << QByteArray(R"(CalcFormValue = {"years":"12","payorgross":"187500"})") << "12";
    QTest::newRow("upper case, relative") << "relative/SPOUSES.CALC"
                                          << QByteArray(R"(CalcFormValue = {"years":"7.5"})") << "7.5";
    QTest::newRow("not an alimony file") << "broken.calc" << QByteArray("CalcFormValue = {not json") << "";
    QTest::newRow("missing") << "missing.calc" << QByteArray() << "";
}

void TestMainWindowHelp::alimonyFileFromTheCommandLine()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, years);
    QTemporaryDir folder;
    QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("relative"))));
    if (!content.isEmpty())
        writeFile(folder.filePath(file), content);
    m_w.doc->setCaseNumber(QStringLiteral("24-7100"));
    m_w.doc->setModified(true);
    AskAnswers answers;

    struct Seen {
        QString className;
        QString years;
    } seen;
    const auto answer = answerModal([&](QWidget *modal) {
        seen.className = QString::fromLatin1(modal->metaObject()->className());
        if (auto *yearsEdit = modal->findChild<QLineEdit *>(QStringLiteral("yearsEdit")))
            seen.years = yearsEdit->text();
        static_cast<QDialog *>(modal)->reject();
    });
    const QString startFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));
    CalcApplication::openLaunchFile(m_w.window.get(), file);
    QVERIFY(QDir::setCurrent(startFolder));
    QTRY_VERIFY(answer->answered);

    // The calculator, with the file's inputs or empty after its message.
    QCOMPARE(seen.className, QStringLiteral("AlimonyCalc"));
    QCOMPARE(seen.years, years);
    const QList<Ask::Shown> shown = answers.shown();
    QCOMPARE(shown.size(), years.isEmpty() ? 1 : 0);
    if (years.isEmpty())
        QCOMPARE(shown.first().icon, QMessageBox::Critical);
    // The case in the window is not touched.
    QCOMPARE(m_w.doc->caseNumber(), QStringLiteral("24-7100"));
    QVERIFY(m_w.doc->modified());
}

ORVA_WIDGET_TEST_MAIN(TestMainWindowHelp)

#include "tst_mainwindow_help.moc"
