#include "PictureCompleteness.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// Reads a device byte by byte through a block buffer; running out of bytes is the answer the
// checks look for, so every read says whether it got what it asked.
class ByteStream {
public:
    explicit ByteStream(QIODevice& device) : mDevice(device) {}

    bool Next(std::uint8_t& byte) {
        if (mPos == mEnd && !Fill())
            return false;
        byte = mBuffer[mPos++];
        return true;
    }

    bool Skip(std::int64_t count) {
        while (count > 0) {
            if (mPos == mEnd && !Fill())
                return false;
            const auto step = std::min(count, static_cast<std::int64_t>(mEnd - mPos));
            mPos += static_cast<std::size_t>(step);
            count -= step;
        }
        return true;
    }

    bool Word16BE(std::uint32_t& value) {
        std::uint8_t high{}, low{};
        if (!Next(high) || !Next(low))
            return false;
        value = std::uint32_t{high} << 8 | low;
        return true;
    }

private:
    bool Fill() {
        const qint64 got = mDevice.read(reinterpret_cast<char*>(mBuffer.data()),
                                        static_cast<qint64>(mBuffer.size()));
        mPos = 0;
        mEnd = static_cast<std::size_t>(std::max<qint64>(got, 0)); // -1: a failed read, no bytes
        return mEnd > 0;
    }

    QIODevice& mDevice;
    std::array<std::uint8_t, 65536> mBuffer{};
    std::size_t mPos = 0;
    std::size_t mEnd = 0;
};

// A JPEG is complete when its end-of-image marker comes. Marker segments are skipped by their
// lengths (so an embedded thumbnail's end marker is not taken for the picture's); inside a scan a
// 0xFF is either stuffed (FF 00), a restart marker (FF D0..D7), fill (FF FF) or the next marker.
bool JpegCutShort(ByteStream& in) {
    // The start marker, FF D8, is read as any marker that stands alone.
    std::uint8_t byte{};
    std::uint8_t marker{};
    bool haveMarker = false;
    for (;;) {
        if (!haveMarker) {
            if (!in.Next(byte))
                return true;
            if (byte != 0xFF)
                return false; // garbage where a marker belongs: the reader decides
            do {
                if (!in.Next(marker))
                    return true;
            } while (marker == 0xFF);
        }
        haveMarker = false;
        if (marker == 0xD9)
            return false;
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01 || marker == 0xD8)
            continue;
        std::uint32_t length{};
        if (!in.Word16BE(length))
            return true;
        if (length < 2)
            return false;
        if (!in.Skip(length - 2))
            return true;
        if (marker != 0xDA)
            continue;
        // Entropy-coded data up to the next marker.
        for (;;) {
            if (!in.Next(byte))
                return true;
            if (byte != 0xFF)
                continue;
            do {
                if (!in.Next(byte))
                    return true;
            } while (byte == 0xFF);
            if (byte == 0x00 || (byte >= 0xD0 && byte <= 0xD7))
                continue;
            marker = byte;
            haveMarker = true;
            break;
        }
    }
}

bool SkipSubBlocks(ByteStream& in) {
    for (;;) {
        std::uint8_t size{};
        if (!in.Next(size))
            return false;
        if (size == 0)
            return true;
        if (!in.Skip(size))
            return false;
    }
}

// A GIF is complete when its first image's data is all there; the trailer after it, and later
// frames (the reader takes only the first), may be missing.
bool GifCutShort(ByteStream& in) {
    std::array<std::uint8_t, 13> header{};
    for (auto& byte : header)
        if (!in.Next(byte))
            return true;
    const std::uint8_t flags = header[10];
    if ((flags & 0x80) != 0 && !in.Skip(std::int64_t{3} * (2 << (flags & 7))))
        return true;
    for (;;) {
        std::uint8_t block{};
        if (!in.Next(block))
            return true;
        if (block == 0x3B)
            return false; // no image at all: the reader says so
        if (block == 0x21) {
            std::uint8_t label{};
            if (!in.Next(label) || !SkipSubBlocks(in))
                return true;
        } else if (block == 0x2C) {
            std::array<std::uint8_t, 9> descriptor{};
            for (auto& byte : descriptor)
                if (!in.Next(byte))
                    return true;
            const std::uint8_t local = descriptor[8];
            if ((local & 0x80) != 0 && !in.Skip(std::int64_t{3} * (2 << (local & 7))))
                return true;
            std::uint8_t codeSize{};
            return !in.Next(codeSize) || !SkipSubBlocks(in);
        } else {
            return false; // not a block: the reader decides
        }
    }
}

// An uncompressed BMP is complete when the file holds every row the header announces. The old
// 12-byte header has 16-bit sides and no compression; the newer ones (40 bytes and more) 32-bit
// sides and a compression field.
bool BmpCutShort(ByteStream& in, qint64 fileSize) {
    std::array<std::uint8_t, 34> header{};
    constexpr std::size_t kCoreEnd = 26; // where the 12-byte header ends
    std::size_t got = 0;
    while (got < header.size() && in.Next(header[got]))
        ++got;
    if (got < kCoreEnd)
        return true;
    // Little-endian numbers at their offsets in the file.
    const auto word16 = [&](std::size_t at) -> std::int64_t {
        return qFromLittleEndian<quint16>(&header[at]);
    };
    const auto word32 = [&](std::size_t at) { return qFromLittleEndian<quint32>(&header[at]); };
    const auto int32 = [&](std::size_t at) -> std::int64_t {
        return qFromLittleEndian<qint32>(&header[at]);
    };
    const std::uint32_t headerSize = word32(14);
    const bool core = headerSize == 12;
    if (!core && headerSize < 40)
        return false;
    if (!core && got < header.size())
        return true;
    const std::uint32_t compression = core ? 0 : word32(30);
    if (compression != 0 && compression != 3)
        return false; // run-length rows have no fixed size
    const std::int64_t width = core ? word16(18) : int32(18);
    std::int64_t height = core ? word16(20) : int32(22);
    const std::int64_t bits = word16(core ? 24 : 28);
    height = height < 0 ? -height : height;
    // Sides this large are refused by the size check; the limit keeps the sum below in range.
    constexpr std::int64_t kLargestSide = std::int64_t{1} << 24;
    if (width <= 0 || height == 0 || bits == 0 || width > kLargestSide || height > kLargestSide)
        return false;
    const std::int64_t rowBytes = (width * bits + 31) / 32 * 4;
    const std::int64_t needed = std::int64_t{word32(10)} + rowBytes * height;
    return fileSize < needed;
}

} // namespace

bool IsPictureCutShort(QIODevice& device, const QByteArray& format) {
    const bool jpeg = format == "jpeg" || format == "jpg";
    const bool gif = format == "gif";
    const bool bmp = format == "bmp";
    if (!jpeg && !gif && !bmp)
        return false;
    if (!device.seek(0))
        return false;
    ByteStream in(device);
    return jpeg ? JpegCutShort(in) : gif ? GifCutShort(in) : BmpCutShort(in, device.size());
}
