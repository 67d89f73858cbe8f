#include "CTablePicture.h"

#include "CPiece.h"
#include "modCommon.h"

namespace {

constexpr char kCellStart[] = "<td style=\"background:#";
constexpr char kCellEnd[] = ";\"></td>\r\n";

} // namespace

void CTablePicture::Init() {}

void CTablePicture::BeginPicture(std::int32_t Width, std::int32_t Height) {
    WritePageHead(u"");
    CPiece<128> piece;
    piece << u"<table cellpadding=\"0\" cellspacing=\"0\" style=\"width:";
    piece.Shrink(11 - DecimalTo(Width, piece.Reserve(11)));
    piece << u"px;height:";
    piece.Shrink(11 - DecimalTo(Height, piece.Reserve(11)));
    piece << u"px;\">\r\n";
    Append(piece.View());
}

void CTablePicture::EndPicture() {
    Append(u"</table>\r\n");
    WritePageTail();
}

void CTablePicture::WritePixel(PixelColor Color, std::int32_t, std::int32_t) {
    char* out = BeginPiece(sizeof kCellStart + 6 + sizeof kCellEnd);
    out = PutText(out, kCellStart);
    out = ColourDigitsTo(Color, out);
    out = PutText(out, kCellEnd);
    EndPiece(out);
}

void CTablePicture::BeginNewLine(std::int32_t) {
    Append(u"<tr>\r\n");
}

void CTablePicture::EndNewLine(std::int32_t) {
    Append(u"</tr>\r\n");
}
