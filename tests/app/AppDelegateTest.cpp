#include "AppDelegate.h"

#include "AppMenus.h"
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

class AppDelegateTest : public ::testing::Test
{
protected:
    InputTextView *textField() const { return ui.inputUi().textField; }
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
        ASSERT_TRUE(QTest::qWaitFor([this] { return !ui.appDelegate().isBusy(); }));
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

class LengthTest : public AppDelegateTest, public ::testing::WithParamInterface<LengthCase>
{
};

TEST_P(LengthTest, AnalysesOnlyTextsLongerThanFourCodeUnits)
{
    textField()->setPlainText(GetParam().text);
    ui.appDelegate().textDidChange();
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

TEST_F(AppDelegateTest, AnalysisShowsOneWordLayerPerCountedWordInAlphabeticalOrder)
{
    textField()->setPlainText(u"The cat saw the dog.\nThe dog saw the cat."_s);
    ui.appDelegate().textDidChange();
    finishRequests();
    EXPECT_EQ(cloudWords(), (QStringList{u"cat"_s, u"dog"_s, u"saw"_s, u"the"_s}));
}

TEST_F(AppDelegateTest, SecondAnalysisReplacesTheFirstCloud)
{
    textField()->setPlainText(u"alpha beta gamma"_s);
    ui.appDelegate().textDidChange();
    finishRequests();
    textField()->setPlainText(u"delta epsilon"_s);
    ui.appDelegate().textDidChange();
    finishRequests();
    EXPECT_EQ(cloudWords(), (QStringList{u"delta"_s, u"epsilon"_s}));
    EXPECT_EQ(cloud()->rootLayer()->sublayers().size(), 2u);
}

TEST_F(AppDelegateTest, ImportReplacesTheWholeTextAndAnalysesEvenShortFiles)
{
    textField()->setPlainText(u"previous text that goes away"_s);
    dialogs.chosenFile = writeFile(u"short.txt"_s, "hi");
    ui.appDelegate().importTextFile();
    finishRequests();
    EXPECT_EQ(dialogs.askedFileTypes, QStringList{u"txt"_s});
    EXPECT_TRUE(dialogs.alerts.empty());
    EXPECT_EQ(textField()->toPlainText(), u"hi"_s);
    EXPECT_EQ(cloudWords(), QStringList{u"hi"_s});
}

TEST_F(AppDelegateTest, ChosenFileOfAnotherTypeIsRefusedAndTheTextStays)
{
    textField()->setPlainText(u"the user's own text"_s);
    dialogs.chosenFile = writeFile(u"other.dat"_s, "perfectly good text");
    ui.appDelegate().importTextFile();
    finishRequests();
    ASSERT_EQ(dialogs.alerts.size(), 1u);
    EXPECT_EQ(dialogs.alerts[0].title, u"Cannot Import File"_s);
    EXPECT_TRUE(dialogs.alerts[0].message.contains(*dialogs.chosenFile));
    EXPECT_TRUE(dialogs.alerts[0].message.contains(u".txt"_s));
    EXPECT_EQ(textField()->toPlainText(), u"the user's own text"_s);
    EXPECT_FALSE(ui.cloudWindow()->isVisible());
}

// Files named on the command line or dropped on the window.
TEST_F(AppDelegateTest, OpenedFileMayHaveAnyNameAndIsAnalysed)
{
    ui.appDelegate().openFile(writeFile(u"notes.md"_s, "markdown is text too"));
    finishRequests();
    EXPECT_TRUE(dialogs.alerts.empty());
    EXPECT_EQ(textField()->toPlainText(), u"markdown is text too"_s);
    EXPECT_EQ(cloudWords(), (QStringList{u"is"_s, u"markdown"_s, u"text"_s, u"too"_s}));
}

TEST_F(AppDelegateTest, CloudOfTheNewerOfTwoQuickRequestsStays)
{
    textField()->setPlainText(u"older words "_s.repeated(50000));
    ui.appDelegate().textDidChange();
    textField()->setPlainText(u"newer text"_s);
    ui.appDelegate().textDidChange();
    finishRequests();
    EXPECT_EQ(cloudWords(), (QStringList{u"newer"_s, u"text"_s}));
}

TEST_F(AppDelegateTest, CancelledImportChangesNothing)
{
    textField()->setPlainText(u"kept as it is"_s);
    dialogs.chosenFile.reset();
    ui.appDelegate().importTextFile();
    finishRequests();
    EXPECT_EQ(textField()->toPlainText(), u"kept as it is"_s);
    EXPECT_TRUE(dialogs.alerts.empty());
    EXPECT_FALSE(ui.cloudWindow()->isVisible());
}

struct BadFileCase
{
    const char *name;
    QByteArray bytes; // empty: the file does not exist
    const char *messageFragment;
};

class BadImportTest : public AppDelegateTest, public ::testing::WithParamInterface<BadFileCase>
{
};

TEST_P(BadImportTest, KeepsTheTextViewAndTellsWhichFileAndWhy)
{
    textField()->setPlainText(u"the user's own text"_s);
    const QString path = GetParam().bytes.isEmpty() ? directory.filePath(u"missing.txt"_s)
                                                    : writeFile(u"bad.txt"_s, GetParam().bytes);
    dialogs.chosenFile = path;
    ui.appDelegate().importTextFile();
    finishRequests();
    ASSERT_EQ(dialogs.alerts.size(), 1u);
    EXPECT_TRUE(dialogs.alerts[0].message.contains(path));
    EXPECT_TRUE(dialogs.alerts[0].message.contains(QString::fromUtf8(GetParam().messageFragment)))
        << dialogs.alerts[0].message.toStdString();
    EXPECT_EQ(textField()->toPlainText(), u"the user's own text"_s);
    EXPECT_FALSE(ui.cloudWindow()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Files, BadImportTest,
                         ::testing::Values(BadFileCase{"invalidUtf8", QByteArray("ok \xC3\x28 no"),
                                                       "offset 3"},
                                           BadFileCase{"missing", QByteArray(), "no such file"}),
                         [](const auto &info) { return std::string(info.param.name); });

// The file's text is on its way: the view holds nothing of the user's to analyse, so
// Analyse is off until the text is in, and the import's analysis is the one shown.
TEST_F(AppDelegateTest, AnalyseWaitsForTheImportedText)
{
    textField()->setPlainText(u"typed before the import"_s);
    ui.appDelegate().openFile(writeFile(u"book.txt"_s, "imported words"));
    EXPECT_FALSE(ui.inputUi().analyseButton->isEnabled());
    EXPECT_FALSE(ui.menus().analyseAction()->isEnabled());
    EXPECT_TRUE(textField()->isReadOnly());
    ui.appDelegate().textDidChange();
    finishRequests();
    EXPECT_EQ(textField()->toPlainText(), u"imported words"_s);
    EXPECT_EQ(cloudWords(), (QStringList{u"imported"_s, u"words"_s}));
    EXPECT_TRUE(ui.inputUi().analyseButton->isEnabled());
    EXPECT_TRUE(ui.menus().analyseAction()->isEnabled());
    EXPECT_FALSE(textField()->isReadOnly());
}

// An imported text too long to edit is shown read only: a paste (Edit > Paste, or the
// keys) must not replace it until the user asks to edit it.
TEST_F(AppDelegateTest, PasteCannotTouchALongImportedTextUntilEditHere)
{
    textField()->setLongTextLength(100);
    const QString imported = u"a line of the imported book\n"_s.repeated(20);
    ui.appDelegate().openFile(writeFile(u"book.txt"_s, imported.toUtf8()));
    finishRequests();
    ASSERT_TRUE(textField()->holdsLongText());

    QGuiApplication::clipboard()->setText(u"pasted over"_s);
    textField()->paste();
    EXPECT_TRUE(textField()->holdsLongText());
    EXPECT_EQ(textField()->text(), imported);

    ui.inputUi().editLongTextButton->click();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !textField()->isFilling(); }));
    textField()->moveCursor(QTextCursor::End);
    textField()->paste();
    EXPECT_EQ(textField()->text(), imported + u"pasted over"_s);
}

// The index failed: the cloud stays usable, and the verbarium says why it shows no tree.
TEST_F(AppDelegateTest, FailedIndexKeepsTheCloudAndSaysWhy)
{
    ui.appDelegate().pipeline().setIndexer(
        [](TokenSequence, std::stop_token) -> std::shared_ptr<const TextIndex> {
            throw std::bad_alloc();
        });
    textField()->setPlainText(u"the cat sat on the mat"_s);
    ui.appDelegate().textDidChange();
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
TEST_F(AppDelegateTest, TheCloudIsMadeOnAWorkerThatANewerTextStops)
{
    auto released = std::make_shared<std::atomic<bool>>(false);
    ui.appDelegate().cloudJob().setMeasurerMaker(
        [released] { return std::make_unique<HeldMeasurer>(released); });
    QSignalSpy described(&ui.appDelegate(), &AppDelegate::workDescribed);
    textField()->setPlainText(u"the first text"_s);
    ui.appDelegate().textDidChange();
    // The window's thread goes on, and says what is being done.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return !described.isEmpty() &&
               described.constLast().constFirst().toString() == u"Making the word cloud…"_s;
    }));
    EXPECT_FALSE(ui.cloudWindow()->isVisible());

    textField()->setPlainText(u"a second text"_s);
    ui.appDelegate().textDidChange();
    released->store(true);
    released->notify_all();
    finishRequests();
    EXPECT_EQ(cloudWords(), (QStringList{u"a"_s, u"second"_s, u"text"_s}));
    EXPECT_TRUE(ui.cloudWindow()->isVisible());
    EXPECT_EQ(described.constLast().constFirst().toString(), QString());
}

} // namespace
