#include "KeynessComparison.h"

#include "CloudContent.h"
#include "MessageText.h"
#include "TextAnalysis.h"
#include "TextLayer.h"
#include "TextPath.h"

#include <QFileInfo>

namespace {

// The counted words of the file at path, read and analysed as every text is; nothing,
// with the reason, when it cannot be read.
std::shared_ptr<const CountedSet> countedWordsOf(const QString &path, QString &failure,
                                                 std::stop_token stop)
{
    TextPath way;
    way.read = [&path](std::stop_token stop) { return readUtf8TextFile(path, std::move(stop)); };
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
    // A file still being read is the one the user asked for last.
    if (!m_pathBeingRead.isEmpty())
        start(m_pathBeingRead, nullptr);
    else if (m_wordsOfB)
        start(m_pathB, m_wordsOfB);
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
    start(path, nullptr);
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

// B's words are read from pathB unless given.
void KeynessComparison::start(const QString &pathB, std::shared_ptr<const CountedSet> wordsOfB)
{
    // The cloud of the last table is of no use once a new table comes.
    m_cloud.drop();
    m_pathBeingRead = wordsOfB ? QString() : pathB;
    const KeynessTextNames names{m_nameA, escapedControls(QFileInfo(pathB).fileName())};
    m_comparing.start(
        [wordsOfA = m_analysisA->allWords, wordsOfB = std::move(wordsOfB), pathB,
         names](std::stop_token stop) {
            Compared compared;
            compared.wordsOfB = wordsOfB;
            if (!compared.wordsOfB)
                compared.wordsOfB = countedWordsOf(pathB, compared.failure, stop);
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
        {[this, pathB](const Compared &compared) { take(pathB, compared); },
         [this](const QString &message) {
             m_pathBeingRead.clear();
             emit failed(message);
         },
         {},
         [this] { updateBusy(); }});
    updateBusy();
}

void KeynessComparison::take(const QString &pathB, const Compared &compared)
{
    m_pathBeingRead.clear();
    if (!compared.table) {
        emit failed(compared.failure);
        return;
    }
    m_pathB = pathB;
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
