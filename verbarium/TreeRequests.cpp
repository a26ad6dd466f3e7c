#include "TreeRequests.h"

#include "ReleaseOnWorker.h"
#include "StopCheck.h"
#include "TextIndex.h"
#include "TreeGrowth.h"
#include "VerbariumTree.h"

#include <QtConcurrent/QtConcurrentRun>

TreeRequests::TreeRequests(QObject *parent)
    : QObject(parent)
    , m_index(TextIndex::build(QStringView())) // before any text, as with an empty one
{}

TreeRequests::~TreeRequests()
{
    m_growthStop.request_stop();
}

void TreeRequests::awaitIndex()
{
    dropGrowth();
    m_waitingWord.reset();
    releaseOnWorker(std::exchange(m_index, nullptr));
    m_failure.clear();
    setWork();
}

void TreeRequests::setIndex(std::shared_ptr<const TextIndex> index)
{
    releaseOnWorker(std::exchange(m_index, std::move(index)));
    m_failure.clear();
    if (m_waitingWord)
        growRequestedTree();
    setWork();
}

void TreeRequests::setIndexFailure(const QString &message)
{
    releaseOnWorker(std::exchange(m_index, nullptr));
    m_failure = message;
    m_waitingWord.reset();
    setWork();
}

void TreeRequests::requestTree(const QString &word)
{
    dropGrowth();
    if (!m_failure.isEmpty()) {
        setWork();
        return;
    }
    m_waitingWord = word;
    if (m_index)
        growRequestedTree();
    setWork();
}

void TreeRequests::growRequestedTree()
{
    m_growthStop = std::stop_source();
    m_growth = new QFutureWatcher<Grown>(this);
    connect(m_growth, &QFutureWatcherBase::finished, this, [this] {
        const Grown grown = m_growth->result();
        m_growth->deleteLater();
        m_growth = nullptr;
        setWork();
        if (grown.tree)
            emit treeReady(grown.tree);
        else if (!grown.failure.isEmpty())
            emit treeFailed(grown.failure);
    });
    m_growth->setFuture(
        QtConcurrent::run([index = m_index, word = *std::exchange(m_waitingWord, std::nullopt),
                           stop = m_growthStop.get_token()]() -> Grown {
            try {
                return {growTree(index, word, stop), QString()};
            } catch (const WorkStopped &) {
                return {};
            } catch (const std::bad_alloc &) {
                return {nullptr, tr("There is not enough memory to grow this tree.")};
            }
        }));
}

void TreeRequests::dropGrowth()
{
    if (!m_growth)
        return;
    m_growthStop.request_stop();
    m_growth->disconnect(this);
    m_growth->deleteLater();
    m_growth = nullptr;
}

TreeRequests::Work TreeRequests::work() const
{
    if (m_growth)
        return Work::Growing;
    if (m_waitingWord)
        return Work::Indexing;
    return Work::None;
}

void TreeRequests::setWork()
{
    const Work work = this->work();
    if (work == m_work)
        return;
    m_work = work;
    emit workChanged(work);
}
