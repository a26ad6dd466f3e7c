#pragma once

#include <QColor>

// Where the cloud's colours come from. The app and the CLI use the C library's
// rand(), so a seed reproduces a picture; tests substitute fixed draws.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // A non-negative number, like rand().
    virtual int draw() = 0;
};

class StdRandomSource : public RandomSource
{
public:
    int draw() override;
};

// Device RGB components in single precision, alpha always 1.
struct WordColor
{
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;

    QColor toQColor() const { return QColor::fromRgbF(red, green, blue, 1.0f); }
};

// Three draws (red, blue, green, in that order), each reduced to 0..100 hundredths;
// a colour brighter than 2.5 in sum takes a fourth draw that darkens one component
// by 0.5, so no word comes out near-white on the white background.
WordColor drawWordColor(RandomSource &random);

// The contrast ratio of two colours as the web's accessibility guidelines define it,
// from 1 (the same luminance) to 21 (black on white).
double contrastRatio(const QColor &first, const QColor &second);

// The colour, or where it stands out less than minimumRatio from white, the darkest
// shade of its hue that still does: its components scaled down together, so hue and
// saturation stay. The result has 8-bit components, so it keeps the ratio as written
// out in hexadecimal.
QColor withContrastOnWhite(const QColor &color, double minimumRatio = 3.0);
