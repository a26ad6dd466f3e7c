#include "AccessibleText.h"

#include <QCoreApplication>

QString wordWithCount(const QString &word, qint64 count)
{
    if (count == 1)
        return QCoreApplication::translate("AccessibleText", "%1, 1 time").arg(word);
    return QCoreApplication::translate("AccessibleText", "%1, %2 times").arg(word).arg(count);
}
