#include "ResultsColours.h"

#include <algorithm>

#include <QtGlobal>

#include <array>
#include <cmath>

namespace ResultsColours {

namespace {

// ColorBrewer's YlOrBr: one hue ramp whose lightness falls at every step.
constexpr std::array<QRgb, 8> yellowToBrown = {0xfff7bc, 0xfee391, 0xfec44f, 0xfe9929,
                                               0xec7014, 0xcc4c02, 0x993404, 0x662506};

} // namespace

QColor forShare(double share)
{
    if (share >= 0.9)
        return QColor(0xf7f7f7);
    if (share >= 0.75)
        return QColor(yellowToBrown[1]);
    if (share >= 0.5)
        return QColor(yellowToBrown[2]);
    if (share >= 0.25)
        return QColor(yellowToBrown[4]);
    return QColor(yellowToBrown[6]);
}

QColor forCount(int count, int most)
{
    if (count <= 0 || most <= 0)
        return Qt::white;
    // A single wrong answer is already visible; the most frequent is darkest.
    const int steps = int(yellowToBrown.size()) - 1;
    const int step = most == 1 ? steps : 1 + (count - 1) * (steps - 1) / qMax(1, most - 1);
    return QColor(yellowToBrown[std::size_t(qBound(1, step, steps))]);
}

QColor textOn(const QColor &background)
{
    // Relative luminance, as the contrast rules of the web count it.
    const auto channel = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double luminance = 0.2126 * channel(background.redF()) +
                             0.7152 * channel(background.greenF()) +
                             0.0722 * channel(background.blueF());
    // The point where black and white contrast equally.
    return luminance > 0.179 ? Qt::black : Qt::white;
}

QColor right()
{
    return QColor(0x2c5d8f);
}

QColor wrong()
{
    return QColor(0xf2a541);
}

QColor wrongHatching()
{
    return QColor(0x5a3a0a);
}

QColor forReview(int state)
{
    static const QColor shades[] = {Qt::white, QColor(0xffd9a0), QColor(0xc8e6c3)};
    return shades[std::clamp(state, 0, 2)];
}

QColor diagonal()
{
    return QColor(0xe8edf2);
}

QColor diagonalHatching()
{
    return QColor(0xaab4be);
}

QColor ink()
{
    return QColor(0x1a1a1a);
}

QColor grid()
{
    return QColor(0xc8c8c8);
}

QColor muted()
{
    return QColor(0x5c5c5c);
}

} // namespace ResultsColours
