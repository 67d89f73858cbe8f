#include "CDivPicture.h"

#include "Failure.h"
#include "HtmlText.h"

namespace {

constexpr char kStart[] = "<div style=\"background:#";
constexpr char kLeft[] = ";left:";
constexpr char kTop[] = "px;top:";
constexpr char kEnd[] = "px;\" class=\"art\">\r\n";

std::int32_t PlusEight(std::int32_t value) {
    std::int32_t sum;
    if (__builtin_add_overflow(value, 8, &sum))
        throw Failure::Overflow();
    return sum;
}

} // namespace

void CDivPicture::BeginPicture(std::int32_t, std::int32_t) {
    WritePageHead(u"");
}

void CDivPicture::EndPicture() {
    WritePageTail();
}

void CDivPicture::WritePixel(PixelColor color, std::int32_t x, std::int32_t y) {
    // Both sums come first: an offset that overflows appends nothing.
    const std::int32_t left = PlusEight(x);
    const std::int32_t top = PlusEight(y);
    char* out = BeginPiece(sizeof kStart + kColourDigits + sizeof kLeft + kMostIntDigits +
                           sizeof kTop + kMostIntDigits + sizeof kEnd);
    out = PutText(out, kStart);
    out = ColourDigitsTo(color, out);
    out = PutText(out, kLeft);
    out += DecimalTo(left, out);
    out = PutText(out, kTop);
    out += DecimalTo(top, out);
    out = PutText(out, kEnd);
    EndPiece(out);
}
