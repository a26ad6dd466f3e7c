#include "CorpusSelection.h"

#include "CharacterClasses.h"

void appendCorpusPart(TextFile &corpus, const QString &name, QStringView text,
                      qint64 bytesBeforeText)
{
    // After a carriage return, a line feed that begins the next file would be taken for
    // the second half of a CRLF.
    if (!corpus.text.isEmpty() && (!CharacterClasses::isLineBreak(corpus.text.back().unicode()) ||
                                   corpus.text.back() == u'\r'))
        corpus.text.append(u'\n');
    corpus.parts.push_back(
        {name, quint32(corpus.text.size()), quint32(text.size()), bytesBeforeText});
    corpus.text.append(text);
}

TextFile chosenFiles(QStringView text, std::span<const TextPart> parts,
                     const std::vector<bool> &included)
{
    Q_ASSERT(included.size() == parts.size());
    TextFile chosen;
    qsizetype length = 0;
    for (std::size_t index = 0; index < parts.size(); ++index)
        length += included[index] ? parts[index].length + 1 : 0;
    chosen.text.reserve(length);
    for (std::size_t index = 0; index < parts.size(); ++index) {
        const TextPart &part = parts[index];
        if (included[index])
            appendCorpusPart(chosen, part.name, text.sliced(part.start, part.length),
                             part.bytesBeforeText);
    }
    if (chosen.parts.size() == 1)
        chosen.bytesBeforeText = chosen.parts.front().bytesBeforeText;
    return chosen;
}
