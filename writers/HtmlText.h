#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

/// Escapes "&", "<", ">" and "\"" of `text` for HTML (the apostrophe stays as it is), written to
/// `out`, which must hold 6 code units per code unit of `text`. Returns the number of code units
/// written. It writes into a buffer rather than returning a string because SPAN escapes one
/// character per pixel.
std::size_t HtmlEscape(std::u16string_view text, char16_t* out) noexcept;

/// "00" to "99": two digits per division halve the divisions of the pixel offsets.
inline constexpr auto kDecimalPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t value = 0; value < 100; ++value) {
        pairs[2 * value] = static_cast<char>('0' + value / 10);
        pairs[2 * value + 1] = static_cast<char>('0' + value % 10);
    }
    return pairs;
}();

/// The same decimal form as ASCII bytes, for text that goes straight into UTF-8 output. Inline,
/// as DIV writes two numbers for every pixel.
inline std::size_t DecimalTo(std::int32_t value, char* out) noexcept {
    std::size_t length = 0;
    // Unsigned arithmetic gives the most negative value its magnitude too.
    std::uint32_t magnitude = static_cast<std::uint32_t>(value);
    if (value < 0) {
        out[length++] = '-';
        magnitude = 0u - magnitude;
    }
    std::size_t digits = 1;
    for (std::uint32_t power = 10; digits < 10 && magnitude >= power; power *= 10)
        ++digits;
    length += digits;
    char* place = out + length;
    while (magnitude >= 100) {
        place -= 2;
        std::memcpy(place, &kDecimalPairs[std::size_t{2} * (magnitude % 100)], 2);
        magnitude /= 100;
    }
    if (magnitude >= 10) {
        place -= 2;
        std::memcpy(place, &kDecimalPairs[std::size_t{2} * magnitude], 2);
    } else {
        *--place = static_cast<char>('0' + magnitude);
    }
    return length;
}

/// Copies a string literal of ASCII text without its terminating zero; returns the end. The length
/// is known when compiling, so the copy is a few moves.
template <std::size_t N> char* PutText(char* out, const char (&text)[N]) noexcept {
    std::memcpy(out, text, N - 1);
    return out + (N - 1);
}
