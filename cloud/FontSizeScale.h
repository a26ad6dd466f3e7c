#pragma once

class WordDictionary;

// Maps a word's count to its font size: 15 points for the least frequent words of
// the dictionary, 80 for the most frequent, by the natural logarithm in between.
class FontSizeScale
{
public:
    static constexpr float smallestSize = 15.0f;
    static constexpr float sizeRange = 65.0f;
    // Used for every word when the counts span no range (all equal, or all 1).
    static constexpr float uniformSize = 47.5f;

    explicit FontSizeScale(const WordDictionary &dictionary);

    float fontSize(int count) const;

private:
    float m_max;
    float m_min;
    float m_scale;
};
