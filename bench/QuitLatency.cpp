// Imports a big text into the real windows (offscreen), quits while the text is read,
// analysed and indexed, and while a tree grows, and prints how long the quit took:
// from taking the windows down to the last worker done, which is what the process
// waits for before it exits.
//   quit-latency FILE [WORD]
#include "AnsweringDialogs.h"
#include "AppDelegate.h"
#include "UserInterface.h"
#include "VerbariumView.h"
#include "WordCloudView.h"
#include "ui_CloudWindow.h"
#include "ui_VerbariumWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QThreadPool>
#include <cstdio>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

using Stage = TextPipeline::Stage;

const char *nameOf(Stage stage)
{
    switch (stage) {
    case Stage::Reading:
        return "reading";
    case Stage::Analysing:
        return "analysing";
    case Stage::Indexing:
        return "indexing";
    }
    return "";
}

// Quits the way main() does at the end of the event loop: the windows and everything
// they own go, then the process waits for the thread pool.
qint64 quitMilliseconds(std::unique_ptr<UserInterface> ui)
{
    QElapsedTimer clock;
    clock.start();
    ui.reset();
    QThreadPool::globalInstance()->waitForDone();
    return clock.elapsed();
}

void quitWhile(const QString &path, Stage stage)
{
    AnsweringDialogs dialogs(path);
    auto ui = std::make_unique<UserInterface>(&dialogs);
    AppDelegate &controller = ui->appDelegate();
    controller.importTextFile();
    QElapsedTimer clock;
    clock.start();
    if (!QTest::qWaitFor([&] { return controller.pipeline().stage() == stage; }, 600'000)) {
        std::printf("quit while %-9s: the stage never came\n", nameOf(stage));
        return;
    }
    // Well into the stage, not at its first step.
    QTest::qWait(stage == Stage::Reading ? 20 : 300);
    const bool stillThere = controller.isBusy() && controller.pipeline().stage() == stage;
    const qint64 entered = clock.elapsed();
    std::printf("quit while %-9s (%6lld ms after the import began%s): %4lld ms\n", nameOf(stage),
                static_cast<long long>(entered), stillThere ? "" : ", stage over",
                static_cast<long long>(quitMilliseconds(std::move(ui))));
}

void quitWhileGrowing(const QString &path, const QString &word)
{
    AnsweringDialogs dialogs(path);
    auto ui = std::make_unique<UserInterface>(&dialogs);
    ui->appDelegate().importTextFile();
    if (!QTest::qWaitFor([&] { return !ui->appDelegate().isBusy(); }, 600'000))
        return;
    VerbariumView *verbarium = ui->verbariumUi().verbariumView;
    verbarium->startWithWord(word);
    const bool growing = verbarium->requests().work() == TreeRequests::Work::Growing;
    std::printf("quit while growing \"%s\"%s: %4lld ms\n", qPrintable(word),
                growing ? "" : " (already grown)",
                static_cast<long long>(quitMilliseconds(std::move(ui))));
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: quit-latency FILE [WORD]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    for (const Stage stage : {Stage::Reading, Stage::Analysing, Stage::Indexing})
        quitWhile(path, stage);
    quitWhileGrowing(path, argc > 2 ? QString::fromLocal8Bit(argv[2]) : u"the"_s);
    return 0;
}
