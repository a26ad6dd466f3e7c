#include "WordOrder.h"

#include "Layer.h"

#include <algorithm>

WordSortKey wordSortKey(QStringView word)
{
    QStringView start = word.first(std::min(word.size(), sortPrefixUnits));
    // Half a surrogate pair is no character to normalise.
    if (start.size() < word.size() && !start.isEmpty() && start.back().isHighSurrogate())
        start.chop(1);
    return {start.toString().normalized(QString::NormalizationForm_D), word.toString()};
}

int compareKeys(const WordSortKey &first, const WordSortKey &second)
{
    if (const int order = first.decomposed.compare(second.decomposed, Qt::CaseSensitive))
        return order;
    return first.word.compare(second.word, Qt::CaseSensitive);
}

int compareWords(QStringView first, QStringView second)
{
    return compareKeys(wordSortKey(first), wordSortKey(second));
}

int compare(const Layer &first, const Layer &second)
{
    return compareWords(first.name(), second.name());
}
