#include "TextPipeline.h"

#include "StopCheck.h"
#include "TextAnalysis.h"
#include "TextIndex.h"
#include "TokenSequence.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace Qt::Literals::StringLiterals;

namespace {

// What a pipeline handed back, in order, as short names.
class Steps : public QObject
{
public:
    explicit Steps(TextPipeline &pipeline)
    {
        connect(&pipeline, &TextPipeline::textRead, this, [this](const TextFile &file) {
            names << u"read "_s + file.text +
                         (file.parts.empty() ? QString()
                                             : u" in %1 files"_s.arg(file.parts.size())) +
                         (file.leftOut.isEmpty() ? QString()
                                                 : u", left out: "_s + file.leftOut.join(u"; "));
        });
        connect(&pipeline, &TextPipeline::textAnalysed, this,
                [this](const std::shared_ptr<const TextAnalysis> &analysis) {
                    names << u"analysed "_s + analysis->text;
                });
        connect(&pipeline, &TextPipeline::textIndexed, this,
                [this](const std::shared_ptr<const TextIndex> &index) {
                    names << u"indexed %1 tokens"_s.arg(index->size()) +
                                 (index->tokens().partStarts().empty()
                                      ? QString()
                                      : u" in %1 files"_s.arg(index->tokens().partStarts().size()));
                });
        connect(
            &pipeline, &TextPipeline::failed, this,
            [this](TextPipeline::Stage stage, const QString &message, const QStringList &leftOut) {
                names << u"failed %1: %2"_s.arg(int(stage)).arg(message) +
                             (leftOut.isEmpty() ? QString() : u"\n"_s + leftOut.join(u'\n'));
            });
    }
    QStringList names;
};

// An indexer that waits until its job is stopped, and says when it saw the stop.
struct StoppableIndexer
{
    std::shared_ptr<std::atomic<int>> started = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<std::atomic<int>> stopped = std::make_shared<std::atomic<int>>(0);

    TextPipeline::Indexer indexer() const
    {
        return [started = started, stopped = stopped](
                   TokenSequence, std::stop_token stop) -> std::shared_ptr<const TextIndex> {
            ++*started;
            while (!stop.stop_requested())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            ++*stopped;
            throw WorkStopped();
        };
    }
};

void waitUntilIdle(const TextPipeline &pipeline)
{
    ASSERT_TRUE(QTest::qWaitFor([&] { return !pipeline.isBusy(); }));
}

TEST(TextPipelineTest, HandsBackEachStageAsItIsDone)
{
    QTemporaryDir directory;
    const QString path = directory.filePath(u"book.txt"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Three words here");
    file.close();

    TextPipeline pipeline;
    Steps steps(pipeline);
    pipeline.importFiles({path});
    EXPECT_TRUE(pipeline.isBusy());
    waitUntilIdle(pipeline);
    EXPECT_EQ(steps.names, (QStringList{u"read Three words here"_s, u"analysed Three words here"_s,
                                        u"indexed 3 tokens"_s}));
}

// A folder is read as a corpus: its files kept apart to the index, a file that is not
// UTF-8 left out and named; an analysis of the corpus's text again keeps its parts.
TEST(TextPipelineTest, ReadsAFolderAsACorpusOfItsFiles)
{
    QTemporaryDir directory;
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(directory.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(u"a.txt"_s, "one two");
    write(u"b.txt"_s, "three");
    write(u"c.txt"_s, "bad \xff byte");

    TextPipeline pipeline;
    Steps steps(pipeline);
    pipeline.importFiles({directory.path()});
    waitUntilIdle(pipeline);
    ASSERT_EQ(steps.names.size(), 3) << steps.names.join(u'|').toStdString();
    EXPECT_TRUE(steps.names[0].startsWith(u"read one two\nthree in 2 files, left out: "_s +
                                          directory.path() + u"/c.txt: "_s))
        << steps.names[0].toStdString();
    EXPECT_EQ(steps.names[1], u"analysed one two\nthree"_s);
    EXPECT_EQ(steps.names[2], u"indexed 3 tokens in 2 files"_s);

    steps.names.clear();
    pipeline.analyse(u"one two\nthree"_s, {{u"a"_s, 0, 7}, {u"b"_s, 8, 5}});
    waitUntilIdle(pipeline);
    EXPECT_EQ(steps.names,
              (QStringList{u"analysed one two\nthree"_s, u"indexed 3 tokens in 2 files"_s}));
}

TEST(TextPipelineTest, AFolderWithoutAReadableFileFailsNamingEachFile)
{
    QTemporaryDir directory;
    QFile file(directory.filePath(u"c.txt"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xff");
    file.close();

    TextPipeline pipeline;
    Steps steps(pipeline);
    pipeline.importFiles({directory.path(), directory.filePath(u"missing.txt"_s)});
    waitUntilIdle(pipeline);
    ASSERT_EQ(steps.names.size(), 1);
    const QStringList lines = steps.names[0].split(u'\n');
    ASSERT_EQ(lines.size(), 3) << steps.names[0].toStdString();
    EXPECT_EQ(lines[0], u"failed %1: none of the files could be read"_s.arg(
                            int(TextPipeline::Stage::Reading)));
    EXPECT_TRUE(lines[1].startsWith(directory.filePath(u"c.txt: "_s)));
    EXPECT_TRUE(lines[2].startsWith(directory.filePath(u"missing.txt: "_s)));
}

TEST(TextPipelineTest, AJobThatThrowsSaysSoAndKeepsWhatWasDone)
{
    TextPipeline pipeline;
    pipeline.setIndexer([](TokenSequence, std::stop_token) -> std::shared_ptr<const TextIndex> {
        throw std::bad_alloc();
    });
    Steps steps(pipeline);
    pipeline.analyse(u"some words"_s);
    waitUntilIdle(pipeline);
    ASSERT_EQ(steps.names.size(), 2);
    EXPECT_EQ(steps.names[0], u"analysed some words"_s);
    EXPECT_TRUE(
        steps.names[1].startsWith(u"failed %1: "_s.arg(int(TextPipeline::Stage::Indexing))));
    EXPECT_TRUE(steps.names[1].contains(u"not enough memory"_s)) << steps.names[1].toStdString();
}

TEST(TextPipelineTest, FailedReadSaysWhichFile)
{
    TextPipeline pipeline;
    Steps steps(pipeline);
    pipeline.importFiles({u"/nonexistent/book.txt"_s});
    waitUntilIdle(pipeline);
    ASSERT_EQ(steps.names.size(), 1);
    EXPECT_TRUE(steps.names[0].startsWith(
        u"failed %1: /nonexistent/book.txt"_s.arg(int(TextPipeline::Stage::Reading))));
}

// The older job is stopped, not only its result dropped: its work ends.
TEST(TextPipelineTest, NewerTextStopsTheOlderJob)
{
    TextPipeline pipeline;
    Steps steps(pipeline);
    StoppableIndexer slow;
    pipeline.setIndexer(slow.indexer());
    pipeline.analyse(u"older words"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return *slow.started == 1 && steps.names.size() == 1; }));
    pipeline.setIndexer([](TokenSequence tokens, std::stop_token stop) {
        return TextIndex::build(std::move(tokens), std::move(stop));
    });
    pipeline.analyse(u"newer words"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return *slow.stopped == 1; }));
    waitUntilIdle(pipeline);
    EXPECT_EQ(steps.names, (QStringList{u"analysed older words"_s, u"analysed newer words"_s,
                                        u"indexed 2 tokens"_s}));
}

TEST(TextPipelineTest, GoingAwayStopsTheJob)
{
    StoppableIndexer slow;
    {
        TextPipeline pipeline;
        pipeline.setIndexer(slow.indexer());
        pipeline.analyse(u"some words"_s);
        ASSERT_TRUE(QTest::qWaitFor([&] { return *slow.started == 1; }));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return *slow.stopped == 1; }));
}

} // namespace

namespace {

std::vector<std::pair<QString, qsizetype>> countsOf(const CountedSet &words)
{
    std::vector<std::pair<QString, qsizetype>> counts;
    for (const CountedSet::Entry &entry : words)
        counts.emplace_back(entry.word, entry.count);
    return counts;
}

// A text analysed again comes from the index cache: the same counts and index, with
// nothing tokenised or indexed; another text is indexed.
TEST(TextPipelineTest, TextAnalysedAgainIsReadFromTheIndexCache)
{
    QTemporaryDir cacheFolder;
    const IndexCache cache(cacheFolder.path());
    TextPipeline pipeline;
    pipeline.setCache(cache);
    auto indexed = std::make_shared<std::atomic<int>>(0);
    pipeline.setIndexer([indexed](TokenSequence tokens, std::stop_token stop) {
        ++*indexed;
        return TextIndex::build(std::move(tokens), std::move(stop));
    });
    std::shared_ptr<const TextIndex> index;
    std::shared_ptr<const TextAnalysis> analysis;
    QObject::connect(&pipeline, &TextPipeline::textIndexed,
                     [&index](const std::shared_ptr<const TextIndex> &given) { index = given; });
    QObject::connect(
        &pipeline, &TextPipeline::textAnalysed,
        [&analysis](const std::shared_ptr<const TextAnalysis> &given) { analysis = given; });
    const QString text = u"The cat saw the dog. The dog saw the cat."_s;
    pipeline.analyse(text);
    waitUntilIdle(pipeline);
    ASSERT_TRUE(index && analysis);
    const auto firstIndex = index;
    const auto firstWords = countsOf(*analysis->allWords);
    // Kept on a worker of its own: there once the cache finds it.
    ASSERT_TRUE(QTest::qWaitFor([&] { return cache.open(IndexCache::keyOf(text)) != nullptr; }));

    pipeline.analyse(text);
    waitUntilIdle(pipeline);
    EXPECT_EQ(*indexed, 1);
    ASSERT_NE(index, firstIndex);
    ASSERT_EQ(index->size(), firstIndex->size());
    for (quint32 rank = 0; rank < index->size(); ++rank)
        EXPECT_EQ(index->suffixAt(rank), firstIndex->suffixAt(rank));
    EXPECT_EQ(countsOf(*analysis->allWords), firstWords);
    ASSERT_TRUE(index->kept()); // so that the words before are kept beside it

    pipeline.analyse(text + u" Another."_s);
    waitUntilIdle(pipeline);
    EXPECT_EQ(*indexed, 2);
}

} // namespace
