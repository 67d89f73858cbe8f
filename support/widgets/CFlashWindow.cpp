#include "CFlashWindow.h"

#include <QPainter>
#include <QScreen>
#include <cmath>

CFlashWindow::CFlashWindow()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus |
                           Qt::WindowTransparentForInput) {
    // The focus must stay on the show button: its key-up is what hides the copy again.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    // A copy left on the screen must not keep the program running once the main window is gone.
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CFlashWindow::ShowCopy(QScreen& screen, const QImage& picture, QSize devicePixels) {
    if (picture.isNull())
        return false;
    if (devicePixels.isEmpty()) {
        hide(); // nothing to copy
        return true;
    }
    setScreen(&screen);
    const qreal ratio = screen.devicePixelRatio();
    mPicture = picture;
    mPicture.setDevicePixelRatio(ratio);
    mDevicePixels = devicePixels;
    const QSize logical(int(std::ceil(devicePixels.width() / ratio)),
                        int(std::ceil(devicePixels.height() / ratio)));
    setGeometry(QRect(screen.geometry().topLeft(), logical));
    show();
    raise();
    // Every key-down copies the picture again, at once, as a drawing on the screen would.
    repaint();
    return isVisible() && windowHandle() != nullptr;
}

void CFlashWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    // Beyond the picture (a copy larger than the picture) there is nothing to show.
    painter.fillRect(rect(), Qt::black);
    const qreal ratio = mPicture.devicePixelRatio();
    painter.setClipRect(
        QRectF(0, 0, mDevicePixels.width() / ratio, mDevicePixels.height() / ratio));
    painter.drawImage(QPointF(0, 0), mPicture);
}
