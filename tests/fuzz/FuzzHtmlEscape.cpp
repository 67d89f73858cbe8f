// Escaped text has no character that HTML would read as markup, and unescapes to the original.
#include "FuzzChecks.h"

#include "modCommon.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::u16string Unescape(std::u16string_view text) {
    static constexpr std::pair<std::u16string_view, char16_t> kEntities[] = {
        {u"&amp;", u'&'}, {u"&lt;", u'<'}, {u"&gt;", u'>'}, {u"&quot;", u'"'}};
    std::u16string plain;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != u'&') {
            plain += text[i++];
            continue;
        }
        bool known = false;
        for (const auto& [entity, character] : kEntities) {
            if (text.substr(i).starts_with(entity)) {
                plain += character;
                i += entity.size();
                known = true;
                break;
            }
        }
        Check(known); // every "&" starts one of the four entities
    }
    return plain;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = UnitsFromBytes(data, size);

    // The buffer is filled with a marker first, so a count that claims more than was written
    // shows up as markers in the escaped text.
    std::u16string escaped(6 * text.size(), u'<');
    escaped.resize(HtmlEscape(text, escaped.data()));
    Check(escaped.find_first_of(u"<>\"") == std::u16string::npos);
    Check(Unescape(escaped) == text);
    return 0;
}
