#include "VerbariumController.h"

#include "HoldingTokensText.h"
#include "Occurrences.h"
#include "TextIndex.h"
#include "VerbariumTree.h"
#include "VerbariumView.h"

namespace {

// Work shorter than this goes by with the busy cursor alone.
constexpr int progressDelayMs = 500;

} // namespace

VerbariumController::VerbariumController(QObject *parent)
    : QObject(parent)
    , m_contexts(this, QString())
    , m_countingFileWords(this, QString())
{
    m_progressDelay.setSingleShot(true);
    m_progressDelay.setInterval(progressDelayMs);
    connect(&m_progressDelay, &QTimer::timeout, this, [this] {
        say(m_requests.work() == TreeRequests::Work::Indexing ? tr("Indexing the text…")
                                                              : tr("Growing the tree…"));
    });
    connect(&m_requests, &TreeRequests::treeReady, this, &VerbariumController::takeTree);
    connect(&m_requests, &TreeRequests::bothSidesReady, this,
            [this](const std::shared_ptr<const VerbariumTree> &after,
                   const std::shared_ptr<const VerbariumTree> &before,
                   const std::shared_ptr<const TextIndex> &indexBefore,
                   const QList<HoldingToken> &holding) {
                if (startOccurs(*after, holding))
                    emit bothSidesReady(after, before, m_requests.index(), indexBefore, holding);
            });
    connect(&m_requests, &TreeRequests::treeFailed, this, [this](const QString &message) {
        emit treeGone();
        say(message);
    });
    connect(&m_requests, &TreeRequests::workChanged, this, &VerbariumController::showWork);
}

VerbariumController::~VerbariumController() = default;

void VerbariumController::serve(VerbariumView *view)
{
    connect(view, &VerbariumView::treeAsked, this, &VerbariumController::requestTree);
    connect(view, &VerbariumView::bothSidesAsked, this, &VerbariumController::requestBothSides);
    connect(this, &VerbariumController::treeReady, view, &VerbariumView::showTree);
    connect(this, &VerbariumController::bothSidesReady, view, &VerbariumView::showBothSides);
    connect(this, &VerbariumController::treeGone, view, &VerbariumView::showNoTree);
    connect(this, &VerbariumController::messageChanged, view, &VerbariumView::showMessage);
    connect(this, &VerbariumController::busyChanged, view, &VerbariumView::setBusy);
}

void VerbariumController::beginText()
{
    m_requests.awaitIndex();
    emit treeGone();
    say(QString());
}

void VerbariumController::setIndex(std::shared_ptr<const TextIndex> index)
{
    if (m_places && index) {
        // Nothing is said of it: the contexts that want the words count them if this fails.
        m_countingFileWords.start(
            [index, places = m_places, memo = m_fileWords](std::stop_token stop) {
                countFileWords(index, places->files(), *memo, std::move(stop));
                return true;
            },
            {[](bool) {}, [](const QString &) {}});
    }
    m_requests.setIndex(std::move(index));
}

void VerbariumController::setIndexFailure(const QString &message)
{
    m_requests.setIndexFailure(message);
    say(message);
}

void VerbariumController::requestTree(const QStringList &phrase, bool before)
{
    m_requests.requestTree(phrase, before);
    if (!m_requests.failure().isEmpty())
        say(m_requests.failure());
}

void VerbariumController::requestBothSides(const QStringList &phrase)
{
    m_requests.requestBothSides(phrase);
    if (!m_requests.failure().isEmpty())
        say(m_requests.failure());
}

void VerbariumController::takeTree(const std::shared_ptr<const VerbariumTree> &tree,
                                   const std::shared_ptr<const TextIndex> &index,
                                   const QList<HoldingToken> &holding)
{
    if (startOccurs(*tree, holding))
        emit treeReady(tree, index, m_requests.index(), holding);
}

bool VerbariumController::startOccurs(const VerbariumTree &tree, const QList<HoldingToken> &holding)
{
    if (tree.occurrences() > 0)
        return true;
    // A start that never occurs is said so: drawn alone, it would look like a word
    // that occurs with nothing after it. The cloud counts a word inside longer tokens
    // too ("x" in "x86"), where the tree, following whole tokens, never finds it.
    emit treeGone();
    say(absentStartMessage(tree.word(tree.root()), holding));
    if (!holding.isEmpty())
        emit startOnlyInsideTokens(holding);
    return false;
}

void VerbariumController::showWork(TreeRequests::Work work)
{
    if (work == TreeRequests::Work::None) {
        m_progressDelay.stop();
        emit busyChanged(false);
        say(m_requests.failure());
        return;
    }
    emit busyChanged(true);
    if (!m_progressDelay.isActive() && m_message.isEmpty())
        m_progressDelay.start();
}

void VerbariumController::say(const QString &message)
{
    m_message = message;
    emit messageChanged(message);
}

void VerbariumController::findContexts(const ContextsQuery &query, ContextOrder order)
{
    if (!query.index) {
        m_contexts.drop();
        return;
    }
    m_contexts.setOutOfMemory(
        tr("Not enough memory to list the occurrences of “%1”.").arg(query.shown));
    startContexts([index = query.index, forward = query.forward, sequence = query.sequence,
                   places = query.places, memo = m_fileWords, order](std::stop_token stop) {
        Occurrences occurrences = occurrencesOf(*index, sequence, stop);
        // A text of its own is one file, as long as its tokens.
        const std::vector<TextPart> wholeText{{QString(), 0, 0}};
        auto spread = spreadOf(forward, places ? places->files() : wholeText, occurrences.firsts,
                               *memo, stop);
        // The lines are runs of the text's own tokens, whichever index grew the tree.
        sortRuns(occurrences.firsts, occurrences.length, forward->tokens(), order, stop);
        return FoundContexts{std::move(occurrences.firsts), occurrences.length,
                             occurrences.endedHere, std::move(spread)};
    });
}

void VerbariumController::resortContexts(const std::shared_ptr<const TextIndex> &forward,
                                         FoundContexts found, ContextOrder order)
{
    startContexts([forward, found = std::move(found), order](std::stop_token stop) mutable {
        sortRuns(found.firsts, found.length, forward->tokens(), order, stop);
        return std::move(found);
    });
}

void VerbariumController::startContexts(std::function<FoundContexts(std::stop_token)> work)
{
    m_contexts.start(std::move(work),
                     {[this](FoundContexts found) { emit contextsFound(found); },
                      [this](const QString &message) { emit contextsFailed(message); }});
}
