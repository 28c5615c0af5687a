// Draws the pictures of OrvaCalc that are not taken from an icon set: the
// 48-pixel calculator and calendar of the main window, the Maryland flag of
// the statute button, the three background textures (one per guideline
// version) and the 128-pixel logo of the about box.
//
// Usage: draw_images OUTPUT_FOLDER
// The output is deterministic: the same program draws the same files.

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace {

// Drawn at this multiple of the final size, then scaled down smoothly.
constexpr int Oversample = 4;

QImage canvas(int width, int height, int factor = Oversample)
{
    QImage image(width * factor, height * factor, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage finish(const QImage &large, int width, int height)
{
    return large.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// ---- Tileable value noise ------------------------------------------------------------

class TileNoise
{
public:
    TileNoise(int cells, unsigned seed)
        : m_cells(cells)
        , m_values(static_cast<size_t>(cells * cells))
    {
        std::mt19937 generator(seed);
        std::uniform_real_distribution<double> uniform(0.0, 1.0);
        for (double &value : m_values)
            value = uniform(generator);
    }

    // Noise at (u, v) in tile units [0, 1); wraps at the tile edges.
    double at(double u, double v) const
    {
        const double x = u * m_cells;
        const double y = v * m_cells;
        const int x0 = static_cast<int>(std::floor(x));
        const int y0 = static_cast<int>(std::floor(y));
        const double fx = smooth(x - x0);
        const double fy = smooth(y - y0);
        const double a = cell(x0, y0);
        const double b = cell(x0 + 1, y0);
        const double c = cell(x0, y0 + 1);
        const double d = cell(x0 + 1, y0 + 1);
        return (a * (1 - fx) + b * fx) * (1 - fy) + (c * (1 - fx) + d * fx) * fy;
    }

private:
    static double smooth(double t) { return t * t * (3 - 2 * t); }
    double cell(int x, int y) const
    {
        const int cx = ((x % m_cells) + m_cells) % m_cells;
        const int cy = ((y % m_cells) + m_cells) % m_cells;
        return m_values[static_cast<size_t>(cy * m_cells + cx)];
    }

    int m_cells;
    std::vector<double> m_values;
};

// Sum of octaves, roughly in [0, 1].
double fractal(const std::vector<TileNoise> &octaves, double u, double v)
{
    double sum = 0.0;
    double weight = 0.5;
    double total = 0.0;
    for (const TileNoise &octave : octaves) {
        sum += octave.at(u, v) * weight;
        total += weight;
        weight *= 0.5;
    }
    return sum / total;
}

std::vector<TileNoise> octaves(unsigned seed, std::initializer_list<int> cells)
{
    std::vector<TileNoise> result;
    for (int count : cells)
        result.emplace_back(count, seed++);
    return result;
}

QRgb shade(const QColor &base, double amount)
{
    // amount in [-1, 1]: darker below 0, lighter above.
    const auto channel = [amount](int value) {
        const double target = amount < 0 ? 0.0 : 255.0;
        return qBound(0, static_cast<int>(std::lround(value + (target - value) * std::fabs(amount))), 255);
    };
    return qRgb(channel(base.red()), channel(base.green()), channel(base.blue()));
}

// ---- Background textures ---------------------------------------------------------------

// Pre October 2020 guidelines: warm parchment with soft mottling and fibres.
QImage parchmentTexture(int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    const auto mottle = octaves(11, {4, 8, 16, 32});
    const auto fibre = octaves(23, {64, 128});
    const QColor base(238, 229, 208);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double u = double(x) / size;
            const double v = double(y) / size;
            const double m = fractal(mottle, u, v) - 0.5;
            // Fibres: stretched noise along x.
            const double f = fibre[0].at(u, v * 0.25 + 0.37 * fibre[1].at(u, v)) - 0.5;
            image.setPixel(x, y, shade(base, m * 0.16 + f * 0.05));
        }
    }
    return image;
}

// October 2020 guidelines: pale blue calculation paper with a faint grid.
QImage blueGridTexture(int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    const auto grain = octaves(41, {8, 32, 64});
    const QColor base(221, 232, 245);
    const int step = size / 10;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double u = double(x) / size;
            const double v = double(y) / size;
            double amount = (fractal(grain, u, v) - 0.5) * 0.08;
            const bool major = (x % (step * 5) == 0) || (y % (step * 5) == 0);
            const bool minor = (x % step == 0) || (y % step == 0);
            if (major)
                amount -= 0.10;
            else if (minor)
                amount -= 0.05;
            image.setPixel(x, y, shade(base, amount));
        }
    }
    return image;
}

// July 2022 guidelines: light sage linen, a fine woven cross-hatch.
QImage linenTexture(int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    const auto slub = octaves(73, {4, 16});
    const auto threads = octaves(91, {32, 64, 128});
    const QColor base(226, 234, 223);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double u = double(x) / size;
            const double v = double(y) / size;
            // Warp and weft: alternating light and dark threads, 4 pixels apart.
            const double warp = std::sin(2 * M_PI * x / 4.0) * 0.5 + 0.5;
            const double weft = std::sin(2 * M_PI * y / 4.0) * 0.5 + 0.5;
            const bool over = ((x / 4) + (y / 4)) % 2 == 0;
            const double weave = over ? warp : weft;
            const double irregular = fractal(threads, u, v) - 0.5;
            const double patches = fractal(slub, u, v) - 0.5;
            image.setPixel(x, y, shade(base, (weave - 0.5) * 0.06 + irregular * 0.05 + patches * 0.08));
        }
    }
    return image;
}

// ---- Calculator icon -----------------------------------------------------------------------

QImage calculatorIcon()
{
    QImage image = canvas(48, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(Oversample, Oversample);

    // Body.
    const QRectF body(7, 2, 34, 44);
    QLinearGradient bodyGradient(body.topLeft(), body.bottomRight());
    bodyGradient.setColorAt(0, QColor(84, 96, 112));
    bodyGradient.setColorAt(1, QColor(42, 50, 62));
    p.setPen(QPen(QColor(28, 32, 40), 1.0));
    p.setBrush(bodyGradient);
    p.drawRoundedRect(body, 4, 4);

    // Display with digits.
    const QRectF display(10.5, 5.5, 27, 10);
    QLinearGradient displayGradient(display.topLeft(), display.bottomLeft());
    displayGradient.setColorAt(0, QColor(206, 224, 190));
    displayGradient.setColorAt(1, QColor(170, 196, 150));
    p.setPen(QPen(QColor(24, 30, 24), 0.6));
    p.setBrush(displayGradient);
    p.drawRoundedRect(display, 1.2, 1.2);
    QFont digits(QStringLiteral("DejaVu Sans Mono"));
    digits.setPixelSize(8);
    digits.setBold(true);
    p.setFont(digits);
    p.setPen(QColor(34, 44, 30));
    p.drawText(display.adjusted(1, 0, -1.5, 0), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("1083"));

    // Keys: 4 columns x 4 rows; the last column is the operator column.
    const double keyW = 5.6;
    const double keyH = 5.2;
    const double gapX = 1.5;
    const double gapY = 1.6;
    const double left = 10.6;
    const double top = 19.0;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            const QRectF key(left + column * (keyW + gapX), top + row * (keyH + gapY), keyW, keyH);
            QColor face(236, 238, 242);
            if (column == 3)
                face = QColor(244, 164, 66);
            if (column == 3 && row == 3)
                face = QColor(226, 96, 54);
            QLinearGradient keyGradient(key.topLeft(), key.bottomLeft());
            keyGradient.setColorAt(0, face.lighter(112));
            keyGradient.setColorAt(1, face.darker(112));
            p.setPen(QPen(QColor(20, 24, 30), 0.5));
            p.setBrush(keyGradient);
            p.drawRoundedRect(key, 1.0, 1.0);
        }
    }
    p.end();
    return finish(image, 48, 48);
}

// ---- Calendar icon ----------------------------------------------------------------------------

QImage calendarIcon()
{
    QImage image = canvas(48, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(Oversample, Oversample);

    const QRectF page(4, 6, 40, 39);
    // Shadow.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawRoundedRect(page.translated(1.2, 1.2), 3, 3);
    // Page.
    p.setPen(QPen(QColor(120, 120, 128), 0.8));
    p.setBrush(QColor(252, 252, 250));
    p.drawRoundedRect(page, 3, 3);
    // Red header band.
    QPainterPath header;
    header.addRoundedRect(QRectF(page.left(), page.top(), page.width(), 11), 3, 3);
    header.addRect(QRectF(page.left(), page.top() + 6, page.width(), 5));
    QLinearGradient headerGradient(0, page.top(), 0, page.top() + 11);
    headerGradient.setColorAt(0, QColor(228, 72, 60));
    headerGradient.setColorAt(1, QColor(176, 36, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(headerGradient);
    p.drawPath(header.simplified());
    QFont month(QStringLiteral("DejaVu Sans"));
    month.setPixelSize(7);
    month.setBold(true);
    p.setFont(month);
    p.setPen(Qt::white);
    p.drawText(QRectF(page.left(), page.top() + 1.5, page.width(), 9.5), Qt::AlignCenter, QStringLiteral("JUL"));

    // Binder rings.
    for (double x : {13.0, 35.0}) {
        p.setPen(QPen(QColor(70, 70, 76), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, 3), QPointF(x, 9.5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 30, 26));
        p.drawEllipse(QPointF(x, 9.8), 1.3, 1.3);
    }

    // Day grid: 7 columns x 5 rows of small squares.
    const double cellW = 4.6;
    const double cellH = 4.4;
    const double left = page.left() + 3.6;
    const double top = page.top() + 14.0;
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 7; ++column) {
            const QRectF cell(left + column * (cellW + 0.5), top + row * (cellH + 0.6), cellW, cellH);
            const bool weekend = column == 0 || column == 6;
            p.setPen(Qt::NoPen);
            p.setBrush(weekend ? QColor(214, 220, 232) : QColor(226, 228, 232));
            p.drawRect(cell);
        }
    }
    // Today, circled.
    const QRectF today(left + 3 * (cellW + 0.5), top + 2 * (cellH + 0.6), cellW, cellH);
    p.setBrush(QColor(40, 96, 200));
    p.drawRect(today);
    p.setPen(QPen(QColor(200, 40, 34), 1.1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(today.center(), 4.6, 4.4);
    p.end();
    return finish(image, 48, 48);
}

// ---- Maryland flag ------------------------------------------------------------------------------

const QColor Gold(234, 174, 0);
const QColor Black(20, 20, 20);
const QColor Red(200, 16, 46);
const QColor White(255, 255, 255);

// Calvert: paly of six gold and black, a bend (top-left to bottom-right)
// in which the colours are exchanged.
void drawCalvert(QPainter &p, const QRectF &r)
{
    const double stripe = r.width() / 6.0;
    const double bendHalf = r.height() * 0.16;
    // Pixel-exact: decide the colour of each small square.
    const int steps = 240;
    const double dx = r.width() / steps;
    const double dy = r.height() / steps;
    p.setPen(Qt::NoPen);
    for (int j = 0; j < steps; ++j) {
        for (int i = 0; i < steps; ++i) {
            const double x = (i + 0.5) * dx;
            const double y = (j + 0.5) * dy;
            const bool gold = static_cast<int>(x / stripe) % 2 == 0;
            // Distance from the diagonal y = x * h / w.
            const double onDiagonal = y - x * r.height() / r.width();
            const bool inBend = std::fabs(onDiagonal) * r.width() / std::hypot(r.width(), r.height()) < bendHalf;
            p.setBrush((gold != inBend) ? Gold : Black);
            p.drawRect(QRectF(r.left() + i * dx, r.top() + j * dy, dx + 0.05, dy + 0.05));
        }
    }
}

// A cross bottony: arms ending in three round lobes.
QPainterPath crossBottony(const QPointF &c, double reach, double arm)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addRect(QRectF(c.x() - arm / 2, c.y() - reach + arm, arm, 2 * (reach - arm)));
    path.addRect(QRectF(c.x() - reach + arm, c.y() - arm / 2, 2 * (reach - arm), arm));
    const double lobe = arm * 0.62;
    for (int k = 0; k < 4; ++k) {
        const double angle = k * M_PI / 2;
        const QPointF dir(std::cos(angle), std::sin(angle));
        const QPointF side(-dir.y(), dir.x());
        const QPointF tip = c + dir * (reach - lobe);
        path.addEllipse(tip, lobe, lobe);
        path.addEllipse(tip - dir * (lobe * 1.05) + side * (lobe * 0.95), lobe * 0.9, lobe * 0.9);
        path.addEllipse(tip - dir * (lobe * 1.05) - side * (lobe * 0.95), lobe * 0.9, lobe * 0.9);
    }
    return path.simplified();
}

// Crossland: quarterly white and red, a cross bottony in the exchanged colours.
void drawCrossland(QPainter &p, const QRectF &r)
{
    const QPointF c = r.center();
    const QRectF quarters[4] = {
        QRectF(r.topLeft(), c), QRectF(QPointF(c.x(), r.top()), QPointF(r.right(), c.y())),
        QRectF(QPointF(r.left(), c.y()), QPointF(c.x(), r.bottom())), QRectF(c, r.bottomRight())};
    const bool whiteQuarter[4] = {true, false, false, true};
    const QPainterPath cross = crossBottony(c, std::min(r.width(), r.height()) * 0.42, r.width() * 0.12);
    p.setPen(Qt::NoPen);
    for (int q = 0; q < 4; ++q) {
        p.setBrush(whiteQuarter[q] ? White : Red);
        p.drawRect(quarters[q]);
        p.save();
        p.setClipRect(quarters[q]);
        p.setBrush(whiteQuarter[q] ? Red : White);
        p.drawPath(cross);
        p.restore();
    }
}

QImage marylandFlag(int width, int height)
{
    // Flat flag first, then a gentle wave of light and shade across it.
    const int factor = 2;
    QImage flat(width * factor, height * factor, QImage::Format_RGB32);
    {
        QPainter p(&flat);
        p.setRenderHint(QPainter::Antialiasing);
        const double w = flat.width();
        const double h = flat.height();
        drawCalvert(p, QRectF(0, 0, w / 2, h / 2));
        drawCrossland(p, QRectF(w / 2, 0, w / 2, h / 2));
        drawCrossland(p, QRectF(0, h / 2, w / 2, h / 2));
        drawCalvert(p, QRectF(w / 2, h / 2, w / 2, h / 2));
    }

    QImage waved(flat.size(), QImage::Format_RGB32);
    for (int y = 0; y < waved.height(); ++y) {
        for (int x = 0; x < waved.width(); ++x) {
            const double phase = 2 * M_PI * (x / double(waved.width())) * 1.5;
            const int sy = qBound(0, y + static_cast<int>(std::lround(std::sin(phase) * 2.0 * factor)), waved.height() - 1);
            const QColor colour = QColor::fromRgb(flat.pixel(x, sy));
            const double light = std::cos(phase) * 0.14;
            waved.setPixel(x, y, shade(colour, light));
        }
    }
    {
        QPainter p(&waved);
        p.setPen(QPen(QColor(60, 60, 60), factor));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(0.5 * factor, 0.5 * factor, waved.width() - factor, waved.height() - factor));
    }
    return waved.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// ---- Logo ---------------------------------------------------------------------------------------

QImage logo()
{
    QImage image = canvas(128, 128, 2);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(2, 2);

    // Badge: navy disc with a gold ring.
    const QPointF centre(64, 64);
    QRadialGradient disc(centre + QPointF(-14, -18), 80);
    disc.setColorAt(0, QColor(46, 92, 156));
    disc.setColorAt(1, QColor(14, 36, 76));
    p.setPen(QPen(QColor(196, 150, 40), 4));
    p.setBrush(disc);
    p.drawEllipse(centre, 60, 60);
    p.setPen(QPen(QColor(236, 200, 96), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 54, 54);

    // Scales of justice.
    const QColor gold(240, 200, 90);
    p.setPen(QPen(gold, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(64, 22), QPointF(64, 62));          // post
    p.drawLine(QPointF(40, 30), QPointF(88, 30));          // beam
    p.setBrush(gold);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(64, 21), 3.4, 3.4);               // finial
    p.drawRect(QRectF(55, 61, 18, 3.5));                    // base
    p.setPen(QPen(gold, 1.2));
    for (double x : {40.0, 88.0}) {
        p.drawLine(QPointF(x, 30), QPointF(x - 9, 45));
        p.drawLine(QPointF(x, 30), QPointF(x + 9, 45));
        QPainterPath pan;
        pan.moveTo(x - 11, 45);
        pan.quadTo(x, 53, x + 11, 45);
        pan.closeSubpath();
        p.setBrush(gold);
        p.drawPath(pan);
    }

    // Name.
    QFont name(QStringLiteral("DejaVu Sans"));
    name.setPixelSize(25);
    name.setBold(true);
    name.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    p.setFont(name);
    p.setPen(Qt::white);
    p.drawText(QRectF(8, 66, 112, 28), Qt::AlignCenter, QStringLiteral("ORVA"));
    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(12);
    sub.setBold(true);
    sub.setLetterSpacing(QFont::AbsoluteSpacing, 3.0);
    p.setFont(sub);
    p.setPen(gold);
    p.drawText(QRectF(8, 93, 112, 16), Qt::AlignCenter, QStringLiteral("CALC"));
    p.end();
    return finish(image, 128, 128);
}

bool save(const QImage &image, const QDir &folder, const QString &name, const char *format, int quality = -1)
{
    const QString path = folder.filePath(name);
    if (!image.save(path, format, quality)) {
        std::fprintf(stderr, "draw_images: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(path), image.width(), image.height());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_images OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists()) {
        std::fprintf(stderr, "draw_images: no folder %s\n", argv[1]);
        return 2;
    }
    bool ok = true;
    ok &= save(calculatorIcon(), folder, QStringLiteral("calculator.png"), "PNG");
    ok &= save(calendarIcon(), folder, QStringLiteral("calendar.png"), "PNG");
    ok &= save(marylandFlag(134, 110), folder, QStringLiteral("mdflag2ws2.jpg"), "JPG", 92);
    ok &= save(parchmentTexture(160), folder, QStringLiteral("001.png"), "PNG");
    ok &= save(blueGridTexture(160), folder, QStringLiteral("bluecalc.png"), "PNG");
    ok &= save(linenTexture(160), folder, QStringLiteral("002.png"), "PNG");
    ok &= save(logo(), folder, QStringLiteral("logo_128.png"), "PNG");
    return ok ? 0 : 1;
}
