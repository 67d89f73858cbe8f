#include "FlashWindow.h"

#include <QBackingStore>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <QtMath>
#include <qpa/qplatformbackingstore.h>
#include <qpa/qplatformscreen.h>
#include <qpa/qplatformwindow.h>

namespace {

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
    // in device pixels instead, through the platform window, and the toolkit sizes its buffer
    // after it, the picture's last column and row included at any ratio.
    // Held down, Show comes again and again: a window already in place is only painted.
    const QRect exact(screen->handle()->geometry().topLeft(), picture.size());
    QPlatformWindow* native = NativeWindow(*this);
    if (!isVisible() || native == nullptr || native->geometry() != exact) {
        // A start that covers the picture; the exact size follows below.
        setGeometry(QRect(screen->geometry().topLeft(),
                          QSize(qCeil(picture.width() / ratio), qCeil(picture.height() / ratio))));
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
