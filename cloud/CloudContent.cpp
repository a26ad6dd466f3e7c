#include "CloudContent.h"

#include "CommonWords.h"
#include "StopCheck.h"
#include "TextAnalysis.h"
#include "WordCloud.h"

CloudContent makeCloudContent(const TextAnalysis &analysis, const QSet<QString> &leftOut,
                              const TextMeasurer &measurer, std::stop_token stop)
{
    const StopCheck checkStop(stop);
    CloudContent content;
    content.textHasWords = !analysis.words.isEmpty();
    if (leftOut.isEmpty() || !analysis.allWords) {
        content.words = analysis.words;
    } else {
        const CountedSet kept = withoutWords(*analysis.allWords, leftOut);
        content.leftOutWords = analysis.allWords->size() - kept.size();
        checkStop.throwIfStopped();
        content.words = WordCloud(kept).wordCloudElements();
    }
    checkStop.throwIfStopped();
    content.measured = measureCloudWords(content.words, measurer, std::move(stop));
    return content;
}
