#include "CSpaceKeyRule.h"

namespace {

// How long a released Space key waits for the press that X11 sends with the same timestamp when
// the key is only auto-repeating. The two come together, so this only delays the final hide.
constexpr int kReleaseWaitMs = 40;

bool Applies(int KeyCode, Qt::KeyboardModifiers Shift) {
    return KeyCode == Qt::Key_Space && Shift == Qt::NoModifier;
}

} // namespace

CSpaceKeyRule::CSpaceKeyRule(Action show, Action hide)
    : mShow(std::move(show)), mHide(std::move(hide)) {
    mReleaseWait.setSingleShot(true);
    mReleaseWait.setInterval(kReleaseWaitMs);
    QObject::connect(&mReleaseWait, &QTimer::timeout, [this] { mHide(); });
}

void CSpaceKeyRule::KeyDown(int KeyCode, Qt::KeyboardModifiers Shift, std::uint64_t timestamp) {
    if (!Applies(KeyCode, Shift))
        return;
    if (mReleaseWait.isActive()) {
        mReleaseWait.stop();
        // A press of another instant follows a real release: that release still hides first.
        if (timestamp != mReleaseTime)
            mHide();
    }
    mShow();
}

void CSpaceKeyRule::KeyUp(int KeyCode, Qt::KeyboardModifiers Shift, std::uint64_t timestamp,
                          bool autoRepeat) {
    if (!Applies(KeyCode, Shift))
        return;
    // Qt has seen the press of this pair already waiting: the key is still held.
    if (autoRepeat)
        return;
    mReleaseTime = timestamp;
    mReleaseWait.start();
}

void CSpaceKeyRule::KeyDownElsewhere(int KeyCode, Qt::KeyboardModifiers Shift,
                                     std::uint64_t timestamp) {
    if (!Applies(KeyCode, Shift) || !mReleaseWait.isActive())
        return;
    mReleaseWait.stop();
    // The press of a pair: the key is still held, only the focus has moved on.
    if (timestamp != mReleaseTime)
        mHide();
}
