// Runs 1,000 analyses, each followed by the start of a word, through the workers the
// app uses, and prints the resident memory along the way: it must stay flat.
//   repeated-starts [FILE]   (the generated text's first megabyte without FILE)

#include "ProcessMemory.h"
#include "TextGenerator.h"
#include "TextPipeline.h"
#include "TreeRequests.h"
#include "VerbariumTree.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QByteArray utf8 = generateEnglishLikeText(1'000'000);
    if (argc == 2) {
        QFile file(QString::fromLocal8Bit(argv[1]));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
            return 1;
        }
        utf8 = file.readAll();
    }
    // Two texts in turn, so that every analysis really replaces the last one.
    const QString texts[] = {QString::fromUtf8(utf8),
                             QString::fromUtf8(utf8.left(utf8.size() / 2))};

    TextPipeline pipeline;
    TreeRequests requests;
    QObject::connect(&pipeline, &TextPipeline::textIndexed, &requests, &TreeRequests::setIndex);
    QEventLoop loop;
    QObject::connect(&requests, &TreeRequests::treeReady, &loop, &QEventLoop::quit);
    for (int round = 1; round <= 1000; ++round) {
        pipeline.analyse(texts[round % 2]);
        requests.awaitIndex();
        requests.requestTree({u"the"_s});
        loop.exec();
        if (round == 1 || round == 10 || round % 100 == 0)
            std::printf("after %4d analyses and starts: %.1f MB resident\n", round,
                        ProcessMemory::residentMegabytes());
        std::fflush(stdout);
    }
    return 0;
}
