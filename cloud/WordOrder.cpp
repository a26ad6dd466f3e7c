#include "WordOrder.h"

#include "Layer.h"

WordSortKey wordSortKey(QStringView word)
{
    QString text = word.toString();
    QString decomposed = text.normalized(QString::NormalizationForm_D);
    return {std::move(decomposed), std::move(text)};
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
