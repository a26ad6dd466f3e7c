#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The branches chosen on both sides of a start word: the words chosen before it and
// after it, in reading order, so that each side shows only the occurrences passing
// through the other side's choice. Choices are undone in the order they were made, the
// last first, whichever side it was on.
class LinkedChoices
{
public:
    // A new start, nothing chosen.
    void start(QStringList start);
    // Chooses words on one side (in reading order), next to what was chosen there.
    void choose(bool before, const QStringList &words);
    // Undoes the last choice; false when there is none.
    bool undo();

    bool isEmpty() const { return m_choices.empty(); }
    // The words chosen before, the start and the words chosen after: the phrase whose
    // occurrences both sides show.
    QStringList phrase() const;
    // The phrase as the path field shows it, the start between angle quotes; empty while
    // nothing is chosen.
    QString pathText() const;

private:
    struct Choice
    {
        bool before;
        qsizetype words;
    };

    QStringList m_start;
    QStringList m_before;
    QStringList m_after;
    std::vector<Choice> m_choices; // the last one made last
};
