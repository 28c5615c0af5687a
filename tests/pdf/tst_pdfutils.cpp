// Worksheet PDFs as PDFUtils::save writes them, read back with Qt Pdf, and
// printing of existing PDF pages and page images through the print dialog.
#include "ChildProcess.h"
#include "LayoutInterpreter.h"
#include "PDFDocument.h"
#include "PDFUtils.h"
#include "PdfProbe.h"
#include "SpecialFiles.h"
#include "TemporarySettings.h"
#include "WorksheetCases.h"

#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QThreadPool>
#include <QtTest>

#include <sys/stat.h>

using Doc = OrvaDocument;

class TestPDFUtils : public QObject
{
    Q_OBJECT

private:
    // Answers the next print dialog: prints to `path` as a PDF file, or
    // cancels it when `path` is empty.
    void answerPrintDialog(const QString &path)
    {
        m_dialogSeen = false;
        auto *timer = new QTimer(this);
        timer->setInterval(20);
        connect(timer, &QTimer::timeout, this, [this, timer, path] {
            auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            timer->stop();
            timer->deleteLater();
            m_dialogSeen = true;
            auto *printers = dialog->findChild<QComboBox *>("printers");
            auto *fileName = dialog->findChild<QLineEdit *>("filename");
            const int toFile = printers ? printers->findText("Print to File (PDF)") : -1;
            if (path.isEmpty() || toFile < 0 || !fileName) {
                m_dialogDriven = path.isEmpty();
                dialog->reject();
                return;
            }
            printers->setCurrentIndex(toFile);
            fileName->setText(path);
            m_dialogDriven = true;
            dialog->accept();
        });
        timer->start();
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    OrvaTest::TemporarySettings m_settings;
    QTemporaryDir m_dir;
    bool m_dialogSeen = false;
    bool m_dialogDriven = false;

private slots:
    void init();
    void paperFollowsTheSettings_data();
    void paperFollowsTheSettings();
    void saveChoosesTheWorksheet_data();
    void saveChoosesTheWorksheet();
    void boundValuesStandWhereTheScriptPutsThem_data();
    void boundValuesStandWhereTheScriptPutsThem();
    void printingAndSavingDrawTheSame();
    void olderVersionsPrintAsBefore_data();
    void olderVersionsPrintAsBefore();
    void saveReportsAnUnwritableFile();
    void failedSaveKeepsPreviousFile_data();
    void failedSaveKeepsPreviousFile();
    void fullFileSystemKeepsPreviousFile();
    void printingToAFileKeepsItSafe_data();
    void printingToAFileKeepsItSafe();
    void printPDFFitsEveryPage();
    void printPDFCancelled();
    void printPDFMissingFile();
    void printImagesCentred();
    void printImagesEmptyList();
};

// Unless a test says otherwise, the pages are A4, on which the scripts'
// coordinates are the page's own.
void TestPDFUtils::init()
{
    PaperSize::store(PaperSize::A4);
}

void TestPDFUtils::paperFollowsTheSettings_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QSizeF>("page");
    QTest::addColumn<bool>("drawn"); // the worksheet drawn on the paper, not only the paper chosen
    QTest::newRow("nothing stored: Letter") << QVariant() << QSizeF(612, 792) << true;
    QTest::newRow("a4") << QVariant("a4") << QSizeF(595, 842) << false;
    QTest::newRow("A4 in capitals, blanks around") << QVariant(" A4 ") << QSizeF(595, 842) << false;
    QTest::newRow("unknown paper: Letter") << QVariant("legal") << QSizeF(612, 792) << false;
}

void TestPDFUtils::paperFollowsTheSettings()
{
    QFETCH(QVariant, stored);
    QFETCH(QSizeF, page);
    QFETCH(bool, drawn);
    {
        QSettings settings;
        if (stored.isValid())
            settings.setValue(PaperSize::SettingsKey, stored);
        else
            settings.remove(PaperSize::SettingsKey);
    }
    QCOMPARE(QSizeF(PaperSize::pageSize(PaperSize::fromSettings()).sizePoints()), page);
    if (!drawn)
        return;

    // The worksheet as a file and on a printer, and an existing PDF printed:
    // on Letter, where the script's A4 page is scaled to fit (the other
    // tests print on A4).
    const auto document = WorksheetCases::ordinary(Doc::NewOct2020, Doc::Shared);
    const QString saved = path("paper-saved.pdf");
    QVERIFY(PDFUtils::save(*document, saved, nullptr));
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A3)); // whatever the print dialog chose
    const QString printed = path("paper-printed.pdf");
    printer.setOutputFileName(printed);
    QVERIFY(PDFUtils::save(*document, QString(), &printer));
    QPrinter reprinter(QPrinter::ScreenResolution);
    reprinter.setOutputFormat(QPrinter::PdfFormat);
    const QString reprinted = path("paper-reprinted.pdf");
    reprinter.setOutputFileName(reprinted);
    QVERIFY(PDFUtils::printPDFOnPrinter(saved, &reprinter));

    for (const QString &file : {saved, printed, reprinted}) {
        QPdfDocument pdf;
        QCOMPARE(pdf.load(file), QPdfDocument::Error::None);
        QCOMPARE(pdf.pageCount(), 2);
        for (int i = 0; i < pdf.pageCount(); ++i)
            QCOMPARE(pdf.pagePointSize(i), page);
        // The frame of the tables, 20 points in from the sides of the script's
        // page, scaled to fit the paper and centred.
        const QTransform toPaper = LayoutInterpreter::scriptToPaper(page);
        const QImage image = PdfProbe::render(pdf, 0, 2);
        for (const QPointF &corner : {QPointF(20, 360), QPointF(575, 360)})
            QVERIFY2(PdfProbe::ink(image, toPaper.map(corner), 2) < 160,
                     qPrintable(QStringLiteral("%1 at %2").arg(file).arg(toPaper.map(corner).x())));
        QVERIFY(PdfProbe::ink(image, toPaper.map(QPointF(12, 360)), 2, 2) > 240);
    }
}

void TestPDFUtils::saveChoosesTheWorksheet_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("custody");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");

    QTest::newRow("sole mother, July 2022")
        << int(Doc::July2022) << int(Doc::SoleMother) << 2
        << QStringList{"WORKSHEET A", "Post July 1, 2022 Guidelines", "Mother", "Father", "Combined", "CC-DR-034"}
        << QStringList{"WORKSHEET B", "Parent 1"};
    QTest::newRow("sole parent 1, pre October 2020")
        << int(Doc::PreOct2020) << int(Doc::SoleParent1) << 1
        << QStringList{"WORKSHEET A", "Pre October 1, 2020 Guidelines", "Parent 1", "Plaintiff  (Parent 1)"}
        << QStringList{"WORKSHEET B", "Mother", "Multifamily"};
    QTest::newRow("sole father, July 2022, line 1d")
        << int(Doc::July2022) << int(Doc::SoleFather) << 2
        << QStringList{"WORKSHEET A", "d. Multifamily Adjustment", "#Children", "X.75"}
        << QStringList{"WORKSHEET B", "minus lines 1a and 1b,"};
    QTest::newRow("shared, July 2022, line 1d")
        << int(Doc::July2022) << int(Doc::Shared) << 3
        << QStringList{"WORKSHEET B", "d. Multifamily Adjustment", "#Children", "CC-DR-035"}
        << QStringList{"CC-DR-034", "Adjusted share"}; // the form itself points to Worksheet A
    QTest::newRow("shared, October 2020")
        << int(Doc::NewOct2020) << int(Doc::Shared) << 2
        << QStringList{"WORKSHEET B", "Post October 1, 2020 Guidelines", "Adjusted share", "Mother"}
        << QStringList{"WORKSHEET A", "Parent 2", "Multifamily", "#Children"};
    QTest::newRow("shared P1P2, pre October 2020 script")
        << int(Doc::PreOct2020) << int(Doc::SharedP1P2) << 2
        << QStringList{"WORKSHEET B", "Pre October 1, 2020 Guidelines", "Parent 1", "Defendant (Parent 2)"}
        << QStringList{"WORKSHEET A", "Adjusted share", "Mother"};
}

void TestPDFUtils::saveChoosesTheWorksheet()
{
    QFETCH(int, mode);
    QFETCH(int, custody);
    QFETCH(int, pages);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);

    const auto document = WorksheetCases::ordinary(Doc::Mode(mode), custody);
    const QString file = path(QStringLiteral("choose-%1.pdf").arg(QTest::currentDataTag()));
    QVERIFY(PDFUtils::save(*document, file, nullptr));
    QPdfDocument pdf;
    QCOMPARE(pdf.load(file), QPdfDocument::Error::None);
    QCOMPARE(pdf.pageCount(), pages);
    QString text;
    for (int page = 0; page < pages; ++page) {
        QCOMPARE(pdf.pagePointSize(page), QSizeF(595, 842));
        text += pdf.getAllText(page).text();
    }
    for (const QString &word : present)
        QVERIFY2(text.contains(word.simplified()), qPrintable(word));
    for (const QString &word : absent)
        QVERIFY2(!text.contains(word), qPrintable(word));
    // "In the Circuit Court for Howard County, Maryland" before July 2022;
    // the court's form has a blank for the county.
    QVERIFY(text.contains("Circuit Court for") && text.contains("Howard County"));
    QVERIFY(text.contains("Holiday schedule agreed."));
    QVERIFY(text.contains("* 2 Family coverage; the children's portion."));
}

void TestPDFUtils::boundValuesStandWhereTheScriptPutsThem_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("custody");
    QTest::newRow("A, sole father, July 2022") << int(Doc::July2022) << int(Doc::SoleFather);
    QTest::newRow("B, shared, July 2022") << int(Doc::July2022) << int(Doc::Shared);
    QTest::newRow("B, shared P1P2, pre October 2020") << int(Doc::PreOct2020) << int(Doc::SharedP1P2);
    QTest::newRow("B, widest amounts") << int(Doc::NewOct2020) << int(Doc::Shared);
    QTest::newRow("A, sole mother, July 2022, other children") << int(Doc::July2022) << int(Doc::SoleMother);
    QTest::newRow("B, shared, July 2022, other children") << int(Doc::July2022) << int(Doc::Shared);
}

void TestPDFUtils::boundValuesStandWhereTheScriptPutsThem()
{
    QFETCH(int, mode);
    QFETCH(int, custody);

    const QByteArray tag(QTest::currentDataTag());
    const auto document = tag.contains("widest")           ? WorksheetCases::widest(Doc::Mode(mode), custody)
                          : tag.contains("other children") ? WorksheetCases::blended(Doc::Mode(mode), custody)
                                                           : WorksheetCases::ordinary(Doc::Mode(mode), custody);
    const QString file = path(QStringLiteral("bound-%1.pdf").arg(QTest::currentDataTag()));
    QVERIFY(PDFUtils::save(*document, file, nullptr));
    QPdfDocument pdf;
    QCOMPARE(pdf.load(file), QPdfDocument::Error::None);

    // The same table and script that save used.
    PDFDocument worksheet;
    const QStringList lines = worksheet.loadWorksheetLayout(*document);
    worksheet.fillWorksheetFields(*document);

    int page = 0;
    int checked = 0;
    for (const QString &line : lines) {
        const QStringList t = LayoutInterpreter::tokenize(line);
        if (t.at(0) == "BPG")
            ++page;
        if (t.size() < 11 || t.at(9) != "d")
            continue;
        const QString name = t.at(10);
        QString value = worksheet.field(name);
        const qreal x = t.at(1).toDouble();
        const qreal y = t.at(2).toDouble();
        const int size = t.at(5).toInt();
        if (name == "comments")
            value = value.section('\n', 0, 0); // its first line starts at the top-left of the box
        if (value.isEmpty())
            continue;
        // Text extraction gives a run of blanks as one.
        const QList<QRectF> boxes = PdfProbe::find(pdf, page, value.simplified());
        bool placed = false;
        for (const QRectF &box : boxes) {
            bool horizontal = false;
            if (t.at(8) == "br")
                horizontal = qAbs(box.right() - x) < 1.0;
            else if (t.at(8) == "bc")
                horizontal = qAbs(box.center().x() - x) < 1.0;
            else
                horizontal = box.left() > x - 0.3 && box.left() < x + 0.12 * size;
            const bool vertical = name == "comments"
                                      ? box.top() > y && box.top() < y + size
                                      : box.bottom() > y - 0.6 && box.bottom() < y + 0.25 * size + 0.3 && box.top() < y;
            placed = placed || (horizontal && vertical);
        }
        if (!placed)
            qWarning() << boxes;
        QVERIFY2(placed, qPrintable(QStringLiteral("%1 = '%2' not found at %3,%4 on page %5 (%6 occurrences)")
                                        .arg(name, value).arg(x).arg(y).arg(page + 1).arg(boxes.size())));
        ++checked;
    }
    QVERIFY2(checked > 50, qPrintable(QString::number(checked)));
}

// The October 2020 and older versions print the worksheets of their time:
// these PDFs are byte for byte what the program printed before the July 2022
// worksheets became the court's current forms, with the date of the file and
// the program's version masked. Qt's hash seed is fixed for this test
// (CMakeLists.txt): it decides the order of the embedded font subsets.
void TestPDFUtils::olderVersionsPrintAsBefore_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("custody");
    QTest::addColumn<int>("paper");
    QTest::addColumn<QByteArray>("sha256");
    QTest::newRow("A, sole father, October 2020, A4")
        << int(Doc::NewOct2020) << int(Doc::SoleFather) << int(PaperSize::A4)
        << QByteArray("fd7dff206ab211f85cba5ba047130f29e35dc5c07640d60d1e0f06a5431c17bc");
    QTest::newRow("A, sole parent 1, pre October 2020, Letter")
        << int(Doc::PreOct2020) << int(Doc::SoleParent1) << int(PaperSize::Letter)
        << QByteArray("d508cd125c016cc203e6fbe1851f350d004276035d486059ac183e301d15bbee");
    QTest::newRow("B, shared, October 2020, Letter")
        << int(Doc::NewOct2020) << int(Doc::Shared) << int(PaperSize::Letter)
        << QByteArray("b7c7c09309e8236309710ca1113c86c40609ee84b94a132ab308591dbcfcc7a3");
    QTest::newRow("B, shared P1P2, pre October 2020, A4")
        << int(Doc::PreOct2020) << int(Doc::SharedP1P2) << int(PaperSize::A4)
        << QByteArray("c1366196d961bba5b19388c5b5ac496fc6eef26bac4886fe9940841ab0a2784d");
}

void TestPDFUtils::olderVersionsPrintAsBefore()
{
    QFETCH(int, mode);
    QFETCH(int, custody);
    QFETCH(int, paper);
    QFETCH(QByteArray, sha256);

    const QString file = path("older.pdf");
    QVERIFY(PDFUtils::save(*WorksheetCases::widest(Doc::Mode(mode), custody), file, nullptr, PaperSize::Size(paper)));
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QByteArray pdf = written.readAll();
    for (const QByteArray &key : {QByteArray("/CreationDate ("), QByteArray("/Creator (")}) {
        const qsizetype start = pdf.indexOf(key);
        QVERIFY(start >= 0);
        pdf.remove(start + key.size(), pdf.indexOf(')', start + key.size()) - start - key.size());
    }
    QCOMPARE(QCryptographicHash::hash(pdf, QCryptographicHash::Sha256).toHex(), sha256);
}

void TestPDFUtils::printingAndSavingDrawTheSame()
{
    const auto document = WorksheetCases::ordinary(Doc::July2022, Doc::Shared);
    const QString saved = path("saved.pdf");
    QVERIFY(PDFUtils::save(*document, saved, nullptr));

    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString printed = path("printed.pdf");
    printer.setOutputFileName(printed);
    const QString ignored = path("ignored.pdf");
    QVERIFY(PDFUtils::save(*document, ignored, &printer));
    QVERIFY(!QFile::exists(ignored)); // the printer decides where the output goes
    QCOMPARE(printer.pageLayout().margins(QPageLayout::Millimeter), QMarginsF(0, 0, 0, 0));

    QPdfDocument a;
    QPdfDocument b;
    QCOMPARE(a.load(saved), QPdfDocument::Error::None);
    QCOMPARE(b.load(printed), QPdfDocument::Error::None);
    QCOMPARE(b.pageCount(), a.pageCount());
    for (int page = 0; page < a.pageCount(); ++page) {
        QCOMPARE(b.pagePointSize(page), a.pagePointSize(page));
        QCOMPARE(b.getAllText(page).text(), a.getAllText(page).text());
        for (const char *value : {"1631", "Jane Sample", "Holiday schedule agreed.", "WORKSHEET B"}) {
            const QList<QRectF> inA = PdfProbe::find(a, page, value);
            const QList<QRectF> inB = PdfProbe::find(b, page, value);
            QCOMPARE(inB.size(), inA.size());
            for (int i = 0; i < inA.size(); ++i) {
                QVERIFY(qAbs(inA.at(i).left() - inB.at(i).left()) < 0.05);
                QVERIFY(qAbs(inA.at(i).bottom() - inB.at(i).bottom()) < 0.05);
            }
        }
    }
}

void TestPDFUtils::saveReportsAnUnwritableFile()
{
    const auto document = WorksheetCases::ordinary(Doc::July2022, Doc::SoleMother);
    const QString file = path("no-such-folder/worksheet.pdf");
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("PDFUtils::save: can't write"));
    QString error;
    QVERIFY(!PDFUtils::save(*document, file, nullptr, &error));
    QCOMPARE(error, QStringLiteral("No such file or directory"));
    QVERIFY(!QFile::exists(file));
}

void TestPDFUtils::failedSaveKeepsPreviousFile_data()
{
    QTest::addColumn<QString>("target");    // what stands at the path
    QTest::addColumn<qint64>("sizeLimit"); // file-size limit of the saving process
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("printed"); // through a printer that prints to the file

    QTest::newRow("replaces an earlier worksheet") << "pdf" << qint64(0) << true << "" << false;
    QTest::newRow("full disk keeps the earlier worksheet") << "pdf" << qint64(4096) << false << "File too large" << false;
    QTest::newRow("full disk, new file") << "none" << qint64(4096) << false << "File too large" << false;
    QTest::newRow("pipe") << "fifo" << qint64(0) << false << "Is a pipe, not a regular file" << false;
    QTest::newRow("character device") << "device" << qint64(0) << false << "Is a device, not a regular file" << false;
    QTest::newRow("printed over an earlier worksheet") << "pdf" << qint64(0) << true << "" << true;
    QTest::newRow("printed on a full disk") << "pdf" << qint64(4096) << false << "File too large" << true;
    QTest::newRow("folder") << "folder" << qint64(0) << false << "Is a directory" << false;
}

void TestPDFUtils::failedSaveKeepsPreviousFile()
{
    QFETCH(QString, target);
    QFETCH(qint64, sizeLimit);
    QFETCH(bool, ok);
    QFETCH(QString, reason);
    QFETCH(bool, printed);

    const QString dir = path(QString("failed-save-%1").arg(QTest::currentDataTag()).replace(' ', '-'));
    const QString scratch = dir + "-tmp";
    QVERIFY(QDir().mkpath(dir));
    QVERIFY(QDir().mkpath(scratch));
    const QString file = dir + "/worksheet.pdf";
    const QByteArray native = QFile::encodeName(file);
    const auto earlierCase = WorksheetCases::ordinary(Doc::PreOct2020, Doc::SoleFather);
    QByteArray before;
    if (target == "pdf") {
        QVERIFY(PDFUtils::save(*earlierCase, file, nullptr));
        QFile earlier(file);
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        before = earlier.readAll();
    } else if (target != "none") {
        if (target == "device" && !OrvaTest::runsAsRoot())
            QSKIP("making a device node needs root");
        QVERIFY(OrvaTest::makeSpecialFile(target, file));
    }

    // The temporary folder is watched: nothing may be drawn or left there.
    const auto document = WorksheetCases::ordinary(Doc::July2022, Doc::Shared);
    OrvaTest::ChildLimits limits;
    limits.fileSizeLimit = sizeLimit;
    const OrvaTest::ChildResult result = OrvaTest::runInChild(limits, [&](QString *error) {
        qputenv("TMPDIR", QFile::encodeName(scratch));
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        if (!printed)
            return PDFUtils::save(*document, file, nullptr, error);
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        return PDFUtils::print(*document, &printer, error);
    });
    QVERIFY(result.finished);
    QCOMPARE(result.ok, ok);
    QCOMPARE(result.error, reason);
    QCOMPARE(QDir(scratch).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList());

    struct stat st {};
    QCOMPARE(::lstat(native.constData(), &st) == 0, target != "none");
    if (target == "pdf") {
        QPdfDocument pdf;
        QCOMPARE(pdf.load(file), QPdfDocument::Error::None);
        QCOMPARE(pdf.pageCount(), ok ? 3 : 1);
        if (!ok) {
            QFile kept(file);
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), before);
        }
    } else if (target != "none") {
        QVERIFY(OrvaTest::isSpecialFile(target, file));
    }
    const QStringList left = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    QCOMPARE(left, target == "none" ? QStringList() : QStringList{"worksheet.pdf"});
}

void TestPDFUtils::fullFileSystemKeepsPreviousFile()
{
    if (!OrvaTest::runsAsRoot())
        QSKIP("mounting a small file system needs root");
    const QString dir = path("full-file-system");
    QVERIFY(QDir().mkpath(dir));
    const QString file = dir + "/worksheet.pdf";
    const auto earlierCase = WorksheetCases::ordinary(Doc::PreOct2020, Doc::SoleFather);
    const auto document = WorksheetCases::ordinary(Doc::July2022, Doc::Shared);
    // Everything happens in the child: the file system goes with it.
    const OrvaTest::ChildResult result = OrvaTest::runInChild({}, [&](QString *error) {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        if (!OrvaTest::mountPrivateFileSystem(QFile::encodeName(dir), 256 * 1024)
            || !PDFUtils::save(*earlierCase, file, nullptr) || !OrvaTest::fillFileSystem(QFile::encodeName(dir), 0)) {
            *error = QStringLiteral("set-up failed");
            return true;
        }
        QFile earlier(file);
        const QByteArray before = earlier.open(QIODevice::ReadOnly) ? earlier.readAll() : QByteArray();
        earlier.close();
        const bool saved = PDFUtils::save(*document, file, nullptr, error);
        QFile kept(file);
        if (before.isEmpty() || !kept.open(QIODevice::ReadOnly) || kept.readAll() != before)
            error->append(" (earlier worksheet changed)");
        return saved;
    });
    QVERIFY(result.finished);
    QVERIFY(!result.ok);
    QCOMPARE(result.error, QStringLiteral("No space left on device"));
}

void TestPDFUtils::printPDFFitsEveryPage()
{
    // A portrait page with a square near its corner and a landscape page
    // painted black all over.
    const QString source = path("source.pdf");
    {
        QPdfWriter writer(source);
        writer.setResolution(72);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        painter.fillRect(QRect(50, 50, 100, 100), Qt::black);
        writer.setPageOrientation(QPageLayout::Landscape);
        writer.newPage();
        painter.fillRect(QRect(0, 0, 842, 595), Qt::black);
    }
    QPdfDocument input;
    QCOMPARE(input.load(source), QPdfDocument::Error::None);
    QCOMPARE(input.pagePointSize(1), QSizeF(842, 595));

    const QString output = path("printed-pdf.pdf");
    answerPrintDialog(output);
    QVERIFY(PDFUtils::printPDF(source, nullptr));
    QVERIFY(m_dialogSeen && m_dialogDriven);

    QPdfDocument printed;
    QCOMPARE(printed.load(output), QPdfDocument::Error::None);
    QCOMPARE(printed.pageCount(), 2);
    QCOMPARE(printed.pagePointSize(0), QSizeF(595, 842));
    QCOMPARE(printed.pagePointSize(1), QSizeF(595, 842));

    const QImage first = PdfProbe::render(printed, 0, 1);
    QVERIFY(PdfProbe::ink(first, {100, 100}, 1) < 60);
    QVERIFY(PdfProbe::ink(first, {160, 160}, 1) > 200);
    QVERIFY(PdfProbe::ink(first, {40, 40}, 1) > 200);

    // The landscape page is scaled to the page width (595 / 842 of its
    // height, 420.5 points) and centred vertically: 210.75 to 631.25.
    const QImage second = PdfProbe::render(printed, 1, 1);
    for (const QPointF point : {QPointF(297, 421), QPointF(4, 216), QPointF(591, 626)})
        QVERIFY2(PdfProbe::ink(second, point, 1, 0) < 60, qPrintable(QStringLiteral("%1,%2").arg(point.x()).arg(point.y())));
    for (const QPointF point : {QPointF(297, 205), QPointF(297, 637)})
        QVERIFY2(PdfProbe::ink(second, point, 1, 0) > 200, qPrintable(QStringLiteral("%1,%2").arg(point.x()).arg(point.y())));
}

void TestPDFUtils::printPDFCancelled()
{
    answerPrintDialog(QString());
    QVERIFY(!PDFUtils::printPDF(path("source.pdf"), nullptr));
    QVERIFY(m_dialogSeen);
    answerPrintDialog(QString());
    QVERIFY(!PDFUtils::printPDF(QList<QImage>{QImage(10, 10, QImage::Format_RGB32)}, nullptr));
    QVERIFY(m_dialogSeen);
}

void TestPDFUtils::printPDFMissingFile()
{
    const QString output = path("printed-missing.pdf");
    answerPrintDialog(output);
    QTest::ignoreMessage(QtCriticalMsg, "PDFUtils: can't load pdf file: FileNotFound");
    QVERIFY(!PDFUtils::printPDF(path("does-not-exist.pdf"), nullptr));
    QVERIFY(m_dialogSeen && m_dialogDriven);
    QVERIFY(!QFile::exists(output));
}

void TestPDFUtils::printingToAFileKeepsItSafe_data()
{
    QTest::addColumn<bool>("images"); // form pages, else a PDF file (a statute)
    QTest::addColumn<QString>("target");
    QTest::addColumn<qint64>("sizeLimit");
    QTest::addColumn<bool>("ok");

    QTest::newRow("document over an earlier file") << false << "pdf" << qint64(0) << true;
    QTest::newRow("document on a full disk") << false << "pdf" << qint64(2048) << false;
    QTest::newRow("document to a pipe") << false << "fifo" << qint64(0) << false;
    QTest::newRow("form pages on a full disk") << true << "pdf" << qint64(2048) << false;
}

void TestPDFUtils::printingToAFileKeepsItSafe()
{
    QFETCH(bool, images);
    QFETCH(QString, target);
    QFETCH(qint64, sizeLimit);
    QFETCH(bool, ok);

    const QString dir = path(QString("print-to-file-%1").arg(QTest::currentDataTag()).replace(' ', '-'));
    QVERIFY(QDir().mkpath(dir));
    const QString file = dir + "/printed.pdf";
    const QString source = dir + "/source.pdf";
    const QByteArray before = "an earlier file";
    {
        QPdfWriter writer(source);
        QPainter painter(&writer);
        painter.fillRect(QRect(0, 0, 2000, 2000), Qt::black);
    }
    if (target == "fifo")
        QVERIFY(OrvaTest::makeSpecialFile(target, file));
    else {
        QFile earlier(file);
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write(before) == before.size());
    }
    QImage page(300, 300, QImage::Format_RGB32);
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            page.setPixel(x, y, qRgb((x * 37) % 256, (y * 91) % 256, (x * y) % 256));

    // Idle pool threads of earlier image work would not exist in the child,
    // which would wait for them forever when it converts a large image.
    QThreadPool::globalInstance()->waitForDone();
    OrvaTest::ChildLimits limits;
    limits.fileSizeLimit = sizeLimit;
    const OrvaTest::ChildResult result = OrvaTest::runInChild(limits, [&](QString *) {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        return images ? PDFUtils::printImagesOnPrinter({page}, &printer)
                      : PDFUtils::printPDFOnPrinter(source, &printer);
    });
    QVERIFY2(result.finished, "printing stopped or hung");
    QCOMPARE(result.ok, ok);
    if (target == "fifo") {
        QVERIFY(OrvaTest::isSpecialFile(target, file));
    } else if (ok) {
        QPdfDocument printed;
        QCOMPARE(printed.load(file), QPdfDocument::Error::None);
        QCOMPARE(printed.pageCount(), 1);
    } else {
        QFile kept(file);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), before);
    }
    QCOMPARE(QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList({"printed.pdf", "source.pdf"}));
}

void TestPDFUtils::printImagesCentred()
{
    QImage landscape(400, 200, QImage::Format_RGB32);
    landscape.fill(Qt::black);
    const QString output = path("printed-images.pdf");
    answerPrintDialog(output);
    QVERIFY(PDFUtils::printPDF(QList<QImage>{landscape}, nullptr));
    QVERIFY(m_dialogSeen && m_dialogDriven);

    QPdfDocument printed;
    QCOMPARE(printed.load(output), QPdfDocument::Error::None);
    QCOMPARE(printed.pageCount(), 1);
    // Full page width, half as high (297.5 points), centred: 272.25 to 569.75.
    const QImage page = PdfProbe::render(printed, 0, 1);
    for (const QPointF point : {QPointF(297, 421), QPointF(4, 277), QPointF(591, 565)})
        QVERIFY2(PdfProbe::ink(page, point, 1, 0) < 60, qPrintable(QStringLiteral("%1,%2").arg(point.x()).arg(point.y())));
    for (const QPointF point : {QPointF(297, 266), QPointF(297, 576)})
        QVERIFY2(PdfProbe::ink(page, point, 1, 0) > 200, qPrintable(QStringLiteral("%1,%2").arg(point.x()).arg(point.y())));
}

void TestPDFUtils::printImagesEmptyList()
{
    const QString output = path("printed-nothing.pdf");
    answerPrintDialog(output);
    QTest::ignoreMessage(QtCriticalMsg, "no images");
    QVERIFY(!PDFUtils::printPDF(QList<QImage>{}, nullptr));
    QVERIFY(m_dialogSeen && m_dialogDriven);
    QVERIFY(!QFile::exists(output));
}

QTEST_MAIN(TestPDFUtils)
#include "tst_pdfutils.moc"
