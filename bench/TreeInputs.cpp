#include "TreeInputs.h"

namespace TreeInputs {

QByteArray withoutSentenceEnds(const QByteArray &utf8)
{
    constexpr qsizetype sliceBytes = 1'000'000;
    QByteArray slice = utf8.left(sliceBytes);
    const qsizetype lineEnd = slice.lastIndexOf('\n');
    if (lineEnd > 0)
        slice.truncate(lineEnd + 1);
    slice.removeIf([](char c) { return c == '.' || c == '?' || c == '!'; });
    return slice;
}

QByteArray copies(const QByteArray &utf8, int count)
{
    return utf8.repeated(count);
}

} // namespace TreeInputs
