#include "CloudJob.h"

#include "CloudContent.h"
#include "TextAnalysis.h"
#include "TextLayer.h"

CloudJob::CloudJob(QObject *parent)
    : QObject(parent)
    , m_makeMeasurer([] { return std::make_unique<FontMetricsMeasurer>(); })
    , m_job(this, tr("There is not enough memory to show the word cloud."))
{}

CloudJob::~CloudJob() = default;

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
    m_job.start(
        [analysis = m_analysis, leftOut = m_leftOut,
         measurer = std::shared_ptr<TextMeasurer>(m_makeMeasurer())](std::stop_token stop) {
            return std::make_shared<const CloudContent>(
                makeCloudContent(*analysis, leftOut, *measurer, std::move(stop)));
        },
        {[this](const std::shared_ptr<const CloudContent> &content) {
             emit cloudReady(content, std::exchange(m_newTextPending, false));
         },
         [this](const QString &message) {
             m_newTextPending = false;
             emit failed(message);
         },
         {},
         [this] { emit busyChanged(false); }});
    if (!wasBusy)
        emit busyChanged(true);
}
