// The window's commands driven as a user drives them: the guideline switch
// with its questions, New, Open, Save, Save As and closing on real case files,
// the preview and print with their confirmation, and the statute documents.
// Every dialog is answered from a timer that finds it.

#include "MainWindowDriver.h"
#include "OrvaTestMain.h"

#include "PdfPreviewDialog.h"
#include "QBalloonTip.h"

#include <QAction>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPdfDocument>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>

#include <sys/stat.h>

namespace {

using namespace OrvaTest;
using Step = std::function<void(QWidget *)>;

const QString kSaveTitle = QStringLiteral("Orva-Calc");
const QString kFilter = QStringLiteral("ORVA document (*.cml)");

struct BoxSeen {
    QString title;
    QString text;
    QString informativeText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Answers a message box with one of its buttons, clicked with the mouse.
Step press(QMessageBox::StandardButton which, BoxSeen *seen = nullptr)
{
    return [which, seen](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY2(box, modal->metaObject()->className());
        if (seen) {
            seen->title = box->windowTitle();
            seen->text = box->text();
            seen->informativeText = box->informativeText();
            seen->icon = box->icon();
            seen->buttons = box->standardButtons();
            seen->defaultButton = box->defaultButton() ? box->standardButton(box->defaultButton())
                                                       : QMessageBox::NoButton;
        }
        QAbstractButton *button = box->button(which);
        QVERIFY2(button, "no such button");
        QTest::mouseClick(button, Qt::LeftButton);
    };
}

struct FileDialogSeen {
    QString title;
    QString folder;
    QString proposed;
    QStringList filters;
};

// Types `path` into a file dialog and accepts it; an empty path cancels.
Step chooseFile(const QString &path, FileDialogSeen *seen = nullptr)
{
    return [path, seen](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY2(dialog, modal->metaObject()->className());
        if (seen) {
            seen->title = dialog->windowTitle();
            seen->folder = dialog->directory().absolutePath();
            seen->proposed = dialog->selectedFiles().value(0);
            seen->filters = dialog->nameFilters();
        }
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        // A dialog opened on the case's own file has that file selected in
        // its list, and a selection wins over the typed name: a user typing
        // another name leaves it, so the test does too.
        for (QAbstractItemView *view : dialog->findChildren<QAbstractItemView *>())
            view->clearSelection();
        name->setText(path);
        // Queued: accepting may itself ask (overwrite), which needs the loop.
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    };
}

// Prints to a PDF file through the print dialog's own file printer.
Step printToFile(const QString &path)
{
    return [path](QWidget *modal) {
        auto *dialog = qobject_cast<QPrintDialog *>(modal);
        QVERIFY2(dialog, modal->metaObject()->className());
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("printers"));
        auto *fileName = dialog->findChild<QLineEdit *>(QStringLiteral("filename"));
        QVERIFY(printers && fileName);
        printers->setCurrentIndex(printers->findText(QStringLiteral("Print to File (PDF)")));
        fileName->setText(path);
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    };
}

struct PreviewSeen {
    bool caseMode = false;
    QString fileName;
    int pages = 0;
    QString firstPage;
    bool balloonsHidden = false;
    bool hasParent = false;
    QSizeF pageSize;
};

// Looks at the preview window, then closes it as the user does (Escape).
Step lookAtPreview(MainWindow *window, PreviewSeen *seen)
{
    return [window, seen](QWidget *modal) {
        auto *preview = qobject_cast<PdfPreviewDialog *>(modal);
        QVERIFY2(preview, modal->metaObject()->className());
        seen->caseMode = preview->caseMode();
        seen->fileName = preview->fileName();
        seen->pages = preview->pdfDocument()->pageCount();
        seen->firstPage = seen->pages > 0 ? preview->pdfDocument()->getAllText(0).text().simplified() : QString();
        seen->pageSize = seen->pages > 0 ? preview->pdfDocument()->pagePointSize(0) : QSizeF();
        seen->balloonsHidden = !window->motherBalloon()->isVisible() && !window->fatherBalloon()->isVisible();
        seen->hasParent = preview->parentWidget() != nullptr;
        // The close key is a window shortcut: the window must be the active
        // one (not only a transient of the active main window).
        QVERIFY(QTest::qWaitFor([preview] { return QApplication::activeWindow() == preview; }));
        QTest::keyClick(preview, Qt::Key_Escape);
    };
}

// The case as a file holds it, read into a document of its own.
std::unique_ptr<OrvaDocument> readBack(const QString &path)
{
    auto doc = std::make_unique<OrvaDocument>(OrvaDocument::July2022);
    if (!doc->readCaseFile(path))
        return nullptr;
    return doc;
}

QString title(const QString &name, bool modified)
{
    return QStringLiteral("Orva-Calc Professional v16.2.24.319 %1%2)")
        .arg(modified ? QStringLiteral("(* ") : QStringLiteral("("), name);
}

// The balloon case, with a case number to find in what it writes.
void numberedAboveSole(Window &w)
{
    w.doc->setCaseNumber(QStringLiteral("24-5150"));
    fatherAboveSole(w);
}

} // namespace

class TestMainWindowCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void guidelineSwitch_data();
    void guidelineSwitch();
    void switchKeepsTheModifiedFlag();
    void extrapolationNoticeAfterASwitch_data();
    void extrapolationNoticeAfterASwitch();
    void balloonSwitchesMotherToSole_data();
    void balloonSwitchesMotherToSole();

    void newCase_data();
    void newCase();
    void openCase_data();
    void openCase();
    void failedOpenKeepsTheCase_data();
    void failedOpenKeepsTheCase();
    void openPreOct2020Case();
    void saveAndSaveAs();
    void clientChoiceSurvivesSaveAndOpen();
    void failedSaveIsReported_data();
    void failedSaveIsReported();
    void closeWindow_data();
    void closeWindow();

    void replacedDocumentIsReleased();
    void documentOutlivesTheWindow();
    void noticeOfAReplacedCaseIsDropped();

    void previewConfirmation_data();
    void previewConfirmation();
    void printThroughThePrintDialog_data();
    void printThroughThePrintDialog();
    void statuteDocument_data();
    void statuteDocument();
    void paperPreference_data();
    void paperPreference();

private:
    // Starts answering; every sequence must be used up by the test.
    std::shared_ptr<ModalSequence> expect(QList<Step> steps)
    {
        m_answers = answerModals(std::move(steps));
        return m_answers;
    }
    void verifyAllAnswered(int steps)
    {
        QTRY_COMPARE(m_answers->answered(), steps);
        QCOMPARE(m_answers->extra, 0);
        QCOMPARE(m_answers->stuck, 0);
    }
    QString caseFile(const QString &name, OrvaDocument::Mode mode, const QString &caseNumber);

    Window m_w;
    std::shared_ptr<ModalSequence> m_answers;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestMainWindowCommands::init()
{
    QSettings().clear();
    m_dir = std::make_unique<QTemporaryDir>();
    m_w = openWindow();
}

void TestMainWindowCommands::cleanup()
{
    if (m_answers)
        m_answers->stop();
    m_answers.reset();
    // Whatever a failed test left open must not ask on the way out.
    if (m_w.window)
        m_w.window->document()->setModified(false);
    m_w = Window();
    m_dir.reset();
}

QString TestMainWindowCommands::caseFile(const QString &name, OrvaDocument::Mode mode, const QString &caseNumber)
{
    OrvaDocument doc(mode);
    doc.setCaseNumber(caseNumber);
    doc.setPlaintiffName(QStringLiteral("Jane Filed"));
    doc.setMotherMonthlyIncome(4100);
    doc.setFatherMonthlyIncome(5200);
    doc.setChild1Name(QStringLiteral("Avery"));
    doc.setMotherOvernights(200);
    doc.setFatherMultifamilyChildren(1); // kept under July 2022 only
    const QString path = m_dir->filePath(name);
    if (!doc.writeCaseFile(path))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// ---- Guideline switching ------------------------------------------------------------

void TestMainWindowCommands::guidelineSwitch_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("custody");
    QTest::addColumn<int>("nights");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("answer"); // the button pressed, NoButton when nothing asks
    QTest::addColumn<int>("resultMode");
    QTest::addColumn<int>("resultNights");
    QTest::addColumn<bool>("focusNights");

    const int pre = OrvaDocument::PreOct2020;
    const int oct = OrvaDocument::NewOct2020;
    const int jul = OrvaDocument::July2022;
    const int none = QMessageBox::NoButton;
    const int yes = QMessageBox::Yes;
    const int no = QMessageBox::No;
    const int cancel = QMessageBox::Cancel;
    const int shared = OrvaDocument::Shared;

    QTest::newRow("Jul 2022 273 to Pre Oct 2020, Yes") << jul << shared << 273 << pre << yes << pre << 237 << false;
    QTest::newRow("Jul 2022 273 to Pre Oct 2020, No") << jul << shared << 273 << pre << no << jul << 273 << true;
    QTest::newRow("Oct 2020 92 to Pre Oct 2020, Yes") << oct << shared << 92 << pre << yes << pre << 128 << false;
    QTest::newRow("P1 & P2 Oct 2020 250 to Pre, No")
        << oct << int(OrvaDocument::SharedP1P2) << 250 << pre << no << oct << 250 << true;
    QTest::newRow("Oct 2020 200 to Pre Oct 2020") << oct << shared << 200 << pre << none << pre << 200 << false;
    QTest::newRow("Jul 2022 128 to Pre Oct 2020") << jul << shared << 128 << pre << none << pre << 128 << false;
    QTest::newRow("Pre Oct 2020 200 to Jul 2022, Yes") << pre << shared << 200 << jul << yes << jul << 273 << true;
    QTest::newRow("Pre Oct 2020 200 to Jul 2022, No") << pre << shared << 200 << jul << no << jul << 200 << true;
    QTest::newRow("Pre Oct 2020 200 to Jul 2022, Cancel")
        << pre << shared << 200 << jul << cancel << pre << 200 << false;
    QTest::newRow("Pre Oct 2020 200 to Oct 2020, Yes") << pre << shared << 200 << oct << yes << oct << 273 << true;
    QTest::newRow("Oct 2020 to Jul 2022") << oct << shared << 100 << jul << none << jul << 100 << false;
    QTest::newRow("Jul 2022 to Oct 2020") << jul << shared << 273 << oct << none << oct << 273 << false;

    // Sole custody: 365 and 0 in every version, never a question.
    for (int custody : {1, 2, 4, 5}) {
        const int nights = OrvaDocument::isSoleMotherCustody(custody) ? 365 : 0;
        const QByteArray name = OrvaDocument::custodyTypeName(custody).toUtf8();
        QTest::addRow("%s Jul 2022 to Pre", name.constData())
            << jul << custody << nights << pre << none << pre << nights << false;
        QTest::addRow("%s Pre to Jul 2022", name.constData())
            << pre << custody << nights << jul << none << jul << nights << false;
        QTest::addRow("%s Pre to Oct 2020", name.constData())
            << pre << custody << nights << oct << none << oct << nights << false;
    }
}

void TestMainWindowCommands::guidelineSwitch()
{
    QFETCH(int, mode);
    QFETCH(int, custody);
    QFETCH(int, nights);
    QFETCH(int, target);
    QFETCH(int, answer);
    QFETCH(int, resultMode);
    QFETCH(int, resultNights);
    QFETCH(bool, focusNights);

    prepareCase(m_w, Mode(mode), Custody(custody));
    m_w.doc->setMotherOvernights(nights);
    m_w.window->refresh();
    QCOMPARE(m_w.doc->motherOvernights(), nights);
    const QString titleBefore = m_w.window->windowTitle();
    m_w.ui->caseNumberEdit->setFocus();

    const auto radio = [this](int m) {
        return m == OrvaDocument::July2022     ? m_w.ui->newGuidelinesRadioButton
               : m == OrvaDocument::NewOct2020 ? m_w.ui->oldGuidelinesRadioButton
                                               : m_w.ui->oldGuidelinesRadioButton_2;
    };
    BoxSeen box;
    QList<Step> steps;
    if (answer != QMessageBox::NoButton)
        steps << press(QMessageBox::StandardButton(answer), &box);
    expect(steps);
    QTest::mouseClick(radio(target), Qt::LeftButton);
    QTest::qWait(50);
    verifyAllAnswered(int(steps.size()));

    if (answer != QMessageBox::NoButton) {
        if (target == OrvaDocument::PreOct2020) {
            QCOMPARE(box.title, QStringLiteral("ORVA-Calc: validation error"));
            QCOMPARE(box.text, QStringLiteral("Can't switch to Pre Oct 2020 mode\nOvernights value should be between "
                                              "128 and 237\n\nDo you want to correct it automatically?"));
            QCOMPARE(box.icon, QMessageBox::Question);
            QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
        } else {
            QCOMPARE(box.title, QStringLiteral("Orva-Calc"));
            QCOMPARE(box.text, QStringLiteral("With the New Guidlines you are able to\nset overnights value in the "
                                              "range 92 - 273\n\nDo you want to reset the overnights?"));
            QCOMPARE(box.icon, QMessageBox::Information);
            QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        }
    }

    QCOMPARE(int(m_w.doc->mode()), resultMode);
    QCOMPARE(m_w.doc->motherOvernights(), resultNights);
    QCOMPARE(m_w.doc->fatherOvernights(), 365 - resultNights);
    QCOMPARE(m_w.ui->motherOvernightsEdit->text(), QString::number(resultNights));
    QCOMPARE(m_w.ui->fatherOvernightsEdit->text(), QString::number(365 - resultNights));
    // The buttons show the version the case has, also after a refusal.
    QCOMPARE(m_w.ui->buttonGroup->checkedButton(), radio(resultMode));
    QCOMPARE(m_w.ui->actionShow_Old_Guidelines->isEnabled(), resultMode != OrvaDocument::PreOct2020);
    const QImage background = m_w.window->palette().brush(QPalette::Active, QPalette::Window).textureImage();
    const char *image = resultMode == OrvaDocument::PreOct2020   ? ":/images/001.png"
                        : resultMode == OrvaDocument::NewOct2020 ? ":/images/bluecalc.png"
                                                                 : ":/images/002.png";
    QCOMPARE(background.convertToFormat(QImage::Format_RGB32),
             QImage(QString::fromLatin1(image)).convertToFormat(QImage::Format_RGB32));
    // The window's focus, which it has again when it is active again.
    if (focusNights)
        QCOMPARE(m_w.window->focusWidget(), m_w.ui->motherOvernightsEdit->lineEdit());
    else
        QVERIFY(m_w.window->focusWidget() != m_w.ui->motherOvernightsEdit->lineEdit());
    // A version switch alone is not an edit of the case.
    QVERIFY(!m_w.doc->modified());
    QCOMPARE(m_w.window->windowTitle(), titleBefore);
}

void TestMainWindowCommands::switchKeepsTheModifiedFlag()
{
    // An edited case stays edited through a switch, with its marker.
    prepareCase(m_w, OrvaDocument::July2022, OrvaDocument::SoleMother);
    typeAmount(m_w.ui->motherMonthlyIncomeEdit, QStringLiteral("3000"));
    QVERIFY(m_w.doc->modified());
    expect({});
    QTest::mouseClick(m_w.ui->oldGuidelinesRadioButton, Qt::LeftButton);
    QCOMPARE(m_w.doc->mode(), OrvaDocument::NewOct2020);
    QVERIFY(m_w.doc->modified());
    QCOMPARE(m_w.window->windowTitle(), title(QStringLiteral("Unsaved"), true));
    verifyAllAnswered(0);
}

void TestMainWindowCommands::extrapolationNoticeAfterASwitch_data()
{
    QTest::addColumn<int>("income");
    QTest::addColumn<bool>("aboveJuly");
    QTest::newRow("40000: above both schedules") << 20000 << true;
    QTest::newRow("20000: above the 2010 schedule only") << 10000 << false;
}

void TestMainWindowCommands::extrapolationNoticeAfterASwitch()
{
    QFETCH(int, income);
    QFETCH(bool, aboveJuly);
    Ui::MainWindow *ui = m_w.ui;
    prepareCase(m_w, OrvaDocument::NewOct2020, OrvaDocument::Shared);
    QTest::keyClicks(ui->child1NameEdit, QStringLiteral("Avery"));

    // The notice of the Oct 2020 schedule, once. It comes without taking
    // the keyboard, so it is looked for rather than answered.
    MainWindow *window = m_w.window.get();
    expect({});
    typeAmount(ui->motherMonthlyIncomeEdit, QString::number(income));
    typeAmount(ui->fatherMonthlyIncomeEdit, QString::number(income));
    QVERIFY(acceptNotice(window));
    QCOMPARE(ui->adjustedCombinedIncomeEdit->styleSheet(), MainWindow::aboveScheduleStyle());

    // Switching to Jul 2022: no notice now, whatever the income.
    QTest::mouseClick(ui->newGuidelinesRadioButton, Qt::LeftButton);
    QCOMPARE(m_w.doc->mode(), OrvaDocument::July2022);
    QVERIFY(!m_w.window->noticeTimer()->isActive());
    QTest::qWait(300);
    QVERIFY(!shownNotice(window));
    QCOMPARE(ui->adjustedCombinedIncomeEdit->styleSheet(),
             aboveJuly ? MainWindow::aboveScheduleStyle() : QString());

    // The next change of the income under Jul 2022: its own notice, once.
    typeAmount(ui->fatherMonthlyIncomeEdit, QString::number(income + 1));
    QCOMPARE(acceptNotice(window), aboveJuly);
    typeAmount(ui->fatherMonthlyIncomeEdit, QString::number(income + 2));
    QTest::qWait(300);
    QVERIFY(!shownNotice(window));
    verifyAllAnswered(0);
    QCOMPARE(m_w.doc->extrapolationWarnedModes().contains(OrvaDocument::July2022), aboveJuly);
}

void TestMainWindowCommands::balloonSwitchesMotherToSole_data()
{
    QTest::addColumn<int>("custody");
    QTest::addColumn<int>("expected");
    QTest::newRow("Shared") << int(OrvaDocument::Shared) << int(OrvaDocument::SoleFather);
    QTest::newRow("Shared (P1 & P2)") << int(OrvaDocument::SharedP1P2) << int(OrvaDocument::SoleParent2);
}

void TestMainWindowCommands::balloonSwitchesMotherToSole()
{
    QFETCH(int, custody);
    QFETCH(int, expected);
    Ui::MainWindow *ui = m_w.ui;
    prepareCase(m_w, OrvaDocument::July2022, Custody(custody));
    QTest::keyClicks(ui->child1NameEdit, QStringLiteral("Avery"));
    typeAmount(ui->motherMonthlyIncomeEdit, QStringLiteral("3000"));
    typeAmount(ui->fatherMonthlyIncomeEdit, QStringLiteral("1000"));
    typeAndLeave(ui->motherOvernightsEdit, QStringLiteral("92"), ui->caseNumberEdit);
    QBalloonTip *balloon = m_w.window->motherBalloon();
    QVERIFY(balloon->isVisible());
    m_w.doc->setModified(false);

    QTest::mouseClick(balloon->findChild<QPushButton *>(QStringLiteral("switchButton")), Qt::LeftButton);
    QCOMPARE(int(m_w.doc->custodyType()), expected);
    QVERIFY(!balloon->isVisible());
    QCOMPARE(ui->custodyTypeComboBox->currentIndex(), expected);
    QCOMPARE(ui->fatherOvernightsEdit->text(), QStringLiteral("365"));
    QVERIFY(ui->motherRecommendedChildSupportEdit->styleSheet().isEmpty());
    QVERIFY(!m_w.doc->modified());
}

// ---- New, Open, Save, close -------------------------------------------------------------

void TestMainWindowCommands::newCase_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer");     // in the save prompt
    QTest::addColumn<QString>("saveAs"); // in the file dialog: a name, "" cancel, "<fail>" a folder that is not there
    QTest::addColumn<bool>("replaced");

    const int yes = QMessageBox::Yes;
    QTest::newRow("unmodified: nothing asked") << false << 0 << QString() << true;
    QTest::newRow("Cancel") << true << int(QMessageBox::Cancel) << QString() << false;
    QTest::newRow("No") << true << int(QMessageBox::No) << QString() << true;
    QTest::newRow("Yes, saved") << true << yes << "kept.cml" << true;
    QTest::newRow("Yes, saved without extension") << true << yes << "kept" << true;
    QTest::newRow("Yes, file dialog cancelled") << true << yes << "" << false;
    QTest::newRow("Yes, save failed") << true << yes << "<fail>" << false;
}

void TestMainWindowCommands::newCase()
{
    QFETCH(bool, modified);
    QFETCH(int, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, replaced);

    // The remembered preparer and county go into the first case and, as the
    // case before them left them, into every new one.
    QSettings().setValue(QStringLiteral("preparer"), QStringLiteral("C. Counsel"));
    QSettings().setValue(QStringLiteral("county"), int(OrvaDocument::Kent_County));
    m_w = Window();
    m_w = openWindow();
    QCOMPARE(m_w.doc->preparer(), QStringLiteral("C. Counsel"));

    OrvaDocument *before = m_w.doc;
    QString preparer = QStringLiteral("C. Counsel");
    if (modified) {
        QTest::keyClicks(m_w.ui->caseNumberEdit, QStringLiteral("24-0001"));
        m_w.ui->preparerEdit->setFocus();
        m_w.ui->preparerEdit->lineEdit()->end(false);
        QTest::keyClicks(m_w.ui->preparerEdit->lineEdit(), QStringLiteral(" Jr."));
        preparer += QStringLiteral(" Jr.");
    }
    QCOMPARE(m_w.doc->modified(), modified);

    QList<Step> steps;
    BoxSeen prompt;
    FileDialogSeen fileDialog;
    QString target;
    if (answer)
        steps << press(QMessageBox::StandardButton(answer), &prompt);
    if (answer == QMessageBox::Yes) {
        target = saveAs == QLatin1String("<fail>") ? m_dir->filePath(QStringLiteral("gone/kept.cml"))
                 : saveAs.isEmpty()                ? QString()
                                                   : m_dir->filePath(saveAs);
        steps << chooseFile(target, &fileDialog);
        if (saveAs == QLatin1String("<fail>"))
            steps << press(QMessageBox::Ok);
    }
    expect(steps);
    m_w.ui->actionNew->trigger();
    verifyAllAnswered(int(steps.size()));

    if (answer) {
        QCOMPARE(prompt.title, kSaveTitle);
        QCOMPARE(prompt.text, QStringLiteral("Save file Unsaved?"));
        QCOMPARE(prompt.icon, QMessageBox::Question);
        QCOMPARE(prompt.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(prompt.defaultButton, QMessageBox::Yes);
    }
    if (answer == QMessageBox::Yes) {
        QCOMPARE(fileDialog.title, QStringLiteral("Choose location and file name"));
        QCOMPARE(fileDialog.filters, QStringList{kFilter});
        QCOMPARE(fileDialog.proposed,
                 QDir(m_w.window->documentsFolder()).filePath(QStringLiteral("New Guidelines/untitled.cml")));
    }
    if (answer == QMessageBox::Yes && !saveAs.isEmpty() && saveAs != QLatin1String("<fail>")) {
        // Saved where asked; a name typed without extension gets ".cml".
        const QString written = m_dir->filePath(QStringLiteral("kept.cml"));
        const auto saved = readBack(written);
        QVERIFY2(saved, qPrintable(written));
        QCOMPARE(saved->caseNumber(), QStringLiteral("24-0001"));
        QCOMPARE(saved->preparer(), preparer);
    }
    if (saveAs == QLatin1String("<fail>"))
        QCOMPARE(m_answers->titles.last(), QStringLiteral("ORVA Calc"));

    m_w.doc = m_w.window->document();
    if (replaced) {
        QVERIFY(m_w.doc != before || !modified);
        QVERIFY(!m_w.doc->modified());
        QCOMPARE(m_w.doc->caseNumber(), QString());
        QCOMPARE(m_w.ui->caseNumberEdit->text(), QString());
        QCOMPARE(m_w.doc->preparer(), preparer);
        QCOMPARE(m_w.ui->preparerEdit->text(), preparer);
        QCOMPARE(m_w.doc->county(), int(OrvaDocument::Kent_County));
        QCOMPARE(m_w.ui->countryComboBox->currentText(), OrvaDocument::countyName(OrvaDocument::Kent_County));
        QCOMPARE(m_w.doc->mode(), OrvaDocument::modeForNewCase());
        QCOMPARE(m_w.window->windowTitle(), title(QStringLiteral("Unsaved"), false));
        // The new case is connected: its first edit marks the title.
        QTest::keyClicks(m_w.ui->plaintiffNameEdit, QStringLiteral("A"));
        QCOMPARE(m_w.window->windowTitle(), title(QStringLiteral("Unsaved"), true));
    } else {
        // The case stays open as it was, unsaved changes and all.
        QVERIFY(m_w.doc == before);
        QVERIFY(m_w.doc->modified());
        QCOMPARE(m_w.ui->caseNumberEdit->text(), QStringLiteral("24-0001"));
        QCOMPARE(m_w.window->windowTitle(), title(QStringLiteral("Unsaved"), true));
        QVERIFY(QDir(m_dir->path()).entryList(QDir::Files).isEmpty());
    }
}

void TestMainWindowCommands::openCase_data()
{
    QTest::addColumn<int>("mode");     // of the case open when Open is chosen
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer");   // in the save prompt
    QTest::addColumn<QString>("saveAs");
    QTest::addColumn<bool>("choose");  // a file in the open dialog, or Cancel
    QTest::addColumn<bool>("opened");

    const int jul = OrvaDocument::July2022;
    const int yes = QMessageBox::Yes;
    QTest::newRow("unmodified Jul 2022") << jul << false << 0 << QString() << true << true;
    QTest::newRow("unmodified Oct 2020") << int(OrvaDocument::NewOct2020) << false << 0 << QString() << true << true;
    QTest::newRow("unmodified Pre Oct 2020") << int(OrvaDocument::PreOct2020) << false << 0 << QString() << true
                                             << true;
    QTest::newRow("open dialog cancelled") << jul << false << 0 << QString() << false << false;
    QTest::newRow("modified, Cancel") << jul << true << int(QMessageBox::Cancel) << QString() << false << false;
    QTest::newRow("modified, No") << jul << true << int(QMessageBox::No) << QString() << true << true;
    QTest::newRow("modified, Yes, saved") << jul << true << yes << "before.cml" << true << true;
    QTest::newRow("modified, Yes, save cancelled") << jul << true << yes << "" << false << false;
}

void TestMainWindowCommands::openCase()
{
    QFETCH(int, mode);
    QFETCH(bool, modified);
    QFETCH(int, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, choose);
    QFETCH(bool, opened);

    const QString file = caseFile(QStringLiteral("filed.cml"), OrvaDocument::July2022, QStringLiteral("24-7777"));
    prepareCase(m_w, Mode(mode), OrvaDocument::SoleMother);
    if (modified)
        QTest::keyClicks(m_w.ui->caseNumberEdit, QStringLiteral("24-0002"));
    OrvaDocument *before = m_w.doc;

    QList<Step> steps;
    FileDialogSeen openDialog;
    if (answer)
        steps << press(QMessageBox::StandardButton(answer));
    if (answer == QMessageBox::Yes)
        steps << chooseFile(saveAs.isEmpty() ? QString() : m_dir->filePath(saveAs));
    const bool asked = answer != QMessageBox::Cancel && !(answer == QMessageBox::Yes && saveAs.isEmpty());
    if (asked)
        steps << chooseFile(choose ? file : QString(), &openDialog);
    expect(steps);
    m_w.ui->actionOpen->trigger();
    verifyAllAnswered(int(steps.size()));

    if (asked) {
        QCOMPARE(openDialog.title, QStringLiteral("Select file to open"));
        QCOMPARE(openDialog.filters, QStringList{kFilter});
        // Pre Oct 2020 cases live in "ORVA", the later ones in its "New Guidelines".
        const QString folder = mode == OrvaDocument::PreOct2020
                                   ? m_w.window->documentsFolder()
                                   : QDir(m_w.window->documentsFolder()).filePath(QStringLiteral("New Guidelines"));
        QCOMPARE(openDialog.folder, folder);
    }
    if (!saveAs.isEmpty()) {
        const auto saved = readBack(m_dir->filePath(saveAs));
        QVERIFY(saved);
        QCOMPARE(saved->caseNumber(), QStringLiteral("24-0002"));
    }

    m_w.doc = m_w.window->document();
    if (opened) {
        QVERIFY(m_w.doc != before);
        QCOMPARE(m_w.doc->caseNumber(), QStringLiteral("24-7777"));
        QCOMPARE(m_w.ui->caseNumberEdit->text(), QStringLiteral("24-7777"));
        QCOMPARE(m_w.ui->plaintiffNameEdit->text(), QStringLiteral("Jane Filed"));
        QCOMPARE(m_w.ui->combinedIncomeEdit->text(), QStringLiteral("9300"));
        QCOMPARE(m_w.ui->motherOvernightsEdit->text(), QStringLiteral("200"));
        // Line 1d from the file: row 5200, one child: 955 x 0.75 -> 716.
        QCOMPARE(m_w.ui->fatherMultifamilyChildrenEdit->text(), QStringLiteral("1"));
        QCOMPARE(m_w.ui->fatherMultifamilyChildrenEdit->labelText(), QStringLiteral("-716"));
        QCOMPARE(m_w.ui->fatherAdjustedActualIncomeEdit->text(), QStringLiteral("4484"));
        QCOMPARE(m_w.ui->buttonGroup->checkedButton(), m_w.ui->newGuidelinesRadioButton);
        QVERIFY(!m_w.doc->modified());
        QCOMPARE(m_w.doc->filePath(), file);
        QCOMPARE(m_w.window->windowTitle(), title(file, false));
        QTest::keyClicks(m_w.ui->caseNumberEdit, QStringLiteral("-B"));
        QCOMPARE(m_w.window->windowTitle(), title(file, true));
    } else {
        QVERIFY(m_w.doc == before);
        QCOMPARE(m_w.doc->modified(), modified);
        QCOMPARE(m_w.ui->caseNumberEdit->text(), modified ? QStringLiteral("24-0002") : QString());
    }
}

void TestMainWindowCommands::failedOpenKeepsTheCase_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    QTest::newRow("not XML") << QByteArray("this is not a case\n") << "Not an OrvaCalc case file";
    QTest::newRow("another XML file") << QByteArray("<?xml version=\"1.0\"?><Alimony><case/></Alimony>")
                                      << "Not an OrvaCalc case file";
    QTest::newRow("empty") << QByteArray() << "Not an OrvaCalc case file";
    QTest::newRow("Latin-1 text") << QByteArray("<Case><case><plaintiff>M\xfcller</plaintiff></case></Case>")
                                  << "The text encoding is wrong: line 1 is not valid UTF-8 text (save the file as "
                                     "UTF-8, or declare its encoding)";
}

void TestMainWindowCommands::failedOpenKeepsTheCase()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    const QString broken = m_dir->filePath(QStringLiteral("broken.cml"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    Ui::MainWindow *ui = m_w.ui;
    prepareCase(m_w, OrvaDocument::NewOct2020, OrvaDocument::Shared);
    QTest::keyClicks(ui->caseNumberEdit, QStringLiteral("KEEP-1"));
    typeAmount(ui->motherMonthlyIncomeEdit, QStringLiteral("4500"));
    OrvaDocument *before = m_w.doc;
    const QString titleBefore = m_w.window->windowTitle();

    BoxSeen error;
    expect({press(QMessageBox::No), chooseFile(broken), press(QMessageBox::Ok, &error)});
    ui->actionOpen->trigger();
    verifyAllAnswered(3);

    QCOMPARE(error.title, QStringLiteral("ORVA Calc"));
    QCOMPARE(error.text, QStringLiteral("Error opening document"));
    QCOMPARE(error.informativeText, reason);
    QCOMPARE(error.icon, QMessageBox::Critical);
    QCOMPARE(error.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(m_w.window->document() == before);
    QCOMPARE(before->caseNumber(), QStringLiteral("KEEP-1"));
    QCOMPARE(before->motherMonthlyIncome(), 4500);
    QCOMPARE(before->mode(), OrvaDocument::NewOct2020);
    QVERIFY(before->modified());
    QCOMPARE(ui->caseNumberEdit->text(), QStringLiteral("KEEP-1"));
    QCOMPARE(m_w.window->windowTitle(), titleBefore);
    // Still the window's case: edits reach it.
    typeAmount(ui->fatherMonthlyIncomeEdit, QStringLiteral("1500"));
    QCOMPARE(before->fatherMonthlyIncome(), 1500);
    QCOMPARE(ui->combinedIncomeEdit->text(), QStringLiteral("6000"));
}

void TestMainWindowCommands::openPreOct2020Case()
{
    const QString file = caseFile(QStringLiteral("old.cml"), OrvaDocument::PreOct2020, QStringLiteral("19-0400"));
    QVERIFY(m_w.ui->newGuidelinesRadioButton->isChecked());
    expect({chooseFile(file)});
    m_w.ui->actionOpen->trigger();
    verifyAllAnswered(1);
    m_w.doc = m_w.window->document();

    QCOMPARE(m_w.doc->mode(), OrvaDocument::PreOct2020);
    QVERIFY(m_w.ui->oldGuidelinesRadioButton_2->isChecked());
    QVERIFY(!m_w.ui->newGuidelinesRadioButton->isChecked());
    QVERIFY(m_w.ui->actionShow_Old_Guidelines->isChecked());
    QVERIFY(!m_w.ui->actionShow_Old_Guidelines->isEnabled());
    QCOMPARE(m_w.window->palette().brush(QPalette::Active, QPalette::Window).textureImage().convertToFormat(
                 QImage::Format_RGB32),
             QImage(QStringLiteral(":/images/001.png")).convertToFormat(QImage::Format_RGB32));
    QCOMPARE(m_w.ui->motherOvernightsEdit->text(), QStringLiteral("200"));
    QVERIFY(!m_w.ui->fatherMultifamilyChildrenEdit->isVisible());
    QCOMPARE(m_w.ui->fatherAdjustedActualIncomeEdit->text(), QStringLiteral("5200"));
    // Save As proposes the case's own file, where it is.
    FileDialogSeen dialog;
    expect({chooseFile(QString(), &dialog)});
    m_w.ui->actionSave_As->trigger();
    verifyAllAnswered(1);
    QCOMPARE(dialog.proposed, file);

    // Switching away from it enables the action again.
    expect({press(QMessageBox::No)});
    QTest::mouseClick(m_w.ui->oldGuidelinesRadioButton, Qt::LeftButton);
    verifyAllAnswered(1);
    QCOMPARE(m_w.doc->mode(), OrvaDocument::NewOct2020);
    QVERIFY(m_w.ui->actionShow_Old_Guidelines->isEnabled());
}

void TestMainWindowCommands::saveAndSaveAs()
{
    Ui::MainWindow *ui = m_w.ui;
    QTest::keyClicks(ui->caseNumberEdit, QStringLiteral("24-1000"));
    typeAmount(ui->motherMonthlyIncomeEdit, QStringLiteral("3100"));

    // Save on a new case asks for a name, proposing "untitled.cml".
    const QString first = m_dir->filePath(QStringLiteral("first.cml"));
    FileDialogSeen dialog;
    expect({chooseFile(first, &dialog)});
    ui->actionSave->trigger();
    verifyAllAnswered(1);
    QCOMPARE(dialog.title, QStringLiteral("Choose location and file name"));
    QCOMPARE(dialog.proposed, QDir(m_w.window->documentsFolder()).filePath(QStringLiteral("New Guidelines/untitled.cml")));
    QCOMPARE(readBack(first)->motherMonthlyIncome(), 3100);
    QVERIFY(!m_w.doc->modified());
    QCOMPARE(m_w.window->windowTitle(), title(first, false));

    // Save again writes back to that file without asking.
    typeAmount(ui->motherMonthlyIncomeEdit, QStringLiteral("3200"));
    QCOMPARE(m_w.window->windowTitle(), title(first, true));
    expect({});
    ui->actionSave->trigger();
    QTest::qWait(100);
    verifyAllAnswered(0);
    QCOMPARE(readBack(first)->motherMonthlyIncome(), 3200);
    QCOMPARE(m_w.window->windowTitle(), title(first, false));

    // Save As always asks; the earlier file keeps what it had.
    typeAmount(ui->motherMonthlyIncomeEdit, QStringLiteral("3300"));
    const QString second = m_dir->filePath(QStringLiteral("second.cml"));
    expect({chooseFile(second)});
    ui->actionSave_As->trigger();
    verifyAllAnswered(1);
    QCOMPARE(readBack(second)->motherMonthlyIncome(), 3300);
    QCOMPARE(readBack(first)->motherMonthlyIncome(), 3200);
    QCOMPARE(m_w.doc->filePath(), second);
    QCOMPARE(m_w.window->windowTitle(), title(second, false));

    // Save As cancelled: nothing written, still the second file's case.
    typeAmount(ui->motherMonthlyIncomeEdit, QStringLiteral("3400"));
    expect({chooseFile(QString())});
    ui->actionSave_As->trigger();
    verifyAllAnswered(1);
    QCOMPARE(readBack(second)->motherMonthlyIncome(), 3300);
    QVERIFY(m_w.doc->modified());

    // Save As onto an existing file asks before replacing it.
    expect({chooseFile(first), press(QMessageBox::Yes)});
    ui->actionSave_As->trigger();
    verifyAllAnswered(2);
    QCOMPARE(readBack(first)->motherMonthlyIncome(), 3400);
}

void TestMainWindowCommands::clientChoiceSurvivesSaveAndOpen()
{
    Ui::MainWindow *ui = m_w.ui;
    QCOMPARE(ui->radioButton_3->text(), QStringLiteral("Father")); // the column's label
    QTest::mouseClick(ui->radioButton_3, Qt::LeftButton);
    QVERIFY(m_w.doc->modified());
    const QString path = m_dir->filePath(QStringLiteral("client.cml"));
    expect({chooseFile(path)});
    ui->actionSave->trigger();
    verifyAllAnswered(1);

    QTest::mouseClick(ui->radioButton_4, Qt::LeftButton);
    QCOMPARE(m_w.doc->formsClient(), OrvaDocument::FirstParentClient);
    QVERIFY(m_w.window->openCaseFile(path));
    QVERIFY(ui->radioButton_3->isChecked());
    QVERIFY(!ui->radioButton_4->isChecked());

    // A case without a client shows neither button chosen.
    QVERIFY(m_w.window->openCaseFile(caseFile(QStringLiteral("none.cml"), OrvaDocument::July2022, QString())));
    QVERIFY(!ui->radioButton_3->isChecked() && !ui->radioButton_4->isChecked());
}

void TestMainWindowCommands::failedSaveIsReported_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing folder") << "missing/folder/case.cml" << "No such file or directory";
    QTest::newRow("pipe") << "pipe.cml" << "Is a pipe, not a regular file";
}

void TestMainWindowCommands::failedSaveIsReported()
{
    QFETCH(QString, target);
    QFETCH(QString, reason);
    const QString file = m_dir->filePath(target);
    if (target == QLatin1String("pipe.cml")) {
        QFile::remove(file);
        QVERIFY(::mkfifo(QFile::encodeName(file).constData(), 0644) == 0);
    }
    QTest::keyClicks(m_w.ui->caseNumberEdit, QStringLiteral("24-1001"));
    BoxSeen error;
    QList<Step> steps{chooseFile(file)};
    if (QFile::exists(file))
        steps << press(QMessageBox::Yes); // the file dialog's "replace it?"
    steps << press(QMessageBox::Ok, &error);
    expect(steps);
    m_w.ui->actionSave->trigger();
    verifyAllAnswered(int(steps.size()));
    QCOMPARE(error.title, QStringLiteral("ORVA Calc"));
    QCOMPARE(error.text, QStringLiteral("Error while saving document"));
    QCOMPARE(error.informativeText, reason);
    QCOMPARE(error.icon, QMessageBox::Critical);
    QVERIFY(m_w.doc->modified());
    QVERIFY(m_w.doc->untitled());
    QCOMPARE(m_w.window->windowTitle(), title(QStringLiteral("Unsaved"), true));
}

void TestMainWindowCommands::closeWindow_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveAs"); // "" cancel, "<fail>" a folder that is not there
    QTest::addColumn<bool>("closed");

    const int yes = QMessageBox::Yes;
    QTest::newRow("unmodified") << false << 0 << QString() << true;
    QTest::newRow("Cancel") << true << int(QMessageBox::Cancel) << QString() << false;
    QTest::newRow("No") << true << int(QMessageBox::No) << QString() << true;
    QTest::newRow("Yes, saved") << true << yes << "closing.cml" << true;
    QTest::newRow("Yes, file dialog cancelled") << true << yes << "" << false;
    QTest::newRow("Yes, save failed") << true << yes << "<fail>" << false;
}

void TestMainWindowCommands::closeWindow()
{
    QFETCH(bool, modified);
    QFETCH(int, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, closed);

    m_w.ui->preparerEdit->setFocus();
    QTest::keyClicks(m_w.ui->preparerEdit->lineEdit(), QStringLiteral("D. Drafter"));
    chooseItem(m_w.ui->countryComboBox, OrvaDocument::Talbot_County);
    if (!modified)
        m_w.doc->setModified(false);

    QList<Step> steps;
    if (answer)
        steps << press(QMessageBox::StandardButton(answer));
    if (answer == QMessageBox::Yes) {
        steps << chooseFile(saveAs.isEmpty()                   ? QString()
                            : saveAs == QLatin1String("<fail>") ? m_dir->filePath(QStringLiteral("gone/x.cml"))
                                                                : m_dir->filePath(saveAs));
        if (saveAs == QLatin1String("<fail>"))
            steps << press(QMessageBox::Ok);
    }
    expect(steps);
    m_w.ui->actionExit->trigger();
    verifyAllAnswered(int(steps.size()));

    QCOMPARE(!m_w.window->isVisible(), closed);
    if (!closed) {
        QVERIFY(m_w.doc->modified());
        QVERIFY(m_w.window->document() == m_w.doc);
    }
    if (saveAs == QLatin1String("closing.cml"))
        QCOMPARE(readBack(m_dir->filePath(saveAs))->preparer(), QStringLiteral("D. Drafter"));
    // The settings are stored whatever the answer.
    QSettings settings;
    QCOMPARE(settings.value(QStringLiteral("preparer")).toString(), QStringLiteral("D. Drafter"));
    QCOMPARE(settings.value(QStringLiteral("county")).toInt(), int(OrvaDocument::Talbot_County));
}

// ---- The document's lifetime ------------------------------------------------------------

void TestMainWindowCommands::replacedDocumentIsReleased()
{
    std::weak_ptr<OrvaDocument> old = m_w.window->sharedDocument();
    int destroyed = 0;
    connect(old.lock().get(), &QObject::destroyed, this, [&destroyed] { ++destroyed; });
    expect({});
    m_w.ui->actionNew->trigger();
    verifyAllAnswered(0);
    QVERIFY(old.expired());
    QCOMPARE(destroyed, 1);
    QVERIFY(m_w.window->document());
    QVERIFY(m_w.window->document()->parent() != m_w.window.get());

    // The same after Open.
    const QString file = caseFile(QStringLiteral("next.cml"), OrvaDocument::July2022, QStringLiteral("24-2"));
    old = m_w.window->sharedDocument();
    expect({chooseFile(file)});
    m_w.ui->actionOpen->trigger();
    verifyAllAnswered(1);
    QVERIFY(old.expired());
}

void TestMainWindowCommands::documentOutlivesTheWindow()
{
    // Whoever still holds the case (a preview does) keeps a live document
    // after the window is gone: the window's destruction must not delete it.
    numberedAboveSole(m_w);
    std::shared_ptr<OrvaDocument> held = m_w.window->sharedDocument();
    int destroyed = 0;
    connect(held.get(), &QObject::destroyed, this, [&destroyed] { ++destroyed; });
    m_w.doc->setModified(false);
    m_w = Window();
    QCOMPARE(destroyed, 0);
    QCOMPARE(held->caseNumber(), QStringLiteral("24-5150"));
    QCOMPARE(held->fatherRecommendedChildSupport(), 634);
    held.reset();
    QCOMPARE(destroyed, 1);
    m_w = openWindow();
}

void TestMainWindowCommands::noticeOfAReplacedCaseIsDropped()
{
    // The notice comes 100 ms after the digit that lifts the income above the
    // schedule; a New within that time must not show it over the fresh case.
    prepareCase(m_w, OrvaDocument::July2022, OrvaDocument::SoleMother);
    QTest::keyClicks(m_w.ui->child1NameEdit, QStringLiteral("Avery"));
    expect({});
    typeAmount(m_w.ui->motherMonthlyIncomeEdit, QStringLiteral("40000"));
    QVERIFY(m_w.doc->extrapolationWarnedModes().contains(OrvaDocument::July2022));
    m_w.doc->setModified(false);
    m_w.ui->actionNew->trigger();
    QTest::qWait(400);
    verifyAllAnswered(0);
    QVERIFY(m_w.window->findChild<QDialog *>(QStringLiteral("extrapolationNotice")) == nullptr);
}

// ---- Preview, print and statute ------------------------------------------------------------

void TestMainWindowCommands::previewConfirmation_data()
{
    QTest::addColumn<int>("custody");
    QTest::addColumn<int>("answer"); // in the confirmation, NoButton when none comes
    QTest::addColumn<int>("pages");  // of the preview, 0 when none opens

    QTest::newRow("shared above sole, Cancel") << int(OrvaDocument::Shared) << int(QMessageBox::Cancel) << 0;
    // The July 2022 forms: Worksheet B on three pages, A on two.
    QTest::newRow("shared above sole, OK") << int(OrvaDocument::Shared) << int(QMessageBox::Ok) << 3;
    QTest::newRow("sole: no question") << int(OrvaDocument::SoleMother) << int(QMessageBox::NoButton) << 2;
}

void TestMainWindowCommands::previewConfirmation()
{
    QFETCH(int, custody);
    QFETCH(int, answer);
    QFETCH(int, pages);

    numberedAboveSole(m_w);
    if (custody != OrvaDocument::Shared) {
        m_w.doc->setCustodyType(custody);
        m_w.window->refresh();
    } else {
        QVERIFY(m_w.window->fatherBalloon()->isVisible());
    }

    BoxSeen box;
    PreviewSeen preview;
    QList<Step> steps;
    if (answer != QMessageBox::NoButton)
        steps << press(QMessageBox::StandardButton(answer), &box);
    if (pages)
        steps << lookAtPreview(m_w.window.get(), &preview);
    expect(steps);
    m_w.ui->actionPreview->trigger();
    verifyAllAnswered(int(steps.size()));

    if (answer != QMessageBox::NoButton) {
        QCOMPARE(box.title, QString());
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(box.defaultButton, QMessageBox::Cancel);
        QCOMPARE(box.text, QStringLiteral("There are instances when running shared custody guidelines the amount of "
                                          "recommended support could be greater than sole guidelines.\n\nIt is "
                                          "recommended you run sole guidelines worksheet \"A\" to verify support "
                                          "numbers.\n\nFurther information may be found in the Statute"));
    }
    if (pages) {
        QVERIFY(preview.caseMode);
        QCOMPARE(preview.pages, pages);
        QVERIFY(preview.firstPage.contains(QStringLiteral("24-5150")));
        QVERIFY(preview.balloonsHidden);
        QVERIFY(preview.fileName.endsWith(QStringLiteral("/.client.pdf")));
    }
    // The window is usable again and its case untouched.
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(int(m_w.doc->custodyType()), custody);
    QVERIFY(!m_w.doc->modified());
}

void TestMainWindowCommands::printThroughThePrintDialog_data()
{
    QTest::addColumn<int>("custody");
    QTest::addColumn<int>("answer");  // in the confirmation
    QTest::addColumn<bool>("print");  // accept the print dialog
    QTest::addColumn<int>("pages");   // printed, 0 for none

    QTest::newRow("shared above sole, OK") << int(OrvaDocument::Shared) << int(QMessageBox::Ok) << true << 3;
    QTest::newRow("shared above sole, Cancel") << int(OrvaDocument::Shared) << int(QMessageBox::Cancel) << false
                                               << 0;
    QTest::newRow("sole") << int(OrvaDocument::SoleFather) << int(QMessageBox::NoButton) << true << 2;
    QTest::newRow("print dialog cancelled") << int(OrvaDocument::SoleFather) << int(QMessageBox::NoButton) << false
                                            << 0;
}

void TestMainWindowCommands::printThroughThePrintDialog()
{
    QFETCH(int, custody);
    QFETCH(int, answer);
    QFETCH(bool, print);
    QFETCH(int, pages);

    numberedAboveSole(m_w);
    m_w.doc->setCustodyType(custody);
    m_w.window->refresh();
    const QString target = m_dir->filePath(QStringLiteral("printed.pdf"));

    QList<Step> steps;
    if (answer != QMessageBox::NoButton)
        steps << press(QMessageBox::StandardButton(answer));
    if (answer != QMessageBox::Cancel)
        steps << printToFile(print ? target : QString());
    expect(steps);
    m_w.ui->actionPrint->trigger();
    verifyAllAnswered(int(steps.size()));
    if (answer != QMessageBox::Cancel)
        QCOMPARE(m_answers->classes.last(), QStringLiteral("QPrintDialog"));

    if (!pages) {
        QVERIFY(!QFileInfo::exists(target));
        return;
    }
    QPdfDocument printed;
    QCOMPARE(printed.load(target), QPdfDocument::Error::None);
    QCOMPARE(printed.pageCount(), pages);
    QVERIFY(printed.getAllText(0).text().contains(QStringLiteral("24-5150")));
    // The father's figure of the worksheet the custody type asks for: line
    // 16 of B, line 9 of A, both on the second page.
    QVERIFY(printed.getAllText(1).text().contains(QString::number(m_w.doc->fatherRecommendedChildSupport())));
}

void TestMainWindowCommands::statuteDocument_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("heading");
    QTest::newRow("Pre Oct 2020") << int(OrvaDocument::PreOct2020) << "FL12-201.pdf"
                                  << "Guidelines before October 2020";
    QTest::newRow("Oct 2020") << int(OrvaDocument::NewOct2020) << "Maryland-2020-HB269.pdf"
                              << "Guidelines from October 2020";
    QTest::newRow("Jul 2022") << int(OrvaDocument::July2022) << "07.01.22-12-204-Calculation-of-support.pdf"
                              << "Guidelines from July 2022";
}

void TestMainWindowCommands::statuteDocument()
{
    QFETCH(int, mode);
    QFETCH(QString, file);
    QFETCH(QString, heading);

    // A shared case with its balloon up: the statute hides it.
    numberedAboveSole(m_w);
    m_w.doc->setMode(Mode(mode));
    m_w.doc->setMotherOvernights(mode == OrvaDocument::PreOct2020 ? 237 : 273);
    m_w.window->refresh();

    PreviewSeen preview;
    expect({lookAtPreview(m_w.window.get(), &preview)});
    QTest::mouseClick(m_w.ui->statuteButton, Qt::LeftButton);
    verifyAllAnswered(1);

    const QString expected = QDir(QCoreApplication::applicationDirPath()).filePath(file);
    QCOMPARE(MainWindow::statuteFileName(mode), file);
    QCOMPARE(preview.fileName, expected);
    QVERIFY(!preview.caseMode);
    QVERIFY2(preview.pages > 5, qPrintable(expected));
    QVERIFY(preview.firstPage.contains(heading));
    QVERIFY(preview.balloonsHidden);
    QVERIFY(!m_w.doc->modified());
}

// ---- Paper --------------------------------------------------------------------------

void TestMainWindowCommands::paperPreference_data()
{
    QTest::addColumn<QString>("stored");  // before the window opens; empty: nothing
    QTest::addColumn<QString>("chosen");  // action triggered; empty: none
    QTest::addColumn<QString>("expected"); // stored afterwards
    QTest::addColumn<QSizeF>("page");

    QTest::newRow("nothing chosen: Letter") << "" << "" << "" << QSizeF(612, 792);
    QTest::newRow("A4 chosen") << "" << "actionPaper_A4" << "a4" << QSizeF(595, 842);
    QTest::newRow("A4 kept from before") << "a4" << "" << "a4" << QSizeF(595, 842);
    QTest::newRow("back to Letter") << "a4" << "actionPaper_Letter" << "letter" << QSizeF(612, 792);
}

void TestMainWindowCommands::paperPreference()
{
    QFETCH(QString, stored);
    QFETCH(QString, chosen);
    QFETCH(QString, expected);
    QFETCH(QSizeF, page);

    if (!stored.isEmpty()) {
        QSettings().setValue(QStringLiteral("paper-size"), stored);
        m_w = Window();
        m_w = openWindow(); // the choice of an earlier session
    }
    prepareCase(m_w, OrvaDocument::July2022, OrvaDocument::SoleMother);
    if (!chosen.isEmpty())
        m_w.window->findChild<QAction *>(chosen)->trigger();
    QCOMPARE(QSettings().value(QStringLiteral("paper-size")).toString(), expected);

    // The preview and the printer both take it.
    PreviewSeen seen;
    expect({lookAtPreview(m_w.window.get(), &seen)});
    m_w.ui->actionPreview->trigger();
    verifyAllAnswered(1);
    QCOMPARE(seen.pageSize, page);

    const QString target = m_dir->filePath(QStringLiteral("printed-paper.pdf"));
    expect({printToFile(target)});
    m_w.ui->actionPrint->trigger();
    verifyAllAnswered(1);
    QPdfDocument printed;
    QCOMPARE(printed.load(target), QPdfDocument::Error::None);
    QCOMPARE(printed.pagePointSize(0), page);
}

ORVA_WIDGET_TEST_MAIN(TestMainWindowCommands)

#include "tst_mainwindow_commands.moc"
