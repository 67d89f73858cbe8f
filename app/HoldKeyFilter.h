#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

class QKeyEvent;
class QWidget;

/// The keys that hold the picture on the screen, watched on the window's QWindow, which sees every
/// key of the window once, before the focused button and wherever the focus is:
/// - Space on the show button shows the picture, every repeated press shows it again, and the
///   release hides it, wherever the focus has gone meanwhile (Tab, an arrow key) and whatever
///   modifiers have been pressed since. A press with a modifier held does nothing. The button
///   never sees Space itself: it would take the key as a press and a click of its own.
/// - The release of Enter ends a hold (its press is the window's shortcut).
///
/// Under X11 a held key arrives as release-and-press pairs, most of them not flagged as
/// auto-repeat; the release and the press of a pair carry the same timestamp and come together.
/// So a release hides only when no press of the same instant has followed it within a short wait.
class HoldKeyFilter final : public QObject {
public:
    using Action = std::function<void()>;

    /// `hide` takes the picture off; `holding` tells whether it is on, by a key or the mouse.
    HoldKeyFilter(const QWidget& button, Action show, Action hide, std::function<bool()> holding);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// True when the key is taken here and goes no further.
    bool KeyDown(const QKeyEvent& key);
    bool KeyUp(const QKeyEvent& key);
    void Hide();
    /// The show button has the focus of its window, and takes input.
    bool OnButton() const;

    const QWidget& mButton;
    Action mShow;
    Action mHide;
    std::function<bool()> mHolding;
    /// Runs out when a release was a real one.
    QTimer mReleaseWait;
    std::uint64_t mReleaseTime = 0;
    /// A press of Space showed the picture and no release has hidden it yet.
    bool mHeld = false;
};
