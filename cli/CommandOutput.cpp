#include "CommandOutput.h"

#include "MessageText.h"
#include "OutputFile.h"
#include "StandardStreams.h"

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace CommandOutput {

namespace {

bool writeToStandardOutput(const QByteArray &bytes)
{
    const std::optional<QString> problem = StandardStreams::writeStandardOutput(bytes);
    if (problem)
        reportError(u"standard output: cannot be written (%1)"_s.arg(*problem));
    return !problem;
}

} // namespace

bool printToStandardOutput(const QString &text)
{
    return writeToStandardOutput(text.toUtf8());
}

void printToStandardError(const QString &text)
{
    // Where messages cannot go, nothing can report that they did not.
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

void reportError(const QString &message)
{
    // Names in it (paths, words) may hold anything a file name or an argument can.
    printToStandardError(u"verbarium-cli: %1\n"_s.arg(escapedControls(message)));
}

int writeResult(const QByteArray &bytes, const QString &path)
{
    return writeResultInPieces(path, [&bytes](OutputFile &output) { return output.write(bytes); });
}

int writeResultInPieces(const QString &path,
                        const std::function<std::optional<QString>(OutputFile &)> &write)
{
    OutputFile output(path);
    std::optional<QString> problem = output.open();
    if (!problem)
        problem = write(output);
    if (!problem)
        problem = output.commit();
    if (problem)
        reportError(*problem);
    return problem ? 1 : 0;
}

} // namespace CommandOutput
