// Loading a picture from bytes through the program's loading code: every input either loads as
// an opaque picture within the size limit, which the walk accepts and reads pixel for pixel, or
// fails with one of the picture errors; nothing else escapes.
#include "FuzzChecks.h"

#include "CError.h"
#include "IAnyPicture.h"
#include "IMessageBox.h"
#include "modCallPictureGenerator.h"
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

// Checks that the walk hands over every pixel of the picture, opaque and as the picture holds it.
class CheckingWriter final : public IAnyPicture {
public:
    explicit CheckingWriter(const QImage& image) : mImage(image) {}
    void BeginPicture(std::int32_t Width, std::int32_t Height) override {
        Check(Width == mImage.width() && Height == mImage.height());
    }
    void WritePixel(PixelColor Color, std::int32_t X, std::int32_t Y) override {
        Check(qAlpha(Color) == 255);
        Check(Color == mImage.pixel(X, Y));
        ++pixels;
    }
    qint64 pixels = 0;

private:
    const QImage& mImage;
};

// A loaded picture is never refused by the walk, and the contract's writer cannot fail.
class NoMessages final : public IMessageBox {
public:
    void MsgBox(const std::u16string&, std::int32_t) override { std::abort(); }
    void ShowError(const CError&, const std::u16string&) override { std::abort(); }
};

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
        const qint64 pixels = qint64{image.width()} * image.height();
        if (pixels <= kLargestFuzzedPicture) {
            CheckingWriter writer(image);
            NoMessages messages;
            Check(GeneratePicture(writer, u"", image, messages));
            Check(writer.pixels == pixels);
        }
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
