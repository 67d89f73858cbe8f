#include "CTablePicture.h"

#include "HtmlText.h"

namespace {

constexpr char kTableStart[] = "<table cellpadding=\"0\" cellspacing=\"0\" style=\"width:";
constexpr char kTableHeight[] = "px;height:";
constexpr char kTableEnd[] = "px;\">\r\n";
constexpr char kCellStart[] = "<td style=\"background:#";
constexpr char kCellEnd[] = ";\"></td>\r\n";

} // namespace

void CTablePicture::BeginPicture(std::int32_t width, std::int32_t height) {
    WritePageHead(u"");
    char* out = BeginPiece(sizeof kTableStart + kMostIntDigits + sizeof kTableHeight +
                           kMostIntDigits + sizeof kTableEnd);
    out = PutText(out, kTableStart);
    out += DecimalTo(width, out);
    out = PutText(out, kTableHeight);
    out += DecimalTo(height, out);
    out = PutText(out, kTableEnd);
    EndPiece(out);
}

void CTablePicture::EndPicture() {
    Append(u"</table>\r\n");
    WritePageTail();
}

void CTablePicture::WritePixel(PixelColor color, std::int32_t, std::int32_t) {
    char* out = BeginPiece(sizeof kCellStart + kColourDigits + sizeof kCellEnd);
    out = PutText(out, kCellStart);
    out = ColourDigitsTo(color, out);
    out = PutText(out, kCellEnd);
    EndPiece(out);
}

void CTablePicture::BeginNewLine(std::int32_t) {
    Append(u"<tr>\r\n");
}

void CTablePicture::EndNewLine(std::int32_t) {
    Append(u"</tr>\r\n");
}
