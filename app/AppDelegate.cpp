#include "AppDelegate.h"

#include "Dialogs.h"
#include "FileParser.h"
#include "TextFile.h"
#include "VerbariumView.h"
#include "WordCloudView.h"

#include <QApplication>
#include <QPlainTextEdit>

using namespace Qt::Literals::StringLiterals;

namespace {

// Shows the busy cursor while a long text is analysed.
class BusyCursor
{
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace

AppDelegate::AppDelegate(const Outlets &outlets, Dialogs &dialogs, QObject *parent)
    : QObject(parent)
    , m_outlets(outlets)
    , m_dialogs(dialogs)
{}

void AppDelegate::applicationDidFinishLaunching()
{
    m_outlets.inputWindow->show();
    m_outlets.inputWindow->raise();
    m_outlets.inputWindow->activateWindow();
}

void AppDelegate::textDidChange()
{
    // Counts UTF-16 code units, whitespace and line breaks included.
    if (m_outlets.textField->toPlainText().size() > 4) {
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
    const TextFile file = readUtf8TextFile(*path);
    if (!file.error.isEmpty()) {
        // The text view keeps what the user had; nothing is analysed.
        m_dialogs.runAlert(tr("Cannot Import File"), file.error, u"OK"_s);
        return;
    }
    m_outlets.textField->setPlainText(file.text);
    displayWordCloud();
}

void AppDelegate::displayWordCloud()
{
    BusyCursor busy;
    {
        FileParser parser;
        const WordDictionary words = parser.inputStrings(m_outlets.textField->toPlainText());
        m_outlets.wordCloudView->setWordDict(words);
        m_outlets.verbariumView->setText(parser.treeText());
    }
    m_outlets.wordCloudView->buildCloud();
    m_outlets.searchWindow->activateWindow();
}
