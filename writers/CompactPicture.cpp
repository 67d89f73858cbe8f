#include "CompactPicture.h"

#include "ColorsAndPaths.h"
#include "HtmlText.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

constexpr PixelColor kTransparent{}; // no colour at all, not even an opaque black

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
// The web page's rows: paragraphs, which the next one closes, without margins, a pixel tall
// unless they say otherwise; their gradients are tiles side by side, each drawn once.
constexpr char kWebRowsStyle[] =
    "px}.web p{margin:0;height:1px;background-repeat:no-repeat;background-size:100px 100%;"
    "background-position-x:";
constexpr char kWebRowsEnd[] = "}</style>\r\n<div class=web>\r\n";

// A colour of the web page: "#rgb" where that is exact, "#0000" (transparent) for no colour.
std::size_t WebColourTo(PixelColor colour, char* out) {
    if (colour == kTransparent)
        return static_cast<std::size_t>(PutText(out, "#0000") - out);
    out[0] = '#';
    const std::uint8_t parts[] = {RedOf(colour), GreenOf(colour), BlueOf(colour)};
    char digits[2];
    if (parts[0] % 17 == 0 && parts[1] % 17 == 0 && parts[2] % 17 == 0) {
        for (std::size_t i = 0; i < 3; ++i) {
            WriteTwoHexDigits(static_cast<std::uint8_t>(parts[i] / 17), digits);
            out[1 + i] = digits[1];
        }
        return 4;
    }
    for (std::size_t i = 0; i < 3; ++i)
        WriteTwoHexDigits(parts[i], out + 1 + 2 * i);
    return 7;
}

} // namespace

void CompactPicture::BeginPicture(std::int32_t width, std::int32_t height) {
    WritePageHead(u"");
    mWidth = width;
    mHeight = height;
    mTolerance = static_cast<float>(Settings().tolerance);
    mBackground = Settings().background | 0xFF000000u;
    mPixels.assign(static_cast<std::size_t>(mWidth) * static_cast<std::size_t>(mHeight),
                   kTransparent);
}

void CompactPicture::WritePixel(PixelColor color, std::int32_t x, std::int32_t y) {
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight)
        return;
    const std::uint32_t alpha = color >> 24;
    PixelColor shown = kTransparent;
    if (alpha == 0xFF)
        shown = color;
    else if (alpha != 0)
        shown = CompositeOver(color, mBackground);
    mPixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(mWidth) +
            static_cast<std::size_t>(x)] = shown;
}

void CompactPicture::EndPicture() {
    if (mProfile == kWeb) {
        // A gradient paints one row, where a cell may span many: rows that differ but keep a
        // column of one colour (a frame, a bar) take fewer bytes as a table. The page is then the
        // compact page's table, so a web page is never larger than the compact one.
        CompactPicture table(Templates(), kPage);
        table.mTolerance = mTolerance;
        table.mWidth = mWidth;
        table.mHeight = mHeight;
        table.mPixels.swap(mPixels);
        table.OpenCounter();
        table.WriteTables(false);
        mPixels.swap(table.mPixels);
        if (WriteWebRows(false) <= table.BodySize())
            WriteWebRows(true);
        else
            WriteTables(false);
    } else {
        WriteTables(mProfile == kMail);
    }
    // The tables' memory goes with the page, not with the writer: an empty table assigned frees it.
    mPixels = decltype(mPixels)();
    mCoveredTo = decltype(mCoveredTo)();
    WritePageTail();
    SetLargestDeltaE(mLargestDeltaE);
}

void CompactPicture::WriteTables(bool mail) {
    mLargestDeltaE = 0;
    if (!mail) {
        char* out = BeginPiece(sizeof kPageTableStart + kMostIntDigits + sizeof kPageTableHeight +
                               kMostIntDigits + sizeof kPageTableEnd);
        out = PutText(out, kPageTableStart);
        out += DecimalTo(mWidth, out);
        out = PutText(out, kPageTableHeight);
        out += DecimalTo(mHeight, out);
        out = PutText(out, kPageTableEnd);
        EndPiece(out);
        WriteColumns();
        WriteRows(0, mHeight, false);
        AppendText(kTableClose);
        return;
    }
    std::int32_t top = 0;
    do {
        const std::int32_t bottom = std::min(mHeight, top + kMailRows);
        char* out = BeginPiece(sizeof kMailTableStart + kMostIntDigits + sizeof kMailTableHeight +
                               kMostIntDigits + sizeof kMailTableEnd);
        out = PutText(out, kMailTableStart);
        out += DecimalTo(mWidth, out);
        out = PutText(out, kMailTableHeight);
        out += DecimalTo(bottom - top, out);
        out = PutText(out, kMailTableEnd);
        EndPiece(out);
        WriteColumns();
        WriteRows(top, bottom, true);
        AppendText(kTableClose);
        top = bottom;
    } while (top < mHeight);
}

void CompactPicture::FindRuns(std::int32_t y) {
    const PixelColor* row = mPixels.data() + static_cast<std::size_t>(y) * mWidth;
    mRunColours.clear();
    mRunEnds.clear();
    for (std::int32_t x = 0; x < mWidth;) {
        const PixelColor colour = row[x];
        const LabColour lab =
            mTolerance > 0 && colour != kTransparent ? LabFromRGB(colour) : LabColour{};
        float deltaE = 0;
        std::int32_t right = x + 1;
        while (right < mWidth && Matches(colour, lab, row[right], deltaE))
            ++right;
        mLargestDeltaE = std::max(mLargestDeltaE, static_cast<double>(deltaE));
        mRunColours.push_back(colour);
        mRunEnds.push_back(right);
        x = right;
    }
}

void CompactPicture::WebRowStyle(std::string& out) const {
    out.clear();
    const std::size_t runs = mRunColours.size();
    char number[kMostIntDigits];
    const auto put = [&out, &number](std::int32_t value) {
        out.append(number, DecimalTo(value, number));
    };
    if (runs == 0 || (runs == 1 && mRunColours[0] == kTransparent))
        return;
    if (runs == 1) {
        out += "background:";
        out.append(number, WebColourTo(mRunColours[0], number));
        return;
    }
    // One gradient over the row, its stops in pixels: few long runs say it shortest.
    std::string pixels = "background:linear-gradient(90deg,";
    for (std::size_t run = 0; run < runs; ++run) {
        pixels.append(number, WebColourTo(mRunColours[run], number));
        // A stop at 0 starts where the one before ends: a hard edge, its offset implied.
        pixels += run == 0 ? " " : " 0";
        if (run + 1 < runs) {
            pixels += run == 0 ? "" : " ";
            pixels.append(number, DecimalTo(mRunEnds[run], number));
            pixels += "px,";
        }
    }
    pixels += ')';
    // A gradient per tile of kWebTile pixels, its stops in percent, which there are pixels: short
    // runs (a photo's) take a byte or two less a stop, and browsers draw short gradients faster.
    out = "background-image:";
    std::size_t run = 0;
    for (std::int32_t left = 0; left < mWidth; left += kWebTile) {
        const std::int32_t right = std::min(mWidth, left + kWebTile);
        if (left > 0)
            out += ',';
        while (mRunEnds[run] <= left)
            ++run;
        if (mRunEnds[run] >= right) {
            if (mRunColours[run] == kTransparent) {
                out += "none";
            } else {
                out += "linear-gradient(";
                out.append(number, WebColourTo(mRunColours[run], number));
                out += " 0 0)";
            }
            continue;
        }
        out += "linear-gradient(90deg,";
        for (std::size_t tile = run; tile < runs && (tile == run || mRunEnds[tile - 1] < right);
             ++tile) {
            out.append(number, WebColourTo(mRunColours[tile], number));
            if (tile == run) {
                out += ' ';
                put(mRunEnds[tile] - left);
                out += "%,";
            } else if (mRunEnds[tile] < right) {
                out += " 0 ";
                put(mRunEnds[tile] - left);
                out += "%,";
            } else {
                out += " 0)";
            }
        }
    }
    if (pixels.size() < out.size())
        out.swap(pixels);
}

std::size_t CompactPicture::WriteWebRows(bool write) {
    mLargestDeltaE = 0;
    std::size_t bytes = 0;
    const auto emit = [this, write, &bytes](std::string_view text) {
        bytes += text.size();
        if (write) {
            char* out = BeginPiece(text.size());
            std::memcpy(out, text.data(), text.size());
            EndPiece(out + text.size());
        }
    };
    std::string piece = "<style>.web{width:";
    char number[kMostIntDigits];
    const auto put = [&piece, &number](std::int32_t value) {
        piece.append(number, DecimalTo(value, number));
    };
    put(mWidth);
    piece += kWebRowsStyle;
    for (std::int32_t left = 0; left < mWidth; left += kWebTile) {
        if (left > 0)
            piece += ',';
        put(left);
        if (left > 0)
            piece += "px";
    }
    piece += kWebRowsEnd;
    emit(piece);
    std::string row;
    std::string next;
    if (mHeight > 0) {
        FindRuns(0);
        WebRowStyle(row);
    }
    for (std::int32_t y = 0; y < mHeight;) {
        // Equal rows are one element, as tall as they are many.
        std::int32_t rows = 1;
        for (; y + rows < mHeight; ++rows) {
            FindRuns(y + rows);
            WebRowStyle(next);
            if (next != row)
                break;
        }
        piece = "<p";
        if (rows > 1 || !row.empty()) {
            piece += " style=\"";
            if (rows > 1) {
                piece += "height:";
                put(rows);
                piece += row.empty() ? "px" : "px;";
            }
            piece += row;
            piece += '"';
        }
        piece += ">\r\n";
        emit(piece);
        y += rows;
        row.swap(next);
    }
    emit("</div>\r\n");
    return bytes;
}

void CompactPicture::WriteColumns() {
    // Once cells span columns, the columns' widths are no longer given by cells of one column:
    // every column says it is one pixel wide.
    if (mWidth == 0)
        return;
    AppendText(kColumnsStart);
    for (std::int32_t left = 0; left < mWidth; left += kMaxSpan) {
        const std::int32_t span = std::min(kMaxSpan, mWidth - left);
        char* out = BeginPiece(sizeof kColumnSpan + kMostIntDigits + sizeof kColumnWidth);
        if (span == 1) {
            out = PutText(out, kColumnOne);
        } else {
            out = PutText(out, kColumnSpan);
            out += DecimalTo(span, out);
            out = PutText(out, kColumnWidth);
        }
        EndPiece(out);
    }
    AppendText(kColumnsEnd);
}

bool CompactPicture::Matches(PixelColor cell, const LabColour& cellLab, PixelColor pixel,
                             float& deltaE) const {
    if (pixel == cell)
        return true;
    if (mTolerance <= 0 || pixel == kTransparent || cell == kTransparent)
        return false;
    const float difference = DeltaE(cellLab, LabFromRGB(pixel));
    if (difference > mTolerance)
        return false;
    deltaE = std::max(deltaE, difference);
    return true;
}

void CompactPicture::WriteRows(std::int32_t top, std::int32_t bottom, bool mail) {
    const auto width = static_cast<std::size_t>(mWidth);
    // The cells above the band are closed, so a column's covered rows start at its top. Below the
    // current row, a column is held only by cells begun in rows above: one run from the current
    // row down, whose end is all there is to remember.
    mCoveredTo.assign(width, top);
    for (std::int32_t y = top; y < bottom; ++y) {
        const PixelColor* row = mPixels.data() + static_cast<std::size_t>(y) * width;
        if (mail)
            AppendText("<tr>\r\n");
        else
            AppendText("<tr>");
        for (std::int32_t x = 0; x < mWidth;) {
            if (mCoveredTo[static_cast<std::size_t>(x)] > y) {
                ++x;
                continue;
            }
            const PixelColor colour = row[x];
            const LabColour lab =
                mTolerance > 0 && colour != kTransparent ? LabFromRGB(colour) : LabColour{};
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
            WriteCell(colour, right - x, down - y, mail);
            if (mail)
                AppendText(kLineEnd);
            x = right;
        }
        if (mail)
            AppendText("</tr>\r\n");
        else
            AppendText("\r\n");
    }
}

void CompactPicture::WriteCell(PixelColor colour, std::int32_t columns, std::int32_t rows,
                               bool mail) {
    char* out =
        BeginPiece(sizeof kCellStart + 2 * (sizeof kMailColspan + kMostIntDigits + sizeof kQuote) +
                   sizeof kMailBgcolor + kColourDigits + sizeof kQuote + sizeof kMailCellStyle +
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
