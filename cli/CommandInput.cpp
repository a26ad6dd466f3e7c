#include "CommandInput.h"

#include "CommandOutput.h"
#include "TextFile.h"

#include <QFile>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

std::optional<QString> readCommandInput(const QString &path)
{
    TextFile input;
    if (path == u"-") {
        QFile standardInput;
        if (!standardInput.open(stdin, QIODevice::ReadOnly)) {
            CommandOutput::reportError(u"standard input: cannot be read"_s);
            return std::nullopt;
        }
        input = decodeUtf8(standardInput.readAll(), u"standard input"_s);
    } else {
        input = readUtf8TextFile(path);
    }
    if (!input.error.isEmpty()) {
        CommandOutput::reportError(input.error);
        return std::nullopt;
    }
    return std::move(input.text);
}
