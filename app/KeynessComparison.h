#pragma once

#include "CloudJob.h"
#include "Job.h"
#include "KeynessCloud.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

struct CloudContent;
struct TextAnalysis;
struct TextFile;
class CountedSet;

// The words of two texts compared: every word's counts and how markedly one text uses
// it more. Immutable once made.
struct KeynessTable
{
    std::vector<KeywordRow> rows; // by descending log-likelihood, then word
    qsizetype wordsA = 0;
    qsizetype wordsB = 0;
    KeynessTextNames names; // escaped, for showing
};

// Compares the analysed text (A) with another file (B), which is read and counted on a
// worker the way every text is, and makes the keyness cloud for the chosen significance
// and the words left out. A newer request stops the older, and so does destroying this
// object; nothing ever waits for a job. B's counts are kept, so that a new analysis of
// A is compared with the same file again without reading it.
class KeynessComparison : public QObject
{
    Q_OBJECT

public:
    explicit KeynessComparison(QObject *parent = nullptr);
    ~KeynessComparison() override;

    // The text compared from now on; fileName is empty for a typed text. When a file
    // was compared with the last one, the new text is compared with it.
    void setTextA(std::shared_ptr<const TextAnalysis> analysis, const QString &fileName);
    // Whether the text A has words to compare.
    bool canCompare() const;
    // Reads path and compares A with it; a failure leaves the last comparison as it is.
    void compareWith(const QString &path);
    // The files of A's corpus that A leaves out, named name (escaped), or none: what
    // compareWithRest compares A with. Given before A, as each analysis comes.
    void setRestOfA(std::shared_ptr<const TextFile> rest, const QString &name);
    bool canCompareWithRest() const { return canCompare() && m_restOfA; }
    // Compares A with the rest of its corpus, counted as every text is; a new A is
    // compared with its own rest.
    void compareWithRest();
    void setMinimumLogLikelihood(double minimum);
    double minimumLogLikelihood() const { return m_minimum; }
    // The words to leave out of the cloud (the table keeps them).
    void setLeftOut(QSet<QString> words);
    // How the cloud's words are measured from the next job on; tests give fixed sizes.
    void setMeasurerMaker(CloudJob::MeasurerMaker maker) { m_makeMeasurer = std::move(maker); }

    bool isBusy() const { return m_comparing.isRunning() || m_cloud.isRunning(); }
    const std::shared_ptr<const KeynessTable> &table() const { return m_table; }

signals:
    // What is being done, in words for the user, as a comparison begins.
    void comparing(const QString &description);
    void tableReady(const std::shared_ptr<const KeynessTable> &table);
    void cloudReady(const std::shared_ptr<const CloudContent> &content);
    // A comparison could not be made; message says why, naming the file.
    void failed(const QString &message);
    void busyChanged(bool busy);

private:
    // What a comparison hands back: the table and B's counts, or why there are none.
    struct Compared
    {
        std::shared_ptr<const KeynessTable> table;
        std::shared_ptr<const CountedSet> wordsOfB;
        QString failure;
    };

    // What A is compared with: a file, or the rest of A's corpus.
    struct SourceB
    {
        QString path;
        std::shared_ptr<const TextFile> rest;
        QString name; // escaped
    };

    void start(const SourceB &sourceB, std::shared_ptr<const CountedSet> wordsOfB);
    void take(const SourceB &sourceB, const Compared &compared);
    void startCloud();
    void updateBusy();

    std::shared_ptr<const TextAnalysis> m_analysisA;
    QString m_nameA;
    std::shared_ptr<const TextFile> m_restOfA;
    QString m_restName;
    std::optional<SourceB> m_sourceB;         // of the last comparison made
    std::optional<SourceB> m_sourceBeingRead; // of the comparison under way, when it reads
    std::shared_ptr<const CountedSet> m_wordsOfB;
    std::shared_ptr<const KeynessTable> m_table;
    double m_minimum = Significance::p01;
    QSet<QString> m_leftOut;
    CloudJob::MeasurerMaker m_makeMeasurer;
    bool m_busy = false; // as last told
    Job<Compared> m_comparing;
    Job<std::shared_ptr<const CloudContent>> m_cloud;
};
