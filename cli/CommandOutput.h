#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class OutputFile;

// Where a command's results and messages go.
namespace CommandOutput {

// False, after reporting the problem, when standard output cannot take the text.
bool printToStandardOutput(const QString &text);
void printToStandardError(const QString &text);

// One line on standard error: "verbarium-cli: <message>", its control characters
// escaped.
void reportError(const QString &message);

// Writes the result to standard output, or to path when it is not empty (see
// OutputFile for how each kind of file is written). Returns the command's exit status,
// after reporting the problem with the system's reason when it could not be written.
int writeResult(const QByteArray &bytes, const QString &path);

// Writes a result made in pieces, as write() hands them to the output, to standard
// output or to path. Returns the command's exit status, after reporting the problem
// when the output could not take it.
int writeResultInPieces(const QString &path,
                        const std::function<std::optional<QString>(OutputFile &)> &write);

} // namespace CommandOutput
