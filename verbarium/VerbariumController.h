#pragma once

#include "ContextLines.h"
#include "ContextsQuery.h"
#include "Job.h"
#include "OccurrenceSpread.h"
#include "TreeRequests.h"

#include <QObject>
#include <QTimer>
#include <memory>
#include <vector>

class VerbariumView;

// The occurrences of a contexts query, in the order asked for: the first token of each,
// how many tokens each runs, and how many walks end at the node.
struct FoundContexts
{
    std::vector<quint32> firsts;
    quint32 length = 0;
    quint32 endedHere = 0;
    // Where they fall across the text's files, whatever their order.
    std::shared_ptr<const OccurrenceSpread> spread;
};

// Owns the verbarium's work on workers, so that its views only draw and report: the
// trees asked for (through TreeRequests), what the view says while they grow or why
// there is none, and the contexts of the nodes asked for. A newer request stops the
// older one's work; a new text drops what was asked of the old one.
class VerbariumController : public QObject
{
    Q_OBJECT

public:
    explicit VerbariumController(QObject *parent = nullptr);
    ~VerbariumController() override;

    // Connects view both ways: what it asks for comes here, trees and messages go to it.
    void serve(VerbariumView *view);

    // A new text: the picture of the old one goes, and trees asked for wait for the new
    // text's index.
    void beginText();
    void setIndex(std::shared_ptr<const TextIndex> index);
    // The files of the text to come, for a corpus: their words are counted as soon as its
    // index is set, before the first contexts want them.
    void setFiles(std::shared_ptr<const TextPlaces> places) { m_places = std::move(places); }
    // Each analysed file's words, counted once a text for whoever asks first.
    const std::shared_ptr<FileWordsMemo> &fileWords() const { return m_fileWords; }
    // The text has no index: the view says why instead of showing trees.
    void setIndexFailure(const QString &message);

    const TreeRequests &requests() const { return m_requests; }
    // For the trees asked for from now on; tests give failing and slow workers.
    void setTreeWorkers(TreeRequests::Workers workers)
    {
        m_requests.setWorkers(std::move(workers));
    }
    // Whether occurrences are being found or sorted.
    bool isFindingContexts() const { return m_contexts.isRunning(); }

public slots:
    // The tree of what follows the phrase, or of what comes before it.
    void requestTree(const QStringList &phrase, bool before);
    // The trees of what follows the phrase and of what comes before it, together.
    void requestBothSides(const QStringList &phrase);
    // Finds the occurrences query asks for, sorted in order.
    void findContexts(const ContextsQuery &query, ContextOrder order);
    // Sorts found occurrences of the text whose index is forward anew.
    void resortContexts(const std::shared_ptr<const TextIndex> &forward, FoundContexts found,
                        ContextOrder order);

signals:
    // A tree to show, the index it grew from, the text's own index, and for a start of one
    // word the longer tokens that hold it as a word of their own.
    void treeReady(const std::shared_ptr<const VerbariumTree> &tree,
                   const std::shared_ptr<const TextIndex> &index,
                   const std::shared_ptr<const TextIndex> &forward,
                   const QList<HoldingToken> &holding);
    // Both sides of a start to show: the tree of what follows it, grown from the text's
    // own index forward, and of what comes before it, grown from indexBefore.
    void bothSidesReady(const std::shared_ptr<const VerbariumTree> &after,
                        const std::shared_ptr<const VerbariumTree> &before,
                        const std::shared_ptr<const TextIndex> &forward,
                        const std::shared_ptr<const TextIndex> &indexBefore,
                        const QList<HoldingToken> &holding);
    // No tree is shown any more: a new text, a failure, or a start that does not occur.
    void treeGone();
    // What the view says where a tree would be: that it waits, or why there is none;
    // empty for nothing.
    void messageChanged(const QString &message);
    void busyChanged(bool busy);
    // The start asked for occurs only inside longer tokens, which the tree does not
    // follow; tokens names them, the most frequent first.
    void startOnlyInsideTokens(const QList<HoldingToken> &tokens);
    void contextsFound(const FoundContexts &found);
    // Why the occurrences asked for last could not be found, in words for the user.
    void contextsFailed(const QString &message);

private:
    void takeTree(const std::shared_ptr<const VerbariumTree> &tree,
                  const std::shared_ptr<const TextIndex> &index,
                  const QList<HoldingToken> &holding);
    // Whether the start of tree occurs; when it does not, says so instead of a tree.
    bool startOccurs(const VerbariumTree &tree, const QList<HoldingToken> &holding);
    void showWork(TreeRequests::Work work);
    void say(const QString &message);
    void startContexts(std::function<FoundContexts(std::stop_token)> work);

    TreeRequests m_requests;
    QTimer m_progressDelay;
    QString m_message; // what the view was told to say
    Job<FoundContexts> m_contexts;
    // Shared with the workers, which may outlive this object.
    std::shared_ptr<FileWordsMemo> m_fileWords = std::make_shared<FileWordsMemo>();
    std::shared_ptr<const TextPlaces> m_places;
    Job<bool> m_countingFileWords;
};
