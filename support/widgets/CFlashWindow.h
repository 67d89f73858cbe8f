#pragma once

#include "IFlashWindow.h"

#include <QImage>
#include <QSize>
#include <QWidget>

/// The picture on the screen. No desktop today lets a program draw on the screen itself, so it is
/// a frameless window that stays on top, takes neither focus nor input and bypasses the window
/// manager, at the top-left corner of the primary screen.
class CFlashWindow final : public QWidget, public IFlashWindow {
public:
    CFlashWindow();

    FlashResult Show(const QImage& picture) override;
    void Hide() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage mPicture;
};

/// The window's size in logical pixels for a picture of `devicePixels` on a screen of `ratio`
/// device pixels per logical pixel. The toolkit makes a window of logical size L round(L * ratio)
/// device pixels wide; the largest L that does not exceed the picture is taken, so that no strip
/// beyond the picture is ever shown. That is the picture's exact size whenever the ratio allows it
/// (always at ratio 1); otherwise less than one logical pixel is left out at the right or bottom.
QSize FlashWindowSize(QSize devicePixels, qreal ratio);
