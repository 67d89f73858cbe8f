#include "Interrupts.h"

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <pthread.h>
#include <unistd.h>

namespace Interrupts {

namespace {

// A handful of pages are written at once at most (one per save); a fixed table needs no memory
// from a signal handler.
constexpr int kPlaces = 8;

enum : int { kFree = 0, kFilling = 1, kReady = 2 };

struct Place {
    std::atomic<int> state{kFree};
    char path[PATH_MAX];
};

Place places[kPlaces];

static_assert(std::atomic<int>::is_always_lock_free, "a signal handler reads the states");

// The signals whose default action ends the program and that a handler can catch, but for
// SIGXFSZ, which is ignored instead (IgnoreFileSizeSignal). SIGKILL and SIGSTOP cannot be caught.
constexpr int kEndingSignals[] = {
    SIGHUP,    SIGINT,  SIGQUIT, SIGILL,  SIGTRAP, SIGABRT, SIGBUS,    SIGFPE,  SIGUSR1,
    SIGSEGV,   SIGUSR2, SIGPIPE, SIGALRM, SIGTERM, SIGXCPU, SIGVTALRM, SIGPROF, SIGSYS,
#ifdef SIGSTKFLT
    SIGSTKFLT,
#endif
#ifdef SIGIO
    SIGIO, // also SIGPOLL
#endif
#ifdef SIGPWR
    SIGPWR,
#endif
};

// A fault that its instruction raises again when it runs again (SIGTRAP and SIGSYS do not: the
// program would go on past the breakpoint or the refused system call). Sent by kill() or raise()
// (si_code 0 or below), none comes back.
bool ComesBack(int signal, const siginfo_t* info) {
    return (signal == SIGILL || signal == SIGBUS || signal == SIGFPE || signal == SIGSEGV) &&
           info != nullptr && info->si_code > 0;
}

template <typename Each> void ForEachEndingSignal(Each each) {
    for (const int signal : kEndingSignals)
        each(signal);
    // The real-time signals end the program by default too.
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal)
        each(signal);
}

sigset_t InterruptSignals() {
    sigset_t set;
    sigemptyset(&set);
    // The faults too: an instruction that fails while they are blocked ends the program at once,
    // as it would before its file is registered anyway, and one sent by kill() waits its turn.
    ForEachEndingSignal([&set](int signal) { sigaddset(&set, signal); });
    return set;
}

void OnEndingSignal(int signal, siginfo_t* info, void*) {
    RemoveTempFiles();
    // Then the signal's own action, as though it had never been caught: the program ends by it,
    // with a core where it leaves one, and the shell sees 128 + its number.
    struct sigaction original {};
    original.sa_handler = SIG_DFL;
    sigemptyset(&original.sa_mask);
    ::sigaction(signal, &original, nullptr);
    if (ComesBack(signal, info))
        return;
    ::raise(signal);
    sigset_t own;
    sigemptyset(&own);
    sigaddset(&own, signal);
    ::pthread_sigmask(SIG_UNBLOCK, &own, nullptr);
}

} // namespace

bool RegisterTempFile(const char* path) noexcept {
    const std::size_t length = std::strlen(path);
    if (length >= PATH_MAX)
        return false;
    for (Place& place : places) {
        int expected = kFree;
        if (!place.state.compare_exchange_strong(expected, kFilling))
            continue;
        std::memcpy(place.path, path, length + 1);
        place.state.store(kReady);
        return true;
    }
    return false;
}

void ForgetTempFile(const char* path) noexcept {
    for (Place& place : places) {
        if (place.state.load() == kReady && std::strcmp(place.path, path) == 0) {
            place.state.store(kFree);
            return;
        }
    }
}

void RemoveTempFiles() noexcept {
    for (Place& place : places)
        if (place.state.load() == kReady)
            ::unlink(place.path);
}

void RemoveTempFilesOnInterrupt() {
    struct sigaction action {};
    action.sa_sigaction = OnEndingSignal;
    action.sa_flags = SA_SIGINFO;
    // While one handler removes the files, another signal waits instead of cutting it short.
    action.sa_mask = InterruptSignals();
    ForEachEndingSignal([&action](int signal) {
        // A signal the program was started with ignored (nohup, a background job of a script) or
        // handled by a tool it runs under stays as it is.
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_DFL &&
            (current.sa_flags & SA_SIGINFO) == 0)
            ::sigaction(signal, &action, nullptr);
    });
}

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

BlockInterrupts::BlockInterrupts() noexcept {
    const sigset_t block = InterruptSignals();
    ::pthread_sigmask(SIG_BLOCK, &block, &mSaved);
}

BlockInterrupts::~BlockInterrupts() {
    ::pthread_sigmask(SIG_SETMASK, &mSaved, nullptr);
}

} // namespace Interrupts
