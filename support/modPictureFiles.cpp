#include "modPictureFiles.h"

#include "CError.h"
#include "modQtText.h"

#include <QImageReader>
#include <QStringList>

namespace {

constexpr std::int32_t kInvalidPicture = 481;

CError InvalidPicture(const QString& detail) {
    return CError(kInvalidPicture, u"Invalid picture: " + FromQString(detail));
}

} // namespace

QImage FlattenOverWhite(QImage image) {
    if (!image.hasAlphaChannel()) {
        if (image.format() != QImage::Format_RGB32)
            image.convertTo(QImage::Format_RGB32);
        return image;
    }
    image.convertTo(QImage::Format_ARGB32);
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = line[x];
            const unsigned a = qAlpha(pixel);
            if (a == 255)
                continue;
            const auto over = [a](unsigned c) { return (c * a + 255 * (255 - a) + 127) / 255; };
            line[x] =
                qRgb(int(over(qRed(pixel))), int(over(qGreen(pixel))), int(over(qBlue(pixel))));
        }
    }
    // Every pixel is opaque now; reading it as RGB32 needs no copy.
    image.reinterpretAsFormat(QImage::Format_RGB32);
    return image;
}

QImage LoadPictureFile(const std::u16string& path) {
    // Qt refuses images above 128 MiB by default; a 16384 x 16384 picture at 8 bytes a pixel
    // (16-bit formats) needs 2 GiB while it is decoded.
    QImageReader::setAllocationLimit(2048);
    QImageReader reader(ToQString(path));
    const QSize announced = reader.size();
    if (announced.width() > kMaxPictureSide || announced.height() > kMaxPictureSide)
        throw InvalidPicture(QStringLiteral("%1 x %2 pixels is larger than %3 x %3")
                                 .arg(announced.width())
                                 .arg(announced.height())
                                 .arg(kMaxPictureSide));
    QImage image = reader.read();
    if (image.isNull())
        throw InvalidPicture(reader.errorString());
    if (image.width() > kMaxPictureSide || image.height() > kMaxPictureSide)
        throw InvalidPicture(QStringLiteral("larger than %1 x %1 pixels").arg(kMaxPictureSide));
    return FlattenOverWhite(std::move(image));
}

std::u16string GetPictureFilter() {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    const QString filter =
        QStringLiteral("Картинки|") + patterns.join(u';') + QStringLiteral("|Все файлы|*.*");
    return FromQString(filter);
}
