#include "modInterrupts.h"

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

Place gPlaces[kPlaces];

static_assert(std::atomic<int>::is_always_lock_free, "a signal handler reads the states");

sigset_t InterruptSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

void OnInterrupt(int signal) {
    RemoveTempFiles();
    ::_exit(128 + signal);
}

} // namespace

bool RegisterTempFile(const char* path) noexcept {
    const std::size_t length = std::strlen(path);
    if (length >= PATH_MAX)
        return false;
    for (Place& place : gPlaces) {
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
    for (Place& place : gPlaces) {
        if (place.state.load() == kReady && std::strcmp(place.path, path) == 0) {
            place.state.store(kFree);
            return;
        }
    }
}

void RemoveTempFiles() noexcept {
    for (Place& place : gPlaces)
        if (place.state.load() == kReady)
            ::unlink(place.path);
}

void RemoveTempFilesOnInterrupt() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // While one handler removes the files, another interrupt waits instead of cutting it short.
    action.sa_mask = InterruptSignals();
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

CBlockInterrupts::CBlockInterrupts() noexcept {
    const sigset_t block = InterruptSignals();
    ::pthread_sigmask(SIG_BLOCK, &block, &mSaved);
}

CBlockInterrupts::~CBlockInterrupts() {
    ::pthread_sigmask(SIG_SETMASK, &mSaved, nullptr);
}

} // namespace Interrupts
