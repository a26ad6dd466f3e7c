#include "InputTextView.h"

#include "LongTextDocument.h"
#include "LongTextView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QThread>
#include <QUrl>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Longer than what goes in at once, with astral characters (two code units each) and
// lines of all lengths, so that pieces end in every kind of place.
QString longText()
{
    QString text;
    for (int line = 0; text.size() < 600 * 1024; ++line)
        text += u"line %1 \U0001D400"_s.arg(line).repeated(line % 700) + u'\n';
    return text;
}

void waitUntilFilled(InputTextView &view)
{
    ASSERT_TRUE(QTest::qWaitFor([&view] { return !view.isFilling(); }, 60000));
}

TEST(InputTextViewTest, LongTextGoesInPieceByPieceReadOnlyAndIsWholeFromTheStart)
{
    InputTextView view;
    QSignalSpy progress(&view, &InputTextView::fillProgress);
    const QString text = longText();
    view.replaceText(text);
    EXPECT_TRUE(view.isFilling());
    EXPECT_TRUE(view.isReadOnly());
    EXPECT_EQ(view.text(), text);
    EXPECT_EQ(view.textLength(), text.size());
    waitUntilFilled(view);
    ASSERT_GE(progress.count(), 2);
    EXPECT_EQ(progress.first()[0].value<qsizetype>(), 0);
    EXPECT_EQ(progress.last()[0].value<qsizetype>(), text.size());
    EXPECT_FALSE(view.isReadOnly());
    EXPECT_EQ(view.toPlainText(), text);
    EXPECT_EQ(view.textCursor().position(), 0);
}

struct PasteCase
{
    const char *name;
    QString before;
    int selectionStart;
    int selectionEnd;
};

class LongPasteTest : public ::testing::TestWithParam<PasteCase>
{
};

TEST_P(LongPasteTest, ReplacesTheSelectionAsAShortPasteWould)
{
    const PasteCase &paste = GetParam();
    InputTextView view;
    view.setPlainText(paste.before);
    QTextCursor cursor(view.document());
    cursor.setPosition(paste.selectionStart);
    cursor.setPosition(paste.selectionEnd, QTextCursor::KeepAnchor);
    view.setTextCursor(cursor);

    const QString pasted = longText();
    QGuiApplication::clipboard()->setText(pasted);
    view.paste();
    const QString expected =
        paste.before.left(paste.selectionStart) + pasted + paste.before.mid(paste.selectionEnd);
    EXPECT_EQ(view.text(), expected);
    waitUntilFilled(view);
    EXPECT_EQ(view.toPlainText(), expected);
    EXPECT_EQ(view.textCursor().position(), paste.selectionStart + pasted.size());
}

INSTANTIATE_TEST_SUITE_P(Places, LongPasteTest,
                         ::testing::Values(PasteCase{"intoEmpty", u""_s, 0, 0},
                                           PasteCase{"atTheEnd", u"first words"_s, 11, 11},
                                           PasteCase{"inTheMiddle", u"first words"_s, 5, 5},
                                           PasteCase{"overASelection",
                                                     u"first words\nsecond line"_s, 3, 15}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(InputTextViewTest, EditDuringALongFillStopsItAndTheViewBecomesTheText)
{
    InputTextView view;
    view.replaceText(longText());
    view.setPlainText(u"typed over it"_s);
    EXPECT_FALSE(view.isFilling());
    EXPECT_FALSE(view.isReadOnly());
    EXPECT_EQ(view.text(), u"typed over it"_s);
}

struct DropCase
{
    const char *name;
    std::function<void(QMimeData &)> fill;
    QStringList droppedFiles; // empty: nothing is handed on
    QString textAfter;
};

class DropTest : public ::testing::TestWithParam<DropCase>
{
};

TEST_P(DropTest, FilesAreHandedOnAndTextIsInserted)
{
    InputTextView view;
    view.resize(300, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.setPlainText(u"kept"_s);
    QSignalSpy dropped(&view, &InputTextView::filesDropped);

    QMimeData data;
    GetParam().fill(data);
    // Past the end of the text, so a text drop lands after it.
    const QPointF place(250, 150);
    QDragEnterEvent enter(place.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(view.viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(place, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(view.viewport(), &drop);

    if (GetParam().droppedFiles.isEmpty()) {
        EXPECT_EQ(dropped.count(), 0);
    } else {
        ASSERT_EQ(dropped.count(), 1);
        EXPECT_EQ(dropped[0][0].toStringList(), GetParam().droppedFiles);
    }
    EXPECT_EQ(view.toPlainText(), GetParam().textAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Drops, DropTest,
    ::testing::Values(DropCase{"file",
                               [](QMimeData &data) {
                                   data.setUrls({QUrl::fromLocalFile(u"/tmp/book.md"_s)});
                                   data.setText(u"/tmp/book.md"_s);
                               },
                               QStringList{u"/tmp/book.md"_s}, u"kept"_s},
                      DropCase{"filesAndAFolder",
                               [](QMimeData &data) {
                                   data.setUrls({QUrl::fromLocalFile(u"/tmp/b.txt"_s),
                                                 QUrl::fromLocalFile(u"/tmp/a.txt"_s),
                                                 QUrl::fromLocalFile(u"/tmp/chapters"_s)});
                               },
                               QStringList{u"/tmp/b.txt"_s, u"/tmp/a.txt"_s, u"/tmp/chapters"_s},
                               u"kept"_s},
                      DropCase{"text", [](QMimeData &data) { data.setText(u" and more"_s); },
                               QStringList(), u"kept and more"_s}),
    [](const auto &info) { return std::string(info.param.name); });

// A text too long to edit is held, not put into the editor, until the user asks for it.
TEST(InputTextViewTest, TextTooLongToEditIsHeldUntilAskedFor)
{
    InputTextView view;
    view.setLongTextLength(1000);
    QSignalSpy shown(&view, &InputTextView::longTextChanged);
    const QString text = u"a line of a long text\n"_s.repeated(100);
    view.replaceText(text);
    EXPECT_TRUE(view.holdsLongText());
    EXPECT_TRUE(view.isReadOnly());
    EXPECT_FALSE(view.isFilling());
    EXPECT_EQ(view.text(), text);
    EXPECT_EQ(view.toPlainText(), QString());
    ASSERT_EQ(shown.count(), 1);
    EXPECT_EQ(shown.last()[0].toString(), text);

    // Edit Here: read only while its document is built, then the editor's.
    QSignalSpy progress(&view, &InputTextView::fillProgress);
    view.editLongText();
    EXPECT_TRUE(view.isReadOnly());
    EXPECT_TRUE(view.isFilling());
    waitUntilFilled(view);
    EXPECT_FALSE(view.holdsLongText());
    EXPECT_EQ(shown.last()[0].toString(), QString());
    EXPECT_EQ(view.toPlainText(), text);
    EXPECT_EQ(view.text(), text);
    EXPECT_FALSE(view.isReadOnly());
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.last()[0].toLongLong(), text.size());
    // Typed into, the text is the editor's.
    view.moveCursor(QTextCursor::End);
    QTest::keyClicks(&view, u"more"_s);
    EXPECT_EQ(view.text(), text + u"more"_s);

    // Pasted into an empty view, it is held too; a shorter text goes into the editor.
    view.clear();
    QGuiApplication::clipboard()->setText(text);
    view.paste();
    EXPECT_TRUE(view.holdsLongText());
    view.replaceText(u"short"_s);
    EXPECT_FALSE(view.holdsLongText());
    EXPECT_EQ(view.toPlainText(), u"short"_s);
}

// Ctrl+V with nothing on the clipboard (no application offers anything) changes nothing;
// it crashed the editor.
TEST(InputTextViewTest, PastingAnEmptyClipboardChangesNothing)
{
    InputTextView view;
    view.setPlainText(u"kept"_s);
    QGuiApplication::clipboard()->setMimeData(new QMimeData);
    QTest::keySequence(&view, QKeySequence::Paste);
    EXPECT_EQ(view.text(), u"kept"_s);
}

struct GatherCase
{
    const char *name;
    QString text;
    int blocks; // of the editor's document
};

void PrintTo(const GatherCase &gatherCase, std::ostream *out)
{
    *out << gatherCase.name;
}

class LongTextDocumentTest : public ::testing::TestWithParam<GatherCase>
{
};

// The lines of a long text go into the editor gathered in blocks, every kind of line
// break among them; its plain text is the text, each line break a line feed.
TEST_P(LongTextDocumentTest, GathersLinesIntoBlocksAndGivesTheTextBack)
{
    const GatherCase &row = GetParam();
    qsizetype reported = 0;
    const auto document =
        longTextDocument(row.text, QThread::currentThread(), {},
                         [&reported](qsizetype done, qsizetype) { reported = done; });
    EXPECT_EQ(document->blockCount(), row.blocks);
    QString expected = row.text;
    expected.replace(u"\r\n"_s, u"\n"_s)
        .replace(u'\r', u'\n')
        .replace(QChar::ParagraphSeparator, u'\n');
    EXPECT_EQ(document->toPlainText(), expected);
    EXPECT_EQ(reported, row.text.size());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LongTextDocumentTest,
    ::testing::Values(
        GatherCase{"oneBlockOf64Lines", u"line\n"_s.repeated(63) + u"last"_s, 1},
        GatherCase{"the65thLineStartsABlock", u"line\n"_s.repeated(64) + u"last"_s, 2},
        GatherCase{"everyKindOfBreak", u"a\r\nb\rc\u2029d\ne"_s, 1},
        GatherCase{"crLfCountsOnce", u"x\r\n"_s.repeated(64) + u"y"_s, 2},
        GatherCase{"longLinesEndBlocksSooner", (QString(10000, u'w') + u'\n').repeated(4), 3},
        GatherCase{"emptyText", QString(), 1}),
    [](const auto &info) { return std::string(info.param.name); });

struct LineCase
{
    const char *name;
    QString text;
    std::vector<quint32> starts;
};

class LineStartsTest : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(LineStartsTest, EveryKindOfLineBreakEndsALine)
{
    EXPECT_EQ(lineStartsOf(GetParam().text), GetParam().starts);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LineStartsTest,
    ::testing::Values(LineCase{"empty", u""_s, {0}}, LineCase{"oneLine", u"abc"_s, {0}},
                      LineCase{"lastLineEnded", u"a\nb\n"_s, {0, 2}},
                      LineCase{"crLfIsOneBreak", u"a\r\nb"_s, {0, 3}},
                      LineCase{"crAlone", u"a\rb"_s, {0, 2}},
                      LineCase{"separators", u"a\u2028b\u2029c"_s, {0, 2, 4}},
                      LineCase{"tabFeedAndNextLine", u"a\vb\fc\u0085d"_s, {0, 2, 4, 6}},
                      LineCase{"emptyLines", u"\n\n"_s, {0, 1}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
