#pragma once

#include "CPageWriter.h"

/// TABLE page: one table row per pixel row, one empty cell per pixel.
class CTablePicture final : public CPageWriter {
public:
    using CPageWriter::CPageWriter;

    void BeginPicture(std::int32_t Width, std::int32_t Height) override;
    void EndPicture() override;
    void WritePixel(PixelColor Color, std::int32_t X, std::int32_t Y) override;
    void BeginNewLine(std::int32_t Y) override;
    void EndNewLine(std::int32_t Y) override;
};
