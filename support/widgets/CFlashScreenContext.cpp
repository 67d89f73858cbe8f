#include "CFlashScreenContext.h"

#include "CFlashWindow.h"

#include <QScreen>

namespace {

constexpr float kUnitsPerInch = 1440.0f;

} // namespace

CFlashScreenContext::CFlashScreenContext(QScreen& screen, CFlashWindow& window)
    : mScreen(screen), mWindow(window) {}

float CFlashScreenContext::UnitsPerPixelX() const {
    return kUnitsPerInch / static_cast<float>(mScreen.logicalDotsPerInchX());
}

float CFlashScreenContext::UnitsPerPixelY() const {
    return kUnitsPerInch / static_cast<float>(mScreen.logicalDotsPerInchY());
}

bool CFlashScreenContext::BitBlt(const QImage& picture, int width, int height) {
    if (width < 0 || height < 0)
        return false;
    return mWindow.ShowCopy(mScreen, picture, QSize(width, height));
}
