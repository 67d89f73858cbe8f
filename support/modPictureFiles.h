#pragma once

#include <QIODevice>
#include <QImage>
#include <string>

/// Largest width and height a picture may have; anything larger is refused before it is decoded.
constexpr int kMaxPictureSide = 16384;

/// Loads a picture in any format that QImageReader reads, as opaque RGB32: pixels that are not
/// opaque are composited over white. Throws CError when the file is no picture, is of a format not
/// supported, is cut short or is too large (number 481); a missing or unreadable file throws the
/// system's error.
QImage LoadPictureFile(const std::u16string& path);

/// LoadPictureFile for a picture on an open device that can seek: a file or bytes in memory.
QImage LoadPicture(QIODevice& device);

/// Composites a picture with alpha over white and returns it as opaque RGB32.
QImage FlattenOverWhite(QImage image);

/// "label|patterns" pairs for the formats that LoadPictureFile reads.
std::u16string GetPictureFilter();
