#include "CDivPicture.h"

#include "CPiece.h"
#include "modCommon.h"
#include "support/CError.h"

namespace {

std::int32_t PlusEight(std::int32_t value) {
    std::int32_t sum;
    if (__builtin_add_overflow(value, 8, &sum))
        throw CError::Overflow();
    return sum;
}

} // namespace

void CDivPicture::Init() {}

void CDivPicture::BeginPicture(std::int32_t, std::int32_t) {
    WritePageHead(u"");
}

void CDivPicture::EndPicture() {
    WritePageTail();
}

void CDivPicture::WritePixel(PixelColor Color, std::int32_t X, std::int32_t Y) {
    CPiece<112> piece;
    piece << u"<div style=\"background:#";
    ColourDigitsTo(Color, piece.Reserve(6));
    const std::int32_t left = PlusEight(X);
    const std::int32_t top = PlusEight(Y);
    piece << u";left:";
    piece.Shrink(11 - DecimalTo(left, piece.Reserve(11)));
    piece << u"px;top:";
    piece.Shrink(11 - DecimalTo(top, piece.Reserve(11)));
    piece << u"px;\" class=\"art\">\r\n";
    Append(piece.View());
}

void CDivPicture::BeginNewLine(std::int32_t) {}

void CDivPicture::EndNewLine(std::int32_t) {}
