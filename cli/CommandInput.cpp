#include "CommandInput.h"

#include "CommandOutput.h"
#include "CorpusFile.h"
#include "StandardStreams.h"

#include <QFile>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

TextFile readCommandSource(const QString &path)
{
    if (path == u"-") {
        return StandardStreams::isClosed(STDIN_FILENO)
                   ? TextFile{{}, u"standard input: cannot be read (it is closed)"_s}
                   : readUtf8StandardInput();
    }
    if (const std::optional<int> stream = StandardStreams::streamNamedBy(QFile::encodeName(path));
        stream && StandardStreams::isClosed(*stream)) {
        // Such a name would open the stand-in that takes the closed stream's place.
        return {{}, u"%1: cannot be read (it is closed)"_s.arg(path)};
    }
    return readUtf8TextFile(path);
}

TextFile readCommandSources(const QStringList &sources)
{
    if (namesOneFile(sources))
        return readCommandSource(sources.front());
    QStringList files;
    TextFile corpus;
    for (const QString &source : sources) {
        if (namesStandardInput(source))
            corpus.leftOut.append(
                u"%1: standard input cannot be read with other files"_s.arg(source));
        else
            files.append(source);
    }
    if (files.isEmpty())
        return {{}, u"none of the files could be read"_s, 0, {}, corpus.leftOut};
    TextFile read = readUtf8Corpus(files);
    read.leftOut = corpus.leftOut + read.leftOut;
    return read;
}

std::vector<TextPart> commandFiles(const TextFile &file, const QStringList &sources)
{
    if (!file.parts.empty())
        return file.parts;
    return {{sources.size() == 1 ? sources.front() : QString(), 0, quint32(file.text.size()),
             file.bytesBeforeText}};
}

TextPath commandTextPath(const QStringList &sources)
{
    TextPath way;
    way.read = [sources](std::stop_token) { return readCommandSources(sources); };
    way.index = TextPath::Index::None;
    return way;
}

std::optional<CommandText> followCommandText(const TextPath &path, KeptOfText kept)
{
    CommandText taken;
    bool read = false;
    TextPathReceiver receiver;
    receiver.read = [&](const TextFile &file) {
        for (const QString &leftOut : file.leftOut)
            CommandOutput::reportError(leftOut);
        read = file.error.isEmpty();
        if (!read)
            CommandOutput::reportError(file.error);
        else if (kept == KeptOfText::Text)
            taken.file = file;
        else
            taken.file.parts = file.parts;
    };
    if (kept == KeptOfText::Tokens)
        receiver.tokenised = [&taken](const TokenSequence &tokens) { taken.tokens = tokens; };
    receiver.analysed = [&taken](std::shared_ptr<const TextAnalysis> analysis) {
        taken.analysis = std::move(analysis);
    };
    receiver.indexed = [&taken](std::shared_ptr<const TextIndex> index) {
        taken.index = std::move(index);
    };
    followTextPath(path, receiver);
    if (!read)
        return std::nullopt;
    return taken;
}

bool namesStandardInput(const QString &path, bool dashToo)
{
    return (dashToo && path == u"-") ||
           StandardStreams::streamNamedBy(QFile::encodeName(path)) == STDIN_FILENO;
}
