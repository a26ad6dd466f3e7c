#include "TextPipeline.h"

#include "CorpusFile.h"
#include "StopCheck.h"
#include "TextIndex.h"
#include "TextPath.h"
#include "Tokeniser.h"

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
    TextPath path;
    path.read = [&source](std::stop_token stop) {
        return source.paths.isEmpty() ? source.text
                                      : readUtf8Sources(source.paths, std::move(stop));
    };
    path.cache = cache;
    path.places = true;
    path.indexer = indexer;
    Stage stage = Stage::Reading;
    TextPathReceiver receiver;
    receiver.entering = [&stage](TextStage entered) { stage = entered; };
    receiver.read = [&](const TextFile &file) {
        if (!file.error.isEmpty())
            report.handOver(Step(Failure{stage, file.error, file.leftOut}));
        else if (!source.paths.isEmpty())
            report.handOver(Step(ReadText{file}));
    };
    receiver.analysed = [&report](std::shared_ptr<const TextAnalysis> analysis) {
        report.handOver(Step(std::move(analysis)));
    };
    receiver.indexed = [&report](std::shared_ptr<const TextIndex> index) {
        report.handOver(Step(std::move(index)));
    };
    try {
        followTextPath(path, receiver, std::move(stop));
    } catch (const WorkStopped &) {
        // Nobody waits for what a stopped job would have given.
    } catch (...) {
        report.handOver(Step(Failure{stage, failureMessage(stage)}));
    }
}

TextPipeline::TextPipeline(QObject *parent)
    : QObject(parent)
    , m_indexer(TextPath::builtIndex)
    // The job says its own failures, stage by stage.
    , m_job(this, QString())
{}

TextPipeline::~TextPipeline() = default;

void TextPipeline::importFiles(const QStringList &paths)
{
    start({paths, {}});
}

void TextPipeline::analyse(const QString &text, std::vector<TextPart> parts)
{
    TextFile file;
    file.text = text;
    file.parts = std::move(parts);
    start({{}, std::move(file)});
}

void TextPipeline::start(Source source)
{
    const bool wasBusy = isBusy();
    setStage(source.paths.isEmpty() ? Stage::Analysing : Stage::Reading);
    // The job reads its own copies: QString's sharing is thread-safe, and nobody changes
    // a string another holds.
    m_job.start(
        [source = std::move(source), indexer = m_indexer,
         cache = m_cache](std::stop_token stop, JobReport<Step> &report) {
            run(report, source, indexer, cache, std::move(stop));
        },
        {[this](const Step &step) { takeStep(step); },
         [this](const QString &message) { emit failed(m_stage, message, {}); },
         {},
         [this] { emit busyChanged(false); }});
    if (!wasBusy)
        emit busyChanged(true);
}

void TextPipeline::takeStep(const Step &step)
{
    if (const auto *read = std::get_if<ReadText>(&step)) {
        setStage(Stage::Analysing);
        emit textRead(read->file);
    } else if (const auto *analysis = std::get_if<std::shared_ptr<const TextAnalysis>>(&step)) {
        setStage(Stage::Indexing);
        emit textAnalysed(*analysis);
    } else if (const auto *index = std::get_if<std::shared_ptr<const TextIndex>>(&step)) {
        emit textIndexed(*index);
    } else if (const auto *failure = std::get_if<Failure>(&step)) {
        emit failed(failure->stage, failure->message, failure->leftOut);
    }
}

void TextPipeline::setStage(Stage stage)
{
    if (stage == m_stage)
        return;
    m_stage = stage;
    emit stageChanged(stage);
}
