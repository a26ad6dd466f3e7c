#pragma once

#include <QByteArray>

// A temporary file that an interrupt, termination or hang-up (SIGINT, SIGTERM, SIGHUP)
// removes before the process ends, as it would end without it: by that signal.
// One file at a time; a signal the process was started ignoring stays ignored.
namespace SignalCleanup {

// From now on, until forget(), those signals remove the file at path. Call it before
// the file is made, so that no moment is left without it.
void removeOnSignal(const QByteArray &path);
// The file is renamed or removed: signals leave the name alone again.
void forget();

} // namespace SignalCleanup
