#pragma once

#include "PageWriter.h"

/// DIV page: one never-closed element of the class "art" per pixel, placed 8 pixels in.
class CDivPicture final : public PageWriter {
public:
    using PageWriter::PageWriter;

    void BeginPicture(std::int32_t width, std::int32_t height) override;
    void EndPicture() override;
    void WritePixel(PixelColor color, std::int32_t x, std::int32_t y) override;
};
