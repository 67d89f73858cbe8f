#include "CImagePictureSource.h"

CImagePictureSource::CImagePictureSource(QImage image) : mImage(std::move(image)) {
    if (!mImage.isNull() && mImage.format() != QImage::Format_RGB32)
        mImage.convertTo(QImage::Format_RGB32);
    mBits = mImage.constBits();
    mBytesPerLine = mImage.bytesPerLine();
    mWidth = mImage.width();
    mHeight = mImage.height();
}

PixelColor CImagePictureSource::Point(float X, float Y) const {
    const int x = static_cast<int>(X);
    const int y = static_cast<int>(Y);
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight)
        return 0xFFFFFFFFu; // what a picture box answers for a point outside it
    const QRgb pixel = reinterpret_cast<const QRgb*>(mBits + y * mBytesPerLine)[x];
    // QRgb is 0xAARRGGBB; a pixel colour keeps red in the lowest byte.
    return (pixel >> 16 & 0xFFu) | (pixel & 0xFF00u) | (pixel & 0xFFu) << 16;
}
