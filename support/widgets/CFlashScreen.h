#pragma once

#include "IScreen.h"

#include <memory>

class CFlashWindow;

/// The primary screen; copies onto it are shown by one flash window, which hiding wipes away.
class CFlashScreen final : public IScreen {
public:
    CFlashScreen();
    ~CFlashScreen() override;

    std::unique_ptr<IScreenContext> GetDC() override;
    void InvalidateRect() override;

    /// The window that shows the copy; nullptr before the first copy.
    const CFlashWindow* Window() const { return mWindow.get(); }

private:
    std::unique_ptr<CFlashWindow> mWindow;
};
