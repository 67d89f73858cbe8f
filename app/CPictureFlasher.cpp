#include "CPictureFlasher.h"

#include "CError.h"
#include "IMessageBox.h"
#include "IScreen.h"
#include "IScreenContext.h"
#include "modCallPictureGenerator.h"

namespace {

int Divide(float length, float unitsPerPixel) {
    const std::int32_t units = RoundToInt32(length);
    const std::int32_t perPixel = RoundToInt32(unitsPerPixel);
    if (perPixel == 0)
        throw CError(CError::kDivisionByZero, u"Division by zero");
    return units / perPixel;
}

} // namespace

CPictureFlasher::CPictureFlasher(IScreen& screen, IMessageBox& messages)
    : mScreen(screen), mMessages(messages) {}

QSize CPictureFlasher::CopySize(float outerWidth, float outerHeight, float unitsPerPixelX,
                                float unitsPerPixelY) {
    return QSize(Divide(outerWidth, unitsPerPixelX), Divide(outerHeight, unitsPerPixelY));
}

void CPictureFlasher::Show(const QImage& picture, float outerWidth, float outerHeight) {
    std::unique_ptr<IScreenContext> screen = mScreen.GetDC();
    if (!screen) {
        mMessages.MsgBox(u"Не удалось получить контекст устройства экрана.",
                         IMessageBox::kStopIcon);
        return;
    }
    // A size that cannot be computed (overflow, a screen of no units per pixel) is a copy that
    // could not be made, reported as such, rather than a failure that ends the program.
    bool copied = false;
    try {
        const QSize size =
            CopySize(outerWidth, outerHeight, screen->UnitsPerPixelX(), screen->UnitsPerPixelY());
        copied = screen->BitBlt(picture, size.width(), size.height());
    } catch (...) {
        copied = false;
    }
    if (!copied)
        mMessages.MsgBox(u"Не удалось скопировать картинку на контекст устройства экрана.",
                         IMessageBox::kStopIcon);
    // The screen is released only now, after the message has been closed.
    screen.reset();
}

void CPictureFlasher::Hide() {
    mScreen.InvalidateRect();
}
