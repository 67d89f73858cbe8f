// Loading a picture from bytes through the program's loading code: every input either loads as
// an opaque picture within the size limit or fails with one of the picture errors; nothing else
// escapes.
#include "FuzzChecks.h"

#include "CError.h"
#include "CImagePictureSource.h"
#include "modPictureFiles.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <cstdint>
#include <cstdlib>

namespace {

// Pictures above this many pixels are allowed but slow to fill; the fuzzer looks for faults in
// headers and data, which small pictures show as well.
constexpr qint64 kLargestFuzzedPicture = 4096 * 1024;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The readers' complaints about broken data would bury the fuzzer's own report.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QBuffer peek(&bytes);
        peek.open(QIODevice::ReadOnly);
        const QSize announced = QImageReader(&peek).size();
        if (announced.isValid() && announced.width() <= kMaxPictureSide &&
            announced.height() <= kMaxPictureSide &&
            qint64{announced.width()} * announced.height() > kLargestFuzzedPicture)
            return -1; // not added to the corpus
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        const QImage image = LoadPicture(buffer);
        Check(!image.isNull());
        Check(image.format() == QImage::Format_RGB32);
        Check(image.width() <= kMaxPictureSide && image.height() <= kMaxPictureSide);
        const CImagePictureSource source(image);
        const int w = image.width(), h = image.height();
        Check(source.ScaleWidth() == float(w) && source.ScaleHeight() == float(h));
        // Red in the lowest byte, nothing above blue.
        const QRgb corner = image.pixel(w - 1, h - 1);
        Check(source.Point(float(w - 1), float(h - 1)) ==
              (std::uint32_t(qRed(corner)) | std::uint32_t(qGreen(corner)) << 8 |
               std::uint32_t(qBlue(corner)) << 16));
    } catch (const CError& error) {
        // Bytes in memory are never a folder, a device or standard input, so only the errors of
        // the picture itself may come (the empty one for no bytes at all).
        const std::int32_t number = error.Number();
        Check(number == CError::kInvalidPicture || number == CError::kEmptyPicture ||
              number == CError::kPictureCutShort || number == CError::kPictureTooLarge ||
              number == CError::kPictureNoMemory);
        Check(!error.Description().empty());
    }
    return 0;
}
