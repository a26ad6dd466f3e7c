// Imports and pastes a big text into the real windows (offscreen) and prints how long
// the event loop went without a turn, and how long the cloud took to appear; then
// analyses it again and starts the verbarium of "the" as soon as the cloud is there,
// which waits for the text's index.
//   big-text-window FILE
#include "AppDelegate.h"
#include "Dialogs.h"
#include "EventLoopGaps.h"
#include "UserInterface.h"
#include "VerbariumTree.h"
#include "VerbariumView.h"
#include "WordCloudView.h"
#include "ui_CloudWindow.h"
#include "ui_InputWindow.h"
#include "ui_VerbariumWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

// Answers the chooser with one path and prints any alert instead of showing it.
class AnsweringDialogs : public Dialogs
{
public:
    explicit AnsweringDialogs(QString path)
        : m_path(std::move(path))
    {}
    void runAlert(const QString &title, const QString &message, const QString &) override
    {
        std::fprintf(stderr, "alert: %s: %s\n", qPrintable(title), qPrintable(message));
    }
    std::optional<QString> chooseFile(const QStringList &) override { return m_path; }
    std::optional<PictureFileChoice> choosePictureFile(const QString &, const QString &) override
    {
        return std::nullopt;
    }
    void showAbout(const QString &, const QString &) override {}

private:
    QString m_path;
};

struct Figures
{
    qint64 cloudMs = -1;
    qint64 textInMs = -1;
    qint64 verbariumMs = -1;
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
    const QTextDocument *document = ui.inputUi().textField->document();
    const Layer *oldCloud = ui.cloudUi().wordCloudView->rootLayer();
    const VerbariumView *verbarium = ui.verbariumUi().verbariumView;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        // Every cloud built replaces the view's root layer.
        if (figures.cloudMs < 0 && ui.cloudUi().wordCloudView->rootLayer() != oldCloud) {
            figures.cloudMs = clock.elapsed();
            if (!startWord.isEmpty())
                emit ui.cloudUi().wordCloudView->wordChosen(startWord);
        }
        if (figures.textInMs < 0 && document->characterCount() - 1 == expectedLength)
            figures.textInMs = clock.elapsed();
        const auto &tree = verbarium->root();
        if (figures.verbariumMs < 0 && !startWord.isEmpty() && verbarium->picture() &&
            tree->word(tree->root()) == startWord)
            figures.verbariumMs = clock.elapsed();
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
        std::printf("          verbarium of the word shown after %lld ms\n",
                    static_cast<long long>(figures.verbariumMs));
    std::fflush(stdout);
}

void reset(UserInterface &ui)
{
    ui.inputUi().textField->clear();
    ui.cloudWindow()->hide();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: big-text-window FILE\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QString text = QString::fromUtf8(file.readAll());
    file.close();
    std::printf("text: %s, %lld UTF-16 code units\n", argv[1], static_cast<long long>(text.size()));

    AnsweringDialogs dialogs(path);
    UserInterface ui(&dialogs);
    ui.appDelegate().applicationDidFinishLaunching();

    print("import", measure(ui, text.size(), [&ui] { ui.appDelegate().importTextFile(); }));

    reset(ui);
    QGuiApplication::clipboard()->setText(text);
    print("paste", measure(ui, text.size(), [&ui] {
              ui.inputUi().textField->paste();
              // The user asks for the analysis right after pasting.
              QTimer::singleShot(0, &ui.appDelegate(), &AppDelegate::textDidChange);
          }));

    // The text is in the view: analyse it again, index it and start "the".
    print("verbarium",
          measure(
              ui, text.size(), [&ui] { ui.appDelegate().textDidChange(); }, QStringLiteral("the")));
    return 0;
}
