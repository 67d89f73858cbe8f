#pragma once

#include <QPushButton>

class QMouseEvent;

/// The show button: a push button that every mouse button holds down, so that the picture stays
/// on the screen while any of them is held on it (`pressed` to `released`). Qt's button answers
/// the left one only; the right and the middle one have always shown the picture too, and still
/// do. Otherwise it is Qt's button: dragged off while held it is let go, and back on it is pressed
/// again, so the picture shows exactly while the button looks pressed.
class ShowPictureButton final : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
