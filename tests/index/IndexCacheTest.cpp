// The index cache: a text opened again gets the index it had, and every file that is not
// an intact index of that text is taken for none (and made again), never read.

#include "IndexCache.h"

#include "Occurrences.h"
#include "RandomTexts.h"
#include "ReferenceTree.h"
#include "TextIndex.h"
#include "TreeGrowth.h"
#include "VerbariumTree.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>
#include <sys/mount.h>
#include <thread>

using namespace Qt::Literals::StringLiterals;

namespace {

QString sampleText()
{
    std::mt19937 random(7);
    return randomText(random, {"", 1, 4000, 40, 0.05, true, true});
}

// Everything that the trees, both ways, and the contexts read from an index.
void expectSameIndex(const TextIndex &kept, const TextIndex &built)
{
    ASSERT_EQ(kept.size(), built.size());
    for (quint32 rank = 0; rank < built.size(); ++rank) {
        ASSERT_EQ(kept.suffixAt(rank), built.suffixAt(rank));
        ASSERT_EQ(kept.tokens().textSpanAt(rank), built.tokens().textSpanAt(rank));
        ASSERT_EQ(kept.sentenceStop(rank), built.sentenceStop(rank));
    }
}

QString printed(const std::shared_ptr<const TextIndex> &index, const QString &word)
{
    const auto tree = growTree(index, word);
    return printedTree(*tree, tree->root());
}

class IndexCacheTest : public testing::Test
{
protected:
    QTemporaryDir m_folder;
    IndexCache m_cache{m_folder.path() + u"/verbarium"_s};
    QString m_text = sampleText();
    TextKey m_key = IndexCache::keyOf(m_text);

    std::shared_ptr<const TextIndex> keptForward()
    {
        auto built = TextIndex::build(m_text);
        EXPECT_EQ(m_cache.keep(m_key, *built), QString());
        return built;
    }
    QStringList files() const
    {
        return QDir(m_cache.directory()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
};

TEST_F(IndexCacheTest, GivesBackTheIndexBothWaysForTheSameTextOnly)
{
    const auto built = keptForward();
    const auto kept = m_cache.open(m_key);
    ASSERT_TRUE(kept);
    expectSameIndex(*kept, *built);
    for (const QString &word : {u"w0"_s, u"w1"_s, u"."_s})
        EXPECT_EQ(printed(kept, word), printed(built, word)) << word.toStdString();
    EXPECT_EQ(occurrencesOf(*kept, {u"w0"_s, u"w1"_s}).firsts,
              occurrencesOf(*built, {u"w0"_s, u"w1"_s}).firsts);

    EXPECT_FALSE(m_cache.openBefore(m_key, kept));
    const auto before = TextIndex::build(built->tokens().reversed());
    EXPECT_EQ(m_cache.keep(m_key, *before), QString());
    const auto keptBefore = m_cache.openBefore(m_key, kept);
    ASSERT_TRUE(keptBefore);
    expectSameIndex(*keptBefore, *before);
    EXPECT_EQ(printed(keptBefore, u"w0"_s), printed(before, u"w0"_s));

    // One more character is another text.
    EXPECT_FALSE(m_cache.open(IndexCache::keyOf(m_text + u'.')));
    EXPECT_EQ(files().size(), 2);
}

// The cloud keeps the words of a text reopened from the cache after its index is gone
// (a newer text's came): they were views of the file's mapping, and painting them read
// unmapped memory.
TEST_F(IndexCacheTest, WordsOutliveTheIndexReadFromTheFile)
{
    keptForward();
    auto kept = m_cache.open(m_key);
    ASSERT_TRUE(kept);
    QStringList words;
    for (quint32 id = 0; id < kept->tokens().distinctCount(); ++id)
        words.append(kept->tokens().word(id));
    std::vector<QString> deep;
    for (const QString &word : words)
        deep.emplace_back(word.constData(), word.size());
    kept.reset();
    ASSERT_EQ(words.size(), qsizetype(deep.size()));
    for (qsizetype i = 0; i < words.size(); ++i)
        ASSERT_EQ(words[i], deep[std::size_t(i)]);
}

struct Damage
{
    const char *name;
    std::function<void(QByteArray &)> apply;
};

void PrintTo(const Damage &damage, std::ostream *out)
{
    *out << damage.name;
}

class DamagedFile : public IndexCacheTest, public testing::WithParamInterface<Damage>
{
};

// The header's fields: its first eight bytes name the file, then the byte order, then the
// version.
constexpr int byteOrderAt = 8;
constexpr int versionAt = 12;

TEST_P(DamagedFile, IsTakenForNoneAndRemoved)
{
    keptForward();
    ASSERT_EQ(files().size(), 1);
    const QString path = m_cache.directory() + u'/' + files().constFirst();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    GetParam().apply(bytes);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();

    EXPECT_FALSE(m_cache.open(m_key));
    EXPECT_TRUE(files().isEmpty());
    keptForward();
    EXPECT_TRUE(m_cache.open(m_key)); // made again, it is read again
}

INSTANTIATE_TEST_SUITE_P(
    Damages, DamagedFile,
    testing::Values(
        Damage{"Empty", [](QByteArray &bytes) { bytes.clear(); }},
        Damage{"HeaderOnly", [](QByteArray &bytes) { bytes.truncate(64); }},
        Damage{"CutInHalf", [](QByteArray &bytes) { bytes.truncate(bytes.size() / 2); }},
        Damage{"LastByteMissing", [](QByteArray &bytes) { bytes.chop(1); }},
        Damage{
            "BitFlippedInTheMiddle",
            [](QByteArray &bytes) { bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 4); }},
        Damage{"BitFlippedInTheChecksum",
               [](QByteArray &bytes) {
                   bytes[bytes.size() - 12] = char(bytes[bytes.size() - 12] ^ 1);
               }},
        Damage{"OtherVersion",
               [](QByteArray &bytes) { bytes[versionAt] = char(bytes[versionAt] + 1); }},
        Damage{"OtherByteOrder",
               [](QByteArray &bytes) {
                   std::reverse(bytes.begin() + byteOrderAt, bytes.begin() + byteOrderAt + 4);
               }},
        Damage{"SomethingElse", [](QByteArray &bytes) { bytes = QByteArray(4096, 'x'); }}),
    [](const testing::TestParamInfo<Damage> &info) { return info.param.name; });

TEST_F(IndexCacheTest, RemovesTheLeastRecentlyUsedBeyondTheLimit)
{
    const auto built = TextIndex::build(m_text);
    ASSERT_EQ(m_cache.keep(m_key, *built), QString());
    const qint64 oneFile = QFileInfo(m_cache.directory() + u'/' + files().constFirst()).size();
    // Room for two such files: a third pushes out the one used least recently.
    const IndexCache small(m_cache.directory(), oneFile * 5 / 2);
    const TextKey second{{1, 2}, m_key.length};
    const TextKey third{{3, 4}, m_key.length};
    std::this_thread::sleep_for(std::chrono::milliseconds(20)); // file times apart
    ASSERT_EQ(small.keep(second, *built), QString());
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(small.open(m_key)); // used now: the second is the least recent
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(small.keep(third, *built), QString());
    EXPECT_TRUE(small.open(m_key));
    EXPECT_TRUE(small.open(third));
    EXPECT_FALSE(small.open(second));

    const IndexCache none(m_cache.directory(), 0);
    EXPECT_FALSE(none.open(m_key));
    EXPECT_EQ(none.keep(m_key, *built), QString());
}

// Writers of the same text at once each write a file of their own and rename it: a
// reader meanwhile finds an intact index or none, never a part of one.
TEST_F(IndexCacheTest, WritersAtOnceLeaveOneIntactFile)
{
    const auto built = TextIndex::build(m_text);
    std::atomic<bool> writing = true;
    std::vector<std::thread> writers;
    for (int writer = 0; writer < 3; ++writer)
        writers.emplace_back([&] {
            for (int round = 0; round < 10; ++round)
                EXPECT_EQ(IndexCache(m_cache.directory()).keep(m_key, *built), QString());
        });
    int read = 0;
    std::thread reader([&] {
        while (writing) {
            // Reading a name that another writer replaces meanwhile maps the one or the
            // other whole; opened, it must be the text's index.
            if (const auto kept = IndexCache(m_cache.directory()).open(m_key)) {
                expectSameIndex(*kept, *built);
                ++read;
            }
        }
    });
    for (std::thread &writer : writers)
        writer.join();
    writing = false;
    reader.join();
    EXPECT_GT(read, 0);
    EXPECT_EQ(files().size(), 1); // no writer's own file left behind
    EXPECT_TRUE(m_cache.open(m_key));
}

// A tiny file system: the write fails, says why, and leaves nothing.
TEST_F(IndexCacheTest, FullDiskSaysWhyAndLeavesNothing)
{
    const QString small = m_folder.path() + u"/small"_s;
    ASSERT_TRUE(QDir().mkpath(small));
    if (mount("tmpfs", QFile::encodeName(small).constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small file system here (not root?)";
    const IndexCache cache(small + u"/verbarium"_s);
    const QString problem = cache.keep(m_key, *TextIndex::build(m_text.repeated(10)));
    EXPECT_TRUE(problem.contains(u"space"_s, Qt::CaseInsensitive)) << problem.toStdString();
    EXPECT_TRUE(QDir(cache.directory()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    umount(QFile::encodeName(small).constData());
}

} // namespace
