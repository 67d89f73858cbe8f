#include "Utf8.h"

#include "Surrogates.h"

std::size_t UTF8EncodeTo(std::u16string_view text, char* out) noexcept {
    char* const start = out;
    const std::size_t n = text.size();
    const char16_t* p = text.data();
    for (std::size_t i = 0; i < n; ++i) {
        const char32_t unit = p[i];
        if (unit < 0x80) {
            *out++ = static_cast<char>(unit);
            continue;
        }
        char32_t cp = unit;
        if (IsPairAt(text, i)) {
            cp = PairAt(text, i);
            ++i;
        } else if (IsSurrogate(p[i])) {
            cp = 0xFFFD;
        }
        if (cp < 0x800) {
            *out++ = static_cast<char>(0xC0 | (cp >> 6));
            *out++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            *out++ = static_cast<char>(0xE0 | (cp >> 12));
            *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            *out++ = static_cast<char>(0xF0 | (cp >> 18));
            *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return static_cast<std::size_t>(out - start);
}

std::size_t UTF8Length(std::u16string_view text) noexcept {
    std::size_t total = 0;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t unit = text[i];
        if (unit < 0x80)
            total += 1;
        else if (unit < 0x800)
            total += 2;
        else if (IsPairAt(text, i)) {
            total += 4;
            ++i;
        } else
            total += 3; // includes a lone surrogate, written as U+FFFD
    }
    return total;
}

std::vector<std::uint8_t> StringToUTF8(std::u16string_view text) {
    std::vector<std::uint8_t> bytes(UTF8Length(text));
    UTF8EncodeTo(text, reinterpret_cast<char*>(bytes.data()));
    return bytes;
}
