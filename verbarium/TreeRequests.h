#pragma once

#include "Job.h"
#include "TokensHoldingWord.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>

class TextIndex;
class VerbariumTree;

// Grows the trees asked for from the current text's index on a worker, handing every
// tree back on this object's thread. The index comes from elsewhere, after the text: a
// tree asked for before it is ready waits for it. The index of the words before (the
// tokens reversed) is built here, on a worker, the first time a tree of them is asked
// for. Only the last tree asked for, of the last text, is ever handed back: a newer
// request stops the older one's growth, and a new text drops what was asked of the old
// one.
class TreeRequests : public QObject
{
    Q_OBJECT

public:
    enum class Work { None, Indexing, Growing };

    // A tree grown on a worker, with the longer tokens that hold a start of one word;
    // for both sides, the tree of the words before beside it.
    struct Grown
    {
        std::shared_ptr<const VerbariumTree> tree;
        QList<HoldingToken> holding;
        std::shared_ptr<const VerbariumTree> before;
    };
    // What the workers do: grow a tree from an index, and build the index of the words
    // before from the text's. Tests put failing or slow ones in their place.
    struct Workers
    {
        std::function<Grown(std::shared_ptr<const TextIndex> index, const QStringList &phrase,
                            std::stop_token stop)>
            grow;
        std::function<std::shared_ptr<const TextIndex>(std::shared_ptr<const TextIndex> forward,
                                                       std::stop_token stop)>
            indexBefore;
    };
    static Workers defaultWorkers();

    explicit TreeRequests(QObject *parent = nullptr);
    // For the jobs started from now on.
    void setWorkers(Workers workers) { m_workers = std::move(workers); }
    ~TreeRequests() override;

    // A new text: its index follows with setIndex, or setIndexFailure says why it won't.
    void awaitIndex();
    void setIndex(std::shared_ptr<const TextIndex> index);
    void setIndexFailure(const QString &message);
    // The tree of what follows the phrase (a word or several, in reading order), or of
    // what comes before it.
    void requestTree(const QStringList &phrase, bool before = false);
    // The trees of what follows the phrase and of what comes before it, grown as one
    // request: a newer request stops both.
    void requestBothSides(const QStringList &phrase);

    // What the last request still waits for.
    Work work() const;
    // Why no tree can be grown for the current text; empty while one can.
    const QString &failure() const { return m_failure; }
    // The text's index, which the contexts of any tree read their places from; none
    // while it is on its way.
    const std::shared_ptr<const TextIndex> &index() const { return m_index; }

signals:
    // A tree, the index it grew from, and for a start of one word the longer tokens that
    // hold it as a word of their own (see tokensHoldingWord), which the tree never
    // starts from.
    void treeReady(const std::shared_ptr<const VerbariumTree> &tree,
                   const std::shared_ptr<const TextIndex> &index,
                   const QList<HoldingToken> &holding);
    // Both sides of a phrase: the trees of what follows it (grown from the text's index)
    // and of what comes before it (grown from indexBefore).
    void bothSidesReady(const std::shared_ptr<const VerbariumTree> &after,
                        const std::shared_ptr<const VerbariumTree> &before,
                        const std::shared_ptr<const TextIndex> &indexBefore,
                        const QList<HoldingToken> &holding);
    // Growing the last tree asked for, or the index of the words before it needs, failed;
    // message says why, in words for the user.
    void treeFailed(const QString &message);
    void workChanged(TreeRequests::Work work);

private:
    struct Request
    {
        QStringList phrase;
        bool before = false;
        bool both = false; // both sides: the words before and the words after
    };

    // Drops what was asked before and serves request, now or once its index is there.
    void request(Request asked);
    // Grows the waiting request's tree once its index is there, building the index of
    // the words before first when it needs it.
    void serveWaitingRequest();
    void growTree(const Request &request, std::shared_ptr<const TextIndex> index);
    void growBothSides(const QStringList &phrase);
    void buildIndexBefore();
    void dropIndexBefore();
    void setWork();

    Workers m_workers;
    std::shared_ptr<const TextIndex> m_index;       // none while the text's is on its way
    std::shared_ptr<const TextIndex> m_indexBefore; // none until first asked for
    QString m_failure;
    std::optional<Request> m_waiting; // asked for before its index was ready
    Job<Grown> m_growth;
    Job<std::shared_ptr<const TextIndex>> m_indexingBefore;
    Work m_work = Work::None;
};
