#pragma once

#include "SpanList.h"
#include "TextFile.h"

#include <QStringList>
#include <span>
#include <stop_token>
#include <vector>

// The files a corpus is read from, in order: each source that is a folder gives its .txt
// files, in its subfolders too, in the order of their paths; any other source is a file.
// A folder's files are named by the folder as given and their path below it.
struct CorpusSources
{
    QStringList paths;
    QStringList names;
    // A message for each folder that could not be read or holds no .txt file.
    QStringList leftOut;
};
CorpusSources corpusSources(const QStringList &sources);

// Reads the corpus of sources as one text (see TextFile::parts): a file that cannot be
// read as UTF-8 is left out with its message in leftOut. When none is read, error says
// so; a stop request, too little memory or a corpus over largestTextBytes fail the whole.
TextFile readUtf8Corpus(const QStringList &sources, std::stop_token stop = {});

// The text of sources as the app and the command-line tool read it: one file as it is,
// without parts; several files or any folder as a corpus (readUtf8Corpus).
TextFile readUtf8Sources(const QStringList &sources, std::stop_token stop = {});

// Whether sources name one file, read as a text of its own rather than a corpus.
bool namesOneFile(const QStringList &sources);

// Where each part's text stands in the whole.
std::vector<TextSpan> partSpans(std::span<const TextPart> parts);
