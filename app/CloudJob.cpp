#include "CloudJob.h"

#include "CloudContent.h"
#include "TextAnalysis.h"
#include "TextLayer.h"
#include "WorkerJobs.h"

CloudJob::CloudJob(QObject *parent)
    : QObject(parent)
    , m_makeMeasurer([] { return std::make_unique<FontMetricsMeasurer>(); })
{}

CloudJob::~CloudJob()
{
    m_stop.request_stop();
}

void CloudJob::buildFor(std::shared_ptr<const TextAnalysis> analysis)
{
    m_analysis = std::move(analysis);
    start(true);
}

void CloudJob::setLeftOut(QSet<QString> words)
{
    if (words == m_leftOut)
        return;
    m_leftOut = std::move(words);
    if (m_analysis)
        start(false);
}

void CloudJob::start(bool forNewText)
{
    const bool wasBusy = isBusy();
    m_newTextPending = forNewText || (wasBusy && m_newTextPending);
    dropJob(m_watcher, m_stop, this);
    m_stop = std::stop_source();
    m_watcher = new QFutureWatcher<Made>(this);
    connect(m_watcher, &QFutureWatcherBase::finished, this, [this] {
        const Made made = m_watcher->result();
        // The job's result stays in its future until the watcher goes.
        m_watcher->deleteLater();
        m_watcher = nullptr;
        const bool forNewText = std::exchange(m_newTextPending, false);
        if (made.content)
            emit cloudReady(made.content, forNewText);
        else if (!made.failure.isEmpty())
            emit failed(made.failure);
        emit busyChanged(false);
    });
    m_watcher->setFuture(runStoppable(
        [analysis = m_analysis, leftOut = m_leftOut,
         measurer = std::shared_ptr<TextMeasurer>(m_makeMeasurer())](std::stop_token stop) {
            return Made{std::make_shared<const CloudContent>(
                            makeCloudContent(*analysis, leftOut, *measurer, std::move(stop))),
                        QString()};
        },
        m_stop.get_token(), tr("There is not enough memory to show the word cloud.")));
    if (!wasBusy)
        emit busyChanged(true);
}
