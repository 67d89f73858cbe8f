#include "DeltaE.h"

#include <array>
#include <cmath>

namespace {

// An sRGB channel's number, 0 to 255, as linear light.
const std::array<float, 256> kLinear = [] {
    std::array<float, 256> table{};
    for (std::size_t value = 0; value < table.size(); ++value) {
        const double c = static_cast<double>(value) / 255.0;
        table[value] =
            static_cast<float>(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return table;
}();

double LabCurve(double t) {
    constexpr double kDelta = 6.0 / 29.0;
    if (t > kDelta * kDelta * kDelta)
        return std::cbrt(t);
    return t / (3 * kDelta * kDelta) + 4.0 / 29.0;
}

} // namespace

LabColour LabFromRGB(PixelColor colour) noexcept {
    const double r = kLinear[RedOf(colour)];
    const double g = kLinear[GreenOf(colour)];
    const double b = kLinear[BlueOf(colour)];
    // sRGB's primaries to XYZ, each divided by the D65 white's own X, Y or Z.
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    const double fx = LabCurve(x), fy = LabCurve(y), fz = LabCurve(z);
    return {static_cast<float>(116 * fy - 16), static_cast<float>(500 * (fx - fy)),
            static_cast<float>(200 * (fy - fz))};
}

float DeltaE(const LabColour& first, const LabColour& second) noexcept {
    const float dL = first.l - second.l, da = first.a - second.a, db = first.b - second.b;
    return std::sqrt(dL * dL + da * da + db * db);
}
