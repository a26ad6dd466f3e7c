#pragma once

#include "TextPlaces.h"

#include <QMetaType>
#include <QString>
#include <QStringList>
#include <memory>

class TextIndex;

// What a node of the verbarium asks the contexts to show: the occurrences of the
// sequence down to it, as the index its tree grew from reads them.
struct ContextsQuery
{
    std::shared_ptr<const TextIndex> index;
    // The text's own index, forward, whose tokens know where they stand in the text.
    std::shared_ptr<const TextIndex> forward;
    QStringList sequence; // as the index reads it (backwards for the words before)
    QString shown;        // the sequence in reading order, for the reader
    quint32 count = 0;    // the occurrences the node stands for
    // Of the occurrences, the ones the node's followers in the tree account for; the
    // others end at the node or go on in followers left out of the tree.
    quint64 inShownBranches = 0;
    // Where the text's places stand in its files, for a corpus.
    std::shared_ptr<const TextPlaces> places = {};
};

Q_DECLARE_METATYPE(ContextsQuery)
