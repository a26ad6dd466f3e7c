#include "KeynessComparison.h"

#include "CloudContent.h"
#include "MessageText.h"
#include "TextAnalysis.h"
#include "TextLayer.h"
#include "TextPath.h"

#include <QFileInfo>

namespace {

// The counted words of what read gives, analysed as every text is; nothing, with the
// reason, when it cannot be read.
std::shared_ptr<const CountedSet> countedWordsOf(const TextPath::Reader &read, QString &failure,
                                                 std::stop_token stop)
{
    TextPath way;
    way.read = read;
    way.index = TextPath::Index::None;
    std::shared_ptr<const CountedSet> words;
    TextPathReceiver receiver;
    receiver.read = [&failure](const TextFile &file) { failure = file.error; };
    receiver.analysed = [&words](std::shared_ptr<const TextAnalysis> analysis) {
        words = analysis->allWords;
    };
    followTextPath(way, receiver, std::move(stop));
    return words;
}

} // namespace

KeynessComparison::KeynessComparison(QObject *parent)
    : QObject(parent)
    , m_makeMeasurer([] { return std::make_unique<FontMetricsMeasurer>(); })
    , m_comparing(this, tr("There is not enough memory to compare the texts."))
    , m_cloud(this, tr("There is not enough memory to show the keyness cloud."))
{}

KeynessComparison::~KeynessComparison() = default;

void KeynessComparison::setTextA(std::shared_ptr<const TextAnalysis> analysis,
                                 const QString &fileName)
{
    m_analysisA = std::move(analysis);
    m_nameA = fileName.isEmpty() ? tr("this text") : fileName;
    if (!canCompare())
        return;
    const std::optional<SourceB> last = m_sourceBeingRead ? m_sourceBeingRead : m_sourceB;
    if (!last)
        return;
    if (last->path.isEmpty()) {
        // The rest of the corpus changes with A.
        if (m_restOfA) {
            compareWithRest();
            return;
        }
        m_sourceB.reset();
        m_sourceBeingRead.reset();
        m_wordsOfB.reset();
        emit failed(tr("The analysis of %1 left out no files, so there is no rest of a corpus "
                       "to compare it with.")
                        .arg(m_nameA));
        return;
    }
    // A file still being read is the one the user asked for last.
    start(*last, m_sourceBeingRead ? nullptr : m_wordsOfB);
}

void KeynessComparison::setRestOfA(std::shared_ptr<const TextFile> rest, const QString &name)
{
    m_restOfA = std::move(rest);
    m_restName = name;
}

void KeynessComparison::compareWithRest()
{
    if (!canCompareWithRest())
        return;
    emit comparing(tr("Counting and comparing %1…").arg(m_restName));
    start({{}, m_restOfA, m_restName}, nullptr);
}

bool KeynessComparison::canCompare() const
{
    return m_analysisA && m_analysisA->allWords && !m_analysisA->allWords->isEmpty();
}

void KeynessComparison::compareWith(const QString &path)
{
    if (!canCompare())
        return;
    emit comparing(
        tr("Reading and comparing %1…").arg(escapedControls(QFileInfo(path).fileName())));
    start({path, nullptr, escapedControls(QFileInfo(path).fileName())}, nullptr);
}

void KeynessComparison::setMinimumLogLikelihood(double minimum)
{
    if (minimum == m_minimum)
        return;
    m_minimum = minimum;
    if (m_table)
        startCloud();
}

void KeynessComparison::setLeftOut(QSet<QString> words)
{
    if (words == m_leftOut)
        return;
    m_leftOut = std::move(words);
    if (m_table)
        startCloud();
}

// B's words are read and counted from sourceB unless given.
void KeynessComparison::start(const SourceB &sourceB, std::shared_ptr<const CountedSet> wordsOfB)
{
    // The cloud of the last table is of no use once a new table comes.
    m_cloud.drop();
    m_sourceBeingRead = wordsOfB ? std::nullopt : std::optional(sourceB);
    const KeynessTextNames names{m_nameA, sourceB.name};
    TextPath::Reader read = [sourceB](std::stop_token stop) {
        return sourceB.rest ? *sourceB.rest : readUtf8TextFile(sourceB.path, std::move(stop));
    };
    m_comparing.start(
        [wordsOfA = m_analysisA->allWords, wordsOfB = std::move(wordsOfB), read = std::move(read),
         names](std::stop_token stop) {
            Compared compared;
            compared.wordsOfB = wordsOfB;
            if (!compared.wordsOfB)
                compared.wordsOfB = countedWordsOf(read, compared.failure, stop);
            if (!compared.failure.isEmpty())
                return compared;
            if (!compared.wordsOfB || compared.wordsOfB->isEmpty()) {
                compared.failure = tr("%1 has no words to compare.").arg(names.b);
                return compared;
            }
            auto table = std::make_shared<KeynessTable>();
            table->rows = compareWordCounts(*wordsOfA, *compared.wordsOfB);
            table->wordsA = wordsCounted(*wordsOfA);
            table->wordsB = wordsCounted(*compared.wordsOfB);
            table->names = names;
            compared.table = std::move(table);
            return compared;
        },
        {[this, sourceB](const Compared &compared) { take(sourceB, compared); },
         [this](const QString &message) {
             m_sourceBeingRead.reset();
             emit failed(message);
         },
         {},
         [this] { updateBusy(); }});
    updateBusy();
}

void KeynessComparison::take(const SourceB &sourceB, const Compared &compared)
{
    m_sourceBeingRead.reset();
    if (!compared.table) {
        emit failed(compared.failure);
        return;
    }
    m_sourceB = sourceB;
    m_wordsOfB = compared.wordsOfB;
    m_table = compared.table;
    emit tableReady(m_table);
    startCloud();
}

void KeynessComparison::startCloud()
{
    m_cloud.start(
        [table = m_table, minimum = m_minimum, leftOut = m_leftOut,
         measurer = std::shared_ptr<TextMeasurer>(m_makeMeasurer())](std::stop_token stop) {
            return std::make_shared<const CloudContent>(makeKeynessCloudContent(
                table->rows, minimum, leftOut, *measurer, table->names, std::move(stop)));
        },
        {[this](const std::shared_ptr<const CloudContent> &content) { emit cloudReady(content); },
         [this](const QString &message) { emit failed(message); },
         {},
         [this] { updateBusy(); }});
    updateBusy();
}

// Says when the work as a whole begins or ends, not each job.
void KeynessComparison::updateBusy()
{
    if (m_busy == isBusy())
        return;
    m_busy = isBusy();
    emit busyChanged(m_busy);
}
