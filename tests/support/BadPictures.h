#pragma once

// Pictures a user may pick by mistake, shared by the converter's and the window's tests.

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

/// Small, complete pictures of several formats (also the fuzzers' seeds).
inline const std::string kPictureFixtures = TESSELET_SOURCE_DIR "/tests/fuzz/corpus/FuzzPicture/";

/// A picture with a different colour in nearly every pixel.
QImage Noise(int width, int height, std::uint32_t seed = 12345);

/// The picture as a file of `format` ("PNG", "JPEG", "BMP") would hold it.
std::string Encoded(const QImage& image, const char* format);

/// A PNG whose header claims the size, with a little image data and its end: enough for a reader
/// to believe the header.
std::string PngClaiming(std::uint32_t width, std::uint32_t height);

/// A PNG of one colour at any size, a few bytes for every row, made without holding its pixels:
/// a picture of 8192 x 8192 pixels takes about 1.3 MB and a few milliseconds.
std::string PngFilled(std::uint32_t width, std::uint32_t height, QRgb colour);

struct BadPicture {
    std::string name;
    std::string bytes;
    int number;         ///< the error number loading it gives
    std::string detail; ///< part of the error's description
};

/// Writes every kind of bad picture into the folder `dir`: files, a folder, a FIFO and a link to
/// /dev/zero under picture names, and names one that is missing.
std::vector<BadPicture> WriteBadPictures(const std::string& dir);
