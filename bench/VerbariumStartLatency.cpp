// How long a click on a word takes to show its verbarium in the window: from the
// start to the first paint of the new picture, with the text's index ready, in a
// window like the app's. Offscreen unless a platform is asked for.
//   verbarium-start-latency FILE [COPIES] [WORD]

#include "PaintWatch.h"
#include "TextIndex.h"
#include "TreeInputs.h"
#include "VerbariumController.h"
#include "VerbariumView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollArea>
#include <QTest>
#include <algorithm>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [COPIES] [WORD]\n", argv[0]);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
        return 1;
    }
    const int copies = argc > 2 ? std::max(1, atoi(argv[2])) : 1;
    const QString word = argc > 3 ? QString::fromLocal8Bit(argv[3]) : u"the"_s;

    QScrollArea window;
    auto *view = new VerbariumView; // owned by the scroll area
    window.setWidget(view);
    view->setScrollView(&window);
    window.resize(800, 600);
    view->resize(window.viewport()->size());
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    PaintWatch watch(*view);
    VerbariumController controller;
    controller.serve(view);

    QElapsedTimer timer;
    timer.start();
    const QString text = QString::fromUtf8(TreeInputs::copies(file.readAll(), copies));
    controller.beginText();
    controller.setIndex(TextIndex::build(text));
    watch.expectNewPicture();
    view->startWithWord(word);
    if (!QTest::qWaitFor([&] { return watch.painted(); }, 600'000))
        return 1;
    std::printf("%s x %d, \"%s\": analysis, index and first start %lld ms\n", argv[1], copies,
                qPrintable(word), static_cast<long long>(timer.elapsed()));

    std::vector<qint64> latencies;
    for (int round = 0; round < 20; ++round) {
        watch.expectNewPicture();
        timer.restart();
        view->startWithWord(word);
        while (!watch.painted())
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        latencies.push_back(timer.nsecsElapsed() / 1000);
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("  start to painted: median %.1f ms, slowest %.1f ms (20 starts)\n",
                double(latencies[latencies.size() / 2]) / 1000, double(latencies.back()) / 1000);
    return 0;
}
