#pragma once

#include <QByteArray>
#include <QString>

// Where a command's results and messages go.
namespace CommandOutput {

void printToStandardOutput(const QString &text);
void printToStandardError(const QString &text);

// One line on standard error: "verbarium-cli: <message>".
void reportError(const QString &message);

// Writes the result to standard output, or to path when it is not empty (replacing
// the file only once everything is written). False, after reporting the problem,
// when it could not be written.
bool writeResult(const QByteArray &bytes, const QString &path);

} // namespace CommandOutput
