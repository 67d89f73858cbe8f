#include "modCommon.h"
#include "modText.h"

#include <cstdint>
#include <utility>

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
