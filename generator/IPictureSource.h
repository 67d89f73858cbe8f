#pragma once

#include "KorvaneSupport.h"

#include <cstdint>

/// What the pixel walk asks of the picture holder.
class IPictureSource {
public:
    /// The scale mode that measures the inside in pixels.
    static constexpr std::int16_t kPixels = 3;

    virtual ~IPictureSource() = default;
    virtual std::int16_t ScaleMode() const = 0;
    virtual float ScaleWidth() const = 0;
    virtual float ScaleHeight() const = 0;
    /// The colour of the pixel at (X, Y), in the holder's unit.
    virtual PixelColor Point(float X, float Y) const = 0;
};
