// Indexes a text forwards and backwards (the words before) as the app does, in this fresh
// process, and prints how long each index took and the peak memory of the text with both
// indexes and the tokens' places in the text.   indexes-peak-memory FILE [COPIES]

#include "ProcessMemory.h"
#include "TextIndex.h"
#include "Tokeniser.h"
#include "TreeInputs.h"

#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

namespace {

// Each index is built this many times; the fastest build counts, as the machine is shared.
constexpr int rounds = 3;

double milliseconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// The processor time of all this process's threads so far: on a loaded machine it says
// more than the wall clock.
double processorMilliseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &time) {
        return double(time.tv_sec) * 1e3 + time.tv_usec / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// A phase's fastest wall-clock and processor times.
struct Phase
{
    double wall = 1e300;
    double processor = 1e300;
    QElapsedTimer timer;
    double processorAtStart = 0;

    void start()
    {
        processorAtStart = processorMilliseconds();
        timer.start();
    }
    void stop()
    {
        wall = std::min(wall, milliseconds(timer));
        processor = std::min(processor, processorMilliseconds() - processorAtStart);
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s FILE [COPIES]\n", argv[0]);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
        return 1;
    }
    const int copies = argc == 3 ? std::max(1, std::atoi(argv[2])) : 1;
    const QString text = QString::fromUtf8(TreeInputs::copies(file.readAll(), copies));
    file.close();
    const double withText = ProcessMemory::peakResidentMegabytes();

    std::shared_ptr<const TextIndex> forward;
    std::shared_ptr<const TextIndex> backward;
    Phase tokenising;
    Phase forwardIndex;
    Phase backwardIndex;
    double withBoth = 0;
    for (int round = 0; round < rounds; ++round) {
        backward.reset();
        forward.reset();
        tokenising.start();
        TokenSequence tokens = tokenise(text);
        tokenising.stop();
        forwardIndex.start();
        forward = TextIndex::build(std::move(tokens));
        forwardIndex.stop();
        backwardIndex.start();
        backward = TextIndex::build(forward->tokens().reversed());
        backwardIndex.stop();
        if (round == 0)
            withBoth = ProcessMemory::peakResidentMegabytes();
    }

    const double tokenCount = double(forward->size());
    std::printf("%s x %d: %.0f tokens, fastest of %d builds\n", argv[1], copies, tokenCount,
                rounds);
    std::printf("  tokenising %.0f ms, then the index %.0f ms (%.0f ms in all); the index of the "
                "words before (reversing included) %.0f ms; both %.0f ms (targets: 2,000 and "
                "3,000 ms for 100 MB)\n",
                tokenising.wall, forwardIndex.wall, tokenising.wall + forwardIndex.wall,
                backwardIndex.wall, tokenising.wall + forwardIndex.wall + backwardIndex.wall);
    std::printf("  processor time of both threads: tokenising %.0f ms, the index %.0f ms, the "
                "words before %.0f ms\n",
                tokenising.processor, forwardIndex.processor, backwardIndex.processor);
    const auto printParts = [tokenCount](const char *what,
                                         const QList<std::pair<QString, std::size_t>> &parts) {
        for (const auto &[name, bytes] : parts)
            std::printf("    %-28s %8.1f MB %6.2f bytes a token\n",
                        qPrintable(QString::fromLatin1(what) + name), double(bytes) / 1e6,
                        double(bytes) / tokenCount);
    };
    printParts("tokens: ", forward->tokens().bytesByPart());
    printParts("after: ", forward->bytesByPart());
    printParts("before: ", backward->bytesByPart());
    const double both = double(forward->bytesUsed() + backward->bytesUsedBesideTokens());
    std::printf("  both directions %.1f MB, %.2f bytes a token (target: 12); the words after "
                "alone %.2f\n",
                both / 1e6, both / tokenCount, double(forward->bytesUsed()) / tokenCount);
    std::printf("  peak RSS %.1f MB with the text, %.1f MB once both indexes were built\n",
                withText, withBoth);
    return 0;
}
