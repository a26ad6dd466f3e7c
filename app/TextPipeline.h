#pragma once

#include "IndexCache.h"
#include "Job.h"
#include "TextPath.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <variant>
#include <vector>

struct TextAnalysis;
class TextIndex;
class TokenSequence;

// Takes one text at a time from where it comes from to what the windows need, as one
// job on a worker: a file is read, the text analysed (its words counted for the cloud),
// then indexed for the verbarium. Each stage's result is handed back on this object's
// thread as soon as it is done, or the stage's failure as a message. A newer text stops
// the older one's job, and so does destroying this object; nothing ever waits for a job.
class TextPipeline : public QObject
{
    Q_OBJECT

public:
    using Stage = TextStage;
    using Indexer = TextPath::Indexer;

    explicit TextPipeline(QObject *parent = nullptr);
    ~TextPipeline() override;

    // Reads the files and folders at paths: one file as a text of its own, anything
    // else as a corpus with its files kept apart.
    void importFiles(const QStringList &paths);
    // A corpus's text comes with its files' parts.
    void analyse(const QString &text, std::vector<TextPart> parts = {});
    // For the jobs started from now on.
    void setIndexer(Indexer indexer) { m_indexer = std::move(indexer); }
    // Where indexes are kept between runs, for the jobs started from now on: a text
    // indexed before is then neither tokenised nor indexed again. None keeps nothing.
    void setCache(std::optional<IndexCache> cache) { m_cache = std::move(cache); }
    const std::optional<IndexCache> &cache() const { return m_cache; }

    bool isBusy() const { return m_job.isRunning(); }
    // The stage the job is in, while busy.
    Stage stage() const { return m_stage; }

signals:
    void busyChanged(bool busy);
    void stageChanged(TextPipeline::Stage stage);
    // The text of the files read, their parts and the files left out.
    void textRead(const TextFile &file);
    void textAnalysed(const std::shared_ptr<const TextAnalysis> &analysis);
    void textIndexed(const std::shared_ptr<const TextIndex> &index);
    // The job ended in stage; message says why, in words for the user. A corpus none of
    // whose files could be read lists each file's message in leftOut.
    void failed(TextPipeline::Stage stage, const QString &message, const QStringList &leftOut);

private:
    // What a job hands back, one stage at a time.
    struct ReadText
    {
        TextFile file;
    };
    struct Failure
    {
        Stage stage;
        QString message;
        QStringList leftOut = {};
    };
    using Step = std::variant<ReadText, std::shared_ptr<const TextAnalysis>,
                              std::shared_ptr<const TextIndex>, Failure>;

    // Files and folders to read (paths), or a text at hand.
    struct Source
    {
        QStringList paths;
        TextFile text;
    };

    static void run(JobReport<Step> &report, const Source &source, const Indexer &indexer,
                    const std::optional<IndexCache> &cache, std::stop_token stop);
    void start(Source source);
    void takeStep(const Step &step);
    void setStage(Stage stage);

    Indexer m_indexer;
    std::optional<IndexCache> m_cache;
    Job<Step> m_job;
    Stage m_stage = Stage::Analysing;
};
