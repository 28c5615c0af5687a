// Every resource path the window and dialog code names exists in the program,
// and the pictures drawn for it are real pictures.

#include "OrvaTestMain.h"

#include <QDirIterator>
#include <QImage>
#include <QRegularExpression>
#include <QSet>

namespace {

// Resource paths written in the sources of the given folders.
QSet<QString> pathsUsedIn(const QStringList &folders)
{
    QSet<QString> paths;
    const QRegularExpression literal(QStringLiteral("\"(:/images/[^\"]+)\""));
    for (const QString &folder : folders) {
        QDirIterator it(QStringLiteral(ORVA_SOURCE_DIR "/") + folder, {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QString text = QString::fromUtf8(file.readAll());
            for (const QRegularExpressionMatch &match : literal.globalMatch(text))
                paths.insert(match.captured(1));
        }
    }
    return paths;
}

int distinctColours(const QImage &image)
{
    QSet<QRgb> colours;
    const QImage rgb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            colours.insert(rgb.pixel(x, y));
    return colours.size();
}

} // namespace

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void everyUsedPathExists();
    void drawnPictures_data();
    void drawnPictures();
    void previewIcons_data();
    void previewIcons();
    void texturesTile_data();
    void texturesTile();
};

void TestResources::everyUsedPathExists()
{
    const QSet<QString> paths = pathsUsedIn({QStringLiteral("ui"), QStringLiteral("dialogs"), QStringLiteral("app")});
    // The window's images must be among them, or the scan found nothing.
    QVERIFY(paths.contains(QStringLiteral(":/images/mdflag2ws2.jpg")));
    QVERIFY(paths.contains(QStringLiteral(":/images/menu/door_out.png")));
    QVERIFY(paths.size() >= 15);
    for (const QString &path : paths) {
        QVERIFY2(QFile::exists(path), qPrintable(path));
        QVERIFY2(!QImage(path).isNull(), qPrintable(path));
    }
}

void TestResources::drawnPictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("calculator") << ":/images/calculator.png" << QSize(48, 48);
    QTest::newRow("calendar") << ":/images/calendar.png" << QSize(48, 48);
    QTest::newRow("flag") << ":/images/mdflag2ws2.jpg" << QSize(134, 110);
    QTest::newRow("logo") << ":/images/logo_128.png" << QSize(128, 128);
    QTest::newRow("Pre Oct 2020 background") << ":/images/001.png" << QSize(160, 160);
    QTest::newRow("Oct 2020 background") << ":/images/bluecalc.png" << QSize(160, 160);
    QTest::newRow("Jul 2022 background") << ":/images/002.png" << QSize(160, 160);
}

void TestResources::drawnPictures()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QImage image(path);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), size);
    // A picture, not a flat square: many colours.
    QVERIFY2(distinctColours(image) > 40, qPrintable(QString::number(distinctColours(image))));
}

void TestResources::previewIcons_data()
{
    QTest::addColumn<QString>("path");
    for (const char *name : {"cross", "printer", "magnifier_zoom_in", "magnifier_zoom_out"})
        QTest::newRow(name) << QStringLiteral(":/images/pdf/%1.png").arg(QLatin1String(name));
    for (const char *name : {"add", "folder_add", "disk", "magnifier", "printer", "door_out", "application_form",
                             "calculator"})
        QTest::addRow("menu %s", name) << QStringLiteral(":/images/menu/%1.png").arg(QLatin1String(name));
}

void TestResources::previewIcons()
{
    QFETCH(QString, path);
    const QImage image(path);
    QCOMPARE(image.size(), QSize(16, 16));
}

void TestResources::texturesTile_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("001") << ":/images/001.png";
    QTest::newRow("bluecalc") << ":/images/bluecalc.png";
    QTest::newRow("002") << ":/images/002.png";
}

void TestResources::texturesTile()
{
    // Tiled edge to edge: the last column and row must continue into the first
    // without a visible seam, and the texture must stay light behind text.
    QFETCH(QString, path);
    const QImage image = QImage(path).convertToFormat(QImage::Format_RGB32);
    const auto difference = [](QRgb a, QRgb b) {
        return qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
    };
    qint64 seam = 0;
    qint64 inside = 0;
    const int w = image.width();
    const int h = image.height();
    for (int y = 0; y < h; ++y) {
        seam += difference(image.pixel(w - 1, y), image.pixel(0, y));
        inside += difference(image.pixel(w / 2 - 1, y), image.pixel(w / 2, y));
    }
    for (int x = 0; x < w; ++x) {
        seam += difference(image.pixel(x, h - 1), image.pixel(x, 0));
        inside += difference(image.pixel(x, h / 2 - 1), image.pixel(x, h / 2));
    }
    QVERIFY2(seam <= inside * 3 + w * 6, qPrintable(QStringLiteral("seam %1, inside %2").arg(seam).arg(inside)));
    qint64 lightness = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            lightness += qGray(image.pixel(x, y));
    QVERIFY(lightness / (w * h) > 190);
}

ORVA_WIDGET_TEST_MAIN(TestResources)

#include "tst_resources.moc"
