// Indexes a text and grows one tree in this fresh process, and prints the peak memory
// they took.   tree-peak-memory FILE WORD [--without-sentence-ends]

#include "ProcessMemory.h"
#include "TextIndex.h"
#include "TreeGrowth.h"
#include "TreeInputs.h"
#include "VerbariumTree.h"

#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char **argv)
{
    const bool withoutSentenceEnds = argc == 4 && qstrcmp(argv[3], "--without-sentence-ends") == 0;
    if (argc != 3 && !withoutSentenceEnds) {
        std::fprintf(stderr, "usage: %s FILE WORD [--without-sentence-ends]\n", argv[0]);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
        return 1;
    }
    QByteArray utf8 = file.readAll();
    if (withoutSentenceEnds)
        utf8 = TreeInputs::withoutSentenceEnds(utf8);

    QString text = QString::fromUtf8(utf8);
    utf8 = {};
    const double beforeIndex = ProcessMemory::peakResidentMegabytes();
    QElapsedTimer timer;
    timer.start();
    const auto index = TextIndex::build(text);
    const qint64 indexing = timer.restart();
    text.clear();
    const double beforeTree = ProcessMemory::peakResidentMegabytes();
    const double residentBeforeTree = ProcessMemory::residentMegabytes();

    timer.restart();
    const auto tree = growTree(index, QString::fromLocal8Bit(argv[2]));
    const qint64 growing = timer.elapsed();
    const double afterTree = ProcessMemory::peakResidentMegabytes();
    const double residentWithTree = ProcessMemory::residentMegabytes();

    std::printf("%s \"%s\"%s: %u tokens, %u children, %u leaves, %zu segments\n", argv[1], argv[2],
                withoutSentenceEnds ? " without sentence ends" : "", index->size(),
                tree->childCount(tree->root()), tree->countOfLeaves(tree->root()),
                tree->segments().size());
    std::printf("  indexed in %lld ms (%.1f bytes per token), tree grown in %lld ms\n",
                static_cast<long long>(indexing),
                double(index->bytesUsed()) / std::max(1.0, double(index->size())),
                static_cast<long long>(growing));
    std::printf("  peak RSS %.1f MB (%.1f MB before indexing, %.1f MB before growing the tree); "
                "the tree holds %.1f MB\n",
                afterTree, beforeIndex, beforeTree, residentWithTree - residentBeforeTree);
    return 0;
}
