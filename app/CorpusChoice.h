#pragma once

#include "CorpusFileModel.h"
#include "Job.h"
#include "SpanList.h"
#include "TextFile.h"

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

class FileWordsMemo;
class TextIndex;

// The corpus the text view shows and which of its files the latest request analyses:
// the file list's model, the files requested with where each stands in the text
// analysed, the files left out as a corpus of their own, and each file's words, counted
// for the list once an index has them. A text of the user's own has no files.
class CorpusChoice : public QObject
{
    Q_OBJECT

public:
    explicit CorpusChoice(QObject *parent = nullptr);

    CorpusFileModel &files() { return m_files; }
    // Shows file's files, none for a text of its own, and requests them all, as the text
    // read is analysed as it is.
    void show(const TextFile &file);
    // How many files the user left checked; a corpus of one file has no list to choose
    // from, so its file counts as checked.
    qsizetype checkedCount() const;
    // Requests the checked files of text, the corpus shown: returns them, each kept apart,
    // as the text to analyse; the unchecked ones become the request's rest.
    TextFile requestChecked(const QString &text);
    // Requests a text of the user's own.
    void requestNoFiles();
    // The latest request's analysis has been handed over: its rest is the analysed one.
    void takeAnalysis();
    // The files of the analysed corpus that its analysis left out, as a corpus of their
    // own, and what to call them; null when it left out none (or is not of a corpus).
    const std::shared_ptr<const TextFile> &analysedRest() const { return m_analysedRest; }
    const QString &analysedRestName() const { return m_analysedRestName; }
    // Counts the words of the requested files whose words the list lacks, those analysed
    // from index (sharing the count in memo), any other from the corpus's text.
    void countWords(const std::shared_ptr<const TextIndex> &index,
                    const std::function<QString()> &corpusText,
                    std::shared_ptr<FileWordsMemo> memo);

private:
    void requestAll();

    CorpusFileModel m_files;
    // The latest request's files (their rows in the list) and where they stand in the
    // text analysed.
    std::vector<int> m_requestedFiles;
    std::vector<TextSpan> m_requestedSpans;
    std::shared_ptr<const TextFile> m_requestedRest;
    QString m_requestedRestName;
    std::shared_ptr<const TextFile> m_analysedRest;
    QString m_analysedRestName;
    Job<std::vector<qsizetype>> m_wordCounting;
};
