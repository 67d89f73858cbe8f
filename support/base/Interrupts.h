#pragma once

#include <csignal>

/// Temporary files that must not outlive the program: a page being written goes to a temporary
/// file beside its target, and an interrupted program removes it instead of leaving half a page.
///
/// Registering and forgetting happen with the interrupting signals blocked (BlockInterrupts), so
/// a signal sees each file either registered and present or gone.
namespace Interrupts {

/// Remembers `path` (a native file name) for removal by an interrupt; false when every place is
/// taken, in which case the file is simply not removed by one.
bool RegisterTempFile(const char* path) noexcept;
/// Forgets `path` again: it has been renamed or removed.
void ForgetTempFile(const char* path) noexcept;
/// Removes every registered file. Safe in a signal handler.
void RemoveTempFiles() noexcept;

/// Every signal that ends the program by default and can be caught (SIGINT, SIGTERM, SIGHUP,
/// SIGQUIT, SIGPIPE, SIGALRM, SIGUSR1, the faults, the real-time signals...) removes the registered
/// files first, then ends the program as it would have (128 + the signal's number to the shell).
/// A signal that is ignored or handled already when this is called is left as it is.
void RemoveTempFilesOnInterrupt();

/// A file-size limit (ulimit -f) then fails the write with "File too large", which is reported
/// like any other failed write, instead of killing the program without a word.
void IgnoreFileSizeSignal();

/// Blocks the signals that end the program (those RemoveTempFilesOnInterrupt handles) for the
/// calling thread while it lives.
class BlockInterrupts {
public:
    BlockInterrupts() noexcept;
    ~BlockInterrupts();
    BlockInterrupts(const BlockInterrupts&) = delete;
    BlockInterrupts& operator=(const BlockInterrupts&) = delete;

private:
    sigset_t mSaved;
};

} // namespace Interrupts
