#include "TreeRequests.h"

#include "IndexCache.h"
#include "ReleaseOnWorker.h"
#include "TextIndex.h"
#include "TreeGrowth.h"
#include "VerbariumTree.h"
#include "WorkerJobs.h"

TreeRequests::TreeRequests(QObject *parent)
    : QObject(parent)
    , m_index(TextIndex::build(QStringView())) // before any text, as with an empty one
{}

TreeRequests::~TreeRequests()
{
    m_growthStop.request_stop();
    m_indexingStop.request_stop();
}

void TreeRequests::awaitIndex()
{
    dropGrowth();
    dropIndexBefore();
    m_waiting.reset();
    releaseOnWorker(std::exchange(m_index, nullptr));
    m_failure.clear();
    setWork();
}

void TreeRequests::setIndex(std::shared_ptr<const TextIndex> index)
{
    dropIndexBefore();
    releaseOnWorker(std::exchange(m_index, std::move(index)));
    m_failure.clear();
    serveWaitingRequest();
    setWork();
}

void TreeRequests::setIndexFailure(const QString &message)
{
    dropIndexBefore();
    releaseOnWorker(std::exchange(m_index, nullptr));
    m_failure = message;
    m_waiting.reset();
    setWork();
}

void TreeRequests::requestTree(const QStringList &phrase, bool before)
{
    dropGrowth();
    m_waiting.reset();
    if (m_failure.isEmpty()) {
        m_waiting = Request{phrase, before};
        serveWaitingRequest();
    }
    setWork();
}

void TreeRequests::serveWaitingRequest()
{
    if (!m_waiting || !m_index)
        return;
    if (!m_waiting->before) {
        growTree(*std::exchange(m_waiting, std::nullopt), m_index);
    } else if (m_indexBefore) {
        growTree(*std::exchange(m_waiting, std::nullopt), m_indexBefore);
    } else if (!m_indexingBefore) {
        buildIndexBefore();
    }
}

void TreeRequests::growTree(const Request &request, std::shared_ptr<const TextIndex> index)
{
    m_growthStop = std::stop_source();
    m_growth = new QFutureWatcher<Grown>(this);
    connect(m_growth, &QFutureWatcherBase::finished, this, [this] {
        const Grown grown = m_growth->result();
        m_growth->deleteLater();
        m_growth = nullptr;
        setWork();
        if (grown.tree)
            emit treeReady(grown.tree, grown.index, grown.holding);
        else if (!grown.failure.isEmpty())
            emit treeFailed(grown.failure);
    });
    m_growth->setFuture(runStoppable(
        [index = std::move(index), phrase = request.phrase](std::stop_token stop) {
            Grown grown{::growTree(index, phrase, stop), index, QString(), {}};
            if (phrase.size() == 1)
                grown.holding = tokensHoldingWord(*index, phrase.front(), stop);
            return grown;
        },
        m_growthStop.get_token(), tr("There is not enough memory to grow this tree.")));
}

void TreeRequests::buildIndexBefore()
{
    m_indexingStop = std::stop_source();
    m_indexingBefore = new QFutureWatcher<Grown>(this);
    connect(m_indexingBefore, &QFutureWatcherBase::finished, this, [this] {
        const Grown built = m_indexingBefore->result();
        m_indexingBefore->deleteLater();
        m_indexingBefore = nullptr;
        m_indexBefore = built.index;
        if (!m_indexBefore && m_waiting) {
            m_waiting.reset();
            if (!built.failure.isEmpty())
                emit treeFailed(built.failure);
        }
        serveWaitingRequest();
        setWork();
    });
    m_indexingBefore->setFuture(runStoppable(
        [forward = m_index](std::stop_token stop) {
            return Grown{nullptr, indexBefore(forward, stop), QString(), {}};
        },
        m_indexingStop.get_token(), tr("There is not enough memory to index the words before.")));
}

void TreeRequests::dropGrowth()
{
    dropJob(m_growth, m_growthStop, this);
}

void TreeRequests::dropIndexBefore()
{
    dropJob(m_indexingBefore, m_indexingStop, this);
    releaseOnWorker(std::exchange(m_indexBefore, nullptr));
}

TreeRequests::Work TreeRequests::work() const
{
    if (m_growth)
        return Work::Growing;
    if (m_waiting)
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
