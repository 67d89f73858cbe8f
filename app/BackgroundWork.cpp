#include "BackgroundWork.h"

#include <QProgressDialog>
#include <QWidget>
#include <QtConcurrent/QtConcurrentRun>
#include <utility>

namespace {

// How often the dialog takes the work's count; the work itself never waits for it.
constexpr int kUpdateMs = 50;

QString LabelWithNote(const QString& label, const QString& note) {
    return note.isEmpty() ? label : label + QStringLiteral("\n\n") + note;
}

} // namespace

BackgroundWork::BackgroundWork(QWidget* owner, const QString& note, QString label, bool cancellable,
                               int dialogDelayMs)
    : mOwner(owner), mNote(note), mLabel(std::move(label)), mCancellable(cancellable),
      mDialogDelayMs(dialogDelayMs) {
    mUpdate.setInterval(kUpdateMs);
    QObject::connect(&mUpdate, &QTimer::timeout, [this] { UpdateDialog(); });
    mDelay.setSingleShot(true);
    QObject::connect(&mDelay, &QTimer::timeout, [this] { ShowDialog(); });
    QObject::connect(&mWatcher, &QFutureWatcher<void>::finished, [this] { Ended(); });
}

BackgroundWork::~BackgroundWork() {
    // Only when the window goes while it works (the program ends). Nobody is told any more: the
    // watcher's news comes through the event loop, and goes with it.
    mWatcher.waitForFinished();
}

void BackgroundWork::Start(std::function<void()> work, Finished finished) {
    mWork = std::move(work);
    mFinished = std::move(finished);
    const QFuture<void> running = QtConcurrent::run([this] {
        try {
            mWork();
        } catch (...) {
            mFailure = std::current_exception();
        }
    });
    // From here on nothing fails: the window is given back its input by Ended alone.
    mBlock.emplace(mOwner);
    mBusy.emplace();
    mDelay.start(mDialogDelayMs);
    // A work that has ended already is reported finished all the same, from the event loop.
    mWatcher.setFuture(running);
}

void BackgroundWork::ShowDialog() {
    mDialog = std::make_unique<QProgressDialog>(mOwner);
    mDialog->setWindowTitle(mOwner != nullptr ? mOwner->windowTitle() : QString());
    mDialog->setLabelText(LabelWithNote(mLabel, mNote));
    // Not modal: Qt would drop a close request to a window a modal dialog blocks; the owner is
    // disabled instead, which leaves the dialog, a window of its own, to be answered.
    // The dialog is shown and closed here alone, never by its own count.
    mDialog->setAutoReset(false);
    mDialog->setAutoClose(false);
    mDialog->setRange(0, 0);
    if (mCancellable)
        QObject::connect(mDialog.get(), &QProgressDialog::canceled,
                         [this] { mCancelled.store(true, std::memory_order_relaxed); });
    else
        mDialog->setCancelButton(nullptr);
    mDialog->show();
    mUpdate.start();
}

void BackgroundWork::UpdateDialog() {
    if (mDialog == nullptr)
        return;
    if (mDialog->labelText() != LabelWithNote(mLabel, mNote))
        mDialog->setLabelText(LabelWithNote(mLabel, mNote));
    const std::int32_t total = mTotal.load(std::memory_order_relaxed);
    if (total <= 0)
        return;
    mDialog->setMaximum(total);
    mDialog->setValue(mDone.load(std::memory_order_relaxed));
}

void BackgroundWork::Ended() {
    mUpdate.stop();
    mDelay.stop();
    mDialog.reset();
    mBlock.reset();
    mBusy.reset();
    mWork = nullptr;
    // The starter may go on with other work from here; this object is left alone afterwards.
    const Finished finished = std::exchange(mFinished, nullptr);
    if (finished)
        finished(std::exchange(mFailure, nullptr));
}
