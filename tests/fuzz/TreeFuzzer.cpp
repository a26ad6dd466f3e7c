// libFuzzer target: turns its input into a text and a start word and holds the tree
// grown from the index to the one the literal walks give.

#include "ReferenceTree.h"
#include "TextIndex.h"
#include "TokenSequence.h"
#include "TreeGrowth.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace {

// Few distinct tokens, so walks share, branch, stop at every kind of sentence end and
// run into the end of the text.
const QString tokens[] = {u"a"_s, u"b"_s, u"c"_s, u"."_s, u"?"_s, u"!"_s, u","_s, u"..."_s};
const QString startWords[] = {u"a"_s, u"b"_s, u"."_s, u"?"_s, u"!"_s, u","_s};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QString &word = startWords[data[0] % std::size(startWords)];
    QString text;
    for (std::size_t i = 1; i < size; ++i) {
        text += tokens[data[i] & 7];
        if (!(data[i] & 8)) // otherwise glued to the next token, as punctuation often is
            text += u' ';
    }
    const auto reference = referenceTree(preparedText(text), word);
    const auto grown = growTree(TextIndex::build(text), word);
    const QString difference = differenceBetween(*reference, *grown);
    if (!difference.isEmpty()) {
        std::fprintf(stderr, "text: %s\nword: %s\n%s\n", qPrintable(text), qPrintable(word),
                     qPrintable(difference));
        std::abort();
    }
    return 0;
}
