#pragma once

#include "IndexCache.h"
#include "TextPath.h"

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

    // The way of the text at inputPath to its index, uncounted, read from and kept in
    // the cache the options chose; what is kept is written while the command goes on.
    TextPath indexPath(const QStringList &sources, TextPath::Index index);

private:
    explicit CommandIndexes(std::optional<IndexCache> cache);
    void keep(const TextKey &key, std::shared_ptr<const TextIndex> index);

    std::optional<IndexCache> m_cache;
    std::vector<std::future<void>> m_keeping;
};
