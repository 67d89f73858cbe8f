#include "BackgroundWork.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>
#include <QtConcurrent/QtConcurrentRun>
#include <exception>
#include <memory>

namespace {

// How often the dialog takes the work's count; the work itself never waits for it.
constexpr int kUpdateMs = 50;

QString LabelWithNote(const QString& label, const QString& note) {
    return note.isEmpty() ? label : label + QStringLiteral("\n\n") + note;
}

/// While it lives, the window takes no input: disabled, as Qt shows it, and given back the focus
/// it had once it is enabled again. A window disabled already is left as it is.
class InputBlock {
public:
    explicit InputBlock(QWidget* window)
        : mWindow(window != nullptr && window->isEnabled() ? window : nullptr) {
        if (mWindow == nullptr)
            return;
        mFocus = mWindow->focusWidget();
        mWindow->setEnabled(false);
    }
    ~InputBlock() {
        if (mWindow == nullptr)
            return;
        mWindow->setEnabled(true);
        if (mFocus != nullptr)
            mFocus->setFocus();
    }
    InputBlock(const InputBlock&) = delete;
    InputBlock& operator=(const InputBlock&) = delete;

private:
    QPointer<QWidget> mWindow;
    QPointer<QWidget> mFocus;
};

} // namespace

BackgroundWork::BackgroundWork(QWidget* owner, const QString& note, QString label, bool cancellable,
                               int dialogDelayMs)
    : mOwner(owner), mNote(note), mLabel(std::move(label)), mCancellable(cancellable),
      mDialogDelayMs(dialogDelayMs) {}

void BackgroundWork::Run(const std::function<void()>& work) {
    // The caller goes on with the work's result, so this thread waits for it here, painting and
    // answering the progress dialog meanwhile.
    QEventLoop loop;
    QFutureWatcher<void> watcher;
    QObject::connect(&watcher, &QFutureWatcher<void>::finished, &loop, &QEventLoop::quit);
    // A failure of the work is carried back to this thread.
    std::exception_ptr failure;

    std::unique_ptr<QProgressDialog> dialog;
    QTimer update;
    update.setInterval(kUpdateMs);
    QObject::connect(&update, &QTimer::timeout, [this, &dialog] {
        if (dialog != nullptr && dialog->labelText() != LabelWithNote(mLabel, mNote))
            dialog->setLabelText(LabelWithNote(mLabel, mNote));
        const std::int32_t total = mTotal.load(std::memory_order_relaxed);
        if (dialog == nullptr || total <= 0)
            return;
        dialog->setMaximum(total);
        dialog->setValue(mDone.load(std::memory_order_relaxed));
    });
    QTimer delay;
    delay.setSingleShot(true);
    QObject::connect(&delay, &QTimer::timeout, [this, &dialog, &update] {
        dialog = std::make_unique<QProgressDialog>(mOwner);
        dialog->setWindowTitle(mOwner != nullptr ? mOwner->windowTitle() : QString());
        dialog->setLabelText(LabelWithNote(mLabel, mNote));
        // Not modal: Qt would drop a close request to a window a modal dialog blocks; the owner
        // is disabled instead, and the dialog, its child, is enabled on its own to be answered.
        dialog->setEnabled(true);
        // The dialog is shown and closed here alone, never by its own count.
        dialog->setAutoReset(false);
        dialog->setAutoClose(false);
        dialog->setMinimumDuration(0);
        dialog->setRange(0, 0);
        if (mCancellable)
            QObject::connect(dialog.get(), &QProgressDialog::canceled,
                             [this] { mCancelled.store(true, std::memory_order_relaxed); });
        else
            dialog->setCancelButton(nullptr);
        dialog->show();
        update.start();
    });
    delay.start(mDialogDelayMs);

    const InputBlock block(mOwner);

    watcher.setFuture(QtConcurrent::run([&work, &failure] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    // A work that ended before the watcher was told of it has already been reported finished.
    if (!watcher.isFinished())
        loop.exec();
    watcher.waitForFinished();
    update.stop();
    delay.stop();
    dialog.reset();
    if (failure)
        std::rethrow_exception(failure);
}
