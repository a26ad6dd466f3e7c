#pragma once

#include <QList>
#include <QString>
#include <stop_token>

class TextIndex;

// A longer token that holds a word the cloud counts, and how often it occurs.
struct HoldingToken
{
    QString token;
    quint32 times = 0;
    bool operator==(const HoldingToken &) const = default;
};

// The tokens other than word itself in which word stands as a run of letters: the
// places the cloud counts it that a tree, which follows whole tokens, never starts from
// ("x" in "x86", "foo" in "foo" + zero-width joiner + "bar"). The most frequent first,
// ties in the order of the text. Throws WorkStopped once stop is requested.
QList<HoldingToken> tokensHoldingWord(const TextIndex &index, const QString &word,
                                      std::stop_token stop = {});
