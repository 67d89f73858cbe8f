#include "modCommon.h"

#include <cstdint>
#include <utility>

void ReplaceAll(std::u16string& text, std::u16string_view what, std::u16string_view with) {
    if (what.empty())
        return;
    const std::u16string_view source = text;
    std::size_t found = source.find(what);
    if (found == std::u16string_view::npos)
        return;
    // Replacing in place moves the rest of the text at every match, which is quadratic in a
    // template that repeats a marker; the result is built once instead, piece by piece. The
    // search goes on after each match in the original text, so a replacement that contains
    // `what` is never searched again.
    std::u16string result;
    result.reserve(source.size());
    std::size_t done = 0;
    do {
        result.append(source.substr(done, found - done));
        result.append(with);
        done = found + what.size();
        found = source.find(what, done);
    } while (found != std::u16string_view::npos);
    result.append(source.substr(done));
    text = std::move(result);
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
