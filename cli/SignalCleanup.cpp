#include "SignalCleanup.h"

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>
#include <mutex>
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

// What the handler reads: fixed buffers, since it may not allocate, each with a state
// that says Ready only once its buffer holds a whole name. The signal may arrive on any
// thread.
enum State { Free, Filling, Ready };
struct PathToRemove
{
    char path[4096];
    std::atomic<int> state = Free;
};
static_assert(std::atomic<int>::is_always_lock_free);
std::array<PathToRemove, 4> pathsToRemove;
std::once_flag handlersInstalled;

extern "C" void removeAndEnd(int signalNumber)
{
    for (PathToRemove &entry : pathsToRemove) {
        if (entry.state == Ready)
            unlink(entry.path);
    }
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
}

} // namespace

void removeOnSignal(const QByteArray &path)
{
    std::call_once(handlersInstalled, installHandlers);
    if (std::size_t(path.size()) >= sizeof PathToRemove::path)
        return; // longer than any path the system takes
    for (PathToRemove &entry : pathsToRemove) {
        int free = Free;
        if (!entry.state.compare_exchange_strong(free, Filling))
            continue;
        std::memcpy(entry.path, path.constData(), std::size_t(path.size()) + 1);
        entry.state = Ready;
        return;
    }
}

void forget(const QByteArray &path)
{
    for (PathToRemove &entry : pathsToRemove) {
        // Only the thread that made a name forgets it, so a Ready entry stays as it is.
        if (entry.state == Ready && path == entry.path) {
            entry.state = Free;
            return;
        }
    }
}

void ignoreFileSizeLimitSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace SignalCleanup
