#pragma once

// The program's small support library: colours, hexadecimal digits, file names and
// the version text. Each function returns its result and throws CError on failure.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

/// A pixel colour: red in the lowest byte, green in the next, blue in the third.
using PixelColor = std::uint32_t;

// The colour functions are inline: the page writers call them for every pixel, and the compiler
// can then see that a component never leaves 0 to 255 and drop the range check of ksToByte.

inline std::int32_t ksGetRedRGB(PixelColor color) noexcept {
    return static_cast<std::int32_t>(color & 0xFF);
}
inline std::int32_t ksGetGreenRGB(PixelColor color) noexcept {
    return static_cast<std::int32_t>((color >> 8) & 0xFF);
}
inline std::int32_t ksGetBlueRGB(PixelColor color) noexcept {
    return static_cast<std::int32_t>((color >> 16) & 0xFF);
}

/// Throws the overflow error; out of line so that the inline checks stay small.
[[noreturn]] void ksRaiseOverflow();

/// Narrows a colour component to a byte; outside 0 to 255 it throws the overflow error.
inline std::uint8_t ksToByte(std::int32_t component) {
    if (component < 0 || component > 255) [[unlikely]]
        ksRaiseOverflow();
    return static_cast<std::uint8_t>(component);
}

/// Exactly two upper-case hexadecimal digits.
std::u16string ksHex1(std::uint8_t value);

/// The same two digits written to `out`, for callers that must not allocate per pixel.
inline void ksHex1To(std::uint8_t value, char16_t* out) noexcept {
    constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    out[0] = kDigits[value >> 4];
    out[1] = kDigits[value & 0x0F];
}

/// The two digits of every byte, side by side: one load and one store per byte.
inline constexpr auto kHexPairs = [] {
    std::array<char, 512> pairs{};
    constexpr char kDigits[] = "0123456789ABCDEF";
    for (std::size_t value = 0; value < 256; ++value) {
        pairs[2 * value] = kDigits[value >> 4];
        pairs[2 * value + 1] = kDigits[value & 0x0F];
    }
    return pairs;
}();

/// The same two digits as ASCII bytes, for text that goes straight into UTF-8 output.
inline void ksHex1To(std::uint8_t value, char* out) noexcept {
    std::memcpy(out, &kHexPairs[2 * std::size_t{value}], 2);
}

/// The path of `name` in `folder`, with exactly one separator between them.
std::u16string ksBuildFileName(const std::u16string& folder, const std::u16string& name);

/// "major.minor.revision".
std::u16string ksFormatVersion(std::int32_t major, std::int32_t minor, std::int32_t revision);

/// The folder part of a path, without a trailing separator (the root stays "/"); empty when the
/// path names no folder.
std::u16string ksGetFilePath(std::u16string_view path);

/// The extension of the file name without its dot (the text after the last dot of the name, a
/// leading dot not counting); empty when there is none.
std::u16string ksGetFileExtension(std::u16string_view path);

/// `text` less its last `count` characters; empty when count exceeds the length.
std::u16string ksCutRight(std::u16string_view text, std::int32_t count);
