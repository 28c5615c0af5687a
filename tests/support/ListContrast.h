#pragma once

// How readable text is, measured on the pixels drawn: the contrast ratio (1
// to 21) between a background and its text, as in the highlighted entry of a
// combo box's open list.

#include <QAbstractItemView>
#include <QComboBox>
#include <QHash>
#include <QImage>
#include <QtTest>

namespace OrvaTest {

inline double relativeLuminance(QRgb colour)
{
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(colour)) + 0.7152 * channel(qGreen(colour)) + 0.0722 * channel(qBlue(colour));
}

inline double contrastRatio(QRgb a, QRgb b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Text on its background in a picture: the background is the colour most of
// it has; the text the one that stands out most from it.
inline double imageContrast(const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    }
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    }
    QRgb furthest = background;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (contrastRatio(it.key(), background) > contrastRatio(furthest, background))
            furthest = it.key();
    }
    return contrastRatio(furthest, background);
}

// Opens the list, highlights `row` as the arrow keys or the pointer do,
// grabs that entry and closes the list again. 0 when the list did not open.
inline double highlightedEntryContrast(QComboBox *combo, int row)
{
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    if (!QTest::qWaitForWindowExposed(view->window()))
        return 0;
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    view->setCurrentIndex(index);
    QTest::qWait(20);
    const QImage image = view->viewport()->grab(view->visualRect(index)).toImage().convertToFormat(QImage::Format_RGB32);
    combo->hidePopup();

    return imageContrast(image);
}

} // namespace OrvaTest
