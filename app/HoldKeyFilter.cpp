#include "HoldKeyFilter.h"

#include <QKeyEvent>
#include <QWidget>

namespace {

// How long a released Space key waits for the press that X11 sends with the same timestamp when
// the key is only auto-repeating. The two come together, so this only delays the final hide.
constexpr int kReleaseWaitMs = 40;

} // namespace

HoldKeyFilter::HoldKeyFilter(const QWidget& button, Action show, Action hide,
                             std::function<bool()> holding)
    : mButton(button), mShow(std::move(show)), mHide(std::move(hide)),
      mHolding(std::move(holding)) {
    mReleaseWait.setSingleShot(true);
    mReleaseWait.setInterval(kReleaseWaitMs);
    connect(&mReleaseWait, &QTimer::timeout, this, [this] { Hide(); });
}

bool HoldKeyFilter::eventFilter(QObject* /*watched*/, QEvent* event) {
    if (event->type() == QEvent::KeyPress)
        return KeyDown(*static_cast<const QKeyEvent*>(event));
    if (event->type() == QEvent::KeyRelease)
        return KeyUp(*static_cast<const QKeyEvent*>(event));
    return false;
}

bool HoldKeyFilter::KeyDown(const QKeyEvent& key) {
    if (key.key() != Qt::Key_Space)
        return false;
    const bool onButton = OnButton();
    const bool alone = key.modifiers() == Qt::NoModifier;
    if (mReleaseWait.isActive()) {
        mReleaseWait.stop();
        // A press of another instant follows a real release: that release still hides first.
        if (key.timestamp() != mReleaseTime)
            Hide();
        // The press of a pair: the key is still held, though a modifier may have been pressed
        // since or the focus moved on.
        else if (!alone || !onButton)
            return onButton;
    }
    if (!onButton)
        return false;
    if (alone) {
        mHeld = true;
        mShow();
    }
    return true;
}

bool HoldKeyFilter::KeyUp(const QKeyEvent& key) {
    if ((key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) && !key.isAutoRepeat()) {
        if (mHolding())
            mHide();
        return false;
    }
    if (key.key() != Qt::Key_Space)
        return false;
    // A modifier pressed while Space is held (Shift, Ctrl, Alt on the way to Alt+Tab) comes with
    // the release; the hold ends all the same. A release flagged as auto-repeat: Qt has seen the
    // press of its pair already waiting, and the key is still held.
    if (mHeld && !key.isAutoRepeat()) {
        mReleaseTime = key.timestamp();
        mReleaseWait.start();
    }
    return OnButton();
}

bool HoldKeyFilter::OnButton() const {
    return mButton.isEnabled() && mButton.window()->focusWidget() == &mButton;
}

void HoldKeyFilter::Hide() {
    mHeld = false;
    mHide();
}
