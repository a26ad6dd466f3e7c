// The index's compact structures, each held to a literal reading of what it stands for,
// on random and hostile inputs.

#include "CommonPrefixes.h"
#include "PackedInts.h"
#include "PartStarts.h"
#include "RandomTexts.h"
#include "SentenceEnds.h"
#include "SpanList.h"
#include "SuffixArray.h"
#include "TokenSequence.h"
#include "Tokeniser.h"

#include <QBuffer>
#include <cstring>
#include <gtest/gtest.h>
#include <random>

using namespace Qt::Literals::StringLiterals;

namespace {

TEST(PackedInts, GiveBackEveryValueAtEveryWidth)
{
    std::mt19937 random(23);
    for (quint32 width = 1; width <= 32; ++width) {
        const quint64 limit = quint64(1) << width;
        std::vector<quint32> values(1 + random() % 300);
        for (quint32 &value : values)
            value = quint32(random() % limit);
        values.back() = quint32(limit - 1); // the widest value, at the very end
        const PackedInts packed(values, width);
        ASSERT_EQ(packed.size(), values.size());
        for (std::size_t i = 0; i < values.size(); ++i)
            ASSERT_EQ(packed[i], values[i]) << "width " << width << " at " << i;
        EXPECT_LE(packed.bytesUsed(), values.size() * width / 8 + 16);
    }
}

// Every position's part is the one a search of the starts finds, whatever the parts'
// lengths: empty ones, one a token long, one holding nearly all, more parts than tokens.
TEST(PartStarts, FindThePartOfEveryPosition)
{
    std::mt19937 random(29);
    for (const quint32 parts : {2u, 3u, 17u, 500u}) {
        for (const quint32 size : {0u, 1u, parts / 2, parts, 40u * parts, 100000u}) {
            std::vector<quint32> starts{0};
            for (quint32 part = 1; part < parts; ++part)
                starts.push_back(size == 0 ? 0 : quint32(random() % size));
            std::sort(starts.begin(), starts.end());
            const PartStarts found(starts, size);
            for (quint32 position = 0; position <= size; ++position) {
                const auto after = std::upper_bound(starts.begin(), starts.end(), position);
                ASSERT_EQ(found.partOf(position), quint32(after - starts.begin() - 1))
                    << parts << " parts of " << size << " at " << position;
                ASSERT_EQ(found.endOf(position), after == starts.end() ? size : *after);
            }
        }
    }
}

struct SpanCase
{
    const char *name;
    quint32 tokens;
    quint32 largestGap;
    quint32 largestLength;
    quint32 firstTokens; // appended to the first list, the rest to the later one
};

void PrintTo(const SpanCase &spanCase, std::ostream *out)
{
    *out << spanCase.name;
}

class Spans : public testing::TestWithParam<SpanCase>
{
};

QByteArray sectionsOf(const SpanList &spans)
{
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    SectionWriter writer(file);
    spans.writeTo(writer);
    return file.data();
}

SpanList readBack(const QByteArray &sections, quint32 textLength)
{
    SectionReader reader({sections.constData(), std::size_t(sections.size())}, nullptr);
    return SpanList::readFrom(reader, textLength);
}

// Appended one by one, in two lists joined, and read back from their sections.
TEST_P(Spans, AreGivenBackAsAppended)
{
    const SpanCase &spanCase = GetParam();
    std::mt19937 random(spanCase.tokens);
    std::vector<TextSpan> spans;
    quint32 at = 0;
    for (quint32 token = 0; token < spanCase.tokens; ++token) {
        const quint32 begin = at + quint32(random() % (spanCase.largestGap + 1));
        const quint32 end = begin + 1 + quint32(random() % spanCase.largestLength);
        spans.push_back({begin, end});
        at = end;
    }
    SpanList first;
    SpanList later;
    SpanList whole;
    for (std::size_t token = 0; token < spans.size(); ++token) {
        (token < spanCase.firstTokens ? first : later).append(spans[token]);
        whole.append(spans[token]);
    }
    first.append(later);
    first.seal();
    whole.seal();

    const quint32 textLength = spans.empty() ? 0 : spans.back().end;
    // The lists read view their sections.
    const QByteArray joinedSections = sectionsOf(first);
    const QByteArray wholeSections = sectionsOf(whole);
    const SpanList readJoined = readBack(joinedSections, textLength);
    const SpanList readWhole = readBack(wholeSections, textLength);

    for (const SpanList *list :
         {&std::as_const(first), &std::as_const(whole), &readJoined, &readWhole}) {
        ASSERT_EQ(list->size(), spans.size());
        for (quint32 token = 0; token < spans.size(); ++token)
            ASSERT_EQ((*list)[token], spans[token]) << token;
    }
}

// The first section holds the count of tokens and where a join's later tokens begin: a
// join that does not agree with the blocks is refused, not read into spans of other
// tokens.
TEST(Spans, ReadWithAJoinElsewhereAreRefused)
{
    SpanList first;
    SpanList later;
    quint32 at = 0;
    for (quint32 token = 0; token < 1000; ++token, at += 2)
        (token < 300 ? first : later).append({at, at + 1});
    first.append(later);
    first.seal();
    const QByteArray sections = sectionsOf(first);
    ASSERT_EQ(readBack(sections, at).size(), 1000u);
    // Past a section's length: the tokens, then the join.
    constexpr qsizetype joinedAtOffset = 8 + 4;
    for (const quint32 joinedAt : {0u, 299u, 301u, 256u, 900u, 2000u}) {
        QByteArray damaged = sections;
        std::memcpy(damaged.data() + joinedAtOffset, &joinedAt, sizeof joinedAt);
        EXPECT_THROW(readBack(damaged, at), DamagedSections) << joinedAt;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, Spans,
    testing::Values(SpanCase{"Prose", 5000, 2, 9, 1666},
                    SpanCase{"JoinedAtABlocksEnd", 5000, 2, 9, 1280},
                    SpanCase{"LaterWithinTheFirstsLastBlock", 140, 2, 9, 130},
                    SpanCase{"LaterJustPastTheFirstsLastBlock", 300, 2, 9, 250},
                    SpanCase{"LongEnoughForTwoCores", 1'200'000, 2, 9, 400'001},
                    SpanCase{"OneLetterWords", 3000, 1, 1, 1000},
                    SpanCase{"GiantGapsAndWords", 700, 1'000'000, 100'000, 233},
                    SpanCase{"LessThanABlock", 100, 3, 5, 33}, SpanCase{"Empty", 0, 1, 1, 0}),
    [](const testing::TestParamInfo<SpanCase> &info) { return info.param.name; });

// The walk's stop read literally: at the first sentence end whose parent is marked, a
// node being marked below a marked one, below a ".", or when it is a "?" or "!" itself;
// the root is never marked.
quint32 literalStop(const std::vector<SentenceEnds::Kind> &kinds, quint32 position)
{
    using Kind = SentenceEnds::Kind;
    bool parentMarked = false;
    for (quint32 depth = 1; position + depth < kinds.size(); ++depth) {
        const Kind kind = kinds[position + depth];
        if (kind != Kind::Ordinary && parentMarked)
            return depth;
        parentMarked = parentMarked || kinds[position + depth - 1] == Kind::FullStop ||
                       kind == Kind::QuestionOrExclamation;
    }
    return SentenceEnds::never;
}

TEST(SentenceEnds, StopEveryWalkWhereTheRulesDoInEitherDirection)
{
    using Kind = SentenceEnds::Kind;
    std::mt19937 random(2026);
    for (int round = 0; round < 100; ++round) {
        // Sparse ends, dense ends, and runs long enough to cross the stretches of 512.
        const double endShare = std::array{0.0, 0.001, 0.05, 0.5, 1.0}[round % 5];
        std::bernoulli_distribution isEnd(endShare);
        std::vector<Kind> kinds(1 + random() % (round % 7 == 0 ? 20000 : 300));
        for (Kind &kind : kinds)
            kind = !isEnd(random) ? Kind::Ordinary
                   : random() % 2 ? Kind::FullStop
                                  : Kind::QuestionOrExclamation;
        const SentenceEnds ends(kinds);
        const std::vector<Kind> backwardKinds(kinds.rbegin(), kinds.rend());
        const auto size = quint32(kinds.size());
        for (const bool backward : {false, true}) {
            const std::vector<Kind> &read = backward ? backwardKinds : kinds;
            std::vector<quint32> stops(size);
            ends.stopsOf(0, size, backward, stops.data());
            for (quint32 position = 0; position < size; ++position) {
                const quint32 expected = literalStop(read, position);
                ASSERT_EQ(ends.stopAfter(position, backward), expected) << position;
                ASSERT_EQ(stops[position], expected) << position;
            }
        }
    }
}

// The shared prefixes of neighbouring suffixes, cut one past the stop, held to a literal
// comparison of the tokens; and the range minima over them.
void expectPrefixesOf(const QString &text)
{
    TokenSequence tokens = tokenise(text);
    std::vector<quint32> ids = tokens.takeIds();
    const std::vector<quint32> plain = suffixArray(ids, tokens.distinctCount());
    tokens.noteSentenceEnds(ids);
    const CommonPrefixes prefixes(
        CommonPrefixes::inTextOrder(ids, plain, tokens.sentenceEnds(), false, {}, {}), plain, {});
    tokens.pack(std::move(ids));
    const quint32 size = tokens.size();
    std::vector<quint32> expected(size, 0);
    for (quint32 rank = 1; rank < size; ++rank) {
        const quint32 a = plain[rank - 1];
        const quint32 b = plain[rank];
        quint32 shared = 0;
        while (a + shared < size && b + shared < size &&
               tokens.idAt(a + shared) == tokens.idAt(b + shared))
            ++shared;
        const quint32 stop = tokens.sentenceEnds().stopAfter(b, false);
        expected[rank] = stop == SentenceEnds::never ? shared : std::min(shared, stop + 1);
        ASSERT_EQ(prefixes[rank], expected[rank]) << rank;
    }
    std::mt19937 random(size);
    for (int query = 0; query < 2000 && size > 0; ++query) {
        quint32 begin = random() % size;
        quint32 end = random() % size;
        if (begin > end)
            std::swap(begin, end);
        ++end;
        const auto first = std::min_element(expected.begin() + begin, expected.begin() + end);
        ASSERT_EQ(prefixes.positionOfMinimum(begin, end), quint32(first - expected.begin()));
    }
}

struct PrefixCase
{
    const char *name;
    QString text;
};

void PrintTo(const PrefixCase &prefixCase, std::ostream *out)
{
    *out << prefixCase.name;
}

class SharedPrefixes : public testing::TestWithParam<PrefixCase>
{
};

TEST_P(SharedPrefixes, MatchTheLiteralComparisonCutAtTheStop)
{
    expectPrefixesOf(GetParam().text);
}

QString randomTextOf(RandomTexts kind)
{
    std::mt19937 random(kind.tokenCount);
    return randomText(random, kind);
}

QString longSentence()
{
    QString sentence;
    for (int word = 0; word < 400; ++word)
        sentence += u"w%1 "_s.arg(word % 37);
    return sentence + u". "_s;
}

// Pasted several times, most values are 255 and more: all values take 32 bits.
QString longSentencesPasted()
{
    return longSentence().repeated(6);
}

// Pasted twice among prose, a few values are 255 and more: they are listed apart.
QString longSentenceAmongProse()
{
    return randomTextOf({"", 1, 20000, 30, 0.05}) + longSentence().repeated(2) +
           randomTextOf({"", 1, 20001, 30, 0.05});
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SharedPrefixes,
    testing::Values(PrefixCase{"Prose", randomTextOf({"", 1, 20000, 30, 0.05})},
                    PrefixCase{"PastedTwice", randomTextOf({"", 1, 8000, 30, 0.05, true, true})},
                    PrefixCase{"WithoutSentenceEndsWide",
                               randomTextOf({"", 1, 8000, 5, 0.05, false, true})},
                    PrefixCase{"OneWordRepeated", u"the "_s.repeated(5000)},
                    PrefixCase{"LongSentencesPasted", longSentencesPasted()},
                    PrefixCase{"LongSentenceAmongProse", longSentenceAmongProse()},
                    PrefixCase{"Empty", QString()}),
    [](const testing::TestParamInfo<PrefixCase> &info) { return info.param.name; });

} // namespace
