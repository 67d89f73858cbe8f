#pragma once

#include "CPageWriter.h"

/// DIV page: one never-closed element of the class "art" per pixel, placed 8 pixels in.
class CDivPicture final : public CPageWriter {
public:
    using CPageWriter::CPageWriter;

    void BeginPicture(std::int32_t Width, std::int32_t Height) override;
    void EndPicture() override;
    void WritePixel(PixelColor Color, std::int32_t X, std::int32_t Y) override;
};
