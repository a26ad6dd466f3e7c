#include "SignalCleanup.h"

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace SignalCleanup {

namespace {

constexpr std::array<int, 3> endingSignals{SIGINT, SIGTERM, SIGHUP};

// What the handler reads: a fixed buffer, since it may not allocate, and a flag set
// only once the buffer holds the whole name. The signal may arrive on any thread.
char pathToRemove[4096];
std::atomic<bool> hasPath = false;
static_assert(std::atomic<bool>::is_always_lock_free);
bool handlersInstalled = false;

extern "C" void removeAndEnd(int signalNumber)
{
    if (hasPath)
        unlink(pathToRemove);
    // Blocked while this runs, the signal comes again on return, with its usual effect.
    std::signal(signalNumber, SIG_DFL);
    raise(signalNumber);
}

void installHandlers()
{
    for (const int signalNumber : endingSignals) {
        struct sigaction current = {};
        sigaction(signalNumber, nullptr, &current);
        if (current.sa_handler == SIG_IGN)
            continue;
        struct sigaction action = {};
        action.sa_handler = removeAndEnd;
        sigemptyset(&action.sa_mask);
        for (const int other : endingSignals)
            sigaddset(&action.sa_mask, other);
        action.sa_flags = SA_RESTART;
        sigaction(signalNumber, &action, nullptr);
    }
    handlersInstalled = true;
}

} // namespace

void removeOnSignal(const QByteArray &path)
{
    if (!handlersInstalled)
        installHandlers();
    hasPath = false;
    if (size_t(path.size()) >= sizeof pathToRemove)
        return; // longer than any path the system takes
    std::memcpy(pathToRemove, path.constData(), size_t(path.size()) + 1);
    hasPath = true;
}

void forget()
{
    hasPath = false;
}

} // namespace SignalCleanup
