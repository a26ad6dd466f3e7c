#include "CorpusInputs.h"

#include "BenchInputs.h"
#include "TextIndex.h"
#include "Tokeniser.h"
#include "TreeInputs.h"

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int files = 1000;

} // namespace

const IndexedCorpus *indexedCorpusOrSkip(benchmark::State &state)
{
    static const std::optional<IndexedCorpus> made = []() -> std::optional<IndexedCorpus> {
        const auto &utf8 = BenchInputs::kingJamesText();
        if (!utf8)
            return std::nullopt;
        IndexedCorpus corpus;
        corpus.text = QString::fromUtf8(TreeInputs::copies(*utf8, 24));
        const QString &text = corpus.text;
        std::vector<TextSpan> spans;
        const qsizetype perFile = text.size() / files;
        for (qsizetype start = 0; start < text.size();) {
            qsizetype end = start + perFile >= text.size()
                                ? text.size()
                                : text.indexOf(u'\n', start + perFile) + 1;
            if (end <= 0)
                end = text.size();
            corpus.parts.push_back(
                {u"part-%1.txt"_s.arg(qulonglong(corpus.parts.size()), 5, 10, QChar(u'0')),
                 quint32(start), quint32(end - start)});
            spans.push_back({quint32(start), quint32(end)});
            start = end;
        }
        corpus.index = TextIndex::build(tokenise(text, spans));
        return corpus;
    }();
    if (!made) {
        BenchInputs::kingJamesTextOrSkip(state);
        return nullptr;
    }
    return &*made;
}
