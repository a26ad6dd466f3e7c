#include "SignalCleanup.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace SignalCleanup {

namespace {

// Every signal that ends the process by default and can be caught, but for those a
// fault of the process itself raises (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGSYS,
// SIGABRT): a sanitizer or a core dump wants those as they are. SIGXFSZ is ignored
// instead (see ignoreFileSizeLimitSignal).
std::vector<int> endingSignals()
{
    std::vector<int> ending{SIGHUP,  SIGINT,    SIGQUIT, SIGTERM, SIGPIPE, SIGALRM, SIGUSR1,
                            SIGUSR2, SIGVTALRM, SIGPROF, SIGXCPU, SIGIO,   SIGPWR,  SIGSTKFLT};
    for (int realTime = SIGRTMIN; realTime <= SIGRTMAX; ++realTime)
        ending.push_back(realTime);
    return ending;
}

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
    const std::vector<int> ending = endingSignals();
    for (const int signalNumber : ending) {
        struct sigaction current = {};
        sigaction(signalNumber, nullptr, &current);
        if (current.sa_handler == SIG_IGN)
            continue;
        struct sigaction action = {};
        action.sa_handler = removeAndEnd;
        sigemptyset(&action.sa_mask);
        for (const int other : ending)
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

void ignoreFileSizeLimitSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace SignalCleanup
