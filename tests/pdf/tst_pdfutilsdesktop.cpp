// Handing PDF files to the desktop: finding the registered PDF program
// (xdg-mime and its desktop entry), starting it, mailing through xdg-email
// with the mail log, the viewer that cannot open, and the texts and
// conversions of the viewer's protocol. xdg-mime and xdg-email are
// recording scripts first on PATH.

#include "DesktopRecorder.h"
#include "PDFUtils.h"
#include "PdfHandoff.h"
#include "PdfjsProtocol.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <QtTest>

namespace {

void writeFile(const QString &path, const QByteArray &text, bool executable = false)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(text);
    file.close();
    if (executable)
        QVERIFY(file.setPermissions(file.permissions() | QFileDevice::ExeOwner));
}

QStringList mailLogLines()
{
    QFile log(PDFUtils::mailLogPath());
    if (!log.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromLocal8Bit(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestPdfUtilsDesktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void proposedSaveName_data();
    void proposedSaveName();
    void mailtoFallback();
    void imagesFromDataUrls_data();
    void imagesFromDataUrls();

    void splitCommand_data();
    void splitCommand();
    void openCommand_data();
    void openCommand();
    void registeredPdfCommand_data();
    void registeredPdfCommand();
    void openInAcrobat_data();
    void openInAcrobat();
    void sendToMail_data();
    void sendToMail();
    void mailLogAppendsDatedLines();

    void viewerWithoutItsResourcesReportsFailure();

private:
    void setDefaultPdf(const QByteArray &id);

    QTemporaryDir m_dir;
    QString m_tools;
    QString m_path;
    QString m_applications;
};

void TestPdfUtilsDesktop::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_tools = m_dir.filePath(QStringLiteral("tools"));
    writeFile(m_tools + QStringLiteral("/xdg-mime"),
              "#!/bin/sh\n[ \"$*\" = 'query default application/pdf' ] || exit 1\ncat \"" + m_tools.toUtf8()
                  + "/default-pdf\"\n",
              true);
    writeFile(m_tools + QStringLiteral("/xdg-email"),
              "#!/bin/sh\nprintf '%s|' \"$@\" > \"" + m_tools.toUtf8() + "/xdg-email.args\"\nexit $(cat \""
                  + m_tools.toUtf8() + "/xdg-email.exit\")\n",
              true);
    m_path = QString::fromLocal8Bit(qgetenv("PATH"));
    qputenv("PATH", (m_tools + QLatin1Char(':') + m_path).toLocal8Bit());
    m_applications = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
}

void TestPdfUtilsDesktop::init()
{
    qputenv("PATH", (m_tools + QLatin1Char(':') + m_path).toLocal8Bit());
}

void TestPdfUtilsDesktop::cleanupTestCase()
{
    qputenv("PATH", m_path.toLocal8Bit());
}

void TestPdfUtilsDesktop::setDefaultPdf(const QByteArray &id)
{
    writeFile(m_tools + QStringLiteral("/default-pdf"), id);
}

void TestPdfUtilsDesktop::proposedSaveName_data()
{
    QTest::addColumn<QString>("proposed");
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("expected");

    QTest::newRow("9-202 form") << QStringLiteral("Short-Form-Financial.pdf")
                                << QDateTime(QDate(2024, 3, 7), QTime(15, 5, 9))
                                << QStringLiteral("Short-Form-Financial_07Mar_2024_15_05_09.pdf");
    QTest::newRow("morning, December") << QStringLiteral("Parent-Plan-Tool.pdf")
                                       << QDateTime(QDate(2025, 12, 31), QTime(0, 0, 1))
                                       << QStringLiteral("Parent-Plan-Tool_31Dec_2025_00_00_01.pdf");
    QTest::newRow("only the last extension goes") << QStringLiteral("Joint.Statement.pdf")
                                                  << QDateTime(QDate(2024, 9, 1), QTime(23, 59, 59))
                                                  << QStringLiteral("Joint.Statement_01Sep_2024_23_59_59.pdf");
}

void TestPdfUtilsDesktop::proposedSaveName()
{
    QFETCH(QString, proposed);
    QFETCH(QDateTime, when);
    QFETCH(QString, expected);
    QCOMPARE(PdfjsProtocol::proposedSaveName(QStringLiteral("/home/u/Documents"), proposed, when),
             QStringLiteral("/home/u/Documents/") + expected);
}

void TestPdfUtilsDesktop::mailtoFallback()
{
    const QString subject = PdfjsProtocol::mailSubject(QStringLiteral("Short-Form-Financial.pdf"));
    const QString attachment = QStringLiteral("/tmp/a folder/Short-Form-Financial.pdf");
    const QUrl url = PdfjsProtocol::mailtoFallback(subject, PdfjsProtocol::MailBody, attachment);
    QCOMPARE(url.scheme(), QStringLiteral("mailto"));
    QVERIFY(url.path().isEmpty());
    // The leading empty item leaves nothing in the address.
    QVERIFY2(url.toString().startsWith(QStringLiteral("mailto:?subject=")), qPrintable(url.toString()));
    const QList<QPair<QString, QString>> items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
    const QList<QPair<QString, QString>> expected = {
        {QStringLiteral("subject"), QStringLiteral("Form Returned: Short-Form-Financial.pdf")},
        {QStringLiteral("body"), PdfjsProtocol::MailBody},
        {QStringLiteral("attachment"), QStringLiteral("file:///tmp/a folder/Short-Form-Financial.pdf")},
    };
    QCOMPARE(items, expected);
}

void TestPdfUtilsDesktop::imagesFromDataUrls_data()
{
    QImage red(6, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    red.save(&buffer, "PNG");
    const QString page = QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());

    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<QSize>>("sizes"); // an empty size: an empty image in its place

    QTest::newRow("two pages") << QStringList{page, page} << QList<QSize>{QSize(6, 4), QSize(6, 4)};
    QTest::newRow("no comma") << QStringList{QStringLiteral("data:image/png;base64")} << QList<QSize>{QSize()};
    QTest::newRow("nothing after the comma") << QStringList{QStringLiteral("data:image/png;base64,")}
                                             << QList<QSize>{QSize()};
    QTest::newRow("not an image, then a page")
        << QStringList{QStringLiteral("data:image/png;base64,bm90IGEgcGljdHVyZQ=="), page}
        << QList<QSize>{QSize(), QSize(6, 4)};
}

void TestPdfUtilsDesktop::imagesFromDataUrls()
{
    QFETCH(QStringList, texts);
    QFETCH(QList<QSize>, sizes);
    const QList<QImage> images = PdfjsProtocol::imagesFromDataUrls(texts);
    QCOMPARE(images.size(), sizes.size());
    for (int i = 0; i < images.size(); ++i) {
        QCOMPARE(images.at(i).isNull(), !sizes.at(i).isValid());
        if (sizes.at(i).isValid()) {
            QCOMPARE(images.at(i).size(), sizes.at(i));
            QCOMPARE(images.at(i).pixelColor(3, 2), QColor(Qt::red));
        }
    }
}

void TestPdfUtilsDesktop::splitCommand_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("plain") << QStringLiteral("evince %U") << QStringList{QStringLiteral("evince")};
    QTest::newRow("quoted program with blanks")
        << QStringLiteral("\"/opt/PDF Reader/bin/reader\" --new-window %f")
        << QStringList{QStringLiteral("/opt/PDF Reader/bin/reader"), QStringLiteral("--new-window")};
    QTest::newRow("escapes inside quotes") << QStringLiteral("sh -c \"echo \\\"a\\\" \\$HOME \\\\x\"")
                                           << QStringList{QStringLiteral("sh"), QStringLiteral("-c"),
                                                          QStringLiteral("echo \"a\" $HOME \\x")};
    QTest::newRow("percent sign kept, codes dropped")
        << QStringLiteral("viewer --zoom=100%% --icon=%i %k file")
        << QStringList{QStringLiteral("viewer"), QStringLiteral("--zoom=100%"), QStringLiteral("--icon="),
                       QStringLiteral("file")};
    QTest::newRow("extra blanks") << QStringLiteral("  okular    %U  ") << QStringList{QStringLiteral("okular")};
    QTest::newRow("empty") << QString() << QStringList();
}

void TestPdfUtilsDesktop::splitCommand()
{
    QFETCH(QString, command);
    QFETCH(QStringList, arguments);
    QCOMPARE(Platform::splitCommand(command), arguments);
}

void TestPdfUtilsDesktop::openCommand_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("expected");
    const QString file = QStringLiteral("/tmp/Form 1.pdf");

    QTest::newRow("options kept, file in its place")
        << QStringLiteral("\"/opt/PDF Reader/reader\" --fullscreen %f --quiet")
        << QStringList{"/opt/PDF Reader/reader", "--fullscreen", file, "--quiet"};
    // Started through another program: without its arguments nothing would open.
    QTest::newRow("flatpak entry")
        << QStringLiteral("/usr/bin/flatpak run --branch=stable --command=okular --file-forwarding org.kde.okular @@u %U @@")
        << QStringList{"/usr/bin/flatpak", "run", "--branch=stable", "--command=okular", "--file-forwarding",
                       "org.kde.okular", "@@u", file, "@@"};
    QTest::newRow("no file code") << QStringLiteral("xpdf -z width") << QStringList{"xpdf", "-z", "width", file};
    QTest::newRow("the file once") << QStringLiteral("viewer %U %f %i") << QStringList{"viewer", file};
    QTest::newRow("nothing to start") << QStringLiteral(" %f ") << QStringList();
}

void TestPdfUtilsDesktop::openCommand()
{
    QFETCH(QString, command);
    QFETCH(QStringList, expected);
    QCOMPARE(Platform::openCommand(command, QStringLiteral("/tmp/Form 1.pdf")), expected);
}

void TestPdfUtilsDesktop::registeredPdfCommand_data()
{
    QTest::addColumn<QByteArray>("defaultId");  // what xdg-mime answers
    QTest::addColumn<QString>("entryFile");     // where the desktop entry lies ("" none)
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<QString>("command");

    const QByteArray entry = "[Desktop Entry]\nName=Reader\nExec=reader --page-label=1 %U\n";
    QTest::newRow("entry found") << QByteArray("reader.desktop\n") << QStringLiteral("reader.desktop") << entry
                                 << QStringLiteral("reader --page-label=1 %U");
    QTest::newRow("id with a dash stands for a subfolder")
        << QByteArray("kde4-reader.desktop") << QStringLiteral("kde4/reader.desktop") << entry
        << QStringLiteral("reader --page-label=1 %U");
    QTest::newRow("Exec of another group ignored")
        << QByteArray("two.desktop") << QStringLiteral("two.desktop")
        << QByteArray("[Desktop Action New]\nExec=wrong\n[Desktop Entry]\nExec=right\\s%f\n")
        << QStringLiteral("right %f");
    QTest::newRow("no default application") << QByteArray() << QString() << QByteArray() << QString();
    QTest::newRow("entry missing") << QByteArray("gone.desktop") << QString() << QByteArray() << QString();
}

void TestPdfUtilsDesktop::registeredPdfCommand()
{
    QFETCH(QByteArray, defaultId);
    QFETCH(QString, entryFile);
    QFETCH(QByteArray, entry);
    QFETCH(QString, command);

    QDir(m_applications).removeRecursively();
    setDefaultPdf(defaultId);
    if (!entryFile.isEmpty())
        writeFile(m_applications + QLatin1Char('/') + entryFile, entry);
    QCOMPARE(Platform::registeredPdfCommand(), command);
    QCOMPARE(PDFUtils::canOpenWithAcrobat_platform_specific(), !command.isEmpty());
}

void TestPdfUtilsDesktop::openInAcrobat_data()
{
    QTest::addColumn<bool>("registered");
    QTest::addColumn<bool>("starts"); // what the desktop reports
    QTest::addColumn<bool>("result");

    QTest::newRow("started") << true << true << true;
    QTest::newRow("program cannot start") << true << false << false;
    QTest::newRow("nothing registered") << false << true << false;
}

void TestPdfUtilsDesktop::openInAcrobat()
{
    QFETCH(bool, registered);
    QFETCH(bool, starts);
    QFETCH(bool, result);

    QDir(m_applications).removeRecursively();
    setDefaultPdf(registered ? "reader.desktop" : "");
    writeFile(m_applications + QStringLiteral("/reader.desktop"),
              "[Desktop Entry]\nExec=\"/opt/PDF Reader/reader\" --fullscreen %f\n");
    const QString file = m_dir.filePath(QStringLiteral("form.pdf"));
    if (!registered)
        QTest::ignoreMessage(QtCriticalMsg, "PDF: could not found Adobe Reader registry entry");
    else if (!starts)
        QTest::ignoreMessage(QtCriticalMsg, "Could not start Adobe Reader");

    OrvaTest::DesktopRecorder desktop(starts);
    QCOMPARE(PDFUtils::openInAcrobat_platform_specific(file), result);
    if (!registered) {
        QVERIFY(desktop.calls.isEmpty());
        return;
    }
    QCOMPARE(desktop.calls.size(), 1);
    QCOMPARE(desktop.calls.at(0).kind, Platform::DesktopCall::StartDetached);
    QCOMPARE(desktop.calls.at(0).target, QStringLiteral("/opt/PDF Reader/reader"));
    // The entry's own options stay, the file where its code stands.
    QCOMPARE(desktop.calls.at(0).arguments, (QStringList{"--fullscreen", QDir::toNativeSeparators(file)}));
}

void TestPdfUtilsDesktop::sendToMail_data()
{
    QTest::addColumn<QString>("exitCode"); // empty: no xdg-email on PATH
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("logged");

    QTest::newRow("compose window") << QStringLiteral("0") << true << QStringLiteral("Send Mail: 0");
    QTest::newRow("no mail program") << QStringLiteral("3") << false << QStringLiteral("Send Mail: 3");
    QTest::newRow("no xdg-email") << QString() << false << QStringLiteral("Failed to load mapi lib");
}

void TestPdfUtilsDesktop::sendToMail()
{
    QFETCH(QString, exitCode);
    QFETCH(bool, result);
    QFETCH(QString, logged);

    writeFile(m_tools + QStringLiteral("/xdg-email.exit"), exitCode.toUtf8());
    QFile::remove(m_tools + QStringLiteral("/xdg-email.args"));
    if (exitCode.isEmpty())
        qputenv("PATH", m_dir.filePath(QStringLiteral("nothing")).toLocal8Bit());
    const int before = int(mailLogLines().size());
    const QString attachment = QStringLiteral("/tmp/form with blanks.pdf");

    QCOMPARE(PDFUtils::sendToMail_platform_specific(QStringLiteral("Form Returned: x.pdf"),
                                                    QStringLiteral("Body text"), attachment),
             result);

    const QStringList lines = mailLogLines();
    QCOMPARE(lines.size(), before + 1);
    QVERIFY2(lines.constLast().endsWith(QStringLiteral(": ") + logged), qPrintable(lines.constLast()));
    QFile args(m_tools + QStringLiteral("/xdg-email.args"));
    QCOMPARE(args.open(QIODevice::ReadOnly), !exitCode.isEmpty());
    if (!exitCode.isEmpty()) {
        QCOMPARE(QString::fromUtf8(args.readAll()),
                 QStringLiteral("--subject|Form Returned: x.pdf|--body|Body text|--attach|%1|").arg(attachment));
    }
}

void TestPdfUtilsDesktop::mailLogAppendsDatedLines()
{
    QFile::remove(PDFUtils::mailLogPath());
    PDFUtils::appendMailLog(QStringLiteral("Send Mail: 0"));
    PDFUtils::appendMailLog(QStringLiteral("Failed to load mapi lib"));

    const QStringList lines = mailLogLines();
    QCOMPARE(lines.size(), 2);
    const QRegularExpression dated(QStringLiteral("^\\d{4}_\\d\\d_\\d\\d__\\d\\d_\\d\\d_\\d\\d: (.*)$"));
    QCOMPARE(dated.match(lines.at(0)).captured(1), QStringLiteral("Send Mail: 0"));
    QCOMPARE(dated.match(lines.at(1)).captured(1), QStringLiteral("Failed to load mapi lib"));
    const QDateTime written = QDateTime::fromString(lines.at(1).left(20), QStringLiteral("yyyy_MM_dd__hh_mm_ss"));
    QVERIFY(qAbs(written.secsTo(QDateTime::currentDateTime())) < 60);
}

void TestPdfUtilsDesktop::viewerWithoutItsResourcesReportsFailure()
{
    // This suite registers no viewer resources, so the channel script is
    // missing: the viewer must say so instead of opening an empty window.
    QVERIFY(!QFile::exists(PdfjsProtocol::ChannelScriptResource));
    QCOMPARE(PDFUtils::openWithAcrobat(PdfjsProtocol::formUrl(QStringLiteral("Parent-Plan-Tool.pdf")),
                                       QStringLiteral("Parent Plan Tool"), QStringLiteral("Parent-Plan-Tool.pdf")),
             false);
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows)
        QVERIFY2(!window->inherits("PdfjsDialog"), "a viewer window stayed behind");
}

int main(int argc, char **argv)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/share")).toLocal8Bit());
    qputenv("XDG_DATA_DIRS", (home.path() + QStringLiteral("/system")).toLocal8Bit());
    qputenv("TMPDIR", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    TestPdfUtilsDesktop test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pdfutilsdesktop.moc"
