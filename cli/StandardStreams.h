#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The process's standard input, output and error (descriptors 0, 1 and 2) as the
// caller left them.
namespace StandardStreams {

// Call first thing in main(). A stream the caller closed (`<&-`, `>&-`) gets /dev/null
// in its place, so that no file the program opens later takes its descriptor and is
// read or overwritten by mistake; the stream is still reported as closed.
void guardClosedStreams();

bool isClosed(int descriptor);

// The standard stream (0, 1 or 2) that path names through the system's names for the
// process's own descriptors (/dev/stdin, /dev/fd/1, /proc/self/fd/2 and links to them),
// if it names one.
std::optional<int> streamNamedBy(const QByteArray &path);

// Writes bytes to standard output through its stdio stream and flushes it; the
// system's reason on failure.
std::optional<QString> writeStandardOutput(const QByteArray &bytes);

// Closes standard output at the end of the program; the system's reason when that
// fails.
std::optional<QString> closeStandardOutput();

// The system's text for an errno value.
QString reason(int error);

} // namespace StandardStreams
