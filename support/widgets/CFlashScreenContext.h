#pragma once

#include "IScreenContext.h"

class CFlashWindow;
class QScreen;

/// The primary screen, drawn on through the flash window.
class CFlashScreenContext final : public IScreenContext {
public:
    CFlashScreenContext(QScreen& screen, CFlashWindow& window);

    float UnitsPerPixelX() const override;
    float UnitsPerPixelY() const override;
    bool BitBlt(const QImage& picture, int width, int height) override;

private:
    QScreen& mScreen;
    CFlashWindow& mWindow;
};
