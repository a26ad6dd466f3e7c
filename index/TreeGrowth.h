#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <stop_token>

class TextIndex;
class VerbariumTree;

// The tree of word's followers: one walk from every occurrence of word as a token,
// each running through the rest of its sentence and the next one (the sentence-end
// rules) or to the end of the text, walks that read the same tokens sharing nodes.
// The root holds word with count 1. Children are sorted by descending count, ties in
// order of first occurrence, and trimmed to 30.
//
// The walks are never run: those that share a node are an interval of the suffix
// array, a stretch they all share is one range minimum away, and children are the
// groups the next token splits the interval into. So the cost follows the tree's
// branches, not the length of its walks. Throws WorkStopped once stop is requested.
std::shared_ptr<const VerbariumTree> growTree(const std::shared_ptr<const TextIndex> &index,
                                              const QString &word, std::stop_token stop = {});

// The tree of what follows a phrase of several words: its occurrences start walks that
// have read the whole phrase, the sentence-end rules counting from its first word. The
// root shows the phrase. From an index of the words before, the tree of what precedes
// the phrase (given in reading order), the rules counting from its last word.
std::shared_ptr<const VerbariumTree> growTree(const std::shared_ptr<const TextIndex> &index,
                                              const QStringList &phrase, std::stop_token stop = {});
