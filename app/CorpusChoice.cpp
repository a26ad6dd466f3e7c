#include "CorpusChoice.h"

#include "CorpusFile.h"
#include "CorpusSelection.h"
#include "FileNumbers.h"
#include "OccurrenceSpread.h"
#include "TextIndex.h"
#include "Tokeniser.h"

#include <algorithm>
#include <numeric>

CorpusChoice::CorpusChoice(QObject *parent)
    : QObject(parent)
    , m_wordCounting(this, tr("There is not enough memory to count the words of each file."))
{}

void CorpusChoice::show(const TextFile &file)
{
    m_wordCounting.drop();
    m_files.setFiles(file.parts);
    requestAll();
}

qsizetype CorpusChoice::checkedCount() const
{
    const auto files = qsizetype(m_files.files().size());
    const std::vector<bool> &included = m_files.included();
    return files < 2 ? files : qsizetype(std::count(included.begin(), included.end(), true));
}

void CorpusChoice::requestAll()
{
    m_requestedFiles.resize(m_files.files().size());
    std::iota(m_requestedFiles.begin(), m_requestedFiles.end(), 0);
    m_requestedSpans = partSpans(m_files.files());
    m_requestedRest.reset();
}

TextFile CorpusChoice::requestChecked(const QString &text)
{
    const std::vector<TextPart> &parts = m_files.files();
    const auto files = qsizetype(parts.size());
    const qsizetype checked = checkedCount();
    if (checked == files) {
        requestAll();
        TextFile all;
        all.text = text;
        all.parts = parts;
        return all;
    }
    const std::vector<bool> &included = m_files.included();
    m_requestedFiles.clear();
    for (int file = 0; file < int(files); ++file) {
        if (included[std::size_t(file)])
            m_requestedFiles.push_back(file);
    }
    std::vector<bool> rest(included.size());
    std::transform(included.begin(), included.end(), rest.begin(), std::logical_not<>());
    m_requestedRest = std::make_shared<const TextFile>(chosenFiles(text, parts, rest));
    m_requestedRestName = files - checked == 1 ? tr("the other file")
                                               : tr("the other %L1 files").arg(files - checked);
    TextFile analysed = chosenFiles(text, parts, included);
    m_requestedSpans = partSpans(analysed.parts);
    return analysed;
}

void CorpusChoice::requestNoFiles()
{
    m_requestedFiles.clear();
    m_requestedSpans.clear();
    m_requestedRest.reset();
}

void CorpusChoice::takeAnalysis()
{
    m_analysedRest = m_requestedRest;
    m_analysedRestName = m_requestedRestName;
}

void CorpusChoice::countWords(const std::shared_ptr<const TextIndex> &index,
                              const std::function<QString()> &corpusText,
                              std::shared_ptr<FileWordsMemo> memo)
{
    if (m_files.rowCount() < 2 || !m_files.lacksWordsOf(m_requestedFiles))
        return;
    // The files the analysis left out before their words were counted (the first
    // analysis stopped by the next) are tokenised for it; they are few, and rarely any.
    std::vector<int> files = m_requestedFiles;
    std::vector<bool> analysed(std::size_t(m_files.rowCount()), false);
    for (int file : files)
        analysed[std::size_t(file)] = true;
    std::vector<int> others;
    for (int file = 0; file < m_files.rowCount(); ++file) {
        if (!analysed[std::size_t(file)] && m_files.lacksWordsOf({file}))
            others.push_back(file);
    }
    std::vector<QString> otherTexts;
    if (!others.empty()) {
        const QString text = corpusText();
        for (int file : others) {
            const TextPart &part = m_files.files()[std::size_t(file)];
            otherTexts.push_back(text.sliced(part.start, part.length));
            files.push_back(file);
        }
    }
    // The index has the analysed files' tokens at hand: counting them is a pass.
    m_wordCounting.start(
        [index, spans = m_requestedSpans, otherTexts,
         memo = std::move(memo)](std::stop_token stop) {
            // The contexts' table counts the same words: whichever asks second reuses them.
            std::vector<qsizetype> words =
                *memo->wordsOf(index, fileTokenStarts(index->tokens(), spans), stop);
            for (const QString &text : otherTexts) {
                const TokenSequence tokens = tokenise(text, stop);
                const std::vector<quint32> whole{0, tokens.size()};
                words.push_back(wordsPerFile(tokens, whole, stop).front());
            }
            return words;
        },
        {[this, files](const std::vector<qsizetype> &words) { m_files.setWords(files, words); },
         // The list goes on without the words; the analysis has them.
         [](const QString &) {}});
}
