#pragma once

// UTF-16's surrogates, written once: every place that pairs them or tells a lone one asks here.
// A character above U+FFFF is a high surrogate (U+D800 to U+DBFF) followed by a low one (U+DC00 to
// U+DFFF); a surrogate without its other half stands for no character. Inline, because the page
// writers ask for every character they write.

#include <cstddef>
#include <string_view>

/// Whether `unit` is either half of a pair, alone or not.
constexpr bool IsSurrogate(char16_t unit) noexcept {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

/// Whether a well-formed pair starts at `text[i]`: a high surrogate and a low one after it.
constexpr bool IsPairAt(std::u16string_view text, std::size_t i) noexcept {
    return i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF && text[i + 1] >= 0xDC00 &&
           text[i + 1] <= 0xDFFF;
}

/// The character of the pair that starts at `text[i]` (IsPairAt).
constexpr char32_t PairAt(std::u16string_view text, std::size_t i) noexcept {
    return 0x10000 + ((char32_t{text[i]} - 0xD800) << 10) + (char32_t{text[i + 1]} - 0xDC00);
}
