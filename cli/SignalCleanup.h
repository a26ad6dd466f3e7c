#pragma once

#include <QByteArray>

// Temporary files that an interrupt, termination or hang-up (SIGINT, SIGTERM, SIGHUP)
// removes before the process ends, as it would end without them: by that signal. A few
// at a time, from any thread (the output and the index kept meanwhile); a signal the
// process was started ignoring stays ignored.
namespace SignalCleanup {

// From now on, until forget(path), those signals remove the file at path. Call it before
// the file is made, so that no moment is left without it.
void removeOnSignal(const QByteArray &path);
// The file is renamed or removed: signals leave the name alone again.
void forget(const QByteArray &path);

} // namespace SignalCleanup
