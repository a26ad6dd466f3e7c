#include "WordOrder.h"

#include "Layer.h"

#include <QString>

int compareWords(QStringView first, QStringView second)
{
    const QString firstDecomposed = first.toString().normalized(QString::NormalizationForm_D);
    const QString secondDecomposed = second.toString().normalized(QString::NormalizationForm_D);
    if (const int order = firstDecomposed.compare(secondDecomposed, Qt::CaseSensitive))
        return order;
    return first.compare(second, Qt::CaseSensitive);
}

int compare(const Layer &first, const Layer &second)
{
    return compareWords(first.name(), second.name());
}
