#pragma once

#include "PageWriter.h"

/// TABLE page: one table row per pixel row, one empty cell per pixel.
class CTablePicture final : public PageWriter {
public:
    using PageWriter::PageWriter;

    void BeginPicture(std::int32_t width, std::int32_t height) override;
    void EndPicture() override;
    void WritePixel(PixelColor color, std::int32_t x, std::int32_t y) override;
    void BeginNewLine(std::int32_t y) override;
    void EndNewLine(std::int32_t y) override;
};
