#include "CFlashWindow.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <cmath>

namespace {

int LogicalLength(int devicePixels, qreal ratio) {
    if (devicePixels <= 0 || !(ratio > 0))
        return 0;
    int length = static_cast<int>(std::floor(devicePixels / ratio));
    while (qRound((length + 1) * ratio) <= devicePixels)
        ++length;
    while (length > 0 && qRound(length * ratio) > devicePixels)
        --length;
    return length;
}

} // namespace

QSize FlashWindowSize(QSize devicePixels, qreal ratio) {
    return QSize(LogicalLength(devicePixels.width(), ratio),
                 LogicalLength(devicePixels.height(), ratio));
}

CFlashWindow::CFlashWindow()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus |
                           Qt::WindowTransparentForInput) {
    // The focus must stay on the show button: its key-up is what hides the picture again.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    // A picture left on the screen must not keep the program running once the main window is gone.
    setAttribute(Qt::WA_QuitOnClose, false);
    // The picture covers the whole window.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

FlashResult CFlashWindow::Show(const QImage& picture) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return FlashResult::NoScreen;
    if (picture.isNull())
        return FlashResult::NotCopied;
    setScreen(screen);
    const qreal ratio = screen->devicePixelRatio();
    const QSize logical = FlashWindowSize(picture.size(), ratio);
    if (logical.isEmpty()) {
        hide(); // nothing of the picture fits a window
        return FlashResult::Shown;
    }
    // Drawn at the screen's ratio, one picture pixel lands on one device pixel.
    mPicture = picture;
    mPicture.setDevicePixelRatio(ratio);
    setGeometry(QRect(screen->geometry().topLeft(), logical));
    show();
    raise();
    // Every key-down shows the picture again, at once, as a drawing on the screen would.
    repaint();
    return isVisible() && windowHandle() != nullptr ? FlashResult::Shown : FlashResult::NotCopied;
}

void CFlashWindow::Hide() {
    hide();
}

void CFlashWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), mPicture);
}
