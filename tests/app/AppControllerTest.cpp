#include "AppController.h"

#include "AppMenus.h"
#include "CorpusBar.h"
#include "FakeDialogs.h"
#include "InfoPanel.h"
#include "InputTextView.h"
#include "TextIndex.h"
#include "TextLayer.h"
#include "TokenSequence.h"
#include "UserInterface.h"
#include "VerbariumView.h"
#include "WordCloudView.h"
#include "ui_CloudWindow.h"
#include "ui_InputWindow.h"
#include "ui_VerbariumWindow.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class AppControllerTest : public ::testing::Test
{
protected:
    InputTextView *textView() const { return ui.inputUi().textView; }
    WordCloudView *cloud() const { return ui.cloudUi().wordCloudView; }
    QStringList cloudWords() const
    {
        QStringList words;
        for (const TextLayer *layer : cloud()->layers())
            words << layer->name();
        return words;
    }
    // Imports and analyses run on workers: wait until the last one is handed over.
    void finishRequests()
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !ui.appController().isBusy(); }));
    }
    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = directory.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    FakeDialogs dialogs;
    UserInterface ui{&dialogs};
    QTemporaryDir directory;
};

struct LengthCase
{
    const char *name;
    QString text;
    bool analysed;
};

class LengthTest : public AppControllerTest, public ::testing::WithParamInterface<LengthCase>
{
};

TEST_P(LengthTest, AnalysesOnlyTextsLongerThanFourCodeUnits)
{
    textView()->setPlainText(GetParam().text);
    ui.appController().analyseTypedText();
    finishRequests();
    if (GetParam().analysed) {
        EXPECT_TRUE(dialogs.alerts.empty());
        EXPECT_TRUE(ui.cloudWindow()->isVisible());
    } else {
        ASSERT_EQ(dialogs.alerts.size(), 1u);
        EXPECT_EQ(dialogs.alerts[0].title, u"Empty Text"_s);
        EXPECT_EQ(dialogs.alerts[0].message, u"Please enter a Text to analyse"_s);
        EXPECT_EQ(dialogs.alerts[0].button, u"OK"_s);
        EXPECT_FALSE(ui.cloudWindow()->isVisible());
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, LengthTest,
                         ::testing::Values(LengthCase{"empty", u""_s, false},
                                           LengthCase{"fourLetters", u"abcd"_s, false},
                                           LengthCase{"fiveLetters", u"abcde"_s, true},
                                           LengthCase{"fiveSpaces", u"     "_s, true},
                                           LengthCase{"wordsAndLineBreak", u"ab\ncd"_s, true},
                                           // A character outside the BMP is two code units.
                                           LengthCase{"astralMakesFour", u"ab\U0001D400"_s, false},
                                           LengthCase{"astralMakesFive", u"abc\U0001D400"_s, true}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(AppControllerTest, AnalysisShowsOneWordLayerPerCountedWordInAlphabeticalOrder)
{
    textView()->setPlainText(u"The cat saw the dog.\nThe dog saw the cat."_s);
    ui.appController().analyseTypedText();
    finishRequests();
    EXPECT_EQ(cloudWords(), (QStringList{u"cat"_s, u"dog"_s, u"saw"_s, u"the"_s}));
}

TEST_F(AppControllerTest, SecondAnalysisReplacesTheFirstCloud)
{
    textView()->setPlainText(u"alpha beta gamma"_s);
    ui.appController().analyseTypedText();
    finishRequests();
    textView()->setPlainText(u"delta epsilon"_s);
    ui.appController().analyseTypedText();
    finishRequests();
    EXPECT_EQ(cloudWords(), (QStringList{u"delta"_s, u"epsilon"_s}));
    EXPECT_EQ(cloud()->rootLayer()->sublayers().size(), 2u);
}

TEST_F(AppControllerTest, ImportReplacesTheWholeTextAndAnalysesEvenShortFiles)
{
    textView()->setPlainText(u"previous text that goes away"_s);
    dialogs.chosenFiles = {writeFile(u"short.txt"_s, "hi")};
    ui.appController().importTextFiles();
    finishRequests();
    EXPECT_EQ(dialogs.askedFileTypes, QStringList{u"txt"_s});
    EXPECT_TRUE(dialogs.alerts.empty());
    EXPECT_EQ(textView()->toPlainText(), u"hi"_s);
    EXPECT_EQ(cloudWords(), QStringList{u"hi"_s});
}

TEST_F(AppControllerTest, ChosenFileOfAnotherTypeIsRefusedAndTheTextStays)
{
    textView()->setPlainText(u"the user's own text"_s);
    dialogs.chosenFiles = {writeFile(u"other.dat"_s, "perfectly good text")};
    ui.appController().importTextFiles();
    finishRequests();
    ASSERT_EQ(dialogs.alerts.size(), 1u);
    EXPECT_EQ(dialogs.alerts[0].title, u"Cannot Import File"_s);
    EXPECT_TRUE(dialogs.alerts[0].message.contains(dialogs.chosenFiles.front()));
    EXPECT_TRUE(dialogs.alerts[0].message.contains(u".txt"_s));
    EXPECT_EQ(textView()->toPlainText(), u"the user's own text"_s);
    EXPECT_FALSE(ui.cloudWindow()->isVisible());
}

// Files named on the command line or dropped on the window.
TEST_F(AppControllerTest, OpenedFileMayHaveAnyNameAndIsAnalysed)
{
    ui.appController().openFiles({writeFile(u"notes.md"_s, "markdown is text too")});
    finishRequests();
    EXPECT_TRUE(dialogs.alerts.empty());
    EXPECT_EQ(textView()->toPlainText(), u"markdown is text too"_s);
    EXPECT_EQ(cloudWords(), (QStringList{u"is"_s, u"markdown"_s, u"text"_s, u"too"_s}));
}

// A folder opened is a corpus: its files joined, read only, named above the text with
// the file left out, and analysed with its files apart, again on Analyse. File > New
// goes back to a text of the user's own.
TEST_F(AppControllerTest, OpenedFolderIsAReadOnlyCorpusOfItsFilesUntilANewText)
{
    ASSERT_TRUE(QDir(directory.path()).mkpath(u"chapters/part"_s));
    writeFile(u"chapters/b.txt"_s, "the start");
    writeFile(u"chapters/part/a.txt"_s, "the end");
    const QString bad = writeFile(u"chapters/c.txt"_s, "bad \xff");
    std::vector<std::size_t> partsIndexed;
    QObject::connect(&ui.appController().pipeline(), &TextPipeline::textIndexed,
                     &ui.appController(), [&](const std::shared_ptr<const TextIndex> &index) {
                         partsIndexed.push_back(index->tokens().partStarts().size());
                     });
    textView()->setPlainText(u"typed"_s);

    ui.appController().openFiles({directory.filePath(u"chapters"_s)});
    finishRequests();
    EXPECT_EQ(dialogs.confirmations, QStringList{u"Replace Your Text?"_s});
    EXPECT_TRUE(dialogs.alerts.empty());
    EXPECT_EQ(textView()->text(), u"the start\nthe end"_s);
    EXPECT_TRUE(textView()->isReadOnly());
    const CorpusBar *bar = ui.inputUi().corpusBar;
    EXPECT_TRUE(bar->isVisibleTo(ui.inputWindow()));
    EXPECT_EQ(bar->message(), u"2 files from chapters, read only; 1 file left out."_s)
        << bar->message().toStdString();
    ASSERT_EQ(bar->leftOut().size(), 1);
    EXPECT_TRUE(bar->leftOut()[0].startsWith(bad + u": "_s));
    EXPECT_TRUE(bar->actionButton()->isVisibleTo(ui.inputWindow()));
    EXPECT_EQ(cloudWords(), (QStringList{u"end"_s, u"start"_s, u"the"_s}));

    ui.appController().analyseTypedText();
    finishRequests();
    EXPECT_EQ(partsIndexed, (std::vector<std::size_t>{2, 2}));

    ui.menus().newTextAction()->trigger();
    EXPECT_EQ(textView()->text(), QString());
    EXPECT_FALSE(textView()->isReadOnly());
    EXPECT_FALSE(bar->isVisibleTo(ui.inputWindow()));
    textView()->setPlainText(u"a text of my own"_s);
    ui.appController().analyseTypedText();
    finishRequests();
    EXPECT_EQ(partsIndexed.back(), 0u);
}

TEST_F(AppControllerTest, ChosenFilesOfOneFolderAreACorpusNamedByIt)
{
    dialogs.chosenFiles = {writeFile(u"one.txt"_s, "first file"),
                           writeFile(u"two.txt"_s, "second file")};
    ui.appController().importTextFiles();
    finishRequests();
    EXPECT_EQ(textView()->text(), u"first file\nsecond file"_s);
    EXPECT_EQ(ui.inputUi().corpusBar->message(),
              u"2 files from %1, read only."_s.arg(QFileInfo(directory.path()).fileName()));
    EXPECT_FALSE(ui.inputUi().corpusBar->actionButton()->isVisibleTo(ui.inputWindow()));
}

TEST_F(AppControllerTest, CorpusWithoutAReadableFileListsEachAndKeepsTheText)
{
    textView()->setPlainText(u"the user's own text"_s);
    const QString bad = writeFile(u"bad.txt"_s, "\xff");
    const QString missing = directory.filePath(u"missing.txt"_s);
    ui.appController().openFiles({bad, missing});
    finishRequests();
    ASSERT_EQ(dialogs.alerts.size(), 1u);
    const QStringList lines = dialogs.alerts[0].message.split(u'\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].startsWith(bad + u": "_s));
    EXPECT_TRUE(lines[2].startsWith(missing + u": "_s));
    EXPECT_EQ(textView()->text(), u"the user's own text"_s);
    EXPECT_FALSE(textView()->isReadOnly());
}

// A text typed, or an imported one edited, is not in any file: opening files over it
// asks first. The text of files just opened goes without asking.
TEST_F(AppControllerTest, OpeningFilesOverTheUsersOwnTextAsksFirst)
{
    const QString book = writeFile(u"book.txt"_s, "from a file");
    textView()->setPlainText(u"typed by hand"_s);
    dialogs.replaceConfirmed = false;
    ui.appController().openFiles({book});
    finishRequests();
    EXPECT_EQ(dialogs.confirmations.size(), 1);
    EXPECT_EQ(textView()->text(), u"typed by hand"_s);
    EXPECT_FALSE(ui.cloudWindow()->isVisible());

    dialogs.replaceConfirmed = true;
    ui.appController().openFiles({book});
    finishRequests();
    ui.appController().openFiles({book});
    finishRequests();
    EXPECT_EQ(dialogs.confirmations.size(), 2);
    EXPECT_EQ(textView()->text(), u"from a file"_s);

    textView()->appendPlainText(u"and an edit"_s);
    dialogs.replaceConfirmed = false;
    ui.appController().openFiles({book});
    EXPECT_EQ(dialogs.confirmations.size(), 3);
}

TEST_F(AppControllerTest, NewTextEmptiesTheViewAsAnEditThatUndoes)
{
    textView()->setPlainText(u"typed by hand"_s);
    ui.appController().startNewText();
    EXPECT_EQ(textView()->text(), QString());
    textView()->undo();
    EXPECT_EQ(textView()->text(), u"typed by hand"_s);
}

TEST_F(AppControllerTest, CloudOfTheNewerOfTwoQuickRequestsStays)
{
    textView()->setPlainText(u"older words "_s.repeated(50000));
    ui.appController().analyseTypedText();
    textView()->setPlainText(u"newer text"_s);
    ui.appController().analyseTypedText();
    finishRequests();
    EXPECT_EQ(cloudWords(), (QStringList{u"newer"_s, u"text"_s}));
}

TEST_F(AppControllerTest, CancelledImportChangesNothing)
{
    textView()->setPlainText(u"kept as it is"_s);
    ui.appController().importTextFiles();
    finishRequests();
    EXPECT_EQ(textView()->toPlainText(), u"kept as it is"_s);
    EXPECT_TRUE(dialogs.alerts.empty());
    EXPECT_FALSE(ui.cloudWindow()->isVisible());
}

struct BadFileCase
{
    const char *name;
    QByteArray bytes; // empty: the file does not exist
    const char *messageFragment;
};

class BadImportTest : public AppControllerTest, public ::testing::WithParamInterface<BadFileCase>
{
};

TEST_P(BadImportTest, KeepsTheTextViewAndTellsWhichFileAndWhy)
{
    textView()->setPlainText(u"the user's own text"_s);
    const QString path = GetParam().bytes.isEmpty() ? directory.filePath(u"missing.txt"_s)
                                                    : writeFile(u"bad.txt"_s, GetParam().bytes);
    dialogs.chosenFiles = {path};
    ui.appController().importTextFiles();
    finishRequests();
    ASSERT_EQ(dialogs.alerts.size(), 1u);
    EXPECT_TRUE(dialogs.alerts[0].message.contains(path));
    EXPECT_TRUE(dialogs.alerts[0].message.contains(QString::fromUtf8(GetParam().messageFragment)))
        << dialogs.alerts[0].message.toStdString();
    EXPECT_EQ(textView()->toPlainText(), u"the user's own text"_s);
    EXPECT_FALSE(ui.cloudWindow()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Files, BadImportTest,
                         ::testing::Values(BadFileCase{"invalidUtf8", QByteArray("ok \xC3\x28 no"),
                                                       "offset 3"},
                                           BadFileCase{"missing", QByteArray(), "no such file"}),
                         [](const auto &info) { return std::string(info.param.name); });

// The file's text is on its way: the view holds nothing of the user's to analyse, so
// Analyse is off until the text is in, and the import's analysis is the one shown.
TEST_F(AppControllerTest, AnalyseWaitsForTheImportedText)
{
    textView()->setPlainText(u"typed before the import"_s);
    ui.appController().openFiles({writeFile(u"book.txt"_s, "imported words")});
    EXPECT_FALSE(ui.inputUi().analyseButton->isEnabled());
    EXPECT_FALSE(ui.menus().analyseAction()->isEnabled());
    EXPECT_TRUE(textView()->isReadOnly());
    ui.appController().analyseTypedText();
    finishRequests();
    EXPECT_EQ(textView()->toPlainText(), u"imported words"_s);
    EXPECT_EQ(cloudWords(), (QStringList{u"imported"_s, u"words"_s}));
    EXPECT_TRUE(ui.inputUi().analyseButton->isEnabled());
    EXPECT_TRUE(ui.menus().analyseAction()->isEnabled());
    EXPECT_FALSE(textView()->isReadOnly());
}

// An imported text too long to edit is shown read only: a paste (Edit > Paste, or the
// keys) must not replace it until the user asks to edit it.
TEST_F(AppControllerTest, PasteCannotTouchALongImportedTextUntilEditHere)
{
    textView()->setLongTextLength(100);
    const QString imported = u"a line of the imported book\n"_s.repeated(20);
    ui.appController().openFiles({writeFile(u"book.txt"_s, imported.toUtf8())});
    finishRequests();
    ASSERT_TRUE(textView()->holdsLongText());

    QGuiApplication::clipboard()->setText(u"pasted over"_s);
    textView()->paste();
    EXPECT_TRUE(textView()->holdsLongText());
    EXPECT_EQ(textView()->text(), imported);

    ui.inputUi().editLongTextButton->click();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !textView()->isFilling(); }));
    textView()->moveCursor(QTextCursor::End);
    textView()->paste();
    EXPECT_EQ(textView()->text(), imported + u"pasted over"_s);
}

// The index failed: the cloud stays usable, and the verbarium says why it shows no tree.
TEST_F(AppControllerTest, FailedIndexKeepsTheCloudAndSaysWhy)
{
    // Another test may have kept this text's index, which would then not be built.
    ui.appController().pipeline().setCache(std::nullopt);
    ui.appController().pipeline().setIndexer(
        [](TokenSequence, std::stop_token) -> std::shared_ptr<const TextIndex> {
            throw std::bad_alloc();
        });
    textView()->setPlainText(u"the cat sat on the mat"_s);
    ui.appController().analyseTypedText();
    finishRequests();
    ASSERT_EQ(dialogs.alerts.size(), 1u);
    EXPECT_EQ(dialogs.alerts[0].title, u"Cannot Index the Text"_s);
    EXPECT_TRUE(dialogs.alerts[0].message.contains(u"not enough memory"_s));
    EXPECT_TRUE(ui.cloudWindow()->isVisible());
    EXPECT_EQ(cloudWords().size(), 5);

    VerbariumView *verbarium = ui.verbariumUi().verbariumView;
    emit cloud()->wordChosen(u"the"_s);
    EXPECT_TRUE(ui.verbariumWindow()->isVisible());
    EXPECT_FALSE(verbarium->picture());
    EXPECT_TRUE(verbarium->message().contains(u"not enough memory"_s))
        << verbarium->message().toStdString();
}

// Measures a word only once the test lets it, so that the cloud's job can be caught at
// work.
class HeldMeasurer : public TextMeasurer
{
public:
    explicit HeldMeasurer(std::shared_ptr<std::atomic<bool>> released)
        : m_released(std::move(released))
    {}
    QSizeF preferredSize(const AttributedString &) const override
    {
        m_released->wait(false);
        return {10, 10};
    }

private:
    std::shared_ptr<std::atomic<bool>> m_released;
};

// The cloud was made on the window's thread: a text of giant words of decomposable
// letters held the window for 38 s, quitting included.
TEST_F(AppControllerTest, TheCloudIsMadeOnAWorkerThatANewerTextStops)
{
    auto released = std::make_shared<std::atomic<bool>>(false);
    ui.appController().cloudJob().setMeasurerMaker(
        [released] { return std::make_unique<HeldMeasurer>(released); });
    QSignalSpy described(&ui.appController(), &AppController::workDescribed);
    textView()->setPlainText(u"the first text"_s);
    ui.appController().analyseTypedText();
    // The window's thread goes on, and says what is being done.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return !described.isEmpty() &&
               described.constLast().constFirst().toString() == u"Making the word cloud…"_s;
    }));
    EXPECT_FALSE(ui.cloudWindow()->isVisible());

    textView()->setPlainText(u"a second text"_s);
    ui.appController().analyseTypedText();
    released->store(true);
    released->notify_all();
    finishRequests();
    EXPECT_EQ(cloudWords(), (QStringList{u"a"_s, u"second"_s, u"text"_s}));
    EXPECT_TRUE(ui.cloudWindow()->isVisible());
    EXPECT_EQ(described.constLast().constFirst().toString(), QString());
}

} // namespace
