#pragma once

#include "Job.h"

#include <QAbstractScrollArea>
#include <QString>
#include <vector>

// Shows a text too long for the editor, read-only, a line at a time: only the lines in
// view are ever laid out, so a text of a hundred megabytes shows at once and costs no
// more memory than its line starts. Lines are not wrapped.
class LongTextView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit LongTextView(QWidget *parent = nullptr);

    // Shows text from its first line; its lines are found on a worker meanwhile.
    void setText(const QString &text);
    // The lines found so far: none until the worker is done.
    qsizetype lineCount() const { return qsizetype(m_lineStarts.size()); }
    QStringView line(qsizetype index) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void takeLines(std::vector<quint32> lineStarts);
    void updateScrollBars();
    int lineHeight() const;

    QString m_text;
    std::vector<quint32> m_lineStarts;
    Job<std::vector<quint32>> m_lines; // finding the lines
    int m_widestLine = 0;              // of the lines painted so far, in pixels
};

// Where each line of text starts: after every line feed, after a carriage return not
// followed by one, and after a line or paragraph separator.
std::vector<quint32> lineStartsOf(QStringView text);
