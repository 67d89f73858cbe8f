// Loading a picture from bytes: every input either loads as an opaque picture within the size
// limit, which the walk takes pixel for pixel, or fails with one of the picture errors.
#include "CallPictureGenerator.h"
#include "FuzzChecks.h"
#include "IAnyPicture.h"
#include "IMessageBox.h"
#include "PictureFiles.h"
#include <QBuffer>
#include <QImageReader>

// Larger pictures are allowed but slow to fill; faults in headers and data show in small ones too.
constexpr qint64 kLargestFuzzedPicture = 4096 * 1024;
// Checks that the walk hands over every pixel, opaque and as the picture holds it; the walk never
// refuses a loaded picture, so any message fails.
class CheckingWriter final : public IAnyPicture, public IMessageBox {
public:
    explicit CheckingWriter(const QImage& p) : image(p), left(qint64{p.width()} * p.height()) {}
    void BeginPicture(std::int32_t width, std::int32_t height) override {
        Check(width == image.width() && height == image.height());
    }
    void WritePixel(PixelColor color, std::int32_t x, std::int32_t y) override {
        Check(qAlpha(color) == 255 && color == image.pixel(x, y) && left-- > 0);
    }
    void ShowFailure(const QString&) override { std::abort(); }
    void Inform(const QString&) override { std::abort(); }
    void ShowError(const Failure&, const QString&) override { std::abort(); }
    bool AskOkCancel(const QString&) override { std::abort(); }
    const QImage& image;
    qint64 left; // pixels not handed over yet
};

// The readers' complaints about broken data would bury the fuzzer's own report.
const QtMessageHandler kQuiet =
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const QSize announced = QImageReader(&buffer).size();
    if (announced.width() <= kMaxPictureSide && announced.height() <= kMaxPictureSide &&
        qint64{announced.width()} * announced.height() > kLargestFuzzedPicture)
        return -1; // not added to the corpus
    buffer.seek(0);
    try {
        const QImage image = LoadPicture(buffer);
        Check(image.format() == QImage::Format_RGB32 && image.width() <= kMaxPictureSide &&
              image.height() <= kMaxPictureSide);
        CheckingWriter writer(image);
        Check(writer.left > kLargestFuzzedPicture ||
              (GeneratePicture(writer, {}, image, writer) && writer.left == 0));
    } catch (const Failure& error) {
        // Bytes in memory are no folder, device or standard input: only the picture's own errors.
        static constexpr std::int32_t kPictureErrors[] = {
            Failure::kInvalidPicture, Failure::kEmptyPicture, Failure::kPictureCutShort,
            Failure::kPictureTooLarge, Failure::kPictureNoMemory};
        Check(std::ranges::count(kPictureErrors, error.Number()) == 1 &&
              !error.Description().isEmpty());
    }
    return 0;
}
