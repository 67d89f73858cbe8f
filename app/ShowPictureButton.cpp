#include "ShowPictureButton.h"

#include <QMouseEvent>

namespace {

/// The event as if the left button were the one pressed, released or held.
QMouseEvent AsLeftButton(const QMouseEvent& event) {
    const Qt::MouseButton button = event.button() == Qt::NoButton ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        event.buttons() == Qt::NoButton ? Qt::MouseButtons() : Qt::MouseButtons(Qt::LeftButton);
    return QMouseEvent(event.type(), event.position(), event.scenePosition(),
                       event.globalPosition(), button, held, event.modifiers(),
                       event.pointingDevice());
}

template <typename Handler> void AsLeftButton(QMouseEvent* event, Handler handle) {
    QMouseEvent left = AsLeftButton(*event);
    handle(&left);
    event->setAccepted(left.isAccepted());
}

} // namespace

// A double click comes as a press too (QWidget's double-click handler calls the press handler).
void ShowPictureButton::mousePressEvent(QMouseEvent* event) {
    AsLeftButton(event, [this](QMouseEvent* left) { QPushButton::mousePressEvent(left); });
}

void ShowPictureButton::mouseMoveEvent(QMouseEvent* event) {
    AsLeftButton(event, [this](QMouseEvent* left) { QPushButton::mouseMoveEvent(left); });
}

void ShowPictureButton::mouseReleaseEvent(QMouseEvent* event) {
    AsLeftButton(event, [this](QMouseEvent* left) { QPushButton::mouseReleaseEvent(left); });
}
