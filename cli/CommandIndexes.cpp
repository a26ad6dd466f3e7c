#include "CommandIndexes.h"

#include "CommandInput.h"
#include "CommandLine.h"
#include "SignalCleanup.h"
#include "TextIndex.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace {

// A number of bytes, or of thousands, millions or milliards of them with K, M or G.
std::optional<qint64> bytesIn(const QString &size)
{
    static const QRegularExpression pattern(u"^([0-9]{1,13})([KMG]?)$"_s,
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(size);
    if (!match.hasMatch())
        return std::nullopt;
    const qint64 count = match.captured(1).toLongLong();
    switch (match.captured(2).toUpper().isEmpty() ? u' '
                                                  : match.captured(2).toUpper()[0].unicode()) {
    case u'K':
        return count * 1000;
    case u'M':
        return count * 1000'000;
    case u'G':
        return count * 1000'000'000;
    default:
        return count;
    }
}

} // namespace

void CommandIndexes::addOptions(CommandLine &commandLine)
{
    commandLine.addOption(QCommandLineOption(
        u"no-cache"_s, u"Neither read nor keep the text's index in the index cache."_s));
    commandLine.addOption(QCommandLineOption(
        u"cache-size"_s,
        u"The index cache's size limit in bytes, or with K, M or G (default 2G); 0 keeps "
        "nothing."_s,
        u"SIZE"_s));
}

std::optional<CommandIndexes> CommandIndexes::fromOptions(const CommandLine &commandLine)
{
    if (commandLine.isSet(u"no-cache"_s))
        return CommandIndexes(std::nullopt);
    qint64 limit = IndexCache::defaultSizeLimit;
    if (commandLine.isSet(u"cache-size"_s)) {
        const std::optional<qint64> bytes = bytesIn(commandLine.value(u"cache-size"_s));
        if (!bytes) {
            commandLine.badArguments(
                u"--cache-size must be a number of bytes, or of K, M or G, not '%1'"_s.arg(
                    commandLine.value(u"cache-size"_s)));
            return std::nullopt;
        }
        limit = *bytes;
    }
    IndexCache cache(IndexCache::defaultDirectory(), limit);
    // An interrupt leaves no index half written.
    cache.setTemporaryFileWatch({SignalCleanup::removeOnSignal, SignalCleanup::forget});
    return CommandIndexes(std::move(cache));
}

CommandIndexes::CommandIndexes(std::optional<IndexCache> cache)
    : m_cache(std::move(cache))
{}

CommandIndexes::~CommandIndexes()
{
    for (std::future<void> &keeping : m_keeping) {
        if (keeping.valid())
            keeping.wait();
    }
}

void CommandIndexes::keep(const TextKey &key, std::shared_ptr<const TextIndex> index)
{
    // Written while the command grows its tree and writes its output. What cannot be
    // kept (a full disk, a folder that cannot be made) is built again next time.
    m_keeping.push_back(std::async(std::launch::async, [cache = *m_cache, key, index] {
        try {
            cache.keep(key, *index);
        } catch (const std::bad_alloc &) {
        }
    }));
}

TextPath CommandIndexes::indexPath(const QStringList &sources, TextPath::Index index)
{
    TextPath path = commandTextPath(sources);
    path.count = false;
    path.index = index;
    path.cache = m_cache;
    path.keep = [this](const KeptIndex &kept, std::shared_ptr<const TextIndex> built,
                       std::stop_token) { keep(kept.key, std::move(built)); };
    return path;
}
