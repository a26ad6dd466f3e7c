#pragma once

#include "TextFile.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

class TextIndex;

// The 100 MB corpus: 24 copies of the King James text cut into 1,000 files at line ends,
// its files and its index, made once a process.
struct IndexedCorpus
{
    QString text;
    std::vector<TextPart> parts;
    std::shared_ptr<const TextIndex> index;
};

// The corpus, or none when the King James text is not installed: state is then skipped.
const IndexedCorpus *indexedCorpusOrSkip(benchmark::State &state);
