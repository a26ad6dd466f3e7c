#include "NodeFiles.h"

#include "CountText.h"
#include "NodeDescription.h"
#include "Occurrences.h"
#include "TextIndex.h"

void NodeFiles::setFileCount(qsizetype files)
{
    m_files = files;
}

QString NodeFiles::countsOf(const VerbariumTree &tree, Node node,
                            const std::shared_ptr<const TextIndex> &index)
{
    if (m_files < 2 || !index)
        return ::countsOf(tree, node);
    if (m_index.lock() != index) {
        m_holding.clear();
        m_index = index;
    }
    const QStringList sequence = tree.sequenceTo(node);
    auto holding = m_holding.constFind(sequence);
    if (holding == m_holding.cend())
        holding = m_holding.insert(sequence, filesHolding(*index, sequence));
    return timesInFilesAndBranchesText(tree.occurrences(node), *holding, m_files,
                                       tree.countOfLeaves(node));
}
