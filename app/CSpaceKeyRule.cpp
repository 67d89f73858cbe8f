#include "CSpaceKeyRule.h"

#include "modKeys.h"

CSpaceKeyRule::CSpaceKeyRule(Action show, Action hide, Defer later)
    : mShow(std::move(show)), mHide(std::move(hide)), mLater(std::move(later)) {}

bool CSpaceKeyRule::Applies(std::int32_t KeyCode, std::int32_t Shift) {
    return KeyCode == vbKeySpace && Shift == 0;
}

void CSpaceKeyRule::KeyDown(std::int32_t KeyCode, std::int32_t Shift, std::uint64_t timestamp,
                            bool /*autoRepeat*/) {
    if (!Applies(KeyCode, Shift))
        return;
    if (mReleasePending) {
        mReleasePending = false;
        // A press of another instant follows a real release: that release still hides first.
        if (timestamp != mReleaseTime)
            mHide();
    }
    mShow();
}

void CSpaceKeyRule::KeyUp(std::int32_t KeyCode, std::int32_t Shift, std::uint64_t timestamp,
                          bool autoRepeat) {
    if (!Applies(KeyCode, Shift))
        return;
    // Qt has seen the press of this pair already waiting: the key is still held.
    if (autoRepeat)
        return;
    mReleasePending = true;
    mReleaseTime = timestamp;
    const std::uint64_t release = ++mReleaseCount;
    mLater([this, release] { Settle(release); });
}

void CSpaceKeyRule::Settle(std::uint64_t release) {
    if (!mReleasePending || release != mReleaseCount)
        return;
    mReleasePending = false;
    mHide();
}
