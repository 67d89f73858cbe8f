#pragma once

#include <memory>

class IScreenContext;

/// The screen as a surface that the picture can be copied onto.
class IScreen {
public:
    virtual ~IScreen() = default;

    /// The whole screen to draw on, or nullptr when there is none.
    virtual std::unique_ptr<IScreenContext> GetDC() = 0;
    /// Wipes away whatever was copied onto the screen.
    virtual void InvalidateRect() = 0;
};
