// Grows one tree in this fresh process and prints the peak memory it took.
//   tree-peak-memory FILE WORD [--without-sentence-ends]

#include "TreeInputs.h"
#include "TreeText.h"

#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

double peakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) * 1024 / 1e6;
}

// Resident set size now, which, unlike the peak, shows what the tree itself holds.
double residentMegabytes()
{
    QFile statm(u"/proc/self/statm"_s);
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(getpagesize()) / 1e6 : 0;
}

} // namespace

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

    QElapsedTimer timer;
    timer.start();
    const TreeText text(TreeInputs::treeTextOf(utf8));
    const qint64 preparing = timer.restart();
    utf8 = {};
    const double beforeTree = peakResidentMegabytes();
    const double residentBeforeTree = residentMegabytes();

    timer.restart();
    const auto root = text.growTree(QString::fromLocal8Bit(argv[2]));
    const qint64 growing = timer.elapsed();
    const double afterTree = peakResidentMegabytes();
    const double residentWithTree = residentMegabytes();

    std::printf("%s \"%s\"%s: %zu children, %u leaves\n", argv[1], argv[2],
                withoutSentenceEnds ? " without sentence ends" : "", root->children().size(),
                root->countOfLeaves());
    std::printf("  text prepared in %lld ms, tree grown in %lld ms\n",
                static_cast<long long>(preparing), static_cast<long long>(growing));
    std::printf("  peak RSS %.1f MB (%.1f MB before growing the tree); the tree holds %.1f MB\n",
                afterTree, beforeTree, residentWithTree - residentBeforeTree);
    return 0;
}
