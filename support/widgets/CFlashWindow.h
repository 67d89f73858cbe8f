#pragma once

#include <QImage>
#include <QWidget>

class QScreen;

/// The picture copied onto the screen. No desktop today lets a program draw on the screen itself,
/// so the copy is a frameless window that stays on top, takes neither focus nor input and
/// bypasses the window manager, at the top-left corner of the screen.
class CFlashWindow final : public QWidget {
public:
    CFlashWindow();

    /// Shows the top-left `devicePixels` of the picture at the top-left corner of `screen`, one
    /// device pixel per picture pixel. False when the window could not be shown.
    bool ShowCopy(QScreen& screen, const QImage& picture, QSize devicePixels);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage mPicture;
    QSize mDevicePixels;
};
