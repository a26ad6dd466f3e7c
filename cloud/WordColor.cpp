#include "WordColor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

int StdRandomSource::draw()
{
    return std::rand();
}

namespace {

// A colour whose components add up to more than this is too pale to read on white;
// one of them, drawn at random, is darkened by the other.
constexpr float palestComponentSum = 2.5f;
constexpr float darkening = 0.5f;

float drawComponent(RandomSource &random)
{
    return static_cast<float>(random.draw() % 101) / 100.0f;
}

} // namespace

WordColor drawWordColor(RandomSource &random)
{
    WordColor color;
    color.red = drawComponent(random);
    color.blue = drawComponent(random);
    color.green = drawComponent(random);
    if (color.red + color.green + color.blue > palestComponentSum) {
        switch (random.draw() % 3) {
        case 0:
            color.red -= darkening;
            break;
        case 1:
            color.green -= darkening;
            break;
        default:
            color.blue -= darkening;
            break;
        }
    }
    return color;
}

namespace {

double linearComponent(double component)
{
    return component <= 0.04045 ? component / 12.92 : std::pow((component + 0.055) / 1.055, 2.4);
}

double relativeLuminance(const QColor &color)
{
    return 0.2126 * linearComponent(color.redF()) + 0.7152 * linearComponent(color.greenF()) +
           0.0722 * linearComponent(color.blueF());
}

QColor scaledTo8Bit(const QColor &color, double factor)
{
    const auto scaled = [factor](float component) {
        return int(std::lround(double(component) * factor * 255.0));
    };
    return QColor(scaled(color.redF()), scaled(color.greenF()), scaled(color.blueF()));
}

} // namespace

double contrastRatio(const QColor &first, const QColor &second)
{
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor withContrastOnWhite(const QColor &color, double minimumRatio)
{
    const QColor white(Qt::white);
    const QColor as8Bit = scaledTo8Bit(color, 1.0);
    if (contrastRatio(as8Bit, white) >= minimumRatio)
        return as8Bit;
    // Scaling down only darkens, so the ratio grows as the factor shrinks: the largest
    // factor that passes is found by halving the interval.
    double passes = 0.0;
    double fails = 1.0;
    for (int step = 0; step < 24; ++step) {
        const double middle = (passes + fails) / 2.0;
        if (contrastRatio(scaledTo8Bit(color, middle), white) >= minimumRatio)
            passes = middle;
        else
            fails = middle;
    }
    return scaledTo8Bit(color, passes);
}
