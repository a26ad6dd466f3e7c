#include "FontSizeScale.h"

#include "WordDictionary.h"

#include <cmath>
#include <limits>

FontSizeScale::FontSizeScale(const WordDictionary &dictionary)
    : m_max(std::numeric_limits<float>::min())
    , m_min(std::numeric_limits<float>::max())
{
    for (const WordDictionary::Entry &entry : dictionary) {
        const float v = std::log(static_cast<float>(entry.count));
        if (v > m_max)
            m_max = v;
        if (v < m_min)
            m_min = v;
    }
    m_scale = sizeRange / (m_max - m_min);
}

float FontSizeScale::fontSize(int count) const
{
    // A zero range makes the scale infinite (or, with every count 1, overflow), and
    // the formula below would give NaN.
    if (!std::isfinite(m_scale))
        return uniformSize;
    const float v = std::log(static_cast<float>(count));
    // The operation order is kept as is so that sizes match to the last bit.
    return (m_max - (m_max - (v - m_min))) * m_scale + smallestSize;
}
