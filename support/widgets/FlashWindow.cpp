#include "FlashWindow.h"

#include <QBackingStore>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <cmath>
#include <qpa/qplatformbackingstore.h>
#include <qpa/qplatformscreen.h>
#include <qpa/qplatformwindow.h>

namespace {

// The fewest logical pixels that the toolkit turns into at least `devicePixels` device pixels
// (it rounds L * ratio), so that the buffer the window paints into holds the whole picture. The
// ceiling always covers them; rounding may let fewer do.
int CoveringLength(int devicePixels, qreal ratio) {
    int length = std::max(1, static_cast<int>(std::ceil(devicePixels / ratio)));
    while (length > 1 && qRound((length - 1) * ratio) >= devicePixels)
        --length;
    return length;
}

QPlatformWindow* NativeWindow(const QWidget& widget) {
    const QWindow* window = widget.windowHandle();
    return window != nullptr ? window->handle() : nullptr;
}

} // namespace

FlashWindow::FlashWindow()
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

FlashResult FlashWindow::Show(const QImage& picture) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || screen->handle() == nullptr)
        return FlashResult::kNoScreen;
    if (picture.isNull())
        return FlashResult::kNotCopied;
    setScreen(screen);
    const qreal ratio = screen->devicePixelRatio();
    // Drawn at the screen's ratio, one picture pixel lands on one device pixel.
    mPicture = picture;
    mPicture.setDevicePixelRatio(ratio);
    // A window sized in logical pixels is round(L * ratio) device pixels: at ratio 2 no window is
    // 37 device pixels wide, at 1.25 none is 2. The window system is told the picture's own size
    // in device pixels instead, through the platform window; the toolkit keeps a logical size of
    // at least as many device pixels, so its buffer holds the whole picture and the window system
    // shows only the window's part of it. Held down, Show comes again and again: a window already
    // in place is only painted.
    const QRect exact(screen->handle()->geometry().topLeft(), picture.size());
    QPlatformWindow* native = NativeWindow(*this);
    if (!isVisible() || native == nullptr || native->geometry() != exact) {
        setGeometry(
            QRect(screen->geometry().topLeft(), QSize(CoveringLength(picture.width(), ratio),
                                                      CoveringLength(picture.height(), ratio))));
        show();
        native = NativeWindow(*this);
        if (native == nullptr) {
            hide();
            return FlashResult::kNotCopied;
        }
        native->setGeometry(exact);
    }
    raise();
    // Every key-down shows the picture again, at once, as a drawing on the screen would.
    repaint();
    return isVisible() ? FlashResult::kShown : FlashResult::kNotCopied;
}

void FlashWindow::Hide() {
    hide();
}

QRect FlashWindow::DeviceGeometry() const {
    const QPlatformWindow* native = NativeWindow(*this);
    return isVisible() && native != nullptr ? native->geometry() : QRect();
}

QImage FlashWindow::OnScreen() const {
    const QBackingStore* store = backingStore();
    if (store == nullptr || store->handle() == nullptr)
        return {};
    QImage painted = store->handle()->toImage();
    painted.setDevicePixelRatio(1.0);
    // Beyond its own buffer a window shows nothing of it; copy() gives those pixels as black.
    return painted.copy(QRect(QPoint(0, 0), DeviceGeometry().size()));
}

void FlashWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), mPicture);
}
