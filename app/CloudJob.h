#pragma once

#include "Job.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>
#include <stop_token>

struct CloudContent;
struct TextAnalysis;
class TextMeasurer;

// Chooses and measures the cloud's words on a worker, for a new text or for other words
// left out: a long text's many words, or a few giant ones, never hold the window. A
// newer request stops the older job, and so does destroying this object; nothing ever
// waits for a job. The content comes back on this object's thread.
class CloudJob : public QObject
{
    Q_OBJECT

public:
    // Each job measures with a measurer of its own, since they keep caches.
    using MeasurerMaker = std::function<std::unique_ptr<TextMeasurer>()>;

    explicit CloudJob(QObject *parent = nullptr);
    ~CloudJob() override;

    // Makes the cloud of a new text.
    void buildFor(std::shared_ptr<const TextAnalysis> analysis);
    // The words to leave out from now on; the cloud of the text at hand follows.
    void setLeftOut(QSet<QString> words);
    // How words are measured from the next job on; tests give fixed sizes.
    void setMeasurerMaker(MeasurerMaker maker) { m_makeMeasurer = std::move(maker); }

    bool isBusy() const { return m_job.isRunning(); }

signals:
    // forNewText: the cloud of a text just analysed, rather than the same text's with
    // other words left out.
    void cloudReady(const std::shared_ptr<const CloudContent> &content, bool forNewText);
    // The job could not finish; message says why, in words for the user.
    void failed(const QString &message);
    void busyChanged(bool busy);

private:
    void start(bool forNewText);

    MeasurerMaker m_makeMeasurer;
    std::shared_ptr<const TextAnalysis> m_analysis;
    QSet<QString> m_leftOut;
    // A new text's cloud that a later request replaced is still the new text's.
    bool m_newTextPending = false;
    Job<std::shared_ptr<const CloudContent>> m_job;
};
