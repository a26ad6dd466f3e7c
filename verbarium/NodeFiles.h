#pragma once

#include "VerbariumTree.h"

#include <QHash>
#include <QString>
#include <memory>

class TextIndex;

// What the info panel says of a node of a corpus's tree: how often its sequence occurs,
// in how many of the corpus's files, and its branches ("7,035 times in 39 of 66 files ·
// 4,900 branches"); of a text of its own, the times and branches alone. The files are
// counted once a sequence, since the pointer asks again at every move.
class NodeFiles
{
public:
    // The corpus's files, those without words included; 1 for a text of its own.
    void setFileCount(qsizetype files);

    // index: what tree grew from.
    QString countsOf(const VerbariumTree &tree, Node node,
                     const std::shared_ptr<const TextIndex> &index);

private:
    qsizetype m_files = 1;
    std::weak_ptr<const TextIndex> m_index; // whose counts m_holding keeps
    QHash<QStringList, quint32> m_holding;
};
