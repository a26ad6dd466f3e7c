#include "CorpusFile.h"

#include "CorpusSelection.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <algorithm>
#include <new>

using namespace Qt::Literals::StringLiterals;

namespace {

// A folder's .txt files, by path, below it.
QStringList textFilesBelow(const QString &folder)
{
    QStringList relative;
    QDirIterator files(folder, {u"*.txt"_s}, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    const QDir base(QFileInfo(folder).absoluteFilePath());
    while (files.hasNext())
        relative.append(base.relativeFilePath(QFileInfo(files.next()).absoluteFilePath()));
    std::sort(relative.begin(), relative.end());
    return relative;
}

QString joined(const QString &folder, const QString &below)
{
    QString name = folder;
    while (name.size() > 1 && name.endsWith(u'/'))
        name.chop(1);
    return name.endsWith(u'/') ? name + below : name + u'/' + below;
}

TextFile readCorpus(const QStringList &sources, const std::stop_token &stop)
{
    const CorpusSources files = corpusSources(sources);
    if (files.paths.size() == 1 && files.leftOut.isEmpty()) {
        // Read in place: no copy of a long text.
        TextFile file = readUtf8TextFile(files.paths.front(), stop);
        if (file.error.isEmpty())
            file.parts.push_back(
                {files.names.front(), 0, quint32(file.text.size()), file.bytesBeforeText});
        return file;
    }
    TextFile corpus;
    corpus.leftOut = files.leftOut;
    qint64 bytes = 0;
    for (const QString &path : files.paths)
        bytes += std::max<qint64>(QFileInfo(path).size(), 0) + 1;
    if (bytes > largestTextBytes)
        return {{},
                u"the files together are larger than the %1 MB Verbarium reads"_s.arg(
                    largestTextBytes / 1000000)};
    // UTF-16 takes no more code units than UTF-8 takes bytes.
    corpus.text.reserve(qsizetype(bytes));
    for (qsizetype index = 0; index < files.paths.size(); ++index) {
        TextFile file = readUtf8TextFile(files.paths[index], stop);
        if (stop.stop_requested())
            return {{}, u"reading was stopped"_s};
        if (!file.error.isEmpty()) {
            corpus.leftOut.append(file.error);
            continue;
        }
        // With the line break that may go before it.
        if (corpus.text.size() + file.text.size() + 1 > qsizetype(largestTextBytes))
            return {{},
                    u"the files together are larger than the %1 MB Verbarium reads"_s.arg(
                        largestTextBytes / 1000000)};
        appendCorpusPart(corpus, files.names[index], file.text, file.bytesBeforeText);
    }
    if (corpus.parts.empty())
        corpus.error = sources.size() == 1 && corpus.leftOut.size() == 1
                           ? corpus.leftOut.takeFirst()
                           : u"none of the files could be read"_s;
    else if (corpus.parts.size() == 1)
        corpus.bytesBeforeText = corpus.parts.front().bytesBeforeText;
    corpus.parts.shrink_to_fit();
    return corpus;
}

} // namespace

CorpusSources corpusSources(const QStringList &sources)
{
    CorpusSources found;
    for (const QString &source : sources) {
        if (!QFileInfo(source).isDir()) {
            found.paths.append(source);
            found.names.append(source);
            continue;
        }
        if (!QFileInfo(source).isReadable()) {
            found.leftOut.append(u"%1: cannot be read (Permission denied)"_s.arg(source));
            continue;
        }
        const QStringList below = textFilesBelow(source);
        if (below.isEmpty())
            found.leftOut.append(u"%1: holds no .txt file"_s.arg(source));
        for (const QString &file : below) {
            found.paths.append(QDir(source).filePath(file));
            found.names.append(joined(source, file));
        }
    }
    return found;
}

TextFile readUtf8Corpus(const QStringList &sources, std::stop_token stop)
{
    try {
        return readCorpus(sources, stop);
    } catch (const std::bad_alloc &) {
        return {{}, u"not enough memory to read the files"_s};
    }
}

TextFile readUtf8Sources(const QStringList &sources, std::stop_token stop)
{
    return namesOneFile(sources) ? readUtf8TextFile(sources.front(), std::move(stop))
                                 : readUtf8Corpus(sources, std::move(stop));
}

bool namesOneFile(const QStringList &sources)
{
    return sources.size() == 1 && !QFileInfo(sources.front()).isDir();
}

std::vector<TextSpan> partSpans(std::span<const TextPart> parts)
{
    std::vector<TextSpan> spans;
    spans.reserve(parts.size());
    for (const TextPart &part : parts)
        spans.push_back({part.start, part.start + part.length});
    return spans;
}
