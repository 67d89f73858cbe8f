#pragma once

#include <QImage>

/// Drawing on the whole screen for the span of one event; destroying it releases the screen.
class IScreenContext {
public:
    virtual ~IScreenContext() = default;

    /// Length units (1/1440 inch) per screen pixel.
    virtual float UnitsPerPixelX() const = 0;
    virtual float UnitsPerPixelY() const = 0;
    /// Copies the top-left `width` x `height` pixels of `picture` to the screen's top-left corner,
    /// one screen pixel per picture pixel. False when the copy could not be made.
    virtual bool BitBlt(const QImage& picture, int width, int height) = 0;
};
