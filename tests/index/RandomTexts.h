#pragma once

#include <QString>
#include <QStringList>
#include <ostream>
#include <random>

// Random texts rich in repeats, sentence ends and runs of punctuation, so that
// walks share, split, stop and run to the end of the text; some without sentence
// ends at all, some pasted twice, where walks share long stretches.
struct RandomTexts
{
    const char *name;
    int rounds;
    int tokenCount;
    int vocabularySize;
    double rootShare; // how often w0 is drawn besides its share of the vocabulary
    bool sentenceEnds = true;
    bool pastedTwice = false;
};

inline QString randomText(std::mt19937 &random, const RandomTexts &kind)
{
    static const QStringList allMarks{
        QStringLiteral("."),   QStringLiteral("?"),  QStringLiteral("!"), QStringLiteral(","),
        QStringLiteral("..."), QStringLiteral("?!"), QStringLiteral("\"")};
    const QStringList marks = kind.sentenceEnds ? allMarks : allMarks.mid(3);
    QString text;
    std::uniform_int_distribution<int> pick(0, kind.vocabularySize + int(marks.size()) - 1);
    std::bernoulli_distribution root(kind.rootShare);
    std::bernoulli_distribution glued(0.3);
    for (int token = 0; token < kind.tokenCount; ++token) {
        const int choice = root(random) ? 0 : pick(random);
        if (choice < kind.vocabularySize)
            text += QStringLiteral("w") + QString::number(choice);
        else
            text += marks[choice - kind.vocabularySize];
        if (!glued(random))
            text += u' ';
    }
    return kind.pastedTwice ? text + u' ' + text : text;
}

inline void PrintTo(const RandomTexts &kind, std::ostream *out)
{
    *out << kind.name;
}
