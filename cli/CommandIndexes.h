#pragma once

#include "IndexCache.h"

#include <QString>
#include <future>
#include <memory>
#include <optional>
#include <vector>

class CommandLine;
class TextIndex;

// The indexes a command grows its trees or finds its contexts from: read from the index
// cache when the text was indexed before, else built and kept there while the command
// goes on. --no-cache and --cache-size SIZE choose.
class CommandIndexes
{
public:
    static void addOptions(CommandLine &commandLine);
    // From the parsed options; nothing, after reporting bad arguments, for a bad SIZE.
    static std::optional<CommandIndexes> fromOptions(const CommandLine &commandLine);

    CommandIndexes(CommandIndexes &&) = default;
    CommandIndexes &operator=(CommandIndexes &&) = default;
    // Waits until what is being kept is written.
    ~CommandIndexes();

    // The index of text, or of its words before when backward. The text is let go once
    // it is read into tokens, unless the caller holds it too.
    std::shared_ptr<const TextIndex> indexOf(QString text, bool backward = false);

    struct BothIndexes
    {
        std::shared_ptr<const TextIndex> forward;
        std::shared_ptr<const TextIndex> backward;
    };
    // The index of text and that of its words before, from one reading into tokens.
    BothIndexes bothIndexesOf(QString text);

private:
    explicit CommandIndexes(std::optional<IndexCache> cache);
    bool usesCache() const { return m_cache && m_cache->sizeLimit() > 0; }
    // The index of the words before, from the text's own index; kept beside it when that
    // came from the cache.
    std::shared_ptr<const TextIndex>
    backwardOf(const TextKey &key, std::shared_ptr<const TextIndex> forward, bool forwardKept);
    void keep(const TextKey &key, std::shared_ptr<const TextIndex> index);

    std::optional<IndexCache> m_cache;
    std::vector<std::future<void>> m_keeping;
};
