#pragma once

#include "CPageWriter.h"

/// SPAN page: every pixel of every second row becomes one coloured character of the source text,
/// in a preformatted block on a black page.
class CSpanPicture final : public CPageWriter {
public:
    using CPageWriter::CPageWriter;

    void BeginPicture(std::int32_t Width, std::int32_t Height) override;
    void EndPicture() override;
    void WritePixel(PixelColor Color, std::int32_t X, std::int32_t Y) override;
    void EndNewLine(std::int32_t Y) override;

private:
    /// 1-based position in the source text of the next written pixel's character.
    std::int32_t mCharPos = 0;
    /// Whether the pixels of the current row are written.
    bool mLineVisible = false;
};
