#include "WordCloud.h"

#include <QMap>
#include <algorithm>
#include <limits>

WordCloud::WordCloud(const CountedSet &words)
{
    // Count groups: each group lists its words in the set's enumeration order.
    // QMap keeps the counts sorted ascending.
    QMap<qsizetype, QList<const QString *>> groups;
    for (const CountedSet::Entry &entry : words)
        groups[entry.count].append(&entry.word);

    const qsizetype groupCount = groups.size();
    auto group = groups.constEnd();
    for (qsizetype g = 0; g < groupCount && g != groupLimit; ++g) {
        --group; // the g-th highest count
        qsizetype n = group->size();
        if (n + g > groupLimit)
            n = groupLimit - g;
        // The value is a 32-bit count; only a text of billions of words could exceed it.
        const int count = int(std::min<qsizetype>(group.key(), std::numeric_limits<int>::max()));
        for (qsizetype i = 0; i < n; ++i)
            m_wordCloudElements.insert(*group->at(i), count);
    }
}
