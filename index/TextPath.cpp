#include "TextPath.h"

#include "CorpusFile.h"
#include "ShortFileNames.h"
#include "StopCheck.h"
#include "TextAnalysis.h"
#include "TextIndex.h"
#include "TokenWords.h"
#include "Tokeniser.h"
#include "WordCloud.h"

namespace {

// The index of the words before: beside the text's own where that is kept, else built
// alone (and kept only beside the text's own).
std::shared_ptr<const TextIndex> wordsBeforeIndex(const TextPath &path,
                                                  std::optional<TokenSequence> tokens,
                                                  const std::shared_ptr<const TextIndex> &forward,
                                                  const std::optional<KeptIndex> &kept,
                                                  std::stop_token stop)
{
    if (!forward) {
        TokenSequence reversed = tokens->reversed();
        tokens.reset();
        return path.indexer(std::move(reversed), std::move(stop));
    }
    if (auto before = kept->cache.openBefore(kept->key, forward))
        return before;
    auto before = path.indexer(forward->tokens().reversed(), stop);
    if (before)
        path.keep(*kept, before, std::move(stop));
    return before;
}

} // namespace

std::shared_ptr<const TextIndex> TextPath::builtIndex(TokenSequence tokens, std::stop_token stop)
{
    return TextIndex::build(std::move(tokens), std::move(stop));
}

void followTextPath(const TextPath &path, const TextPathReceiver &receiver, std::stop_token stop)
{
    const auto enter = [&receiver](TextStage stage) {
        if (receiver.entering)
            receiver.entering(stage);
    };
    enter(TextStage::Reading);
    TextFile file = path.read(stop);
    StopCheck(stop).throwIfStopped();
    if (path.places)
        file = withShortNames(std::move(file));
    if (receiver.read)
        receiver.read(file);
    if (!file.error.isEmpty())
        return;

    enter(TextStage::Analysing);
    const bool cached = path.cache && path.cache->sizeLimit() > 0;
    const std::vector<TextSpan> parts = partSpans(file.parts);
    const std::optional<KeptIndex> kept =
        cached ? std::optional(KeptIndex{*path.cache, IndexCache::keyOf(file.text, parts)})
               : std::nullopt;
    // A text indexed before has its tokens, and so its words, in the kept index.
    std::shared_ptr<const TextIndex> forward = kept ? kept->cache.open(kept->key) : nullptr;
    std::optional<TokenSequence> tokens;
    if (!forward)
        tokens = tokenise(file.text, parts, stop);
    if (path.count) {
        auto allWords = std::make_shared<const CountedSet>(
            wordsOfTokens(forward ? forward->tokens() : *tokens, stop));
        auto places = !path.places || file.parts.empty()
                          ? nullptr
                          : std::make_shared<const TextPlaces>(file, QString(), stop);
        auto analysis = std::make_shared<const TextAnalysis>(
            TextAnalysis{file.text, WordCloud(*allWords).wordCloudElements(), std::move(allWords),
                         std::move(places)});
        if (receiver.analysed)
            receiver.analysed(std::move(analysis));
    }
    if (receiver.tokenised)
        receiver.tokenised(forward ? forward->tokens() : *tokens);
    // The index needs the room.
    file.text = QString();
    if (path.index == TextPath::Index::None)
        return;

    enter(TextStage::Indexing);
    std::shared_ptr<const TextIndex> index;
    if (path.index == TextPath::Index::WordsBefore) {
        index = wordsBeforeIndex(path, std::move(tokens), forward, kept, stop);
    } else {
        const bool built = !forward;
        index = built ? path.indexer(std::move(*tokens), stop) : forward;
        if (kept && index) {
            index = TextIndex::keptIn(index, *kept);
            if (built)
                path.keep(*kept, index, stop);
        }
    }
    if (receiver.indexed)
        receiver.indexed(std::move(index));
}
