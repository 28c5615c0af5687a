#include "ScaleDecision.h"

#include <QtGlobal>

#include <cmath>

namespace ScaleDecision {

namespace {
constexpr double ReferenceWidth = 900.0;
constexpr double ReferenceHeight = 790.0;
constexpr double ScreenFraction = 0.7;
} // namespace

bool hasScaleArgument(const QStringList &arguments)
{
    return !arguments.isEmpty() && arguments.join(QString()).contains(QLatin1String("--scale"));
}

QString scaleFromArguments(const QStringList &arguments)
{
    QString value = QStringLiteral("1");
    int i = 0;
    while (i < arguments.size()) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--scale")) {
            ++i;
            if (i >= arguments.size())
                break;
            if (!arguments.at(i).startsWith(QLatin1Char('-'))) {
                value = arguments.at(i);
                break;
            }
            continue; // an option follows: resume the walk at it
        }
        if (argument.contains(QLatin1String("--scale"))) {
            value = argument;
            value.remove(QLatin1String("--scale"));
            value.remove(QLatin1Char('='));
            value.replace(QLatin1Char(','), QLatin1Char('.'));
            break;
        }
        ++i;
    }
    return value;
}

int automaticScalePercent(int screenWidth, int screenHeight, QStringList *diagnostics)
{
    const double w = ScreenFraction * screenWidth;
    const double h = ScreenFraction * screenHeight;
    int n = 100;
    int attempts = 0;
    auto note = [&](const char *tag, bool withScreenHeight) {
        if (!diagnostics)
            return;
        QStringList line{QStringLiteral("<< main >>"), QString::fromLatin1(tag), QString::number(attempts),
                         QStringLiteral("scaleFactorInt"), QString::number(n),
                         QStringLiteral("windowHeight"), QString::number(790)};
        if (withScreenHeight)
            line << QStringLiteral("screenHeight") << QString::number(screenHeight);
        line << QStringLiteral("screenHeight scaled") << QString::number(screenHeight / (n / 100.0))
             << QStringLiteral("ratio (windowHeight/screenHeight scaled)")
             << QString::number(7.9 / screenHeight * n);
        diagnostics->append(line.join(QLatin1Char('\n')));
    };

    if (w < ReferenceWidth || h < ReferenceHeight) {
        // Smaller screens never go below 100 %; this walk only produces the
        // diagnostics. It stops at 10 % so that a tiny screen cannot turn the
        // step negative and loop for ever.
        double s = 1.0;
        while (true) {
            s -= 0.1;
            if (w / s >= ReferenceWidth && h / s >= ReferenceHeight)
                break;
            if (n <= 10)
                break;
            n -= 10;
            ++attempts;
            note("try smaller", true);
            s = n / 100.0;
        }
    } else if (w > ReferenceWidth) {
        double s = 1.0;
        while (true) {
            if (h / s <= ReferenceHeight)
                break;
            n += 10;
            ++attempts;
            note("try bigger", false);
            s = n / 100.0;
            if (w / s <= ReferenceWidth)
                break;
        }
    }
    return n < 100 ? 100 : n;
}

bool fuzzyIsOne(float value)
{
    return qFuzzyCompare(value, 1.0f);
}

int effectiveScalePercent(int screenPercent, float monitorScale)
{
    return fuzzyIsOne(monitorScale) ? screenPercent : 100;
}

QString formatScaleFactor(int percent)
{
    // The percentage with the point moved two places: 130 gives "1.30".
    return QString::number(percent / 100.0, 'f', 2);
}

FontScale fontForScale(float scale)
{
    FontScale font;
    if (fuzzyIsOne(scale))
        return font;
    int base;
    if (scale > 1.4f)
        base = static_cast<int>(20.7 / static_cast<double>(scale));
    else
        base = static_cast<int>(18.0f / scale / scale);
    font.scaled = true;
    font.fontPixelSize = base - 1;
    font.editHeight = base + 2;
    return font;
}

QString scaledStyleSheet(const QString &styleSheet, const FontScale &font)
{
    if (!font.scaled)
        return styleSheet;
    QString result = styleSheet;
    result.replace(QLatin1String("height: 18px;"), QStringLiteral("height: %1px;").arg(font.editHeight));
    return result;
}

} // namespace ScaleDecision
