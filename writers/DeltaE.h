#pragma once

#include "ColorsAndPaths.h"

/// A colour in CIELAB (D65 white), from sRGB numbers.
struct LabColour {
    float l = 0, a = 0, b = 0;
};

/// The CIELAB coordinates of an sRGB colour (its alpha byte is ignored), the white point D65.
LabColour LabFromRGB(PixelColor colour) noexcept;

/// CIE76 colour difference: the distance between two colours in CIELAB.
float DeltaE(const LabColour& first, const LabColour& second) noexcept;
