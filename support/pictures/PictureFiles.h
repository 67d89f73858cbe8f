#pragma once

#include <QIODevice>
#include <QImage>
#include <QStringList>
#include <string>

/// Largest width and height a picture may have, loaded or scaled; anything larger is refused
/// before its pixels are allocated.
constexpr int kMaxPictureSide = 16384;

/// Most bytes read from standard input for one picture.
constexpr qint64 kMaxInputBytes = qint64{1} << 30;

/// The size a picture is converted at: 0 keeps that side; one side alone keeps the aspect ratio.
struct PictureScale {
    int width = 0;
    int height = 0;
};

/// What becomes of a picture's transparency.
enum class PictureAlpha {
    kFlatten, ///< composited over white: opaque RGB32, for the pages that show every pixel
    kKeep,    ///< kept: ARGB32 (not premultiplied) when the picture has alpha, else RGB32
};

/// Loads a picture in any format that QImageReader reads, upright (its EXIF orientation applied),
/// in sRGB, at the size `scale` asks for, as opaque RGB32: pixels that are not opaque are
/// composited over white (unless `alpha` keeps them). Throws Failure: the system's error for a
/// missing, unreadable or folder path; Failure::kNotRegularFile for a FIFO, device or socket (never
/// waits on one); and the picture errors of Failure's catalogue.
QImage LoadPictureFile(const std::string& path, PictureScale scale = {},
                       PictureAlpha alpha = PictureAlpha::kFlatten);

/// LoadPictureFile for a picture on an open device that can seek: a file or bytes in memory.
QImage LoadPicture(QIODevice& device, PictureScale scale = {},
                   PictureAlpha alpha = PictureAlpha::kFlatten);

/// Reads a whole picture from a descriptor that may not seek (standard input: a pipe, a file, a
/// terminal), at most kMaxInputBytes, then loads it as LoadPicture does.
QImage LoadPictureStream(int fd, PictureScale scale = {},
                         PictureAlpha alpha = PictureAlpha::kFlatten);

/// The one road by which a picture changes size: `picture` (RGB32 or ARGB32) scaled to the size
/// `scale` asks for (see LoadPictureFile), each new pixel the average of the part of the picture
/// it covers (colours weighted by their alpha), in the picture's format; only its top `rows`
/// rows, which are the same rows as those of the whole. Throws Failure: the size beyond
/// kMaxPictureSide, or memory running out.
QImage ScalePicture(const QImage& picture, PictureScale scale, int rows);

/// A picture with alpha as ARGB32 (not premultiplied), one without as RGB32; a null image when
/// memory runs out.
QImage KeepAlpha(QImage image);

/// Composites a picture with alpha over white and returns it as opaque RGB32.
QImage FlattenOverWhite(QImage image);

/// FlattenOverWhite for a picture that is about to be shown or written: throws Failure
/// (kPictureNoMemory) when memory runs out instead of giving a null image. A picture without alpha
/// comes back shared, nothing copied.
QImage PictureOverWhite(const QImage& picture);

/// The file name patterns of the formats that LoadPictureFile reads ("*.png").
QStringList PictureFilePatterns();
