#pragma once

#include "TextLayer.h"

#include <QHash>

// Gives every word a size chosen by the test, independent of fonts.
class FixedMeasurer : public TextMeasurer
{
public:
    explicit FixedMeasurer(QHash<QString, QSizeF> sizes, QSizeF fallback = QSizeF(10, 10))
        : m_sizes(std::move(sizes))
        , m_fallback(fallback)
    {}

    QSizeF preferredSize(const AttributedString &string) const override
    {
        return m_sizes.value(string.text, m_fallback);
    }

private:
    QHash<QString, QSizeF> m_sizes;
    QSizeF m_fallback;
};
