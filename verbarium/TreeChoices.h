#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

struct PlacedWord;
struct VerbariumPicture;

// What the verbarium view asks trees of: the start asked for last, the sides of it shown
// (the words after it, before it, or both), and on both sides the branches chosen on
// each, so that each side shows only the occurrences passing through the other side's
// choice. Choices are undone in the order they were made, the last first, whichever side
// it was on.
class TreeChoices
{
public:
    enum class Sides { After, Before, Both };
    // The trees of phrase, on sides.
    struct Request
    {
        QStringList phrase;
        Sides sides;
    };

    // Both sides, when on, are shown whatever the direction.
    Sides sides() const;
    bool wordsBefore() const { return m_wordsBefore; }
    bool bothSides() const { return m_bothSides; }
    // Each says whether what is shown changes.
    bool setWordsBefore(bool on);
    bool setBothSides(bool on);

    // A new start, nothing chosen.
    Request start(QStringList start);
    const QStringList &startPhrase() const { return m_start; }
    // The choice of word on picture, both sides of the choices made so far: the branch
    // down to it. Nothing when the picture is of earlier choices (the trees of the last
    // are still growing).
    std::optional<Request> choose(const VerbariumPicture &picture, const PlacedWord &word);
    // Undoes the last choice; nothing when there is none.
    std::optional<Request> undo();

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

    Request request() const { return {phrase(), sides()}; }

    bool m_wordsBefore = false;
    bool m_bothSides = false;
    QStringList m_start;
    QStringList m_before;
    QStringList m_after;
    std::vector<Choice> m_choices; // the last one made last
};
