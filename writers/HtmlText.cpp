#include "HtmlText.h"

#include <cstdint>
#include <utility>

std::size_t HtmlEscape(std::u16string_view text, char16_t* out) noexcept {
    // One pass: each entity's own ampersand is never escaped again.
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
