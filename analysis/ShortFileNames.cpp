#include "ShortFileNames.h"

#include <QStringView>
#include <algorithm>

namespace {

// How many leading code units of name are its folders, the last slash included.
qsizetype foldersLength(QStringView name)
{
    return name.lastIndexOf(u'/') + 1;
}

} // namespace

TextFile withShortNames(TextFile file)
{
    if (file.parts.size() < 2)
        return file;
    QStringView shared =
        QStringView(file.parts.front().name).first(foldersLength(file.parts.front().name));
    for (const TextPart &part : file.parts) {
        const QStringView folders = QStringView(part.name).first(foldersLength(part.name));
        const auto differ =
            std::mismatch(shared.begin(), shared.end(), folders.begin(), folders.end());
        // Back to the last whole folder both share.
        shared = shared.first(foldersLength(shared.first(differ.first - shared.begin())));
    }
    const qsizetype cut = shared.size();
    // Copies of their own size: names read are built with room to grow.
    for (TextPart &part : file.parts)
        part.name = part.name.sliced(cut);
    return file;
}
