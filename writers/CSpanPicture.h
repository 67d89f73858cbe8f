#pragma once

#include "PageWriter.h"

/// SPAN page: every pixel of every second row becomes one coloured character of the source text,
/// in a preformatted block on a black page.
class CSpanPicture final : public PageWriter {
public:
    using PageWriter::PageWriter;

    void BeginPicture(std::int32_t width, std::int32_t height) override;
    void EndPicture() override;
    void WritePixel(PixelColor color, std::int32_t x, std::int32_t y) override;
    void EndNewLine(std::int32_t y) override;

private:
    /// 1-based position in the source text of the next written pixel's character.
    std::int32_t mCharPos = 0;
    /// Whether the pixels of the current row are written.
    bool mLineVisible = false;
};
