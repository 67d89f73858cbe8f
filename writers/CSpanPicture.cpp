#include "CSpanPicture.h"

#include "HtmlText.h"
#include "PageTemplates.h"
#include "Surrogates.h"
#include "Utf8.h"

#include <algorithm>

namespace {

constexpr char kStart[] = "<span style=\"color:#";
constexpr char kMiddle[] = ";\">";
constexpr char kEnd[] = "</span>";
// One or two code units, each escaped to at most six ASCII characters or encoded to at most three
// bytes (four for a pair).
constexpr std::size_t kMostCharacterBytes = 12;

/// The character escaped for HTML, as UTF-8; returns the end.
char* CharacterTo(std::u16string_view character, char* out) noexcept {
    if (character.size() == 1) {
        const char16_t unit = character[0];
        if (unit < 0x80 && unit != u'&' && unit != u'<' && unit != u'>' && unit != u'"') {
            *out = static_cast<char>(unit);
            return out + 1;
        }
    }
    // An entity is ASCII, one byte per code unit, so the escaped text has no more units than bytes.
    char16_t escaped[kMostCharacterBytes];
    const std::size_t length = HtmlEscape(character, escaped);
    return out + UTF8EncodeTo({escaped, length}, out);
}

} // namespace

void CSpanPicture::BeginPicture(std::int32_t, std::int32_t) {
    WritePageHead(u" style=\"background:black;\"");
    Append(u"<pre style=\"font-size:5pt;\">\r\n");
    mLineVisible = true;
    mCharPos = 1;
}

void CSpanPicture::EndPicture() {
    Append(u"</pre>\r\n");
    WritePageTail();
}

void CSpanPicture::WritePixel(PixelColor color, std::int32_t, std::int32_t) {
    if (!mLineVisible)
        return;
    // The character at mCharPos; a character above U+FFFF is taken whole, both of its halves,
    // because half of one cannot be written as UTF-8.
    std::u16string_view character;
    const std::u16string_view source = Templates().sourceText;
    if (mCharPos >= 1 && static_cast<std::size_t>(mCharPos) <= source.size()) {
        const std::size_t index = static_cast<std::size_t>(mCharPos) - 1;
        character = source.substr(index, IsPairAt(source, index) ? 2 : 1);
    }
    char* out = BeginPiece(sizeof kStart + kColourDigits + sizeof kMiddle + kMostCharacterBytes +
                           sizeof kEnd);
    out = PutText(out, kStart);
    out = ColourDigitsTo(color, out);
    out = PutText(out, kMiddle);
    out = CharacterTo(character, out);
    out = PutText(out, kEnd);
    EndPiece(out);

    // Advance by the units taken (at least one, as for an empty text); 64 bits cannot overflow.
    const std::int64_t next = static_cast<std::int64_t>(mCharPos) +
                              static_cast<std::int64_t>(std::max<std::size_t>(character.size(), 1));
    mCharPos = next > static_cast<std::int64_t>(Templates().sourceText.size())
                   ? 1
                   : static_cast<std::int32_t>(next);
}

void CSpanPicture::EndNewLine(std::int32_t) {
    if (mLineVisible)
        Append(u"\r\n");
    mLineVisible = !mLineVisible;
}
