#include "TreeText.h"

#include "CharacterClasses.h"
#include "LowerCase.h"

using namespace Qt::Literals::StringLiterals;
namespace cc = CharacterClasses;

namespace {

// Joins the lines of text where it stands, reading UTF-16 units directly: every skipped
// character lies in the Basic Multilingual Plane, so no unit of a surrogate pair is
// taken for one. The text only ever shrinks while it is written (a line break gives way
// to at most one space), so writing never overtakes reading.
void joinLinesInPlace(QString &text)
{
    char16_t *units = reinterpret_cast<char16_t *>(text.data());
    const qsizetype size = text.size();
    qsizetype read = 0;
    qsizetype write = 0;
    const auto skip = [&] {
        while (read < size && cc::isSkipped(units[read]))
            ++read;
    };
    const auto copyLine = [&] {
        while (read < size && !cc::isLineBreak(units[read]))
            units[write++] = units[read++];
    };

    skip();
    copyLine();
    for (skip(); read < size; skip()) {
        // A line is only ever copied after a non-skipped unit, so write > 0 here.
        Q_ASSERT(write > 0);
        if (units[write - 1] == u'-')
            --write;
        else
            units[write++] = u' ';
        copyLine();
        if (units[write - 1] == u' ')
            --write;
    }
    text.truncate(write);
}

} // namespace

QString treeText(QStringView text)
{
    QString joined = lowerCased(text);
    joinLinesInPlace(joined);
    return joined.isNull() ? u""_s : joined;
}
