#include "LeaveOutOption.h"

#include "CommandInput.h"
#include "CommandLine.h"
#include "CommandOutput.h"
#include "CommonWords.h"
#include "TextFile.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

QString languageCodes()
{
    QStringList codes;
    for (const CommonWordLanguage &language : commonWordLanguages())
        codes << language.code;
    codes.sort();
    return codes.join(u", "_s);
}

} // namespace

void addLeaveOutOption(CommandLine &commandLine, const QString &effect)
{
    commandLine.addOption(QCommandLineOption(
        u"leave-out"_s,
        u"Leave out a language's common words (%1) or the words of FILE (plain UTF-8 text, "
        "words separated by white space, '#' starts a comment line); %2"_s.arg(languageCodes(),
                                                                               effect),
        u"LANGUAGE|FILE"_s));
}

std::optional<QString> leaveOutProblem(const CommandLine &commandLine, const QStringList &inputs)
{
    if (!commandLine.isSet(u"leave-out"_s))
        return std::nullopt;
    const QString choice = commandLine.value(u"leave-out"_s);
    if (choice.isEmpty())
        return u"--leave-out needs a language (%1) or a file"_s.arg(languageCodes());
    // One stream cannot be read twice: the list would take the text, or the text nothing.
    const bool textFromStandardInput =
        std::any_of(inputs.cbegin(), inputs.cend(),
                    [](const QString &path) { return namesStandardInput(path, true); });
    if (namesStandardInput(choice, false) && textFromStandardInput)
        return u"--leave-out and the text cannot both be read from standard input"_s;
    return std::nullopt;
}

std::optional<QSet<QString>> leftOutWords(const CommandLine &commandLine)
{
    if (!commandLine.isSet(u"leave-out"_s))
        return QSet<QString>();
    const QString choice = commandLine.value(u"leave-out"_s);
    for (const CommonWordLanguage &language : commonWordLanguages())
        if (language.code == choice)
            return commonWordsOf(choice);
    const TextFile file = readUtf8TextFile(choice);
    if (!file.error.isEmpty()) {
        // A bare name may have been meant as a language.
        CommandOutput::reportError(
            choice.contains(u'/')
                ? file.error
                : u"%1 (the languages with a list are %2)"_s.arg(file.error, languageCodes()));
        return std::nullopt;
    }
    return parseWordList(file.text);
}
