#include "SpaceKeyRule.h"

namespace {

// How long a released Space key waits for the press that X11 sends with the same timestamp when
// the key is only auto-repeating. The two come together, so this only delays the final hide.
constexpr int kReleaseWaitMs = 40;

bool IsPress(int keyCode, Qt::KeyboardModifiers shift) {
    return keyCode == Qt::Key_Space && shift == Qt::NoModifier;
}

} // namespace

SpaceKeyRule::SpaceKeyRule(Action show, Action hide)
    : mShow(std::move(show)), mHide(std::move(hide)) {
    mReleaseWait.setSingleShot(true);
    mReleaseWait.setInterval(kReleaseWaitMs);
    QObject::connect(&mReleaseWait, &QTimer::timeout, [this] { Hide(); });
}

void SpaceKeyRule::KeyDown(int keyCode, Qt::KeyboardModifiers shift, std::uint64_t timestamp) {
    if (keyCode != Qt::Key_Space)
        return;
    if (mReleaseWait.isActive()) {
        mReleaseWait.stop();
        // A press of another instant follows a real release: that release still hides first.
        if (timestamp != mReleaseTime)
            Hide();
        // The press of a pair with a modifier pressed since: the key is still held.
        else if (!IsPress(keyCode, shift))
            return;
    }
    if (!IsPress(keyCode, shift))
        return;
    mHeld = true;
    mShow();
}

void SpaceKeyRule::KeyUp(int keyCode, Qt::KeyboardModifiers /*shift*/, std::uint64_t timestamp,
                         bool autoRepeat) {
    // A modifier pressed while Space is held (Shift, Ctrl, Alt on the way to Alt+Tab) comes with
    // the release; the hold ends all the same.
    if (keyCode != Qt::Key_Space || !mHeld)
        return;
    // Qt has seen the press of this pair already waiting: the key is still held.
    if (autoRepeat)
        return;
    mReleaseTime = timestamp;
    mReleaseWait.start();
}

void SpaceKeyRule::KeyDownElsewhere(int keyCode, Qt::KeyboardModifiers /*shift*/,
                                    std::uint64_t timestamp) {
    if (keyCode != Qt::Key_Space || !mReleaseWait.isActive())
        return;
    mReleaseWait.stop();
    // The press of a pair: the key is still held, only the focus has moved on.
    if (timestamp != mReleaseTime)
        Hide();
}

void SpaceKeyRule::Hide() {
    mHeld = false;
    mHide();
}
