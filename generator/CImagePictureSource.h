#pragma once

#include "IPictureSource.h"

#include <QImage>

/// A loaded picture as the pixel walk sees it: measured in pixels, colours read from its scan
/// lines. The image is kept as RGB32.
class CImagePictureSource final : public IPictureSource {
public:
    explicit CImagePictureSource(QImage image = QImage());

    const QImage& Image() const noexcept { return mImage; }

    std::int16_t ScaleMode() const override { return kPixels; }
    float ScaleWidth() const override { return static_cast<float>(mImage.width()); }
    float ScaleHeight() const override { return static_cast<float>(mImage.height()); }
    PixelColor Point(float X, float Y) const override;

private:
    QImage mImage;
    const uchar* mBits = nullptr;
    qsizetype mBytesPerLine = 0;
    int mWidth = 0;
    int mHeight = 0;
};
