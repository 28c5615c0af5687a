// The Financial Forms and Custody Forms commands: each hides the warning
// balloons and opens its court form in the form viewer, with its title, on
// the real viewer offscreen, filled from the example case (a financial
// statement asks whose it is first); the saved form is read back. Without
// the viewer's resources the notice comes instead. With ORVA_SHOTS set,
// each form is also grabbed to a PNG file in that folder, and the saved
// files are kept there, to look at.

#include "OrvaTestMain.h"

#include "AskAnswers.h"
#include "FormViewer.h"
#include "MainWindow.h"
#include "MainWindowForm.h"
#include "OrvaDocument.h"
#include "PdfjsProtocol.h"
#include "QBalloonTip.h"

#include <QAction>
#include <QMessageBox>
#include <QRadioButton>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QPointer>
#include <QResource>

using OrvaTest::evaluate;

class TestMainWindowForms : public QObject
{
    Q_OBJECT

private slots:
    void opensForm_data();
    void opensForm();
    void noticeWhenTheViewerCannotOpen();
};

void TestMainWindowForms::opensForm_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("resource");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QStringList>("filled"); // read back from the saved form

    // The example case: plaintiff and mother Jane Q. Sample, two children,
    // the mother's income 4200; the client is asked for (the mother).
    const QStringList parties = {"Montgomery County", "C-15-FM-24-004821", "Jane Q. Sample", "John R. Sample",
                                 "(301) 555-0142", "Ava Sample", "03/14/2012", "Ben Sample"};
    QTest::newRow("9-202") << QStringLiteral("actionSaveable_9_202") << QStringLiteral("Saveable 9-202")
                           << QStringLiteral("Short-Form-Financial-2016.pdf") << 3
                           << parties + QStringList{"Mother", "4,200", "650"};
    QTest::newRow("9-203") << QStringLiteral("actionSaveable_9_203") << QStringLiteral("Saveable 9-203")
                           << QStringLiteral("Long-Form-Financial-2016.pdf") << 4
                           << parties + QStringList{"4,200", "150"};
    QTest::newRow("joint statement") << QStringLiteral("actionJoint_Parenting_Statement")
                                     << QStringLiteral("Joint Parenting Statement")
                                     << QStringLiteral("Joint-Parenting-Statement.pdf") << 3 << parties;
    QTest::newRow("parenting plan") << QStringLiteral("actionParent_Plan_Tool") << QStringLiteral("Parent Plan Tool")
                                    << QStringLiteral("Parent-Plan-Tool.pdf") << 3 << parties;
}

void TestMainWindowForms::opensForm()
{
    QFETCH(QString, action);
    QFETCH(QString, title);
    QFETCH(QString, resource);
    QFETCH(int, pages);
    QFETCH(QStringList, filled);

    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.openCaseFile(QStringLiteral(ORVA_SOURCE_DIR "/examples/example-shared.cml")));
    QBalloonTip *balloon = window.motherBalloon();
    QVERIFY(balloon);
    balloon->showBalloon(window.mapToGlobal(QPoint(300, 300)), true);
    QVERIFY(balloon->isVisible());

    QAction *command = window.findChild<QAction *>(action);
    QVERIFY(command);
    QVERIFY(command->isEnabled());
    {
        OrvaTest::AskAnswers answers;
        answers.box(QMessageBox::Yes); // the first name offered: the plaintiff, the mother's column
        command->trigger();
        const QList<Ask::Shown> shown = answers.shown();
        const bool financial = title.startsWith(QLatin1String("Saveable"));
        QCOMPARE(shown.size(), financial ? 1 : 0);
        QCOMPARE(window.form()->radioButton_4->isChecked(), financial);
        QCOMPARE(window.document()->modified(), financial);
    }

    QVERIFY(!balloon->isVisible());
    QPointer<QWidget> viewer = OrvaTest::formViewer();
    QVERIFY(viewer);
    QCOMPARE(viewer->windowTitle(), title);
    QCOMPARE(viewer->parentWidget(), &window);
    QTRY_VERIFY_WITH_TIMEOUT(OrvaTest::firstPageDrawn(viewer), 60000);
    QCOMPARE(evaluate(viewer, QStringLiteral("PDFViewerApplication.url")).toString(),
             QStringLiteral("qrc:///PDFJS/resourses/") + resource);
    QCOMPARE(evaluate(viewer, QStringLiteral("PDFViewerApplication.pdfDocument.numPages")).toInt(), pages);
    // The form's fields are live form fields, not a picture of them, and
    // they show the case's values.
    QTRY_VERIFY_WITH_TIMEOUT(
        evaluate(viewer, QStringLiteral("document.querySelectorAll('.annotationLayer input').length")).toInt() > 20,
        20000);
    QCOMPARE(evaluate(viewer, QStringLiteral("document.querySelector('input[name=plaintiff_name]').value")).toString(),
             QStringLiteral("Jane Q. Sample"));

    // Filled only from the case, the form is not saved anywhere yet.
    QVERIFY(evaluate(viewer, PdfjsProtocol::unsavedScript()).toBool());

    const QString shots = qEnvironmentVariable("ORVA_SHOTS");
    QTemporaryDir temporary;
    const QDir folder(shots.isEmpty() ? temporary.path() : shots);
    QDir().mkpath(folder.path());
    const QString saved = folder.filePath(QStringLiteral("saved-%1.pdf").arg(QTest::currentDataTag()));
    QFile::remove(saved);
    QAction *save = viewer->findChild<QAction *>(QStringLiteral("saveAction"));
    QVERIFY(save);
    {
        OrvaTest::AskAnswers answers;
        answers.file(saved);
        save->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(save->isEnabled(), 60000);
    }
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {saved, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(20000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    for (const QString &value : filled)
        QVERIFY2(words.contains(value), qPrintable(value));

    if (!shots.isEmpty()) {
        QTest::qWait(500); // let the compositor deliver the rendered page
        viewer->grab().save(folder.filePath(QStringLiteral("form-%1.png").arg(QTest::currentDataTag())));
    }
    // Saved: closing asks nothing.
    OrvaTest::AskAnswers answers;
    viewer->close();
    QTRY_VERIFY_WITH_TIMEOUT(!viewer || !viewer->isVisible(), 10000);
    QVERIFY(answers.shown().isEmpty());
}

void TestMainWindowForms::noticeWhenTheViewerCannotOpen()
{
    const QString rcc = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("pdfjs.rcc"));
    QVERIFY(QResource::unregisterResource(rcc));
    MainWindow window;
    window.show();
    OrvaTest::AskAnswers answers;
    window.findChild<QAction *>(QStringLiteral("actionParent_Plan_Tool"))->trigger();
    const QList<Ask::Shown> shown = answers.shown();
    QVERIFY(QResource::registerResource(rcc));

    QVERIFY(!OrvaTest::formViewer());
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.at(0).kind, Ask::Shown::Dialog);
    QVERIFY2(shown.at(0).text.contains(QStringLiteral("Error opening PDF file")), qPrintable(shown.at(0).text));
}

ORVA_WIDGET_TEST_MAIN(TestMainWindowForms)

#include "tst_mainwindow_forms.moc"
