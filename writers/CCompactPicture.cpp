#include "CCompactPicture.h"

#include "modCommon.h"

#include <algorithm>

namespace {

constexpr PixelColor kTransparent = 0;

constexpr char kPageTableStart[] = "<table cellpadding=\"0\" cellspacing=\"0\" style=\"width:";
constexpr char kPageTableHeight[] = "px;height:";
// Empty cells have no line box, but an inherited font would make the rows grow; said once on the
// table, the cells inherit it.
constexpr char kPageTableEnd[] = "px;font-size:0;line-height:0;\">\r\n";
constexpr char kMailTableStart[] = "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" "
                                   "role=\"presentation\" width=\"";
constexpr char kMailTableHeight[] = "\" height=\"";
constexpr char kMailTableEnd[] = "\">\r\n";
constexpr char kTableClose[] = "</table>\r\n";
constexpr char kColumnsStart[] = "<colgroup>";
constexpr char kColumnSpan[] = "<col span=\"";
constexpr char kColumnWidth[] = "\" width=\"1\">";
constexpr char kColumnOne[] = "<col width=\"1\">";
constexpr char kColumnsEnd[] = "</colgroup>\r\n";
constexpr char kCellStart[] = "<td";
// A page's cells are most of its bytes: there a value needs no quotes and a cell or row no end
// tag, as HTML defines them (the next cell or row, and the table's end, close them). Mail goes
// through sanitizers that rewrite what they parse, so it gets the spelled-out form.
constexpr char kColspan[] = " colspan=";
constexpr char kRowspan[] = " rowspan=";
constexpr char kBgcolor[] = " bgcolor=#";
constexpr char kMailColspan[] = " colspan=\"";
constexpr char kMailRowspan[] = " rowspan=\"";
constexpr char kMailBgcolor[] = " bgcolor=\"#";
constexpr char kQuote[] = "\"";
// Mail clients drop a page's head and may drop a table's inherited style: every cell says it.
constexpr char kMailCellStyle[] = " style=\"font-size:0;line-height:0\"";
constexpr char kCellEnd[] = ">";
constexpr char kMailCellEnd[] = "></td>";
constexpr char kLineEnd[] = "\r\n";

// Partly transparent over an opaque background, as FlattenOverWhite does over white.
PixelColor Composite(PixelColor pixel, PixelColor background) {
    const std::uint32_t a = pixel >> 24;
    const auto over = [a](std::uint32_t c, std::uint32_t b) {
        return (c * a + b * (255 - a) + 127) / 255;
    };
    return 0xFF000000u | over(ksGetRedRGB(pixel), ksGetRedRGB(background)) << 16 |
           over(ksGetGreenRGB(pixel), ksGetGreenRGB(background)) << 8 |
           over(ksGetBlueRGB(pixel), ksGetBlueRGB(background));
}

} // namespace

void CCompactPicture::BeginPicture(std::int32_t Width, std::int32_t Height) {
    WritePageHead(u"");
    mWidth = std::max(Width, 0);
    mHeight = std::max(Height, 0);
    mLargestDeltaE = 0;
    mTolerance = static_cast<float>(Settings().tolerance);
    mBackground = Settings().background | 0xFF000000u;
    mPixels.assign(static_cast<std::size_t>(mWidth) * static_cast<std::size_t>(mHeight),
                   kTransparent);
}

void CCompactPicture::WritePixel(PixelColor Color, std::int32_t X, std::int32_t Y) {
    if (X < 0 || Y < 0 || X >= mWidth || Y >= mHeight)
        return;
    const std::uint32_t alpha = Color >> 24;
    PixelColor shown = kTransparent;
    if (alpha == 0xFF)
        shown = Color;
    else if (alpha != 0)
        shown = Composite(Color, mBackground);
    mPixels[static_cast<std::size_t>(Y) * static_cast<std::size_t>(mWidth) +
            static_cast<std::size_t>(X)] = shown;
}

void CCompactPicture::EndPicture() {
    if (mProfile == kPage) {
        char* out = BeginPiece(sizeof kPageTableStart + 11 + sizeof kPageTableHeight + 11 +
                               sizeof kPageTableEnd);
        out = PutText(out, kPageTableStart);
        out += DecimalTo(mWidth, out);
        out = PutText(out, kPageTableHeight);
        out += DecimalTo(mHeight, out);
        out = PutText(out, kPageTableEnd);
        EndPiece(out);
        WriteColumns();
        WriteRows(0, mHeight);
        EndPiece(PutText(BeginPiece(sizeof kTableClose), kTableClose));
    } else {
        std::int32_t top = 0;
        do {
            const std::int32_t bottom = std::min(mHeight, top + kMailRows);
            char* out = BeginPiece(sizeof kMailTableStart + 11 + sizeof kMailTableHeight + 11 +
                                   sizeof kMailTableEnd);
            out = PutText(out, kMailTableStart);
            out += DecimalTo(mWidth, out);
            out = PutText(out, kMailTableHeight);
            out += DecimalTo(bottom - top, out);
            out = PutText(out, kMailTableEnd);
            EndPiece(out);
            WriteColumns();
            WriteRows(top, bottom);
            EndPiece(PutText(BeginPiece(sizeof kTableClose), kTableClose));
            top = bottom;
        } while (top < mHeight);
    }
    mPixels.clear();
    mPixels.shrink_to_fit();
    mCoveredTo.clear();
    mCoveredTo.shrink_to_fit();
    WritePageTail();
    SetLargestDeltaE(mLargestDeltaE);
}

void CCompactPicture::WriteColumns() {
    // Once cells span columns, the columns' widths are no longer given by cells of one column:
    // every column says it is one pixel wide.
    if (mWidth == 0)
        return;
    EndPiece(PutText(BeginPiece(sizeof kColumnsStart), kColumnsStart));
    for (std::int32_t left = 0; left < mWidth; left += kMaxSpan) {
        const std::int32_t span = std::min(kMaxSpan, mWidth - left);
        char* out = BeginPiece(sizeof kColumnSpan + 11 + sizeof kColumnWidth);
        if (span == 1) {
            out = PutText(out, kColumnOne);
        } else {
            out = PutText(out, kColumnSpan);
            out += DecimalTo(span, out);
            out = PutText(out, kColumnWidth);
        }
        EndPiece(out);
    }
    EndPiece(PutText(BeginPiece(sizeof kColumnsEnd), kColumnsEnd));
}

bool CCompactPicture::Matches(PixelColor cell, const LabColour& cellLab, PixelColor pixel,
                              float& deltaE) const {
    if (pixel == cell)
        return true;
    if (mTolerance <= 0 || pixel == kTransparent || cell == kTransparent)
        return false;
    const float difference = ksDeltaE(cellLab, ksLabFromRGB(pixel));
    if (difference > mTolerance)
        return false;
    deltaE = std::max(deltaE, difference);
    return true;
}

void CCompactPicture::WriteRows(std::int32_t top, std::int32_t bottom) {
    const bool mail = mProfile == kMail;
    const auto width = static_cast<std::size_t>(mWidth);
    // The cells above the band are closed, so a column's covered rows start at its top. Below the
    // current row, a column is held only by cells begun in rows above: one run from the current
    // row down, whose end is all there is to remember.
    mCoveredTo.assign(width, top);
    for (std::int32_t y = top; y < bottom; ++y) {
        const PixelColor* row = mPixels.data() + static_cast<std::size_t>(y) * width;
        EndPiece(mail ? PutText(BeginPiece(8), "<tr>\r\n") : PutText(BeginPiece(8), "<tr>"));
        for (std::int32_t x = 0; x < mWidth;) {
            if (mCoveredTo[static_cast<std::size_t>(x)] > y) {
                ++x;
                continue;
            }
            const PixelColor colour = row[x];
            const LabColour lab =
                mTolerance > 0 && colour != kTransparent ? ksLabFromRGB(colour) : LabColour{};
            float deltaE = 0;
            std::int32_t right = x + 1;
            while (right < mWidth && right - x < kMaxSpan &&
                   mCoveredTo[static_cast<std::size_t>(right)] <= y &&
                   Matches(colour, lab, row[right], deltaE))
                ++right;
            // Every pixel below the run is free: a cell begun above that held one would hold the
            // pixel above it in this row too.
            std::int32_t down = y + 1;
            while (down < bottom && down - y < kMaxSpan) {
                const PixelColor* below = mPixels.data() + static_cast<std::size_t>(down) * width;
                float rowDeltaE = deltaE;
                bool whole = true;
                for (std::int32_t column = x; column < right && whole; ++column)
                    whole = Matches(colour, lab, below[column], rowDeltaE);
                if (!whole)
                    break;
                deltaE = rowDeltaE;
                ++down;
            }
            std::fill(mCoveredTo.begin() + x, mCoveredTo.begin() + right, down);
            mLargestDeltaE = std::max(mLargestDeltaE, static_cast<double>(deltaE));
            WriteCell(colour, right - x, down - y);
            if (mail)
                EndPiece(PutText(BeginPiece(sizeof kLineEnd), kLineEnd));
            x = right;
        }
        EndPiece(mail ? PutText(BeginPiece(8), "</tr>\r\n") : PutText(BeginPiece(8), "\r\n"));
    }
}

void CCompactPicture::WriteCell(PixelColor colour, std::int32_t columns, std::int32_t rows) {
    const bool mail = mProfile == kMail;
    char* out = BeginPiece(sizeof kCellStart + 2 * (sizeof kMailColspan + 11 + sizeof kQuote) +
                           sizeof kMailBgcolor + 6 + sizeof kQuote + sizeof kMailCellStyle +
                           sizeof kMailCellEnd);
    out = PutText(out, kCellStart);
    if (columns > 1) {
        out = mail ? PutText(out, kMailColspan) : PutText(out, kColspan);
        out += DecimalTo(columns, out);
        if (mail)
            out = PutText(out, kQuote);
    }
    if (rows > 1) {
        out = mail ? PutText(out, kMailRowspan) : PutText(out, kRowspan);
        out += DecimalTo(rows, out);
        if (mail)
            out = PutText(out, kQuote);
    }
    if (colour != kTransparent) {
        out = mail ? PutText(out, kMailBgcolor) : PutText(out, kBgcolor);
        out = ColourDigitsTo(colour, out);
        if (mail)
            out = PutText(out, kQuote);
    }
    out = mail ? PutText(PutText(out, kMailCellStyle), kMailCellEnd) : PutText(out, kCellEnd);
    EndPiece(out);
}
