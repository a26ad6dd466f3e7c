#include "AppDelegate.h"

#include "Dialogs.h"
#include "FileParser.h"
#include "InputTextView.h"
#include "TextFile.h"
#include "VerbariumView.h"
#include "WordCloudView.h"
#include "WorkerRequests.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace {

std::shared_ptr<const AnalysisResult> analyse(const QString &text)
{
    FileParser parser;
    CountedSet allWords;
    WordDictionary words = parser.inputStrings(text, &allWords);
    return std::make_shared<const AnalysisResult>(
        AnalysisResult{std::move(words), parser.treeText(),
                       std::make_shared<const CountedSet>(std::move(allWords))});
}

} // namespace

AppDelegate::AppDelegate(const Outlets &outlets, Dialogs &dialogs, QObject *parent)
    : QObject(parent)
    , m_outlets(outlets)
    , m_dialogs(dialogs)
    , m_requests(std::make_unique<WorkerRequests>())
{}

AppDelegate::~AppDelegate() = default;

void AppDelegate::applicationDidFinishLaunching()
{
    m_outlets.inputWindow->show();
    m_outlets.inputWindow->raise();
    m_outlets.inputWindow->activateWindow();
}

bool AppDelegate::isBusy() const
{
    return m_requests->isBusy();
}

void AppDelegate::textDidChange()
{
    // Counts UTF-16 code units, whitespace and line breaks included.
    if (m_outlets.textField->textLength() > 4) {
        displayWordCloud();
        return;
    }
    m_dialogs.runAlert(u"Empty Text"_s, u"Please enter a Text to analyse"_s, u"OK"_s);
}

void AppDelegate::importTextFile()
{
    const std::optional<QString> path = m_dialogs.chooseFile({u"txt"_s});
    if (!path)
        return;
    // The chooser offers .txt files, but a typed name can be anything.
    if (QFileInfo(*path).suffix().compare(u"txt"_s, Qt::CaseInsensitive) != 0) {
        m_dialogs.runAlert(tr("Cannot Import File"),
                           tr("%1 is not a .txt file. Choose a plain-text file whose name ends "
                              "in .txt.")
                               .arg(*path),
                           u"OK"_s);
        return;
    }
    openFile(*path);
}

void AppDelegate::openFile(const QString &path)
{
    m_requests->run([path] { return readUtf8TextFile(path); },
                    [this](const TextFile &file) {
                        if (!file.error.isEmpty()) {
                            // The text view keeps what the user had; nothing is analysed.
                            m_dialogs.runAlert(tr("Cannot Import File"), file.error, u"OK"_s);
                            return;
                        }
                        m_outlets.textField->replaceText(file.text);
                        displayWordCloud();
                    });
}

void AppDelegate::displayWordCloud()
{
    emit analysisStarted();
    // The worker reads its own copy: the view may change meanwhile.
    m_requests->run(
        [text = m_outlets.textField->text()] { return analyse(text); },
        [this](const std::shared_ptr<const AnalysisResult> &result) { handOver(*result); });
}

void AppDelegate::handOver(const AnalysisResult &result)
{
    m_outlets.wordCloudView->setWordDict(result.words);
    m_outlets.wordCloudView->setWordCounts(result.allWords);
    m_outlets.verbariumView->setText(result.treeText);
    m_outlets.wordCloudView->buildCloud();
    m_outlets.searchWindow->activateWindow();
    emit wordCloudDisplayed();
}
