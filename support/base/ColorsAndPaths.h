#pragma once

// The program's small support library: colours, hexadecimal digits, file names and
// the version text. Each function returns its result and throws Failure on failure.

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

/// A pixel colour as Qt keeps it in an RGB32 scan line (QRgb): 0xAARRGGBB, blue in the lowest
/// byte, then green, then red; the top byte is alpha, 0xFF as the walk hands every pixel over,
/// and no page shows it.
using PixelColor = std::uint32_t;

// The colour functions are inline: the page writers call them for every pixel.

inline std::uint8_t RedOf(PixelColor color) noexcept {
    return static_cast<std::uint8_t>(color >> 16);
}
inline std::uint8_t GreenOf(PixelColor color) noexcept {
    return static_cast<std::uint8_t>(color >> 8);
}
inline std::uint8_t BlueOf(PixelColor color) noexcept {
    return static_cast<std::uint8_t>(color);
}

/// The opaque colour that `color`, with its alpha, shows laid over the opaque `background`, each
/// part rounded to the nearest: how a page shows a partly transparent pixel, over white or over
/// the chosen background.
inline PixelColor CompositeOver(PixelColor color, PixelColor background) noexcept {
    const std::uint32_t alpha = color >> 24;
    const auto over = [alpha](std::uint32_t part, std::uint32_t below) {
        return (part * alpha + below * (255 - alpha) + 127) / 255;
    };
    return 0xFF000000u | over(RedOf(color), RedOf(background)) << 16 |
           over(GreenOf(color), GreenOf(background)) << 8 | over(BlueOf(color), BlueOf(background));
}

/// The two upper-case hexadecimal digits of every byte, side by side: one load and one store per
/// byte.
inline constexpr auto kHexPairs = [] {
    std::array<char, 512> pairs{};
    constexpr char kDigits[] = "0123456789ABCDEF";
    for (std::size_t value = 0; value < 256; ++value) {
        pairs[2 * value] = kDigits[value >> 4];
        pairs[2 * value + 1] = kDigits[value & 0x0F];
    }
    return pairs;
}();

/// Writes exactly two upper-case hexadecimal digits of `value` to `out`, as ASCII bytes that go
/// straight into UTF-8 output; nothing is allocated, as it runs three times per pixel.
inline void WriteTwoHexDigits(std::uint8_t value, char* out) noexcept {
    std::memcpy(out, &kHexPairs[2 * std::size_t{value}], 2);
}

/// The path of the bare file name `name` in `folder`, with exactly one separator between them.
std::string BuildFileName(const std::string& folder, std::string_view name);

/// "major.minor.revision".
QString FormatVersion(std::int32_t major, std::int32_t minor, std::int32_t revision);

/// The folder part of a path, without a trailing separator (the root stays "/"); empty when the
/// path names no folder.
std::string GetFilePath(std::string_view path);

/// The extension of the file name without its dot (the text after the last dot of the name, a
/// leading dot not counting); empty when there is none.
std::string GetFileExtension(std::string_view path);
