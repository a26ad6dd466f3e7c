#include "CommandInput.h"

#include "CommandOutput.h"
#include "StandardStreams.h"
#include "TextFile.h"

using namespace Qt::Literals::StringLiterals;

std::optional<QString> readCommandInput(const QString &path)
{
    TextFile input;
    if (path == u"-") {
        const StandardStreams::Input bytes = StandardStreams::readStandardInput();
        if (bytes.error) {
            CommandOutput::reportError(u"standard input: cannot be read (%1)"_s.arg(*bytes.error));
            return std::nullopt;
        }
        input = decodeUtf8(bytes.bytes, u"standard input"_s);
    } else {
        input = readUtf8TextFile(path);
    }
    if (!input.error.isEmpty()) {
        CommandOutput::reportError(input.error);
        return std::nullopt;
    }
    return std::move(input.text);
}
