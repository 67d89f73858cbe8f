#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>

class QWidget;

/// Long work of the window (a save, a large load) on Qt's thread pool, so that the window is still
/// painted and can show how far it got. Run returns once the work has ended; meanwhile events are
/// handled, and the owner is disabled: it is painted but takes no input. Once the work has lasted
/// a while a progress dialog shows: rows done of rows when Progress is told, a busy indicator
/// otherwise, and a Cancel button when the work can be cancelled.
class BackgroundWork {
public:
    /// The progress dialog shows once the work has lasted `dialogDelayMs`; shorter work shows none.
    /// `note`, when not empty, is a line under the label: what the owner will do once the work has
    /// ended. It is the owner's, who may change it while the work runs, and outlives the work.
    BackgroundWork(QWidget* owner, const QString& note, QString label, bool cancellable,
                   int dialogDelayMs);

    /// Runs `work` on another thread and waits for it, keeping this thread's events flowing; a
    /// failure of the work is thrown here.
    void Run(const std::function<void()>& work);

    // From the work's thread.
    void Progress(std::int32_t done, std::int32_t total) noexcept {
        mDone.store(done, std::memory_order_relaxed);
        mTotal.store(total, std::memory_order_relaxed);
    }
    bool Cancelled() const noexcept { return mCancelled.load(std::memory_order_relaxed); }

private:
    QWidget* mOwner;
    const QString& mNote;
    QString mLabel;
    bool mCancellable;
    int mDialogDelayMs;
    std::atomic<std::int32_t> mDone{0};
    std::atomic<std::int32_t> mTotal{0};
    std::atomic<bool> mCancelled{false};
};
