#include "TreeRequests.h"

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
    m_indexing.request_stop();
}

void TreeRequests::setText(const QString &treeText)
{
    const quint64 text = ++m_text;
    m_handedBack = m_request; // nothing asked of the old text is handed back
    m_waitingWord.reset();
    m_index.reset();
    m_indexing.request_stop();
    m_indexing = std::stop_source();
    // The worker reads its own copy of the text: QString's sharing is thread-safe and
    // nobody changes it.
    QtConcurrent::run([treeText, stop = m_indexing.get_token()] {
        return TextIndex::build(treeText, stop);
    }).then(this, [this, text](const std::shared_ptr<const TextIndex> &index) {
        if (text != m_text || !index)
            return;
        m_index = index;
        if (m_waitingWord)
            growRequestedTree();
        setWork();
    });
    setWork();
}

void TreeRequests::requestTree(const QString &word)
{
    ++m_request;
    m_waitingWord = word;
    if (m_index)
        growRequestedTree();
    setWork();
}

void TreeRequests::growRequestedTree()
{
    const quint64 request = m_request;
    QtConcurrent::run([index = m_index, word = *std::exchange(m_waitingWord, std::nullopt)] {
        return growTree(index, word);
    }).then(this, [this, request](const std::shared_ptr<const VerbariumTree> &tree) {
        if (request != m_request || request <= m_handedBack)
            return;
        m_handedBack = request;
        setWork();
        emit treeReady(tree);
    });
}

TreeRequests::Work TreeRequests::work() const
{
    if (m_handedBack == m_request)
        return Work::None;
    return m_index ? Work::Growing : Work::Indexing;
}

void TreeRequests::setWork()
{
    const Work work = this->work();
    if (work == m_work)
        return;
    m_work = work;
    emit workChanged(work);
}
