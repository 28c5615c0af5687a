#pragma once

#include <QString>
#include <QStringList>

// The interface-scale decisions of start-up, as pure functions so that they
// can be checked without a screen. Each returns the lines it would write to the
// debug log in `diagnostics` (when given) instead of writing them itself.
namespace ScaleDecision {

// True when the arguments after the program name, concatenated, mention
// "--scale": the user chose the scale on the command line.
bool hasScaleArgument(const QStringList &arguments);

// The factor text given with "--scale" ("1" when none could be found).
QString scaleFromArguments(const QStringList &arguments);

// Percentage (100, 110, ...) that lets the 900 x 790 reference window fill
// about 70 % of a screen of width x height pixels; never below 100.
int automaticScalePercent(int screenWidth, int screenHeight, QStringList *diagnostics = nullptr);

// The framework's fuzzy float comparison with 1.0.
bool fuzzyIsOne(float value);

// The factor actually used: the screen's percentage only on monitors at 100 %
// system scaling, otherwise 100.
int effectiveScalePercent(int screenPercent, float monitorScale);

// "1.00" for 100, "1.30" for 130, "2.00" for 200.
QString formatScaleFactor(int percent);

struct FontScale {
    bool scaled = false;   // false: scale 1.0, font 14 px and the style sheet as it is
    int fontPixelSize = 14;
    int editHeight = 18;   // the height written into the style sheet's edit rules
};

// Base font and edit heights for a monitor scale.
FontScale fontForScale(float scale);

// The style sheet with every "height: 18px;" rewritten for the scale.
QString scaledStyleSheet(const QString &styleSheet, const FontScale &font);

} // namespace ScaleDecision
