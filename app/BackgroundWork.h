#pragma once

#include "BusyCursor.h"
#include "InputBlock.h"

#include <QFutureWatcher>
#include <QString>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

class QProgressDialog;
class QWidget;

/// Long work of the window (a save, a large load) on Qt's thread pool, so that the window is still
/// painted and can show how far it got. Start returns at once; while the work runs the owner is
/// disabled: it is painted but takes no input, under the busy pointer. Once the work has lasted a
/// while a progress dialog shows: rows done of rows when Progress is told, a busy indicator
/// otherwise, and a Cancel button when the work can be cancelled. When the work has ended the owner
/// takes input again and the starter hears of it on the window's thread.
class BackgroundWork {
public:
    /// Told on the window's thread once the work has ended: its failure, or null.
    using Finished = std::function<void(std::exception_ptr failure)>;

    /// The progress dialog shows once the work has lasted `dialogDelayMs`; shorter work shows none.
    /// `note`, when not empty, is a line under the label: what the owner will do once the work has
    /// ended. It is the owner's, who may change it while the work runs, and outlives the work.
    BackgroundWork(QWidget* owner, const QString& note, QString label, bool cancellable,
                   int dialogDelayMs);
    /// Waits for a work that still runs: it uses what its starter keeps beside this object.
    ~BackgroundWork();
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    /// Runs `work` on another thread, once per object, and returns at once; `finished` follows it.
    /// `finished` may start other work, but must leave this object alive until it has returned.
    void Start(std::function<void()> work, Finished finished);

    // From the work's thread.
    void Progress(std::int32_t done, std::int32_t total) noexcept {
        mDone.store(done, std::memory_order_relaxed);
        mTotal.store(total, std::memory_order_relaxed);
    }
    bool Cancelled() const noexcept { return mCancelled.load(std::memory_order_relaxed); }

private:
    void ShowDialog();
    void UpdateDialog();
    void Ended();

    QWidget* mOwner;
    const QString& mNote;
    QString mLabel;
    bool mCancellable;
    int mDialogDelayMs;
    std::atomic<std::int32_t> mDone{0};
    std::atomic<std::int32_t> mTotal{0};
    std::atomic<bool> mCancelled{false};

    std::function<void()> mWork;
    Finished mFinished;
    /// A failure of the work, carried back to the window's thread.
    std::exception_ptr mFailure;
    std::optional<InputBlock> mBlock;
    std::optional<BusyCursor> mBusy;
    std::unique_ptr<QProgressDialog> mDialog;
    QTimer mDelay;
    QTimer mUpdate;
    QFutureWatcher<void> mWatcher;
};
