#pragma once

#include "TextFile.h"

#include <QStringView>
#include <span>
#include <vector>

// Appends a file's text to a corpus being read, as a part named name: each file starts
// on a line of its own.
void appendCorpusPart(TextFile &corpus, const QString &name, QStringView text,
                      qint64 bytesBeforeText);

// The files of a corpus (text and its parts) that included marks, one flag a part, in
// their order and joined as the corpus was read: what is analysed when the user leaves
// files out. No files included: an empty text without parts.
TextFile chosenFiles(QStringView text, std::span<const TextPart> parts,
                     const std::vector<bool> &included);
