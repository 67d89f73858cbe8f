#include "PictureFiles.h"

#include "ColorsAndPaths.h"
#include "Failure.h"
#include "Language.h"
#include "PictureCompleteness.h"
#include "RegularFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QColorSpace>
#include <QFile>
#include <QImageReader>
#include <QStringList>
#include <QTransform>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr PixelColor kWhite = 0xFFFFFFFFu;

// `detail` is in the run's language already: a marked text through Tr, or Qt's own words.
Failure PictureError(std::int32_t number, const QString& detail) {
    return Failure(number, Tr(QT_TRANSLATE_NOOP("Tesselet", "Неверная картинка: %1"), detail));
}

// A side beyond what a page takes: refused from the header where it tells the size, before any
// pixel is allocated, and from the decoded picture where it does not.
void RefuseTooLarge(QSize size) {
    if (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide)
        throw PictureError(
            Failure::kPictureTooLarge,
            Tr(QT_TRANSLATE_NOOP("Tesselet", "%1 x %2 пикселей — больше, чем %3 x %3"))
                .arg(size.width())
                .arg(size.height())
                .arg(kMaxPictureSide));
}

Failure NoMemory(QSize size) {
    if (size.isEmpty())
        return PictureError(Failure::kPictureNoMemory,
                            Tr(QT_TRANSLATE_NOOP("Tesselet", "не хватает памяти для её пикселей")));
    return PictureError(Failure::kPictureNoMemory,
                        Tr(QT_TRANSLATE_NOOP("Tesselet", "не хватает памяти для %1 x %2 пикселей"))
                            .arg(size.width())
                            .arg(size.height()));
}

QString FileIsEmpty() {
    return Tr(QT_TRANSLATE_NOOP("Tesselet", "файл пуст"));
}

// The size the picture is converted at, from the size the user sees. Computed in 64 bits: a
// width of 16384 on a picture 1 pixel wide asks for a height far beyond any int.
QSize TargetSize(QSize shown, PictureScale scale) {
    if (scale.width < 0 || scale.height < 0)
        throw Failure(Failure::kInvalidCall,
                      Tr(QT_TRANSLATE_NOOP(
                          "Tesselet", "Картинку нельзя масштабировать до отрицательного размера")));
    const qint64 w = shown.width(), h = shown.height();
    qint64 width = w, height = h;
    if (scale.width > 0 && scale.height > 0) {
        width = scale.width;
        height = scale.height;
    } else if (scale.width > 0) {
        width = scale.width;
        height = std::max<qint64>(1, (2 * h * width + w) / (2 * w)); // rounded half up
    } else if (scale.height > 0) {
        height = scale.height;
        width = std::max<qint64>(1, (2 * w * height + h) / (2 * h));
    }
    if (width > kMaxPictureSide || height > kMaxPictureSide)
        throw PictureError(
            Failure::kPictureTooLarge,
            Tr(QT_TRANSLATE_NOOP("Tesselet",
                                 "после масштабирования %1 x %2 пикселей — больше, чем %3 x %3"))
                .arg(width)
                .arg(height)
                .arg(kMaxPictureSide));
    return QSize(static_cast<int>(width), static_cast<int>(height));
}

// Decoding a picture of millions of pixels spends a third of its time in page faults on 4 KiB
// pages. A buffer aligned to 2 MiB and marked for huge pages takes them 512 pages at a time. The
// reader fills an image given to it when the size and format match, and replaces it otherwise.
// Null for a picture too small to gain from it; throws when the memory is not there, since the
// reader would then fail the same way and call the picture damaged.
QImage HugePageImage(QSize size, QImage::Format format) {
    constexpr qsizetype kHugePage = qsizetype{2} << 20;
    // A reader that tells no size beforehand may leave its format unset too (not a value at all).
    if (size.isEmpty())
        return {};
    // A line as long as Qt makes one of this format; none for no format.
    const qsizetype bytesPerLine = QImage(size.width(), 1, format).bytesPerLine();
    const qsizetype bytes = bytesPerLine * size.height();
    if (bytes < kHugePage)
        return {};
    const auto rounded = static_cast<std::size_t>((bytes + kHugePage - 1) / kHugePage * kHugePage);
    void* data = std::aligned_alloc(static_cast<std::size_t>(kHugePage), rounded);
    if (data == nullptr)
        throw NoMemory(size);
    ::madvise(data, rounded, MADV_HUGEPAGE); // only advice: without it the pages are small
    return QImage(
        static_cast<uchar*>(data), size.width(), size.height(), bytesPerLine, format,
        [](void* buffer) { std::free(buffer); }, data);
}

// Which pixels of a row (or column) of `source` pixels make each of `target` new ones, and how much
// of each: new pixel d covers [d * source, (d + 1) * source) in units in which old pixel s covers
// [s * target, (s + 1) * target), so every weight is a whole number and a new pixel's sum to
// `source`.
struct Taps {
    std::vector<int> first;             ///< per new pixel: its first old pixel
    std::vector<std::size_t> start;     ///< per new pixel, and one past: where its weights begin
    std::vector<std::uint32_t> weights; ///< one per old pixel it covers
};

// The taps of the first `count` of the `target` new pixels.
Taps MakeTaps(int source, int target, int count) {
    Taps taps;
    taps.first.reserve(static_cast<std::size_t>(count));
    taps.start.reserve(static_cast<std::size_t>(count) + 1);
    const std::int64_t from = source, to = target;
    for (std::int64_t d = 0; d < count; ++d) {
        const std::int64_t low = d * from, high = low + from;
        taps.first.push_back(static_cast<int>(low / to));
        taps.start.push_back(taps.weights.size());
        for (std::int64_t s = low / to; s * to < high; ++s)
            taps.weights.push_back(
                static_cast<std::uint32_t>(std::min(high, (s + 1) * to) - std::max(low, s * to)));
    }
    taps.start.push_back(taps.weights.size());
    return taps;
}

// libpng prints its errors on standard error itself, in English and past Qt's message handler,
// before the reader fails; the program's own report then says what failed, in the run's language.
// While a picture is read, standard error goes into a file of its own (a thread of the window
// that writes meanwhile loses nothing), and all but libpng's lines are passed on afterwards.
class LibraryChatter {
public:
    LibraryChatter() {
        // A closed standard error is held from start-up, so saving it below cannot fail for that.
        const int capture = ::memfd_create("tesselet-stderr", MFD_CLOEXEC);
        if (capture == -1)
            return;
        // Above the standard streams, whichever of them is closed.
        mCapture = ::fcntl(capture, F_DUPFD_CLOEXEC, 3);
        ::close(capture);
        mSaved = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
        if (mCapture == -1 || mSaved == -1 || ::dup2(mCapture, STDERR_FILENO) == -1) {
            Close();
            return;
        }
    }
    ~LibraryChatter() {
        if (mCapture == -1) // nothing captured: both descriptors were closed when it failed
            return;
        ::dup2(mSaved, STDERR_FILENO);
        std::string captured;
        if (QFile capture; capture.open(mCapture, QIODevice::ReadOnly) && capture.seek(0))
            captured = capture.readAll().toStdString();
        Close();
        std::string kept;
        std::istringstream lines(captured);
        for (std::string line; std::getline(lines, line);)
            if (!line.starts_with("libpng "))
                kept += line + '\n';
        // Through the C library, which writes all of it, a part at a time into a full pipe.
        std::fwrite(kept.data(), 1, kept.size(), stderr);
    }
    LibraryChatter(const LibraryChatter&) = delete;
    LibraryChatter& operator=(const LibraryChatter&) = delete;

private:
    void Close() {
        for (int* fd : {&mCapture, &mSaved}) {
            if (*fd != -1)
                ::close(*fd);
            *fd = -1;
        }
    }

    int mCapture = -1;
    int mSaved = -1;
};

// One read that survives signals, and a descriptor left non-blocking by whoever passed it on.
// Returns the bytes read, 0 at the end.
qint64 ReadSome(int fd, char* data, qint64 size) {
    for (;;) {
        const ssize_t got = ::read(fd, data, static_cast<std::size_t>(size));
        if (got >= 0)
            return got;
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN) { // which Linux also calls EWOULDBLOCK
            pollfd wait{fd, POLLIN, 0};
            if (::poll(&wait, 1, -1) == -1 && errno != EINTR)
                throw Failure::FromErrno(errno);
            continue;
        }
        throw Failure::FromErrno(errno);
    }
}

Failure InputTooLarge() {
    return PictureError(
        Failure::kInputTooLarge,
        Tr(QT_TRANSLATE_NOOP("Tesselet", "на стандартном вводе больше %1 байт (1 ГиБ) — "
                                         "больше, чем читается для одной картинки"))
            .arg(kMaxInputBytes));
}

// The orientation of a PNG's eXIf chunk (a TIFF header and its first IFD), as Qt's transformation;
// Qt's own PNG reader reads no eXIf. Every length and offset is checked against what was read, so
// a damaged chunk means no orientation rather than a read beyond it. The device is left anywhere.
QImageIOHandler::Transformations PngExifOrientation(QIODevice& device) {
    // The orientation sits in the first IFD, near the top.
    constexpr qint64 kMostExifBytes = qint64{1} << 16;
    if (!device.seek(8))
        return QImageIOHandler::TransformationNone;
    QByteArray exif;
    for (;;) {
        const QByteArray header = device.read(8);
        if (header.size() != 8)
            return QImageIOHandler::TransformationNone;
        const quint32 length = qFromBigEndian<quint32>(header.constData());
        const QByteArray type = header.mid(4);
        if (type == "eXIf") {
            exif = device.read(std::min<qint64>(length, kMostExifBytes));
            break;
        }
        const qint64 next = device.pos() + qint64{length} + 4; // past the data and its CRC
        if (type == "IEND" || next > device.size() || !device.seek(next))
            return QImageIOHandler::TransformationNone;
    }
    const auto* data = reinterpret_cast<const uchar*>(exif.constData());
    const qint64 size = exif.size();
    // A chunk too short for its first IFD's offset has no entries: its numbers read as -1.
    if (exif.left(4) != QByteArray("MM\0*", 4) && exif.left(4) != QByteArray("II*\0", 4))
        return QImageIOHandler::TransformationNone;
    const bool motorola = exif.startsWith("MM");
    // A number in the TIFF's own byte order; -1 past the chunk.
    const auto number = [&](qint64 at, auto type) -> qint64 {
        using Number = decltype(type);
        if (at < 0 || at + static_cast<qint64>(sizeof(Number)) > size)
            return -1;
        return motorola ? qFromBigEndian<Number>(data + at) : qFromLittleEndian<Number>(data + at);
    };
    const auto read16 = [&](qint64 at) { return number(at, quint16{}); };
    const auto read32 = [&](qint64 at) { return number(at, quint32{}); };
    const qint64 ifd = read32(4);
    const qint64 entries = read16(ifd);
    for (qint64 i = 0; i < entries; ++i) {
        const qint64 entry = ifd + 2 + 12 * i;
        if (read16(entry) != 0x0112) // Orientation: SHORT, one value, in the entry itself
            continue;
        if (read16(entry + 2) != 3 || read32(entry + 4) != 1)
            break;
        switch (read16(entry + 8)) {
        case 2:
            return QImageIOHandler::TransformationMirror;
        case 3:
            return QImageIOHandler::TransformationRotate180;
        case 4:
            return QImageIOHandler::TransformationFlip;
        case 5:
            return QImageIOHandler::TransformationFlipAndRotate90;
        case 6:
            return QImageIOHandler::TransformationRotate90;
        case 7:
            return QImageIOHandler::TransformationMirrorAndRotate90;
        case 8:
            return QImageIOHandler::TransformationRotate270;
        default:
            break;
        }
        break;
    }
    return QImageIOHandler::TransformationNone;
}

// Turns a decoded picture as Qt's reader turns one by the transformation it reports.
QImage Transformed(QImage image, QImageIOHandler::Transformations turn) {
    if (turn == QImageIOHandler::TransformationRotate270)
        return image.transformed(QTransform().rotate(270));
    image = std::move(image).mirrored(turn.testFlag(QImageIOHandler::TransformationMirror),
                                      turn.testFlag(QImageIOHandler::TransformationFlip));
    if (turn.testFlag(QImageIOHandler::TransformationRotate90))
        image = image.transformed(QTransform().rotate(90));
    return image;
}

} // namespace

QImage FlattenOverWhite(QImage image) {
    if (!image.hasAlphaChannel()) {
        if (image.format() != QImage::Format_RGB32)
            image.convertTo(QImage::Format_RGB32);
        return image;
    }
    image.convertTo(QImage::Format_ARGB32);
    // The conversion and the copy that writing makes of a shared image give a null image when
    // memory runs out; the caller reports it.
    if (image.isNull() || image.bits() == nullptr)
        return {};
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            // A QRgb is laid out as a pixel colour.
            if (qAlpha(line[x]) != 255)
                line[x] = CompositeOver(line[x], kWhite);
        }
    }
    // Every pixel is opaque now; reading it as RGB32 needs no copy.
    image.reinterpretAsFormat(QImage::Format_RGB32);
    return image;
}

QImage PictureOverWhite(const QImage& picture) {
    QImage flat = FlattenOverWhite(picture);
    // Nothing is wrong with the picture itself: the words say only what ran out.
    if (flat.isNull() && !picture.isNull())
        throw Failure(Failure::kPictureNoMemory,
                      Tr(QT_TRANSLATE_NOOP("Tesselet", "не хватает памяти для %1 x %2 пикселей"))
                          .arg(picture.width())
                          .arg(picture.height()));
    return flat;
}

QImage KeepAlpha(QImage image) {
    const QImage::Format format =
        image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    if (image.format() != format)
        image.convertTo(format);
    return image;
}

namespace {

/// A picture as its reader decoded it, and the size its header announced.
struct DecodedPicture {
    QImage image;
    QSize announced;
};

// Reads the whole picture from the start of `device`, upright, refusing sizes the page cannot
// take before any pixel is allocated. `pngTurn` is a PNG's own orientation, which Qt does not see.
DecodedPicture ReadUpright(QIODevice& device, PictureScale scale,
                           QImageIOHandler::Transformations pngTurn) {
    // Only while Qt's readers work: a sanitizer's report on the program's own code is not hidden.
    std::optional<LibraryChatter> quiet(std::in_place);
    QImageReader reader(&device);
    reader.setAutoTransform(true);
    const QSize announced = reader.size();
    RefuseTooLarge(announced);
    // Qt's own reading of an orientation, where it has one, comes first.
    const QImageIOHandler::Transformations turn =
        reader.transformation() != QImageIOHandler::TransformationNone ? reader.transformation()
                                                                       : pngTurn;
    const bool turnHere = turn != reader.transformation();

    // Everything about the size is settled from the header, before any pixel is allocated.
    const bool known = !announced.isEmpty();
    if (known) {
        const bool onItsSide = turn & QImageIOHandler::TransformationRotate90;
        TargetSize(onItsSide ? announced.transposed() : announced, scale);
    }

    // Decoded whole: a reader that scales by itself (PNG, JPEG) gives other pixels than the
    // scaling below, and every size of a picture, asked for or chosen to fit a page's budget,
    // comes from one road.
    QImage image = HugePageImage(announced, reader.imageFormat());
    if (!reader.read(&image))
        throw PictureError(Failure::kInvalidPicture, reader.errorString());
    quiet.reset();
    if (image.isNull() || image.size().isEmpty())
        throw NoMemory(announced);
    RefuseTooLarge(image.size());
    if (turnHere) {
        image = Transformed(std::move(image), turn);
        if (image.isNull())
            throw NoMemory(announced);
    }
    return {std::move(image), announced};
}

// The decoded picture in the page's colours: 8 bits a channel, sRGB, its alpha kept or flattened.
QImage InPageColours(DecodedPicture decoded, PictureAlpha alpha) {
    QImage image = std::move(decoded.image);
    // The page gives colours as sRGB numbers; a picture in a wider space (a phone's Display P3, a
    // camera's Adobe RGB) would look washed out with its own numbers.
    const QColorSpace space = image.colorSpace();
    if (space.isValid() && space != QColorSpace(QColorSpace::SRgb)) {
        image.convertToColorSpace(QColorSpace::SRgb);
        if (image.isNull())
            throw NoMemory(image.size());
    }
    image = alpha == PictureAlpha::kKeep ? KeepAlpha(std::move(image))
                                         : FlattenOverWhite(std::move(image));
    if (image.isNull())
        throw NoMemory(decoded.announced);
    return image;
}

} // namespace

QImage LoadPicture(QIODevice& device, PictureScale scale, PictureAlpha alpha) {
    // Qt refuses images above 128 MiB by default; a 16384 x 16384 picture at 8 bytes a pixel
    // (16-bit formats) needs 2 GiB while it is decoded.
    QImageReader::setAllocationLimit(2048);
    if (device.size() == 0)
        throw PictureError(Failure::kEmptyPicture, FileIsEmpty());
    // The check runs before the reader exists: a reader that has read the header keeps its own
    // place in the device.
    const QByteArray format = QImageReader::imageFormat(&device);
    if (IsPictureCutShort(device, format))
        throw PictureError(Failure::kPictureCutShort,
                           Tr(QT_TRANSLATE_NOOP("Tesselet", "файл кончается раньше картинки")));
    // A camera stores a picture taken upright as it was sensed, on its side, and says so in its
    // EXIF orientation; the user expects the picture as any viewer shows it. A PNG says it in an
    // eXIf chunk, which browsers follow and Qt's reader does not see.
    const QImageIOHandler::Transformations pngTurn =
        format == "png" ? PngExifOrientation(device) : QImageIOHandler::TransformationNone;
    device.seek(0);
    const QImage image = InPageColours(ReadUpright(device, scale, pngTurn), alpha);
    return ScalePicture(image, scale, INT_MAX);
}

QImage ScalePicture(const QImage& picture, PictureScale scale, int rows) {
    const QSize target = TargetSize(picture.size(), scale);
    const int height = std::clamp(rows, 0, target.height());
    if (picture.isNull())
        return picture;
    if (target == picture.size())
        return height == target.height() ? picture : picture.copy(0, 0, target.width(), height);
    // As the loads give it: one QRgb a pixel, its alpha not premultiplied where it has one.
    const QImage& source = picture;
    const bool alpha = source.format() == QImage::Format_ARGB32;
    QImage scaled(target.width(), height, source.format());
    if (scaled.isNull())
        throw NoMemory(target);
    const Taps columns = MakeTaps(source.width(), target.width(), target.width());
    const Taps lines = MakeTaps(source.height(), target.height(), height);
    // Each picture's pixel weighs as much as the part of it the new pixel covers: the area, in
    // units in which the whole picture measures source x target on each side.
    const std::uint64_t whole = std::uint64_t(source.width()) * std::uint64_t(source.height());
    // Per column of the picture: the weighted sums of one new row, colours times alpha, and alpha.
    std::vector<std::array<std::uint64_t, 4>> sums(static_cast<std::size_t>(source.width()));
    for (int y = 0; y < height; ++y) {
        std::fill(sums.begin(), sums.end(), std::array<std::uint64_t, 4>{});
        const auto row = static_cast<std::size_t>(y);
        for (std::size_t k = lines.start[row]; k < lines.start[row + 1]; ++k) {
            const int line = lines.first[row] + static_cast<int>(k - lines.start[row]);
            const auto* pixels = reinterpret_cast<const QRgb*>(source.constScanLine(line));
            const std::uint64_t weight = lines.weights[k];
            for (std::size_t x = 0; x < sums.size(); ++x) {
                const QRgb pixel = pixels[x];
                const std::uint64_t a = alpha ? qAlpha(pixel) : 255;
                sums[x][0] += weight * a * std::uint64_t(qRed(pixel));
                sums[x][1] += weight * a * std::uint64_t(qGreen(pixel));
                sums[x][2] += weight * a * std::uint64_t(qBlue(pixel));
                sums[x][3] += weight * a;
            }
        }
        auto* out = reinterpret_cast<QRgb*>(scaled.scanLine(y));
        for (int x = 0; x < target.width(); ++x) {
            const auto column = static_cast<std::size_t>(x);
            std::array<std::uint64_t, 4> sum{};
            for (std::size_t k = columns.start[column]; k < columns.start[column + 1]; ++k) {
                const auto& at = sums[static_cast<std::size_t>(columns.first[column]) + k -
                                      columns.start[column]];
                for (int c = 0; c < 4; ++c)
                    sum[c] += columns.weights[k] * at[c];
            }
            if (sum[3] == 0) {
                out[x] = QRgb{}; // wholly transparent
                continue;
            }
            const auto channel = [&](int c) { return int((sum[c] + sum[3] / 2) / sum[3]); };
            const int a = alpha ? int((sum[3] + whole / 2) / whole) : 255;
            out[x] = qRgba(channel(0), channel(1), channel(2), a);
        }
    }
    return scaled;
}

QImage LoadPictureFile(const std::string& path, PictureScale scale, PictureAlpha alpha) {
    // Opened here rather than by the reader, so that a missing or unreadable file is reported
    // as what it is, not as a file of an unknown format.
    struct stat info {};
    FileDescriptor fd = OpenRegularFile(
        path, info,
        Tr(QT_TRANSLATE_NOOP("Tesselet", "канал, устройство или сокет не читается как картинка; "
                                         "«-» читает картинку со стандартного ввода")));
    if (info.st_size == 0)
        throw PictureError(Failure::kEmptyPicture, FileIsEmpty());
    QFile file;
    if (!file.open(fd.Get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        throw PictureError(Failure::kInvalidPicture, file.errorString());
    fd.Release(); // the file closes it now
    return LoadPicture(file, scale, alpha);
}

QImage LoadPictureStream(int fd, PictureScale scale, PictureAlpha alpha) {
    // A file given as standard input says how much it holds: one beyond the limit is refused
    // without reading it, one within gets its memory at once.
    qint64 expected = 0;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        const off_t position = ::lseek(fd, 0, SEEK_CUR);
        expected = info.st_size - std::max<off_t>(position, 0);
        if (expected > kMaxInputBytes)
            throw InputTooLarge();
    }
    // Grown by doubling, never beyond the limit: a pipe of a few kilobytes takes a few kilobytes
    // and an endless one stops at the limit.
    QByteArray bytes;
    const qint64 first = std::min<qint64>(expected > 0 ? expected + 1 : 65536, kMaxInputBytes);
    bytes.reserve(first);
    bytes.resize(first);
    qint64 size = 0;
    for (;;) {
        if (size == bytes.size()) {
            if (size == kMaxInputBytes) {
                // One more byte says the input goes on beyond the limit, without holding it.
                char probe{};
                if (ReadSome(fd, &probe, 1) > 0)
                    throw InputTooLarge();
                break;
            }
            // Reserved first: resize alone would take twice what it is asked for.
            const qint64 grown = std::min<qint64>(size * 2, kMaxInputBytes);
            bytes.reserve(grown);
            bytes.resize(grown);
        }
        const qint64 got = ReadSome(fd, bytes.data() + size, bytes.size() - size);
        if (got == 0)
            break;
        size += got;
    }
    bytes.truncate(size);
    if (bytes.isEmpty())
        throw PictureError(Failure::kEmptyPicture,
                           Tr(QT_TRANSLATE_NOOP("Tesselet", "стандартный ввод пуст")));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return LoadPicture(buffer, scale, alpha);
}

QStringList PictureFilePatterns() {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    return patterns;
}
