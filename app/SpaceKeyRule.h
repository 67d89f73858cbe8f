#pragma once

#include <QTimer>
#include <cstdint>
#include <functional>

/// Space on the show button: pressing shows the picture, every repeated press shows it again,
/// releasing hides it. A press with a modifier held does nothing; a release hides whatever
/// modifiers have been pressed meanwhile.
///
/// Under X11 a held key arrives as release-and-press pairs, most of them not flagged as
/// auto-repeat; the release and the press of a pair carry the same timestamp and come together.
/// So a release hides only when no press of the same instant has followed it within a short wait.
class SpaceKeyRule {
public:
    using Action = std::function<void()>;

    SpaceKeyRule(Action show, Action hide);

    void KeyDown(int keyCode, Qt::KeyboardModifiers shift, std::uint64_t timestamp);
    void KeyUp(int keyCode, Qt::KeyboardModifiers shift, std::uint64_t timestamp, bool autoRepeat);
    /// A press that reached another widget while the picture is shown (the focus moved on while
    /// the key was held): the press of a pair keeps the picture; a press of another instant
    /// follows a real release, which hides at once.
    void KeyDownElsewhere(int keyCode, Qt::KeyboardModifiers shift, std::uint64_t timestamp);

private:
    void Hide();

    Action mShow;
    Action mHide;
    /// Runs out when a release was a real one.
    QTimer mReleaseWait;
    std::uint64_t mReleaseTime = 0;
    /// A press of this rule showed the picture and no release has hidden it yet.
    bool mHeld = false;
};
