#pragma once

#include "ContextsQuery.h"
#include "TokensHoldingWord.h"
#include "VerbariumLayout.h"
#include "VerbariumTree.h"

#include <QString>

// What the verbarium says of a node of its tree, in words for the reader.

// How often the node's sequence occurs and the branches below it.
QString countsOf(const VerbariumTree &tree, Node node);
// What the counts leave unsaid: how many of its followers the tree keeps, and for the
// root the longer tokens holding the start (holding); empty when nothing.
QString noteOn(const VerbariumTree &tree, Node node, const QList<HoldingToken> &holding);
// The words of all ancestors from the root down, each followed by a space.
QString pathText(const VerbariumTree &tree, Node node);
// What the node asks the contexts to show; index: what the tree grew from, forward: the
// text's own index.
ContextsQuery contextsQueryOf(const VerbariumTree &tree, Node node,
                              std::shared_ptr<const TextIndex> index,
                              std::shared_ptr<const TextIndex> forward);
// The word of a picture as a screen reader names it: in a picture of both sides, with
// the side it stands on ("and, before"; the start word alone).
QString spokenWord(const VerbariumPicture &picture, const PlacedWord &word);
