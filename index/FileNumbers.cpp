#include "FileNumbers.h"

#include "StopCheck.h"
#include "TokenSequence.h"
#include "TokenWords.h"

#include <QHash>
#include <algorithm>

namespace {

// Where the token at a text-order position stands, whichever way the sequence reads.
TextSpan spanInTextOrder(const TokenSequence &tokens, quint32 position)
{
    return tokens.textSpanAt(tokens.readsBackward() ? tokens.size() - 1 - position : position);
}

// The same for its id.
quint32 idInTextOrder(const TokenSequence &tokens, quint32 position)
{
    return tokens.idAt(tokens.readsBackward() ? tokens.size() - 1 - position : position);
}

// The first token at or after offset in the text.
quint32 firstTokenFrom(const TokenSequence &tokens, quint32 offset)
{
    quint32 low = 0;
    quint32 high = tokens.size();
    while (low < high) {
        const quint32 middle = low + (high - low) / 2;
        if (spanInTextOrder(tokens, middle).begin < offset)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

} // namespace

std::vector<quint32> fileTokenStarts(const TokenSequence &tokens, std::span<const TextSpan> files)
{
    std::vector<quint32> starts;
    starts.reserve(files.size() + 1);
    for (const TextSpan &file : files)
        starts.push_back(starts.empty() ? 0 : firstTokenFrom(tokens, file.begin));
    if (starts.empty())
        starts.push_back(0);
    starts.push_back(tokens.size());
    return starts;
}

quint32 fileOfToken(std::span<const quint32> starts, quint32 position)
{
    const auto after = std::upper_bound(starts.begin(), starts.end() - 1, position);
    return quint32(after - starts.begin()) - 1;
}

std::vector<qsizetype> wordsPerFile(const TokenSequence &tokens, std::span<const quint32> starts,
                                    std::stop_token stop)
{
    StopCheck check(std::move(stop));
    std::vector<quint32> wordsInId(tokens.distinctCount());
    for (quint32 id = 0; id < tokens.distinctCount(); ++id)
        wordsInId[id] = quint32(wordsInToken(tokens.word(id)).size());
    std::vector<qsizetype> words(starts.size() - 1, 0);
    for (std::size_t file = 0; file + 1 < starts.size(); ++file) {
        for (quint32 position = starts[file]; position < starts[file + 1]; ++position) {
            check();
            words[file] += wordsInId[idInTextOrder(tokens, position)];
        }
    }
    return words;
}

std::vector<std::vector<FileCount>> wordCountsByFile(const TokenSequence &tokens,
                                                     std::span<const quint32> starts,
                                                     const QStringList &words, std::stop_token stop)
{
    StopCheck check(std::move(stop));
    QHash<QStringView, quint32> wordNumbers;
    for (qsizetype number = 0; number < words.size(); ++number)
        wordNumbers.insert(words[number], quint32(number));
    // Each token's words among those asked for, every id's in one flat list.
    std::vector<quint32> firstOfId(tokens.distinctCount() + 1, 0);
    std::vector<quint32> wordsOfIds;
    for (quint32 id = 0; id < tokens.distinctCount(); ++id) {
        check();
        for (const QStringView word : wordsInToken(tokens.word(id))) {
            const auto found = wordNumbers.constFind(word);
            if (found != wordNumbers.cend())
                wordsOfIds.push_back(*found);
        }
        firstOfId[id + 1] = quint32(wordsOfIds.size());
    }

    std::vector<std::vector<FileCount>> counts(std::size_t(words.size()));
    std::vector<qsizetype> inFile(std::size_t(words.size()), 0);
    std::vector<quint32> seen;
    for (std::size_t file = 0; file + 1 < starts.size(); ++file) {
        for (quint32 position = starts[file]; position < starts[file + 1]; ++position) {
            check();
            const quint32 id = idInTextOrder(tokens, position);
            for (quint32 at = firstOfId[id]; at < firstOfId[id + 1]; ++at) {
                if (inFile[wordsOfIds[at]]++ == 0)
                    seen.push_back(wordsOfIds[at]);
            }
        }
        for (const quint32 word : seen) {
            counts[word].push_back({quint32(file), inFile[word]});
            inFile[word] = 0;
        }
        seen.clear();
    }
    return counts;
}

std::vector<quint32> occurrencesPerFile(std::span<const quint32> firsts,
                                        std::span<const quint32> starts)
{
    std::vector<quint32> counts(starts.size() - 1, 0);
    quint32 file = 0;
    for (const quint32 first : firsts) {
        while (file + 2 < starts.size() && starts[file + 1] <= first)
            ++file;
        ++counts[file];
    }
    return counts;
}
