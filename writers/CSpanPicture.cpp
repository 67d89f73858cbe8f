#include "CSpanPicture.h"

#include "CPiece.h"
#include "modCommon.h"
#include "templates/modSourceAndTemplates.h"

#include <algorithm>

namespace {

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

void CSpanPicture::Init() {}

void CSpanPicture::BeginPicture(std::int32_t, std::int32_t) {
    WritePageHead(u" style=\"background:black;\"");
    Append(u"<pre style=\"font-size:5pt;\">\r\n");
    mLineVisible = true;
    mCharPos = 1;
}

void CSpanPicture::EndPicture() {
    Append(u"</pre>\r\n");
    WritePageTail();
    mCharPos = 1;
}

void CSpanPicture::WritePixel(PixelColor Color, std::int32_t, std::int32_t) {
    if (!mLineVisible)
        return;
    // The character at mCharPos; a character above U+FFFF is taken whole, both of its halves,
    // because half of one cannot be written as UTF-8.
    std::u16string_view character;
    const std::u16string_view source = gSourceText;
    if (mCharPos >= 1 && static_cast<std::size_t>(mCharPos) <= source.size()) {
        const std::size_t index = static_cast<std::size_t>(mCharPos) - 1;
        const bool pair = IsHighSurrogate(source[index]) && index + 1 < source.size() &&
                          IsLowSurrogate(source[index + 1]);
        character = source.substr(index, pair ? 2 : 1);
    }
    CPiece<80> piece;
    piece << u"<span style=\"color:#";
    ColourDigitsTo(Color, piece.Reserve(6));
    piece << u";\">";
    piece.Shrink(12 - HtmlEscapeTo(character, piece.Reserve(12)));
    piece << u"</span>";
    Append(piece.View());

    // Advance by the units taken (at least one, as for an empty text); 64 bits cannot overflow.
    const std::int64_t next = static_cast<std::int64_t>(mCharPos) +
                              static_cast<std::int64_t>(std::max<std::size_t>(character.size(), 1));
    mCharPos = next > gSourceTextLength ? 1 : static_cast<std::int32_t>(next);
}

void CSpanPicture::BeginNewLine(std::int32_t) {}

void CSpanPicture::EndNewLine(std::int32_t) {
    if (mLineVisible)
        Append(u"\r\n");
    mLineVisible = !mLineVisible;
}
