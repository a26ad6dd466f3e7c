// The numbers of a corpus's files: each word's count in each file and where a sequence
// falls, held to the files counted one by one.

#include "FileNumbers.h"

#include "Dispersion.h"
#include "Occurrences.h"
#include "QtPrinters.h"
#include "TextIndex.h"
#include "TokenWords.h"
#include "Tokeniser.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The files joined as a corpus is read: each on a line of its own.
struct Corpus
{
    QStringList texts;
    QString text;
    std::vector<TextPart> parts;
    std::vector<TextSpan> spans;

    explicit Corpus(const QStringList &files)
        : texts(files)
    {
        for (qsizetype file = 0; file < files.size(); ++file) {
            if (!text.isEmpty())
                text += u'\n';
            parts.push_back(
                {u"f%1"_s.arg(file), quint32(text.size()), quint32(files[file].size())});
            spans.push_back({quint32(text.size()), quint32(text.size() + files[file].size())});
            text += files[file];
        }
    }
};

struct CorpusRow
{
    const char *name;
    QStringList files;
};

void PrintTo(const CorpusRow &row, std::ostream *out)
{
    *out << row.name;
}

class FileNumbers : public testing::TestWithParam<CorpusRow>
{
};

// Shared words, a word inside a longer token, an empty file between two, a file of
// punctuation alone and a hyphen at a file's end that must not join the next file.
const CorpusRow corpora[] = {
    {"sharedWords", {u"The cat sat. The cat ran"_s, u"a cat, THE dog"_s, u"dog dog the"_s}},
    {"emptyBetween", {u"x86 and x"_s, u""_s, u"and x-\nray"_s, u"x"_s}},
    {"hyphenAtEnd", {u"the end of the-"_s, u"the line"_s}},
    {"punctuationAlone", {u"..."_s, u"words, words"_s, u"?!"_s}},
};

TEST_P(FileNumbers, CountEachFileAsIfItStoodAlone)
{
    const Corpus corpus(GetParam().files);
    const TokenSequence tokens = tokenise(corpus.text, corpus.spans);
    const std::vector<quint32> starts = fileTokenStarts(tokens, corpus.spans);
    ASSERT_EQ(starts.size(), corpus.texts.size() + 1);

    QStringList words;
    for (const CountedSet::Entry &entry : wordsOfTokens(tokens))
        words.append(entry.word);
    const auto counts = wordCountsByFile(tokens, starts, words);
    const std::vector<qsizetype> fileWords = wordsPerFile(tokens, starts);

    std::vector<std::vector<FileCount>> expected(std::size_t(words.size()));
    for (qsizetype file = 0; file < corpus.texts.size(); ++file) {
        const CountedSet alone = wordsOfTokens(tokenise(corpus.texts[file]));
        qsizetype inFile = 0;
        for (qsizetype word = 0; word < words.size(); ++word) {
            if (const qsizetype count = alone.countFor(words[word]))
                expected[std::size_t(word)].push_back({quint32(file), count});
        }
        for (const CountedSet::Entry &entry : alone)
            inFile += entry.count;
        EXPECT_EQ(fileWords[std::size_t(file)], inFile) << "file " << file;
    }
    for (qsizetype word = 0; word < words.size(); ++word)
        EXPECT_EQ(counts[std::size_t(word)], expected[std::size_t(word)])
            << words[word].toStdString();
}

// Every phrase of the corpus's first file, its occurrences counted in each file and
// placed in the whole, both ways the index reads.
TEST_P(FileNumbers, PlaceEveryOccurrenceInItsFile)
{
    const Corpus corpus(GetParam().files);
    const auto after = TextIndex::build(tokenise(corpus.text, corpus.spans));
    const auto before = TextIndex::build(after->tokens().reversed());
    const TokenSequence &tokens = after->tokens();
    const std::vector<quint32> starts = fileTokenStarts(tokens, corpus.spans);
    for (quint32 first = 0; first < tokens.size(); ++first) {
        for (quint32 length = 1; length <= 2 && first + length <= tokens.size(); ++length) {
            QStringList phrase;
            for (quint32 at = first; at < first + length; ++at)
                phrase.append(tokens.wordAt(at));
            const Occurrences found = occurrencesOf(*after, phrase);
            std::vector<quint32> perFile(corpus.texts.size(), 0);
            for (qsizetype file = 0; file < corpus.texts.size(); ++file) {
                const TokenSequence alone = tokenise(corpus.texts[file]);
                for (quint32 at = 0; at + length <= alone.size(); ++at) {
                    bool matches = true;
                    for (quint32 word = 0; word < length; ++word)
                        matches = matches && alone.wordAt(at + word) == phrase[word];
                    perFile[std::size_t(file)] += matches;
                }
            }
            const auto message = phrase.join(u' ').toStdString();
            EXPECT_EQ(occurrencesPerFile(found.firsts, starts), perFile) << message;

            // The words before read the phrase from its end.
            const QStringList backwards(phrase.rbegin(), phrase.rend());
            const Dispersion dispersion = dispersionOf(before->tokens(), corpus.parts,
                                                       occurrencesOf(*before, backwards).firsts);
            EXPECT_EQ(dispersion.positions, found.firsts) << message;
            for (std::size_t file = 0; file < dispersion.files.size(); ++file) {
                const Dispersion::File &in = dispersion.files[file];
                EXPECT_EQ(in.start, starts[file]) << message;
                EXPECT_EQ(in.length, tokenise(corpus.texts[qsizetype(file)]).size()) << message;
                EXPECT_EQ(in.count, perFile[file]) << message;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Corpora, FileNumbers, testing::ValuesIn(corpora),
                         [](const auto &info) { return std::string(info.param.name); });

struct TickRow
{
    const char *name;
    std::vector<quint32> positions;
    quint32 length;
    quint32 columns;
    std::vector<quint32> expected;
};

void PrintTo(const TickRow &row, std::ostream *out)
{
    *out << row.name;
}

class TickColumns : public testing::TestWithParam<TickRow>
{
};

TEST_P(TickColumns, DrawEachColumnOnce)
{
    const TickRow &row = GetParam();
    Dispersion dispersion;
    dispersion.positions = row.positions;
    dispersion.length = row.length;
    EXPECT_EQ(tickColumns(dispersion, row.columns), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Dispersions, TickColumns,
    testing::Values(TickRow{"oneColumnATokenEach", {0, 1, 3}, 4, 4, {0, 1, 3}},
                    TickRow{"neighboursShareAColumn", {0, 1, 2, 3, 9}, 10, 5, {0, 1, 4}},
                    TickRow{"lastTokenInLastColumn", {999999}, 1000000, 3, {2}},
                    // Positions times columns pass 32 bits.
                    TickRow{"longCorpus", {0x7FFFFFF0u}, 0x7FFFFFFFu, 1000, {999}},
                    TickRow{"noTokens", {}, 0, 10, {}}),
    [](const auto &info) { return std::string(info.param.name); });

struct ClickRow
{
    const char *name;
    std::vector<quint32> positions;
    quint32 length;
    quint32 columns;
    quint32 column;
    quint32 reach;
    std::optional<std::size_t> expected; // the place among positions
};

void PrintTo(const ClickRow &row, std::ostream *out)
{
    *out << row.name;
}

class OccurrenceNearColumn : public testing::TestWithParam<ClickRow>
{
};

// A click on a tick chooses the first occurrence drawn there, as tickColumns draws it.
TEST_P(OccurrenceNearColumn, ChooseTheFirstOccurrenceOfTheTick)
{
    const ClickRow &row = GetParam();
    Dispersion dispersion;
    dispersion.positions = row.positions;
    dispersion.length = row.length;
    EXPECT_EQ(occurrenceNearColumn(dispersion, row.column, row.columns, row.reach), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Clicks, OccurrenceNearColumn,
                         testing::Values(ClickRow{"onTheTick", {2, 5, 9}, 10, 10, 5, 0, 1},
                                         ClickRow{"firstOfAShared", {0, 4, 5, 9}, 10, 5, 2, 0, 1},
                                         ClickRow{
                                             "besideTheTickLeftFirst", {3, 7}, 10, 10, 5, 2, 0},
                                         ClickRow{"besideTheTickRight", {3, 7}, 10, 10, 6, 1, 1},
                                         ClickRow{"tooFar", {3}, 10, 10, 7, 3, std::nullopt},
                                         ClickRow{"lastColumn", {999999}, 1000000, 3, 2, 0, 0},
                                         ClickRow{"pastTheEdges", {0, 9}, 10, 10, 0, 5, 0},
                                         ClickRow{"noTokens", {}, 0, 10, 3, 2, std::nullopt}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
