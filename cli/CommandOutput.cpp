#include "CommandOutput.h"

#include <QSaveFile>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace CommandOutput {

namespace {

bool writeAll(std::FILE *stream, const QByteArray &bytes)
{
    const size_t written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    return std::fflush(stream) == 0 && written == size_t(bytes.size());
}

} // namespace

void printToStandardOutput(const QString &text)
{
    writeAll(stdout, text.toUtf8());
}

void printToStandardError(const QString &text)
{
    writeAll(stderr, text.toUtf8());
}

void reportError(const QString &message)
{
    printToStandardError(u"verbarium-cli: %1\n"_s.arg(message));
}

bool writeResult(const QByteArray &bytes, const QString &path)
{
    if (path.isEmpty()) {
        if (writeAll(stdout, bytes))
            return true;
        reportError(u"standard output: cannot be written"_s);
        return false;
    }
    QSaveFile file(path);
    // Devices and folders without room for a temporary file (/dev/stdout, say)
    // are written directly.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        reportError(u"%1: cannot be written (%2)"_s.arg(path, file.errorString()));
        return false;
    }
    return true;
}

} // namespace CommandOutput
