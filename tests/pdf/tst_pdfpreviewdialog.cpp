// The print preview window, driven as a user drives it.
#include "AskAnswers.h"
#include "ChildProcess.h"
#include "OrvaDocument.h"
#include "PaperSize.h"
#include "PdfPreviewDialog.h"
#include "TemporarySettings.h"
#include "resources.h"

#include "ListContrast.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPdfView>
#include <QPdfPageRenderer>
#include <QPainter>
#include <QPdfWriter>
#include <QScrollBar>
#include <QPrintDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

#include <sys/stat.h>

namespace {

// October 2020: Worksheet B on two pages, Worksheet A on one.
std::shared_ptr<OrvaDocument> sharedCase()
{
    auto doc = std::make_shared<OrvaDocument>(OrvaDocument::NewOct2020);
    doc->setCaseNumber("24-1234");
    doc->setMotherMonthlyIncome(4000);
    doc->setFatherMonthlyIncome(6000);
    doc->setMotherOvernights(265);
    return doc;
}

// Runs `action` on the first modal dialog of type T that appears; gives up
// after a few seconds so that no test can hang on a dialog.
template <typename T>
void answerModal(QObject *context, std::function<void(T *)> action, bool *seen = nullptr)
{
    auto *timer = new QTimer(context);
    timer->setInterval(20);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, context, [timer, action, seen, tries] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            if (seen)
                *seen = true;
            action(dialog);
        } else if (++*tries > 250) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

// Closes the preview once `check` has run inside its event loop, with the
// Escape key or, where the key is not under test, directly.
void closeAfter(PdfPreviewDialog *preview, int ms, std::function<void()> check = {}, bool escape = false)
{
    QTimer::singleShot(ms, preview, [preview, check, escape] {
        if (check)
            check();
        if (escape)
            QTest::keyClick(preview, Qt::Key_Escape);
        else
            preview->close();
    });
}

// Where the first page stands in the view, found in the picture the user
// sees: the white of its left margin, from its top to its foot. Empty while
// no page is drawn.
QRect firstPageShown(QPdfView *view)
{
    const QImage shot = view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto white = [&shot](int x, int y) { return qGray(shot.pixel(x, y)) > 250; };
    const int middle = shot.height() / 3;
    int left = 0;
    while (left < shot.width() && !white(left, middle))
        ++left;
    if (left >= shot.width() - 3)
        return QRect();
    const int x = left + 2; // inside the page's blank left margin
    int top = 0;
    while (top < shot.height() && !white(x, top))
        ++top;
    int foot = top;
    while (foot < shot.height() && white(x, foot))
        ++foot;
    int right = shot.width() - 1; // the blank right margin, seen from the right
    while (right > left && !white(right, middle))
        --right;
    return QRect(QPoint(left, top), QPoint(right, foot - 1));
}

// How far `page`, seen in the view, differs from the page drawn afresh at
// the size the view shows it: 0 when sharp, -1 when it is not in sight.
double differenceFromAFreshDrawing(QPdfView *view, QPdfDocument *pdf, int page)
{
    const QRect shown = firstPageShown(view);
    const qreal pixelsPerPoint = QGuiApplication::primaryScreen()->logicalDotsPerInch() / 72.0;
    const QSize full = (pdf->pagePointSize(page) * pixelsPerPoint * view->zoomFactor()).toSize();
    if (shown.isEmpty() || qAbs(shown.width() - full.width()) > 1)
        return -1;
    QImage fresh(full, QImage::Format_RGB32);
    fresh.fill(Qt::white);
    QPainter(&fresh).drawImage(0, 0, pdf->render(page, full));
    const QImage seen = view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // A page cut off at the view's top, and not at its foot, shows its lower part.
    const bool cutAtTop = shown.top() == 0 && shown.bottom() < seen.height() - 1;
    const int hidden = cutAtTop ? full.height() - shown.height() : 0;
    qint64 sum = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < qMin(shown.width(), full.width()); ++x)
            sum += qAbs(qGray(seen.pixel(shown.left() + x, shown.top() + y)) - qGray(fresh.pixel(x, hidden + y)));
    }
    return double(sum) / (qint64(shown.width()) * shown.height());
}

} // namespace

class TestPdfPreviewDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void caseModeShowsTheWorksheet();
    void failedWorksheetShowsNoEarlierCase();
    void fileModeShowsTheFile();
    void missingFileStillOpens();
    void zoomListIsReadable_data();
    void zoomListIsReadable();
    void fitPageKeepsFittingTheWindow_data();
    void fitPageKeepsFittingTheWindow();
    void zoomSteps_data();
    void zoomSteps();
    void pagesAreDrawnAtTheZoomShown_data();
    void pagesAreDrawnAtTheZoomShown();
    void proposedFileName_data();
    void proposedFileName();
    void saveWritesTheWorksheet();
    void caseModeSavesWithCtrlS();
    void failedSaveSaysWhy_data();
    void failedSaveSaysWhy();
    void fileModeHasNoSave();
    void printDrawsTheWorksheetAnew();
    void fileModeTitleNamesTheDocument_data();
    void fileModeTitleNamesTheDocument();

private:
    OrvaTest::TemporarySettings m_settings;
    QTemporaryDir m_dir;
};

void TestPdfPreviewDialog::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    OrvaResources::registerAll();
}

void TestPdfPreviewDialog::caseModeShowsTheWorksheet()
{
    PdfPreviewDialog preview(sharedCase());
    QVERIFY(preview.caseMode());
    const QString expected = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/.client.pdf";
    QCOMPARE(preview.fileName(), expected);
    QVERIFY(QFileInfo::exists(expected));
    QCOMPARE(preview.pdfDocument()->status(), QPdfDocument::Status::Ready);
    QCOMPARE(preview.pdfDocument()->pageCount(), 2); // Worksheet B
    auto *zoom = preview.findChild<QComboBox *>("zoomComboBox");
    QCOMPARE(zoom->count(), 11);
    QCOMPARE(zoom->currentText(), QString("Fit page"));
    auto *view = preview.findChild<QPdfView *>("pdfView");
    QCOMPARE(view->pageMode(), QPdfView::PageMode::MultiPage);
    QCOMPARE(preview.windowModality(), Qt::ApplicationModal);
    QCOMPARE(preview.windowTitle(), QString("Print Preview"));

    // A sole case gets Worksheet A in the same private file.
    auto sole = sharedCase();
    sole->setCustodyType(OrvaDocument::SoleFather);
    PdfPreviewDialog second(sole);
    QCOMPARE(second.pdfDocument()->pageCount(), 1);

    // exec() blocks until the window is closed; Escape closes it.
    closeAfter(&preview, 100, [&] { QVERIFY(preview.isVisible()); }, true);
    QCOMPARE(preview.exec(), 0);
    QVERIFY(!preview.isVisible());
}

void TestPdfPreviewDialog::failedWorksheetShowsNoEarlierCase()
{
    // An earlier preview of a sole case (one page) is in the private file.
    auto sole = sharedCase();
    sole->setCustodyType(OrvaDocument::SoleFather);
    {
        PdfPreviewDialog earlier(sole);
        QCOMPARE(earlier.pdfDocument()->pageCount(), 1);
    }
    // Then the shared case cannot be written (a full disk): its preview
    // must not show the sole worksheet that stayed in the file.
    OrvaTest::ChildLimits limits;
    limits.fileSizeLimit = 1024;
    const OrvaTest::ChildResult result = OrvaTest::runInChild(limits, [](QString *error) {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        PdfPreviewDialog preview(sharedCase());
        *error = QString::number(preview.pdfDocument()->pageCount());
        return true;
    });
    QVERIFY(result.finished);
    QCOMPARE(result.error, QStringLiteral("0"));
}

void TestPdfPreviewDialog::fileModeShowsTheFile()
{
    const QString statute = QStringLiteral(ORVA_BINARY_DIR "/bin/FL12-201.pdf");
    QVERIFY(QFileInfo::exists(statute));
    PdfPreviewDialog preview(statute);
    QVERIFY(!preview.caseMode());
    QCOMPARE(preview.fileName(), statute);
    QCOMPARE(preview.pdfDocument()->status(), QPdfDocument::Status::Ready);
    QVERIFY(preview.pdfDocument()->pageCount() > 5);
    closeAfter(&preview, 50, {}, true);
    QCOMPARE(preview.exec(), 0);
}

void TestPdfPreviewDialog::missingFileStillOpens()
{
    PdfPreviewDialog preview(m_dir.filePath("no-such-statute.pdf"));
    QCOMPARE(preview.pdfDocument()->pageCount(), 0);
    QVERIFY(preview.pdfDocument()->status() == QPdfDocument::Status::Error);
    closeAfter(&preview, 50, [&] { QVERIFY(preview.isVisible()); });
    QCOMPARE(preview.exec(), 0);
}

void TestPdfPreviewDialog::zoomListIsReadable_data()
{
    QTest::addColumn<int>("row");
    QTest::newRow("Fit page") << 1;
    QTest::newRow("100 %") << 5;
    QTest::newRow("800 %") << 10;
}

void TestPdfPreviewDialog::zoomListIsReadable()
{
    QFETCH(int, row);
    // The program's own style sheet, as the application object sets it.
    QFile sheet(QStringLiteral(":/stylesheets/orva.qss"));
    QVERIFY(sheet.open(QIODevice::ReadOnly));
    qApp->setStyleSheet(QString::fromUtf8(sheet.readAll()));
    const auto plain = qScopeGuard([] { qApp->setStyleSheet(QString()); });
    PdfPreviewDialog preview(sharedCase());
    preview.setWindowModality(Qt::NonModal);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    const double contrast = OrvaTest::highlightedEntryContrast(preview.findChild<QComboBox *>("zoomComboBox"), row);
    QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));
}

void TestPdfPreviewDialog::fitPageKeepsFittingTheWindow_data()
{
    QTest::addColumn<QString>("file"); // empty: the worksheet of a case
    QTest::addColumn<int>("custody");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QSize>("resized");
    QTest::addColumn<QString>("paper");
    const QString statute = QStringLiteral(ORVA_BINARY_DIR "/bin/FL12-201.pdf");
    QTest::newRow("Worksheet B, wide window") << QString() << int(OrvaDocument::Shared) << QSize(1000, 560)
                                              << QSize(780, 700) << "letter";
    QTest::newRow("Worksheet A, tall window") << QString() << int(OrvaDocument::SoleMother) << QSize(500, 580)
                                              << QSize(790, 420) << "letter";
    QTest::newRow("Worksheet A on A4, odd size") << QString() << int(OrvaDocument::SoleMother) << QSize(951, 777)
                                                 << QSize(700, 1000) << "a4";
    QTest::newRow("Worksheet B, maximised at 1366 x 768") << QString() << int(OrvaDocument::Shared)
                                                          << QSize(1366, 740) << QSize(1920, 1050) << "letter";
    QTest::newRow("statute, square window") << statute << 0 << QSize(600, 600) << QSize(420, 590) << "letter";
}

void TestPdfPreviewDialog::fitPageKeepsFittingTheWindow()
{
    QFETCH(QString, file);
    QFETCH(int, custody);
    QFETCH(QSize, window);
    QFETCH(QSize, resized);
    QFETCH(QString, paper);
    QSettings().setValue(PaperSize::SettingsKey, paper);
    auto doc = sharedCase();
    doc->setCustodyType(custody);
    std::unique_ptr<PdfPreviewDialog> preview = file.isEmpty() ? std::make_unique<PdfPreviewDialog>(doc)
                                                               : std::make_unique<PdfPreviewDialog>(file);
    auto *view = preview->findChild<QPdfView *>("pdfView");
    if (file.isEmpty()) // the worksheet on the chosen paper
        QCOMPARE(preview->pdfDocument()->pagePointSize(0), paper == "a4" ? QSizeF(595, 842) : QSizeF(612, 792));
    QCOMPARE(preview->findChild<QComboBox *>("zoomComboBox")->currentText(), QString("Fit page"));
    preview->setWindowModality(Qt::NonModal);
    for (const QSize &size : {window, resized}) {
        preview->resize(size);
        preview->show();
        QVERIFY(QTest::qWaitForWindowExposed(preview.get()));
        // The whole first page: its top and its foot inside the view, the
        // view's background below it, and as large as the view allows.
        QRect page;
        const auto fits = [&] {
            page = firstPageShown(view);
            const QSize room = view->viewport()->size();
            const bool whole = page.height() > 100 && view->verticalScrollBar()->value() == 0
                               && page.bottom() < room.height() - 2;
            const bool large = room.height() - page.height() < 30 || room.width() - page.width() < 30;
            // A single page and its margins leave nothing to scroll to.
            const bool still = preview->pdfDocument()->pageCount() > 1
                               || (view->verticalScrollBar()->maximum() == 0
                                   && view->horizontalScrollBar()->maximum() == 0);
            return whole && large && still;
        };
        QVERIFY2(QTest::qWaitFor(fits, 5000),
                 qPrintable(QStringLiteral("page %1,%2 %3x%4 in a view of %5x%6")
                                .arg(page.x()).arg(page.y()).arg(page.width()).arg(page.height())
                                .arg(view->viewport()->width()).arg(view->viewport()->height())));
    }
}

void TestPdfPreviewDialog::pagesAreDrawnAtTheZoomShown_data()
{
    QTest::addColumn<QString>("zoom");
    QTest::addColumn<bool>("lateDrawing"); // a page drawn for an earlier zoom arrives after the change
    QTest::newRow("Fit page, opened maximised") << "Fit page" << false;
    QTest::newRow("Fit page, late drawing") << "Fit page" << true;
    QTest::newRow("Fit width, late drawing") << "Fit width" << true;
}

void TestPdfPreviewDialog::pagesAreDrawnAtTheZoomShown()
{
    QFETCH(QString, zoom);
    QFETCH(bool, lateDrawing);
    PdfPreviewDialog preview(sharedCase());
    preview.setWindowModality(Qt::NonModal);
    auto *view = preview.findChild<QPdfView *>("pdfView");
    auto *zoomList = preview.findChild<QComboBox *>("zoomComboBox");
    zoomList->setCurrentIndex(zoomList->findText(zoom));
    QVERIFY(QMetaObject::invokeMethod(&preview, "on_zoomComboBox_activated", Q_ARG(int, zoomList->currentIndex())));
    preview.showMaximized(); // as exec() opens it
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QTRY_COMPARE(differenceFromAFreshDrawing(view, preview.pdfDocument(), 0), 0.0);
    if (lateDrawing) {
        auto *renderer = view->findChild<QPdfPageRenderer *>();
        QVERIFY(renderer);
        const QImage small = preview.pdfDocument()->render(1, QSize(306, 396));
        emit renderer->pageRendered(1, small.size(), small, QPdfDocumentRenderOptions(), 0);
    }
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    QTRY_COMPARE(differenceFromAFreshDrawing(view, preview.pdfDocument(), 1), 0.0);
}

void TestPdfPreviewDialog::zoomSteps_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("result");
    QTest::newRow("100 in") << "100 %" << "zoomInButton" << "125 %";
    QTest::newRow("100 out") << "100 %" << "zoomOutButton" << "75 %";
    QTest::newRow("800 in stays") << "800 %" << "zoomInButton" << "800 %";
    QTest::newRow("25 out stays") << "25 %" << "zoomOutButton" << "25 %";
    QTest::newRow("400 in") << "400 %" << "zoomInButton" << "800 %";
    QTest::newRow("50 out") << "50 %" << "zoomOutButton" << "25 %";
}

void TestPdfPreviewDialog::zoomSteps()
{
    QFETCH(QString, start);
    QFETCH(QString, button);
    QFETCH(QString, result);
    PdfPreviewDialog preview(sharedCase());
    auto *zoom = preview.findChild<QComboBox *>("zoomComboBox");
    auto *view = preview.findChild<QPdfView *>("pdfView");
    zoom->setCurrentIndex(zoom->findText(start));
    QVERIFY(QMetaObject::invokeMethod(&preview, "on_zoomComboBox_activated", Q_ARG(int, zoom->currentIndex())));
    QCOMPARE(view->zoomMode(), QPdfView::ZoomMode::Custom);
    QCOMPARE(qRound(view->zoomFactor() * 100), zoom->currentData().toInt());

    preview.findChild<QPushButton *>(button)->click();
    QCOMPARE(zoom->currentText(), result);
    QCOMPARE(qRound(view->zoomFactor() * 100), zoom->currentData().toInt());
}

void TestPdfPreviewDialog::proposedFileName_data()
{
    QTest::addColumn<QString>("caseNumber");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "24-1234" << "Case_24-1234_Preview_07Mar_2024_15_05_09.pdf";
    QTest::newRow("slashes do not make folders") << "24/12\\34" << "Case_24-12-34_Preview_07Mar_2024_15_05_09.pdf";
    QTest::newRow("no case number") << "" << "Case__Preview_07Mar_2024_15_05_09.pdf";
}

void TestPdfPreviewDialog::proposedFileName()
{
    QFETCH(QString, caseNumber);
    QFETCH(QString, name);
    const QDateTime when(QDate(2024, 3, 7), QTime(15, 5, 9));
    QCOMPARE(PdfPreviewDialog::proposedFileName(caseNumber, when), name);
}

void TestPdfPreviewDialog::saveWritesTheWorksheet()
{
    PdfPreviewDialog preview(sharedCase());
    const QString target = m_dir.filePath("saved-worksheet.pdf");
    QString proposed;
    QString title;
    bool seen = false;
    answerModal<QFileDialog>(
        this,
        [&](QFileDialog *dialog) {
            title = dialog->windowTitle();
            proposed = dialog->selectedFiles().value(0);
            auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
            QVERIFY(name);
            name->setText(target);
            QMetaObject::invokeMethod(dialog, "accept");
        },
        &seen);
    preview.findChild<QPushButton *>("saveButton")->click();
    QVERIFY(seen);
    QCOMPARE(title, QString("Save as PDF"));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QVERIFY2(proposed.startsWith(documents + "/Case_24-1234_Preview_"), qPrintable(proposed));
    QVERIFY(proposed.endsWith(".pdf"));
    QPdfDocument saved;
    QCOMPARE(saved.load(target), QPdfDocument::Error::None);
    QCOMPARE(saved.pageCount(), 2);

    // Cancelling writes nothing, not even to the name typed before.
    const QString other = m_dir.filePath("not-saved.pdf");
    bool offered = false;
    answerModal<QFileDialog>(
        this,
        [&other, &offered](QFileDialog *dialog) {
            auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
            QVERIFY(name);
            name->setText(other);
            offered = true;
            dialog->reject();
        },
        &seen);
    seen = false;
    preview.findChild<QPushButton *>("saveButton")->click();
    QVERIFY(seen);
    QVERIFY(offered);
    QVERIFY(!QFileInfo::exists(other));
}

void TestPdfPreviewDialog::caseModeSavesWithCtrlS()
{
    PdfPreviewDialog preview(sharedCase());
    bool dialogSeen = false;
    answerModal<QFileDialog>(
        this,
        [&preview](QFileDialog *dialog) {
            dialog->reject();
            closeAfter(&preview, 50);
        },
        &dialogSeen);
    QTimer::singleShot(300, &preview, [&] { QTest::keyClick(&preview, Qt::Key_S, Qt::ControlModifier); });
    closeAfter(&preview, 6000); // no test may hang on a dialog that never came
    QCOMPARE(preview.exec(), 0);
    QVERIFY(dialogSeen);
}

void TestPdfPreviewDialog::failedSaveSaysWhy_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("reason");
    QTest::newRow("pipe") << "pipe.pdf" << "Is a pipe, not a regular file";
    QTest::newRow("missing folder") << "missing/worksheet.pdf" << "No such file or directory";
}

void TestPdfPreviewDialog::failedSaveSaysWhy()
{
    QFETCH(QString, target);
    QFETCH(QString, reason);
    const QString file = m_dir.filePath(target);
    if (target == "pipe.pdf")
        QVERIFY(::mkfifo(QFile::encodeName(file).constData(), 0644) == 0);
    PdfPreviewDialog preview(sharedCase());
    OrvaTest::AskAnswers answers;
    answers.file(file).box(QMessageBox::Ok);
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("PDFUtils::save: can't write"));
    preview.findChild<QPushButton *>("saveButton")->click();
    const QList<Ask::Shown> shown = answers.shown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(1).icon, QMessageBox::Critical);
    QCOMPARE(shown.at(1).text, "The worksheet could not be saved to\n" + file + "\n\n" + reason);
    struct stat st {};
    QCOMPARE(::lstat(QFile::encodeName(file).constData(), &st) == 0, target == "pipe.pdf");
    if (target == "pipe.pdf")
        QVERIFY(S_ISFIFO(st.st_mode));
}

void TestPdfPreviewDialog::fileModeHasNoSave()
{
    PdfPreviewDialog preview(QStringLiteral(ORVA_BINARY_DIR "/bin/FL12-201.pdf"));
    bool dialogSeen = false;
    answerModal<QFileDialog>(this, [](QFileDialog *dialog) { dialog->reject(); }, &dialogSeen);
    closeAfter(&preview, 400, [&] {
        QVERIFY(!preview.findChild<QPushButton *>("saveButton")->isVisible());
        QTest::keyClick(&preview, Qt::Key_S, Qt::ControlModifier);
    });
    QCOMPARE(preview.exec(), 0);
    QTest::qWait(300);
    QVERIFY(!dialogSeen);
}

void TestPdfPreviewDialog::printDrawsTheWorksheetAnew()
{
    PdfPreviewDialog preview(sharedCase());
    const QString target = m_dir.filePath("printed.pdf");
    bool seen = false;
    answerModal<QPrintDialog>(
        this,
        [&](QPrintDialog *dialog) {
            auto *printers = dialog->findChild<QComboBox *>("printers");
            auto *fileName = dialog->findChild<QLineEdit *>("filename");
            QVERIFY(printers && fileName);
            printers->setCurrentIndex(printers->findText("Print to File (PDF)"));
            fileName->setText(target);
            dialog->accept();
        },
        &seen);
    preview.findChild<QPushButton *>("printButton")->click();
    QVERIFY(seen);
    QPdfDocument printed;
    QCOMPARE(printed.load(target), QPdfDocument::Error::None);
    QCOMPARE(printed.pageCount(), 2);
    // The worksheet values are on the printed pages.
    QVERIFY(printed.getAllText(0).text().contains("24-1234"));
}

void TestPdfPreviewDialog::fileModeTitleNamesTheDocument_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title"); // written into the file; empty: none
    QTest::addColumn<QString>("shown");
    QTest::newRow("statute of July 2022")
        << QStringLiteral(ORVA_BINARY_DIR "/bin/07.01.22-12-204-Calculation-of-support.pdf") << QString()
        << QString::fromUtf8("Maryland Family Law §§ 12-201 to 12-204 \u2014 Guidelines from July 2022");
    QTest::newRow("a title of its own") << "titled.pdf" << "  Frequently Asked Questions " << "Frequently Asked Questions";
    QTest::newRow("no title: the file name") << "untitled-notes.pdf" << "" << "untitled-notes.pdf";
    QTest::newRow("missing file: its name") << "missing.pdf" << "-" << "missing.pdf";
}

void TestPdfPreviewDialog::fileModeTitleNamesTheDocument()
{
    QFETCH(QString, file);
    QFETCH(QString, title);
    QFETCH(QString, shown);
    QString path = file;
    if (!QFileInfo(file).isAbsolute()) {
        path = m_dir.filePath(file);
        if (title != "-") {
            QPdfWriter writer(path);
            writer.setTitle(title);
            QPainter painter(&writer);
            painter.drawText(100, 100, "Page");
        }
    }
    PdfPreviewDialog preview(path);
    QCOMPARE(preview.windowTitle(), shown);
}

QTEST_MAIN(TestPdfPreviewDialog)
#include "tst_pdfpreviewdialog.moc"
