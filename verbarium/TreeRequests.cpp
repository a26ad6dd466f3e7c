#include "TreeRequests.h"

#include "IndexCache.h"
#include "ReleaseOnWorker.h"
#include "TextIndex.h"
#include "TreeGrowth.h"
#include "VerbariumTree.h"

TreeRequests::Workers TreeRequests::defaultWorkers()
{
    return {[](std::shared_ptr<const TextIndex> index, const QStringList &phrase,
               std::stop_token stop) {
                Grown grown{::growTree(index, phrase, stop), {}, nullptr};
                if (phrase.size() == 1)
                    grown.holding = tokensHoldingWord(*index, phrase.front(), stop);
                return grown;
            },
            [](std::shared_ptr<const TextIndex> forward, std::stop_token stop) {
                return indexBefore(std::move(forward), std::move(stop));
            }};
}

TreeRequests::TreeRequests(QObject *parent)
    : QObject(parent)
    , m_workers(defaultWorkers())
    , m_index(TextIndex::build(QStringView())) // before any text, as with an empty one
    , m_growth(this, tr("There is not enough memory to grow this tree."))
    , m_indexingBefore(this, tr("There is not enough memory to index the words before."))
{}

TreeRequests::~TreeRequests() = default;

void TreeRequests::awaitIndex()
{
    m_growth.drop();
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
    request({phrase, before, false});
}

void TreeRequests::requestBothSides(const QStringList &phrase)
{
    request({phrase, true, true});
}

void TreeRequests::request(Request asked)
{
    m_growth.drop();
    m_waiting.reset();
    if (m_failure.isEmpty()) {
        m_waiting = std::move(asked);
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
    } else if (m_indexBefore && m_waiting->both) {
        growBothSides(std::exchange(m_waiting, std::nullopt)->phrase);
    } else if (m_indexBefore) {
        growTree(*std::exchange(m_waiting, std::nullopt), m_indexBefore);
    } else if (!m_indexingBefore.isRunning()) {
        buildIndexBefore();
    }
}

void TreeRequests::growTree(const Request &request, std::shared_ptr<const TextIndex> index)
{
    // The index goes with the tree: the contexts of its nodes are read from it.
    m_growth.start([grow = m_workers.grow, index, phrase = request.phrase](
                       std::stop_token stop) { return grow(index, phrase, std::move(stop)); },
                   {[this, index](const Grown &grown) {
                        setWork();
                        emit treeReady(grown.tree, index, grown.holding);
                    },
                    [this](const QString &message) {
                        setWork();
                        emit treeFailed(message);
                    }});
}

void TreeRequests::growBothSides(const QStringList &phrase)
{
    // One job for both trees, so that a newer request stops them together.
    m_growth.start(
        [grow = m_workers.grow, forward = m_index, backward = m_indexBefore,
         phrase](std::stop_token stop) {
            Grown grown = grow(forward, phrase, stop);
            grown.before = grow(backward, phrase, std::move(stop)).tree;
            return grown;
        },
        {[this, backward = m_indexBefore](const Grown &grown) {
             setWork();
             emit bothSidesReady(grown.tree, grown.before, backward, grown.holding);
         },
         [this](const QString &message) {
             setWork();
             emit treeFailed(message);
         }});
}

void TreeRequests::buildIndexBefore()
{
    m_indexingBefore.start(
        [indexBefore = m_workers.indexBefore, forward = m_index](std::stop_token stop) {
            return indexBefore(forward, std::move(stop));
        },
        {[this](std::shared_ptr<const TextIndex> built) { m_indexBefore = std::move(built); },
         [this](const QString &message) {
             if (m_waiting) {
                 m_waiting.reset();
                 emit treeFailed(message);
             }
         },
         {},
         [this] {
             serveWaitingRequest();
             setWork();
         }});
}

void TreeRequests::dropIndexBefore()
{
    m_indexingBefore.drop();
    releaseOnWorker(std::exchange(m_indexBefore, nullptr));
}

TreeRequests::Work TreeRequests::work() const
{
    if (m_growth.isRunning())
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
