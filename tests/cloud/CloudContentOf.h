#pragma once

#include "CloudContent.h"
#include "CountedSet.h"
#include "TextAnalysis.h"

#include <memory>

// What a cloud job makes of a text whose cloud dictionary is words and whose counts are
// allWords, leaving leftOut's words out.
inline std::shared_ptr<const CloudContent>
cloudContentOf(const WordDictionary &words, const TextMeasurer &measurer,
               std::shared_ptr<const CountedSet> allWords = nullptr,
               const QSet<QString> &leftOut = {})
{
    return std::make_shared<const CloudContent>(
        makeCloudContent(TextAnalysis{QString(), words, std::move(allWords)}, leftOut, measurer));
}
