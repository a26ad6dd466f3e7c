#pragma once

#include "CountedSet.h"
#include "WordDictionary.h"

// Turns counted words into the word-to-count dictionary the cloud shows: the
// words of the highest counts, group by group, with a cap per group.
class WordCloud
{
public:
    static constexpr int groupLimit = 200;

    explicit WordCloud(const CountedSet &words);

    // Group by group from the highest count down; inside a group in the counted
    // set's order.
    const WordDictionary &wordCloudElements() const { return m_wordCloudElements; }

private:
    WordDictionary m_wordCloudElements;
};
