#include "modPictureFiles.h"

#include "CError.h"
#include "modPictureCompleteness.h"
#include "modQtText.h"

#include <QFile>
#include <QImageReader>
#include <QStringList>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::int32_t kInvalidPicture = 481;

CError InvalidPicture(const QString& detail) {
    return CError(kInvalidPicture, u"Invalid picture: " + FromQString(detail));
}

// Decoding a picture of millions of pixels spends a third of its time in page faults on 4 KiB
// pages. A buffer aligned to 2 MiB and marked for huge pages takes them 512 pages at a time. The
// reader fills an image given to it when the size and format match, and replaces it otherwise.
QImage HugePageImage(QSize size, QImage::Format format) {
    constexpr qsizetype kHugePage = qsizetype{2} << 20;
    if (!size.isValid() || format == QImage::Format_Invalid)
        return {};
    const qsizetype bitsPerPixel = QImage::toPixelFormat(format).bitsPerPixel();
    const qsizetype bytesPerLine = (qsizetype{size.width()} * bitsPerPixel + 31) / 32 * 4;
    const qsizetype bytes = bytesPerLine * size.height();
    if (bytesPerLine <= 0 || bytes < kHugePage)
        return {};
    const auto rounded = static_cast<std::size_t>((bytes + kHugePage - 1) / kHugePage * kHugePage);
    void* data = std::aligned_alloc(static_cast<std::size_t>(kHugePage), rounded);
    if (data == nullptr)
        return {};
    ::madvise(data, rounded, MADV_HUGEPAGE); // only advice: without it the pages are small
    return QImage(
        static_cast<uchar*>(data), size.width(), size.height(), bytesPerLine, format,
        [](void* buffer) { std::free(buffer); }, data);
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

QImage LoadPicture(QIODevice& device) {
    // Qt refuses images above 128 MiB by default; a 16384 x 16384 picture at 8 bytes a pixel
    // (16-bit formats) needs 2 GiB while it is decoded.
    QImageReader::setAllocationLimit(2048);
    if (device.size() == 0)
        throw InvalidPicture(QStringLiteral("the file is empty"));
    // The check runs before the reader exists: a reader that has read the header keeps its own
    // place in the device.
    const QByteArray format = QImageReader::imageFormat(&device);
    if (!format.isEmpty() && IsPictureCutShort(device, format))
        throw InvalidPicture(QStringLiteral("the file ends before the picture does"));
    device.seek(0);
    QImageReader reader(&device);
    const QSize announced = reader.size();
    if (announced.width() > kMaxPictureSide || announced.height() > kMaxPictureSide)
        throw InvalidPicture(QStringLiteral("%1 x %2 pixels is larger than %3 x %3")
                                 .arg(announced.width())
                                 .arg(announced.height())
                                 .arg(kMaxPictureSide));
    QImage image = HugePageImage(announced, reader.imageFormat());
    if (!reader.read(&image) || image.isNull())
        throw InvalidPicture(reader.errorString());
    if (image.width() > kMaxPictureSide || image.height() > kMaxPictureSide)
        throw InvalidPicture(QStringLiteral("larger than %1 x %1 pixels").arg(kMaxPictureSide));
    return FlattenOverWhite(std::move(image));
}

QImage LoadPictureFile(const std::u16string& path) {
    // Opened here rather than by the reader, so that a missing or unreadable file is reported
    // as what it is, not as a file of an unknown format.
    const QByteArray name = QFile::encodeName(ToQString(path));
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw CError::FromErrno(errno);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw InvalidPicture(file.errorString());
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode))
        throw CError::FromErrno(EISDIR);
    return LoadPicture(file);
}

std::u16string GetPictureFilter() {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    const QString filter =
        QStringLiteral("Картинки|") + patterns.join(u';') + QStringLiteral("|Все файлы|*.*");
    return FromQString(filter);
}
