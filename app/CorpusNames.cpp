#include "CorpusNames.h"

#include "MessageText.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

QString nameOf(const QString &path)
{
    const QFileInfo info(QDir::cleanPath(path));
    // The root folder has no name of its own.
    return escapedControls(info.fileName().isEmpty() ? info.filePath() : info.fileName());
}

QString filesText(qsizetype files)
{
    return files == 1 ? QObject::tr("1 file") : QObject::tr("%L1 files").arg(files);
}

} // namespace

QString openedSourcesName(const QStringList &sources)
{
    if (sources.size() == 1)
        return nameOf(sources.front());
    const bool folders = std::any_of(sources.begin(), sources.end(),
                                     [](const QString &path) { return QFileInfo(path).isDir(); });
    return folders ? QObject::tr("%L1 files and folders").arg(sources.size())
                   : filesText(sources.size());
}

QString corpusDescription(const QStringList &sources, qsizetype files, qsizetype included)
{
    const QString counted = included == files
                                ? filesText(files)
                                : QObject::tr("%L1 of %L2 files").arg(included).arg(files);
    if (sources.size() == 1 && QFileInfo(sources.front()).isDir())
        return QObject::tr("%1 from %2").arg(counted, nameOf(sources.front()));
    const QString folder = QFileInfo(sources.front()).absolutePath();
    const bool oneFolder = std::all_of(sources.begin(), sources.end(), [&](const QString &path) {
        return !QFileInfo(path).isDir() && QFileInfo(path).absolutePath() == folder;
    });
    return oneFolder ? QObject::tr("%1 from %2").arg(counted, nameOf(folder)) : counted;
}
