#pragma once

#include <QByteArray>

// Temporary files that every signal ending the process removes before the process ends,
// as it would end without them: by that signal. Those are the signals whose default is to
// end the process and that come from outside it (an interrupt, termination, hang-up, a
// quit key, a closed pipe, alarms, user signals, a CPU limit...), not the faults a bug
// raises. A few at a time, from any thread (the output and the index kept meanwhile); a
// signal the process was started ignoring stays ignored.
namespace SignalCleanup {

// From now on, until forget(path), those signals remove the file at path. Call it before
// the file is made, so that no moment is left without it.
void removeOnSignal(const QByteArray &path);
// The file is renamed or removed: signals leave the name alone again.
void forget(const QByteArray &path);

// Ignores the signal a file-size limit sends, so that a write past it fails with
// EFBIG ("File too large") and is reported like any failed write, the temporary file
// removed, instead of ending the process.
void ignoreFileSizeLimitSignal();

} // namespace SignalCleanup
