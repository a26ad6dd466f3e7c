#include "CommandInput.h"

#include "CommandOutput.h"
#include "StandardStreams.h"
#include "TextFile.h"

#include <QFile>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

std::optional<TextFile> readCommandText(const QString &path)
{
    TextFile input;
    if (path == u"-") {
        input = StandardStreams::isClosed(STDIN_FILENO)
                    ? TextFile{{}, u"standard input: cannot be read (it is closed)"_s}
                    : readUtf8StandardInput();
    } else if (const std::optional<int> stream =
                   StandardStreams::streamNamedBy(QFile::encodeName(path));
               stream && StandardStreams::isClosed(*stream)) {
        // Such a name would open the stand-in that takes the closed stream's place.
        input = {{}, u"%1: cannot be read (it is closed)"_s.arg(path)};
    } else {
        input = readUtf8TextFile(path);
    }
    if (!input.error.isEmpty()) {
        CommandOutput::reportError(input.error);
        return std::nullopt;
    }
    return input;
}

std::optional<QString> readCommandInput(const QString &path)
{
    std::optional<TextFile> input = readCommandText(path);
    if (!input)
        return std::nullopt;
    return std::move(input->text);
}

bool namesStandardInput(const QString &path, bool dashToo)
{
    return (dashToo && path == u"-") ||
           StandardStreams::streamNamedBy(QFile::encodeName(path)) == STDIN_FILENO;
}
