#pragma once

#include "TextLayer.h"

// Sizes that do not depend on any font: half the font size per code unit wide and
// 1.25 times the font size high.
class FixedMeasurer : public TextMeasurer
{
public:
    QSizeF preferredSize(const AttributedString &string) const override
    {
        return {double(string.text.size()) * string.fontSize * 0.5, string.fontSize * 1.25};
    }
};
