#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <stop_token>

class TextIndex;
class VerbariumTree;

// Grows the trees asked for from the current text's index on a worker, handing every
// tree back on this object's thread. The index comes from elsewhere, after the text:
// a word asked for before it is ready waits for it. Only the last word asked for, of
// the last text, is ever handed back: a newer request stops the older one's growth, and
// a new text drops what was asked of the old one.
class TreeRequests : public QObject
{
    Q_OBJECT

public:
    enum class Work { None, Indexing, Growing };

    explicit TreeRequests(QObject *parent = nullptr);
    ~TreeRequests() override;

    // A new text: its index follows with setIndex, or setIndexFailure says why it won't.
    void awaitIndex();
    void setIndex(std::shared_ptr<const TextIndex> index);
    void setIndexFailure(const QString &message);
    void requestTree(const QString &word);

    // What the last request still waits for.
    Work work() const;
    // Why no tree can be grown for the current text; empty while one can.
    const QString &failure() const { return m_failure; }

signals:
    void treeReady(const std::shared_ptr<const VerbariumTree> &tree);
    // Growing the last word's tree failed (memory ran out); message says so.
    void treeFailed(const QString &message);
    void workChanged(TreeRequests::Work work);

private:
    // A grown tree, or why there is none.
    struct Grown
    {
        std::shared_ptr<const VerbariumTree> tree;
        QString failure;
    };

    void growRequestedTree();
    void dropGrowth();
    void setWork();

    std::shared_ptr<const TextIndex> m_index; // none while the text's index is on its way
    QString m_failure;
    std::optional<QString> m_waitingWord; // asked for before the index was ready
    std::stop_source m_growthStop;
    QFutureWatcher<Grown> *m_growth = nullptr; // the running growth's, a child
    Work m_work = Work::None;
};
