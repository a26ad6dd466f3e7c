#pragma once

#include "IndexCache.h"
#include "TextFile.h"
#include "TokenSequence.h"

#include <functional>
#include <memory>
#include <optional>
#include <stop_token>

struct TextAnalysis;
class TextIndex;

// The stages of a text's way, in the order it takes them.
enum class TextStage { Reading, Analysing, Indexing };

// The one way every text takes, in the app as in the command-line tool: read, cut into
// tokens, its words counted, indexed for the trees. What is not asked for is not done.
struct TextPath
{
    enum class Index { None, WordsAfter, WordsBefore };
    using Reader = std::function<TextFile(std::stop_token)>;
    // How tokens become an index; tests put a failing or a slow one in its place.
    using Indexer =
        std::function<std::shared_ptr<const TextIndex>(TokenSequence tokens, std::stop_token)>;
    // Writes an index built on the way where the text's indexes are kept.
    using Keeper = std::function<void(const KeptIndex &kept, std::shared_ptr<const TextIndex> index,
                                      std::stop_token)>;

    static std::shared_ptr<const TextIndex> builtIndex(TokenSequence tokens, std::stop_token stop);

    // Where the text comes from: a file or a stream read, or a text at hand.
    Reader read;
    // Whether the words are counted (for the cloud and the counts).
    bool count = true;
    // Whether the analysis of a corpus says where its places stand in its files, the files
    // named below the folder they share from the reading on (for the windows).
    bool places = false;
    Index index = Index::WordsAfter;
    // Where indexes are kept between runs: a text indexed before is then neither
    // tokenised nor indexed again. None (or a size limit of 0) keeps nothing.
    std::optional<IndexCache> cache;
    Indexer indexer = builtIndex;
    // By default on a worker of its own, which the way's stop ends.
    Keeper keep = keepInBackground;
};

// What the way hands on, each as soon as it is done. Any of them may be empty.
struct TextPathReceiver
{
    // Each stage as it begins: the stage a throw comes from is the last one told.
    std::function<void(TextStage)> entering;
    // The text read, or its failure to read, which ends the way. The way lets its own
    // copy go once the text is in tokens, unless the analysis holds it.
    std::function<void(const TextFile &)> read;
    std::function<void(std::shared_ptr<const TextAnalysis>)> analysed;
    // The text's tokens, once cut or read with a kept index, after its analysis.
    std::function<void(const TokenSequence &)> tokenised;
    std::function<void(std::shared_ptr<const TextIndex>)> indexed;
};

// Takes one text along path. Throws whatever a stage throws: WorkStopped once stop is
// requested, std::bad_alloc, TooManyTokens past what the index can number.
void followTextPath(const TextPath &path, const TextPathReceiver &receiver,
                    std::stop_token stop = {});
