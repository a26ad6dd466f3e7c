// Index files whose checksum holds but whose values do not: each is read as none, never
// into a tree that reads past the text or a search that never ends.

#include "IndexCache.h"
#include "Occurrences.h"
#include "SectionFile.h"
#include "TextIndex.h"
#include "TreeGrowth.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <bit>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Fewer than 64 tokens, so that the range minima hold no blocks, which any change of a
// value would upset: each row below is caught by the check it is named after.
const QString text = u"The cat saw the dog. The dog saw a cat! The end. A cat, the dog."_s;

// The file's sections, in the order the index writes them.
enum Section {
    IdWords = 7,
    PendingSpans = 11,
    FullStopWords = 13,
    FullStopFirsts = 14,
    SuffixWords = 22,
    NarrowPrefixes = 23,
    WordSlots = 4,
};

constexpr qsizetype headerSize = 64;
constexpr qsizetype trailerSize = 16;

// Where each section's values lie in the file's bytes.
QList<std::pair<qsizetype, qsizetype>> sectionsOf(const QByteArray &file)
{
    QList<std::pair<qsizetype, qsizetype>> sections;
    for (qsizetype at = headerSize; at < file.size() - trailerSize;) {
        quint64 length = 0;
        std::memcpy(&length, file.constData() + at, sizeof length);
        sections.append({at + 8, qsizetype(length)});
        at += 8 + qsizetype(length + (8 - length % 8) % 8);
    }
    return sections;
}

template<typename T> T *valuesOf(QByteArray &file, Section section)
{
    return reinterpret_cast<T *>(file.data() + sectionsOf(file)[section].first);
}

struct Craft
{
    const char *name;
    // Changes the bytes of the file that index was written to.
    std::function<void(QByteArray &, const TextIndex &index)> apply;
};

void PrintTo(const Craft &craft, std::ostream *out)
{
    *out << craft.name;
}

class CraftedIndexFile : public testing::TestWithParam<Craft>
{
protected:
    QTemporaryDir m_folder;
    IndexCache m_cache{m_folder.path()};
    TextKey m_key = IndexCache::keyOf(text);
    std::shared_ptr<const TextIndex> m_built = TextIndex::build(text);

    QString keptFile()
    {
        EXPECT_EQ(m_cache.keep(m_key, *m_built), QString());
        return m_cache.directory() + u'/' +
               QDir(m_cache.directory()).entryList(QDir::Files).constFirst();
    }
};

// The checksum made again over the changed sections, as a crafted file would have it.
void rewrite(const QString &path, QByteArray bytes)
{
    const quint64 checksum = checksumOf(std::span<const char>(
        bytes.constData() + headerSize, std::size_t(bytes.size() - headerSize - trailerSize)));
    std::memcpy(bytes.data() + bytes.size() - trailerSize, &checksum, sizeof checksum);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

TEST_P(CraftedIndexFile, IsTakenForNone)
{
    const QString path = keptFile();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    ASSERT_LT(m_built->size(), 64u);
    ASSERT_TRUE(m_cache.open(m_key)) << "the file as written is read";
    GetParam().apply(bytes, *m_built);
    rewrite(path, bytes);
    EXPECT_FALSE(m_cache.open(m_key));
}

quint32 rankOfSuffix(const TextIndex &index, quint32 position)
{
    quint32 rank = 0;
    while (index.suffixAt(rank) != position)
        ++rank;
    return rank;
}

INSTANTIATE_TEST_SUITE_P(
    Crafts, CraftedIndexFile,
    testing::Values(
        // The packed values' bits all set: past the words or the tokens, as neither count
        // is a power of two.
        Craft{"IdPastTheWords",
              [](QByteArray &bytes, const TextIndex &index) {
                  ASSERT_FALSE(std::has_single_bit(index.tokens().distinctCount()));
                  valuesOf<quint32>(bytes, IdWords)[0] = ~0u;
              }},
        Craft{"SuffixPastTheText",
              [](QByteArray &bytes, const TextIndex &index) {
                  ASSERT_FALSE(std::has_single_bit(index.size()));
                  valuesOf<quint32>(bytes, SuffixWords)[0] = ~0u;
              }},
        // The last token shares at most itself with the suffix sorted before it.
        Craft{"SharedPrefixPastTheText",
              [](QByteArray &bytes, const TextIndex &index) {
                  valuesOf<quint8>(bytes, NarrowPrefixes)[rankOfSuffix(index, index.size() - 1)] =
                      2;
              }},
        Craft{"NoEmptySlotForWordsNotThere",
              [](QByteArray &bytes, const TextIndex &) {
                  const qsizetype count = sectionsOf(bytes)[WordSlots].second / 8;
                  quint64 *table = valuesOf<quint64>(bytes, WordSlots);
                  const quint64 filled =
                      *std::find_if(table, table + count, [](quint64 slot) { return slot != 0; });
                  std::replace(table, table + count, quint64(0), filled);
              }},
        Craft{"SpanPastTheText",
              [](QByteArray &bytes, const TextIndex &index) {
                  valuesOf<TextSpan>(bytes, PendingSpans)[index.size() - 1].end =
                      quint32(text.size() + 1);
              }},
        Craft{"SpansOutOfOrder",
              [](QByteArray &bytes, const TextIndex &) {
                  std::swap(valuesOf<TextSpan>(bytes, PendingSpans)[0],
                            valuesOf<TextSpan>(bytes, PendingSpans)[1]);
              }},
        // The second "." moved onto the word after it: the first and last stay, and with
        // them the directory.
        Craft{"FullStopOnAWord",
              [](QByteArray &bytes, const TextIndex &) {
                  quint64 &bits = valuesOf<quint64>(bytes, FullStopWords)[0];
                  const quint64 first = bits & -bits;
                  const quint64 second = (bits & ~first) & -(bits & ~first);
                  bits = (bits & ~second) | (second << 1);
              }},
        Craft{"MisleadingDirectory",
              [](QByteArray &bytes, const TextIndex &) {
                  valuesOf<quint32>(bytes, FullStopFirsts)[0] = SentenceEnds::never;
              }},
        Craft{"FullStopPastTheLastToken",
              [](QByteArray &bytes, const TextIndex &) {
                  valuesOf<quint64>(bytes, FullStopWords)[0] |= quint64(1) << 63;
              }}),
    [](const testing::TestParamInfo<Craft> &info) { return info.param.name; });

// What reading cannot tell cheaply, the suffixes' order, a tree finds out as it grows:
// with any two suffixes swapped, each tree and each list of occurrences is grown or
// refused as damaged, and none reads past the text (the sanitizer build tells).
TEST_F(CraftedIndexFile, SuffixesInTheWrongOrderGiveTreesOrRefusals)
{
    const QString path = keptFile();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray original = file.readAll();
    file.close();
    const QStringList words{u"the"_s, u"cat"_s, u"dog"_s, u"."_s, u"a"_s};
    int refused = 0;
    for (quint32 first = 0; first + 1 < m_built->size(); ++first) {
        QByteArray bytes = original;
        // Two neighbours' values swapped in the packed words.
        const auto width = quint32(std::bit_width(m_built->size() - 1));
        auto *words32 = valuesOf<quint32>(bytes, SuffixWords);
        const auto setAt = [&](quint32 rank, quint32 value) {
            for (quint32 bit = 0; bit < width; ++bit) {
                const quint32 at = rank * width + bit;
                words32[at / 32] =
                    (words32[at / 32] & ~(1u << (at % 32))) | (((value >> bit) & 1u) << (at % 32));
            }
        };
        const quint32 second = first + 1;
        setAt(first, m_built->suffixAt(second));
        setAt(second, m_built->suffixAt(first));
        rewrite(path, bytes);
        const auto crafted = m_cache.open(m_key);
        if (!crafted)
            continue;
        for (const QString &word : words) {
            try {
                growTree(crafted, word);
                occurrencesOf(*crafted, {word, u"cat"_s});
            } catch (const DamagedIndex &) {
                ++refused;
            }
        }
    }
    EXPECT_GT(refused, 0);
}

} // namespace
