#include "TextPipeline.h"

#include "StopCheck.h"
#include "TextAnalysis.h"
#include "TextFile.h"
#include "TextIndex.h"
#include "TokenWords.h"
#include "Tokeniser.h"
#include "WordCloud.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString failureMessage(TextPipeline::Stage stage)
{
    using Stage = TextPipeline::Stage;
    try {
        throw;
    } catch (const std::bad_alloc &) {
        switch (stage) {
        case Stage::Reading:
            return QObject::tr("There is not enough memory to read the file.");
        case Stage::Analysing:
            return QObject::tr("There is not enough memory to analyse the text.");
        case Stage::Indexing:
            return QObject::tr("There is not enough memory to index the text for the verbarium.");
        }
    } catch (const TooManyTokens &) {
        return QObject::tr("The text is too long: it has more than %L1 words and punctuation "
                           "marks, more than the verbarium can index.")
            .arg(TokenSequence::maximumSize);
    } catch (const std::exception &error) {
        return QObject::tr("Something went wrong: %1.").arg(QString::fromLocal8Bit(error.what()));
    } catch (...) {
    }
    return QObject::tr("Something went wrong.");
}

} // namespace

// The whole way of one text. Every exception ends here: as a failure, or, once stopped,
// as nothing at all.
void TextPipeline::run(JobReport<Step> &report, const Source &source, const Indexer &indexer,
                       const std::optional<IndexCache> &cache, std::stop_token stop)
{
    Stage stage = Stage::Reading;
    try {
        QString text = source.text;
        if (!source.path.isNull()) {
            TextFile file = readUtf8TextFile(source.path, stop);
            StopCheck(stop).throwIfStopped();
            if (!file.error.isEmpty()) {
                report.handOver(Step(Failure{stage, file.error}));
                return;
            }
            text = std::move(file.text);
            report.handOver(Step(ReadText{text}));
        }
        stage = Stage::Analysing;
        const TextKey key = cache ? IndexCache::keyOf(text) : TextKey{};
        // A text indexed before has its tokens, and so its words, in the kept index.
        std::shared_ptr<const TextIndex> index = cache ? cache->open(key) : nullptr;
        std::optional<TokenSequence> tokens;
        if (!index)
            tokens = tokenise(text, stop);
        const TokenSequence &counted = index ? index->tokens() : *tokens;
        auto allWords = std::make_shared<const CountedSet>(wordsOfTokens(counted, stop));
        auto analysis = std::make_shared<const TextAnalysis>(
            TextAnalysis{text, WordCloud(*allWords).wordCloudElements(), std::move(allWords)});
        report.handOver(Step(std::move(analysis)));
        stage = Stage::Indexing;
        const bool built = !index;
        if (built)
            index = indexer(std::move(*tokens), stop);
        if (cache && index) {
            const KeptIndex kept{*cache, key};
            index = TextIndex::keptIn(index, kept);
            if (built)
                keepInBackground(kept, index, stop);
        }
        report.handOver(Step(std::move(index)));
    } catch (const WorkStopped &) {
        // Nobody waits for what a stopped job would have given.
    } catch (...) {
        report.handOver(Step(Failure{stage, failureMessage(stage)}));
    }
}

TextPipeline::TextPipeline(QObject *parent)
    : QObject(parent)
    , m_indexer([](TokenSequence tokens, std::stop_token stop) {
        return TextIndex::build(std::move(tokens), std::move(stop));
    })
    // The job says its own failures, stage by stage.
    , m_job(this, QString())
{}

TextPipeline::~TextPipeline() = default;

void TextPipeline::importFile(const QString &path)
{
    start({path, QString()});
}

void TextPipeline::analyse(const QString &text)
{
    start({QString(), text});
}

void TextPipeline::start(Source source)
{
    const bool wasBusy = isBusy();
    setStage(source.path.isNull() ? Stage::Analysing : Stage::Reading);
    // The job reads its own copies: QString's sharing is thread-safe, and nobody changes
    // a string another holds.
    m_job.start(
        [source = std::move(source), indexer = m_indexer,
         cache = m_cache](std::stop_token stop, JobReport<Step> &report) {
            run(report, source, indexer, cache, std::move(stop));
        },
        {[this](const Step &step) { takeStep(step); },
         [this](const QString &message) { emit failed(m_stage, message); },
         {},
         [this] { emit busyChanged(false); }});
    if (!wasBusy)
        emit busyChanged(true);
}

void TextPipeline::takeStep(const Step &step)
{
    if (const auto *read = std::get_if<ReadText>(&step)) {
        setStage(Stage::Analysing);
        emit textRead(read->text);
    } else if (const auto *analysis = std::get_if<std::shared_ptr<const TextAnalysis>>(&step)) {
        setStage(Stage::Indexing);
        emit textAnalysed(*analysis);
    } else if (const auto *index = std::get_if<std::shared_ptr<const TextIndex>>(&step)) {
        emit textIndexed(*index);
    } else if (const auto *failure = std::get_if<Failure>(&step)) {
        emit failed(failure->stage, failure->message);
    }
}

void TextPipeline::setStage(Stage stage)
{
    if (stage == m_stage)
        return;
    m_stage = stage;
    emit stageChanged(stage);
}
