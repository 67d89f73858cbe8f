#pragma once

#include <cstdint>
#include <functional>

/// Space on the show button: pressing shows the picture, every repeated press shows it again,
/// releasing hides it; with Shift, Ctrl or Alt held it does nothing.
///
/// Under X11 a held key arrives as release-and-press pairs, most of them not flagged as
/// auto-repeat; the release and the press of a pair carry the same timestamp. So a release hides
/// only when no press of the same instant has followed it by the time the deferred check runs.
class CSpaceKeyRule {
public:
    using Action = std::function<void()>;
    using Defer = std::function<void(Action)>;

    CSpaceKeyRule(Action show, Action hide, Defer later);

    void KeyDown(std::int32_t KeyCode, std::int32_t Shift, std::uint64_t timestamp,
                 bool autoRepeat);
    void KeyUp(std::int32_t KeyCode, std::int32_t Shift, std::uint64_t timestamp, bool autoRepeat);

private:
    static bool Applies(std::int32_t KeyCode, std::int32_t Shift);
    void Settle(std::uint64_t release);

    Action mShow;
    Action mHide;
    Defer mLater;
    bool mReleasePending = false;
    std::uint64_t mReleaseTime = 0;
    std::uint64_t mReleaseCount = 0;
};
