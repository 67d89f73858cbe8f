#pragma once

#include "IFlashWindow.h"

#include <QImage>
#include <QRect>
#include <QWidget>

/// The picture on the screen. No desktop today lets a program draw on the screen itself, so it is
/// a frameless window that stays on top, takes neither focus nor input and bypasses the window
/// manager, at the top-left corner of the primary screen, exactly as large in device pixels as the
/// picture at every scale factor.
class FlashWindow final : public QWidget, public IFlashWindow {
public:
    FlashWindow();

    FlashResult Show(const QImage& picture) override;
    void Hide() override;

    /// Where the window system has the window, in device pixels; empty while it is not shown.
    QRect DeviceGeometry() const;
    /// What the window puts on the screen: its painted device pixels, as many as the window has.
    QImage OnScreen() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage mPicture;
};
