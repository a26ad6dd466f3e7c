// Imports a big text into the real windows (offscreen), starts the verbarium of "the"
// as soon as the cloud is there, and prints how long the cloud, the painted tree and
// the text in the view took, the longest time the event loop went without a turn, and
// the peak memory; then puts the text, held read only, into the editor (Edit Here) and
// times that; then times verbarium-cli on the same file and the same tree. It turns to
// the words before (the peak memory with both indexes), and once both are kept in its
// own, new index cache, imports the file again, as a text reopened. Then it pastes the
// text and analyses it, and analyses it once more with "the" started.
// Given a folder besides, the same text cut into its files, it times only the first tree
// of "the" after opening the file and after opening the folder, without the index cache,
// and the heap the folder's files take.
//   big-text-window FILE [DIR]
#include "AnsweringDialogs.h"
#include "AppController.h"
#include "ContextsPane.h"
#include "CorpusFile.h"
#include "EventLoopGaps.h"
#include "InputTextView.h"
#include "PaintWatch.h"
#include "ProcessMemory.h"
#include "UserInterface.h"
#include "VerbariumTree.h"
#include "VerbariumView.h"
#include "ViewMenu.h"
#include "WordCloudView.h"
#include "ui_CloudWindow.h"
#include "ui_InputWindow.h"
#include "ui_VerbariumWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Processor time used so far, user and system, by this process or by its children that
// have ended: under a loaded machine it says more than the wall clock.
double processorSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval &time) {
        return double(time.tv_sec) + time.tv_usec / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Figures
{
    qint64 cloudMs = -1;
    qint64 textInMs = -1;
    qint64 verbariumMs = -1;
    double verbariumProcessorSeconds = 0; // used until the tree was painted
    double verbariumPeakMegabytes = 0;    // the peak memory until then
    qint64 longestGapMs = 0;
    int gapsOver250Ms = 0;
    int gapsOver100Ms = 0;
};

// Runs action in the event loop and waits until the cloud is shown and the text view
// holds expectedLength code units (and, with startWord, until the verbarium shows the
// word's tree, started once the cloud is there), recording the loop's gaps all along.
Figures measure(UserInterface &ui, qsizetype expectedLength, const std::function<void()> &action,
                const QString &startWord = {})
{
    Figures figures;
    EventLoopGaps gaps;
    QElapsedTimer clock;
    QTimer poll;
    poll.setInterval(5);
    const InputTextView *textView = ui.inputUi().textView;
    const Layer *oldCloud = ui.cloudUi().wordCloudView->rootLayer();
    VerbariumView *verbarium = ui.verbariumUi().verbariumView;
    PaintWatch treePainted(*verbarium);
    treePainted.expectNewPicture();
    bool wordChosen = false;
    const double processorAtStart = processorSeconds(RUSAGE_SELF);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        // Every cloud built replaces the view's root layer.
        if (figures.cloudMs < 0 && ui.cloudUi().wordCloudView->rootLayer() != oldCloud)
            figures.cloudMs = clock.elapsed();
        // The word is clicked in the cloud window once it is active, as a user would: its
        // activation hides the verbarium window.
        if (figures.cloudMs >= 0 && !wordChosen && !startWord.isEmpty() &&
            QApplication::activeWindow() == ui.cloudWindow()) {
            wordChosen = true;
            emit ui.cloudUi().wordCloudView->wordChosen(startWord);
        }
        if (figures.textInMs < 0 && !textView->isFilling() &&
            textView->textLength() == expectedLength)
            figures.textInMs = clock.elapsed();
        const auto &tree = verbarium->root();
        if (figures.verbariumMs < 0 && !startWord.isEmpty() && treePainted.painted() && tree &&
            tree->word(tree->root()) == startWord) {
            figures.verbariumMs = clock.elapsed();
            figures.verbariumProcessorSeconds = processorSeconds(RUSAGE_SELF) - processorAtStart;
            figures.verbariumPeakMegabytes = ProcessMemory::peakResidentMegabytes();
        }
        if (figures.cloudMs >= 0 && figures.textInMs >= 0 &&
            (startWord.isEmpty() || figures.verbariumMs >= 0))
            QCoreApplication::exit();
    });
    QTimer::singleShot(0, [&] {
        gaps.start();
        clock.start();
        poll.start();
        action();
    });
    QCoreApplication::exec();
    gaps.stop();
    figures.longestGapMs = gaps.longestGapMs();
    figures.gapsOver250Ms = gaps.gapsLongerThan(250);
    figures.gapsOver100Ms = gaps.gapsLongerThan(100);
    return figures;
}

void print(const char *what, const Figures &figures)
{
    std::printf(
        "%-9s cloud after %6lld ms, text in after %6lld ms, longest event-loop gap %5lld ms, "
        "gaps over 250 ms: %d, over 100 ms: %d\n",
        what, static_cast<long long>(figures.cloudMs), static_cast<long long>(figures.textInMs),
        static_cast<long long>(figures.longestGapMs), figures.gapsOver250Ms, figures.gapsOver100Ms);
    if (figures.verbariumMs >= 0)
        std::printf("          verbarium of the word painted after %lld ms\n",
                    static_cast<long long>(figures.verbariumMs));
    std::fflush(stdout);
}

void reset(UserInterface &ui)
{
    ui.inputUi().textView->clear();
    ui.cloudWindow()->hide();
    // What the clear sets off is done before the next action, as it is for a user, who
    // takes far longer than one turn of the event loop to paste.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The whole run of the command-line tool that grows the same tree from the same file,
// with the options given.
qint64 commandLineMilliseconds(const QString &path, const QStringList &options)
{
    QElapsedTimer clock;
    clock.start();
    QProcess cli;
    cli.setStandardOutputFile(QProcess::nullDevice());
    cli.start(QStringLiteral(VERBARIUM_CLI_PATH),
              QStringList{QStringLiteral("tree"), path, QStringLiteral("--word"),
                          QStringLiteral("the"), QStringLiteral("--max-depth"),
                          QStringLiteral("1")} +
                  options);
    if (!cli.waitForFinished(600'000) || cli.exitCode() != 0)
        return -1;
    return clock.elapsed();
}

// Waits until the index cache holds the text's index and its words before, whole.
bool waitForBothKept(const QString &folder)
{
    return QTest::qWaitFor(
        [&folder] {
            const QDir cache(folder);
            return cache.entryList({QStringLiteral("*.vidx")}, QDir::Files).size() == 2 &&
                   cache.entryList({QStringLiteral("*.vidx.*")}, QDir::Files | QDir::Hidden)
                       .isEmpty();
        },
        600'000);
}

// Opens the contexts pane on the tree shown, whose root asks for its occurrences, and
// times their first screen, then sorting them all by the words after.
void measureContexts(UserInterface &ui)
{
    ContextsPane *pane = ui.verbariumUi().contextsPane;
    const VerbariumController *controller = &ui.appController().verbariumController();
    QElapsedTimer clock;
    clock.start();
    ui.viewMenu().contextsAction()->setChecked(true);
    if (!QTest::qWaitFor(
            [pane, controller] {
                return !controller->isFindingContexts() && pane->model().rowCount() > 0;
            },
            60'000))
        return;
    QCoreApplication::processEvents(); // the first screen painted
    const qint64 firstScreen = clock.restart();
    pane->orderChoice()->setCurrentIndex(int(ContextOrder::Following));
    if (!QTest::qWaitFor([controller] { return !controller->isFindingContexts(); }, 60'000)) {
        std::printf("contexts  not sorted within a minute\n");
        return;
    }
    std::printf("contexts  %d lines, first screen after %lld ms, sorted by the words after in "
                "%lld ms\n",
                pane->model().rowCount(), static_cast<long long>(firstScreen),
                static_cast<long long>(clock.elapsed()));
    std::fflush(stdout);
}

// Turns the verbarium to the words before "the": their index is built on first use.
void measureWordsBefore(UserInterface &ui)
{
    VerbariumView *view = ui.verbariumUi().verbariumView;
    const TreeRequests *requests = &ui.appController().verbariumController().requests();
    QElapsedTimer clock;
    clock.start();
    ui.viewMenu().wordsBeforeAction()->trigger();
    if (!QTest::qWaitFor(
            [view, requests] {
                return requests->work() == TreeRequests::Work::None && view->picture();
            },
            600'000)) {
        std::printf("before    no tree of the words before \"the\" within ten minutes\n");
        return;
    }
    std::printf("before    the tree of the words before \"the\" after %lld ms (its index built "
                "first); peak memory with both indexes %.0f MB (target: 800 MB)\n",
                static_cast<long long>(clock.elapsed()), ProcessMemory::peakResidentMegabytes());
    std::fflush(stdout);
}

// Edit Here on the held text: how long until the text is in the editor and editable, and
// what the process holds before and after (its peak so far included).
void measureEditHere(UserInterface &ui)
{
    InputTextView *textView = ui.inputUi().textView;
    if (!textView->holdsLongText()) {
        std::printf("edit here the text is not held: nothing to measure\n");
        return;
    }
    const double before = ProcessMemory::residentMegabytes();
    EventLoopGaps gaps;
    gaps.start();
    QElapsedTimer clock;
    clock.start();
    ui.inputUi().editLongTextButton->click();
    const bool editable = QTest::qWaitFor(
        [textView] { return !textView->isReadOnly() && !textView->holdsLongText(); }, 600'000);
    const qint64 elapsed = clock.elapsed();
    QCoreApplication::processEvents(); // the editor painted
    gaps.stop();
    std::printf("edit here %s after %lld ms (painted after %lld ms), longest event-loop gap %lld "
                "ms; memory %.0f MB before, %.0f MB after, peak so far %.0f MB\n",
                editable ? "editable" : "NOT editable", static_cast<long long>(elapsed),
                static_cast<long long>(clock.elapsed()),
                static_cast<long long>(gaps.longestGapMs()), before,
                ProcessMemory::residentMegabytes(), ProcessMemory::peakResidentMegabytes());
    std::fflush(stdout);
}

// Decoded a piece at a time, so that the peak memory of the import is the app's alone.
qsizetype decodedLength(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    QStringDecoder decoder(QStringConverter::Utf8);
    qsizetype length = 0;
    while (!file.atEnd())
        length += QString(decoder.decode(file.read(1 << 20))).size();
    return length;
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The heap in use once the work set off has ended: once the text is indexed and the heap
// has not changed for a second since (or after a minute), the window's turns running.
double settledHeapMegabytes(const UserInterface &ui)
{
    if (!QTest::qWaitFor([&ui] { return !ui.appController().isBusy(); }, 60000))
        std::fprintf(stderr, "the text was not indexed within a minute\n");
    double last = -1;
    for (int unchanged = 0, turns = 0; unchanged < 10 && turns < 300; ++turns) {
        QTest::qWait(100);
        const double now = ProcessMemory::heapInUseMegabytes();
        unchanged = now == last ? unchanged + 1 : 0;
        last = now;
    }
    return last;
}

// Opens the file, then the folder, each without the index cache, and times each to its
// first tree of "the". Then opens a folder holding the file alone and the folder again,
// without a tree: the heap of the latter beyond the former's is what the folder's files
// cost beyond their text. Returns the exit status.
int compareWithFolder(UserInterface &ui, const QString &file, qsizetype fileLength,
                      const QString &folder)
{
    const TextFile corpus = readUtf8Sources({folder});
    QTemporaryDir fileAlone;
    if (!corpus.error.isEmpty() || !fileAlone.isValid() ||
        !QFile::link(QFileInfo(file).absoluteFilePath(), fileAlone.filePath(u"text.txt"_s))) {
        std::fprintf(stderr, "%s\n", qPrintable(corpus.error));
        return 1;
    }
    ui.appController().pipeline().setCache(std::nullopt);
    const auto open = [&ui](const QString &path) {
        return [&ui, path] { ui.appController().openFiles({path}); };
    };
    const Figures one = measure(ui, fileLength, open(file), QStringLiteral("the"));
    print("file", one);
    reset(ui);
    const Figures many = measure(ui, corpus.text.size(), open(folder), QStringLiteral("the"));
    print("folder", many);
    // Without a tree, whose words differ where the files end.
    const auto settledHeapAfter = [&](qsizetype length, const QString &path) {
        reset(ui);
        measure(ui, length, open(path));
        return settledHeapMegabytes(ui);
    };
    const double fileAloneHeap = settledHeapAfter(fileLength, fileAlone.path());
    const double folderHeap = settledHeapAfter(corpus.text.size(), folder);
    std::printf("the folder's files beyond their text: %.0f bytes a file in the heap (%.1f MB "
                "against %.1f MB with the file alone; target: 200 at most)\n",
                (folderHeap - fileAloneHeap) * 1e6 / double(corpus.parts.size()), folderHeap,
                fileAloneHeap);
    // Up to a thousand files the folder may cost a fifth more; beyond, a half.
    const double target = corpus.parts.size() <= 1000 ? 1.2 : 1.5;
    std::printf("the folder's %zu files to the first tree: %.2f times the file's (target: %.1f "
                "at most)\n",
                corpus.parts.size(), double(many.verbariumMs) / double(one.verbariumMs), target);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: big-text-window FILE [DIR]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const qsizetype length = decodedLength(path);
    if (length == 0) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    std::printf("text: %s, %lld UTF-16 code units\n", argv[1], static_cast<long long>(length));

    // An index cache of its own, empty: the first import indexes, the second reopens.
    const QTemporaryDir cacheHome;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cacheHome.path()));
    const QString cacheFolder = cacheHome.filePath(QStringLiteral("verbarium"));

    AnsweringDialogs dialogs(path);
    UserInterface ui(&dialogs);
    ui.appController().showInputWindow();
    if (argc == 3)
        return compareWithFolder(ui, path, length, QString::fromLocal8Bit(argv[2]));

    const Figures imported = measure(
        ui, length, [&ui] { ui.appController().importTextFiles(); }, QStringLiteral("the"));
    print("import", imported);
    std::printf("          until the tree was painted: processor time %.1f s, peak memory %.0f MB; "
                "with the text in the view: %.0f MB\n",
                imported.verbariumProcessorSeconds, imported.verbariumPeakMegabytes,
                ProcessMemory::peakResidentMegabytes());
    measureEditHere(ui);
    const qint64 cliMs = commandLineMilliseconds(path, {QStringLiteral("--no-cache")});
    std::printf("verbarium-cli tree FILE --word the --max-depth 1 --no-cache: %lld ms, processor "
                "time %.1f s; the app's tree took %.2f times that\n",
                static_cast<long long>(cliMs), processorSeconds(RUSAGE_CHILDREN),
                double(imported.verbariumMs) / double(cliMs));
    measureWordsBefore(ui);

    if (!waitForBothKept(cacheFolder)) {
        std::printf("reopen    the indexes were not kept within ten minutes\n");
        return 1;
    }
    // The words after "the" again, drawn before the text is reopened.
    const TreeRequests *requests = &ui.appController().verbariumController().requests();
    ui.viewMenu().wordsAfterAction()->trigger();
    if (!QTest::qWaitFor([requests] { return requests->work() == TreeRequests::Work::None; })) {
        std::printf("reopen    the words after \"the\" were not drawn again\n");
        return 1;
    }
    reset(ui);
    const Figures reopened = measure(
        ui, length, [&ui] { ui.appController().importTextFiles(); }, QStringLiteral("the"));
    print("reopen", reopened);
    std::printf("          the text's index read from the cache (target: the tree after 500 ms "
                "at most)\n");
    const double processorBefore = processorSeconds(RUSAGE_CHILDREN);
    const qint64 keptCliMs = commandLineMilliseconds(path, {});
    std::printf("verbarium-cli tree FILE --word the --max-depth 1, from the cache: %lld ms, "
                "processor time %.1f s\n",
                static_cast<long long>(keptCliMs),
                processorSeconds(RUSAGE_CHILDREN) - processorBefore);

    reset(ui);
    QGuiApplication::clipboard()->setText(readText(path));
    print("paste", measure(ui, length, [&ui] {
              ui.inputUi().textView->paste();
              // The user asks for the analysis right after pasting.
              QTimer::singleShot(0, &ui.appController(), &AppController::analyseTypedText);
          }));

    // The text is in the view: analyse it again (its index from the cache) and start "the".
    print("verbarium",
          measure(
              ui, length, [&ui] { ui.appController().analyseTypedText(); }, QStringLiteral("the")));
    measureContexts(ui);
    return 0;
}
