#include "modCommon.h"

#include <array>
#include <cstdint>

void ReplaceAll(std::u16string& text, std::u16string_view what, std::u16string_view with) {
    if (what.empty())
        return;
    std::size_t pos = 0;
    while ((pos = text.find(what, pos)) != std::u16string::npos) {
        text.replace(pos, what.size(), with);
        pos += with.size();
    }
}

std::u16string HtmlEscape(std::u16string_view text) {
    std::u16string escaped(text);
    ReplaceAll(escaped, u"&", u"&amp;");
    ReplaceAll(escaped, u"<", u"&lt;");
    ReplaceAll(escaped, u">", u"&gt;");
    ReplaceAll(escaped, u"\"", u"&quot;");
    return escaped;
}

std::size_t HtmlEscapeTo(std::u16string_view text, char16_t* out) noexcept {
    // One pass gives what the four replacements give: "&" goes first there, so the ampersands of
    // the later entities are never escaped again.
    char16_t* const start = out;
    const auto put = [&out](std::u16string_view entity) {
        for (const char16_t unit : entity)
            *out++ = unit;
    };
    for (const char16_t unit : text) {
        switch (unit) {
        case u'&':
            put(u"&amp;");
            break;
        case u'<':
            put(u"&lt;");
            break;
        case u'>':
            put(u"&gt;");
            break;
        case u'"':
            put(u"&quot;");
            break;
        default:
            *out++ = unit;
        }
    }
    return static_cast<std::size_t>(out - start);
}

std::size_t DecimalTo(std::int32_t value, char16_t* out) noexcept {
    char16_t digits[10];
    std::size_t count = 0;
    // Work in 64 bits so that the most negative value has a magnitude too.
    std::int64_t magnitude = value;
    std::size_t length = 0;
    if (magnitude < 0) {
        out[length++] = u'-';
        magnitude = -magnitude;
    }
    do {
        digits[count++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (count > 0)
        out[length++] = digits[--count];
    return length;
}

namespace {

// "00" to "99": two digits per division halve the divisions of the pixel offsets.
constexpr auto kDecimalPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t value = 0; value < 100; ++value) {
        pairs[2 * value] = static_cast<char>('0' + value / 10);
        pairs[2 * value + 1] = static_cast<char>('0' + value % 10);
    }
    return pairs;
}();

} // namespace

std::size_t DecimalTo(std::int32_t value, char* out) noexcept {
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
        std::memcpy(place, &kDecimalPairs[2 * (magnitude % 100)], 2);
        magnitude /= 100;
    }
    if (magnitude >= 10) {
        place -= 2;
        std::memcpy(place, &kDecimalPairs[2 * magnitude], 2);
    } else {
        *--place = static_cast<char>('0' + magnitude);
    }
    return length;
}
