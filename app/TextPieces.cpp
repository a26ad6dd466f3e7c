#include "TextPieces.h"

qsizetype pieceEnd(const QString &text, qsizetype start)
{
    qsizetype end = std::min(text.size(), start + pieceLength);
    if (end == text.size())
        return end;
    const qsizetype lineBreak = text.lastIndexOf(u'\n', end - 1);
    if (lineBreak >= start + pieceLength / 2)
        return lineBreak + 1;
    if (text.at(end - 1).isHighSurrogate())
        --end;
    else if (text.at(end - 1) == u'\r' && text.at(end) == u'\n')
        ++end; // one line break, as the view reads it
    return end;
}
