#include "BadPictures.h"

#include "CError.h"

#include <QBuffer>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

using namespace std::string_literals;

namespace {

std::uint32_t Crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

std::string BigEndian(std::uint32_t value) {
    return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
}

std::string Chunk(const std::string& type, const std::string& data) {
    return BigEndian(static_cast<std::uint32_t>(data.size())) + type + data +
           BigEndian(Crc32(type + data));
}

std::string FileBytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

void PutFile(const std::string& path, const std::string& bytes) {
    QFile file(QString::fromStdString(path));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// The bits of a deflate stream, least significant first as the format packs them.
class BitWriter {
public:
    void Bits(std::uint32_t value, int count) {
        mHeld |= std::uint64_t{value} << mCount;
        mCount += count;
        for (; mCount >= 8; mCount -= 8, mHeld >>= 8)
            mBytes.push_back(char(mHeld & 0xFF));
    }
    // Huffman codes go most significant bit first.
    void Code(std::uint32_t code, int count) {
        std::uint32_t reversed = 0;
        for (int i = 0; i < count; ++i)
            reversed |= ((code >> i) & 1u) << (count - 1 - i);
        Bits(reversed, count);
    }
    std::string Finish() {
        if (mCount > 0)
            mBytes.push_back(char(mHeld & 0xFF));
        mHeld = 0;
        mCount = 0;
        return std::move(mBytes);
    }

private:
    std::string mBytes;
    std::uint64_t mHeld = 0;
    int mCount = 0;
};

// The fixed Huffman codes of deflate (RFC 1951, 3.2.6).
void Literal(BitWriter& out, unsigned value) {
    if (value < 144)
        out.Code(0x30 + value, 8);
    else
        out.Code(0x190 + value - 144, 9);
}

void Match(BitWriter& out, int length, int distance) {
    static constexpr int kLengthBase[] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                          15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                          67, 83, 99, 115, 131, 163, 195, 227, 258};
    static constexpr int kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    static constexpr int kDistanceBase[] = {
        1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
        193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    int l = 28;
    while (kLengthBase[l] > length)
        --l;
    const unsigned code = 257 + unsigned(l);
    if (code < 280)
        out.Code(code - 256, 7);
    else
        out.Code(0xC0 + code - 280, 8);
    out.Bits(std::uint32_t(length - kLengthBase[l]), kLengthExtra[l]);
    int d = 29;
    while (kDistanceBase[d] > distance)
        --d;
    out.Code(std::uint32_t(d), 5);
    out.Bits(std::uint32_t(distance - kDistanceBase[d]), d < 4 ? 0 : d / 2 - 1);
}

} // namespace

QImage Noise(int width, int height, std::uint32_t seed) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            image.setPixel(x, y, 0xFF000000u | (seed >> 8));
        }
    return image;
}

std::string Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toStdString();
}

std::string PngClaiming(std::uint32_t width, std::uint32_t height) {
    // The image data is one compressed empty block.
    return "\x89PNG\r\n\x1A\n"s +
           Chunk("IHDR", BigEndian(width) + BigEndian(height) + "\x08\x02\x00\x00\x00"s) +
           Chunk("IDAT", "\x78\x9C\x03\x00\x00\x00\x00\x01"s) + Chunk("IEND", "");
}

std::string PngFilled(std::uint32_t width, std::uint32_t height, QRgb colour) {
    // Every row is its filter byte (0, none), one pixel as literals and copies of that pixel.
    const unsigned pixel[] = {unsigned(qRed(colour)), unsigned(qGreen(colour)),
                              unsigned(qBlue(colour))};
    const std::uint64_t rowBytes = std::uint64_t{width} * 3 + 1;
    BitWriter deflate;
    deflate.Bits(1, 1); // the last block
    deflate.Bits(1, 2); // fixed codes
    for (std::uint32_t y = 0; y < height; ++y) {
        Literal(deflate, 0);
        for (const unsigned channel : pixel)
            Literal(deflate, channel);
        // Copies of 3 to 258 bytes; none leaves fewer than 3 behind it.
        for (std::uint64_t left = rowBytes - 4; left > 0;) {
            std::uint64_t length = std::min<std::uint64_t>(left, 258);
            if (left - length > 0 && left - length < 3)
                length = left - 3;
            Match(deflate, int(length), 3);
            left -= length;
        }
    }
    Literal(deflate, 256); // end of block
    // Adler-32 of the rows, one whole row at a time: after n bytes b[i], a grows by their sum
    // and b by n times the old a plus the sum of (n - i) b[i].
    constexpr std::uint64_t kMod = 65521;
    std::uint64_t rowSum = 0, rowWeighted = 0;
    for (std::uint64_t i = 0; i < rowBytes; ++i) {
        const std::uint64_t value = i == 0 ? 0 : pixel[(i - 1) % 3];
        rowSum += value;
        rowWeighted = (rowWeighted + (rowBytes - i) % kMod * value) % kMod;
    }
    std::uint64_t a = 1, b = 0;
    for (std::uint32_t y = 0; y < height; ++y) {
        b = (b + rowBytes % kMod * a + rowWeighted) % kMod;
        a = (a + rowSum) % kMod;
    }
    const std::string zlib = "\x78\x01"s + deflate.Finish() + BigEndian(std::uint32_t(b << 16 | a));
    return "\x89PNG\r\n\x1A\n"s +
           Chunk("IHDR", BigEndian(width) + BigEndian(height) + "\x08\x02\x00\x00\x00"s) +
           Chunk("IDAT", zlib) + Chunk("IEND", "");
}

std::vector<BadPicture> WriteBadPictures(const std::string& dir) {
    const QImage noise = Noise(40, 30);
    const auto half = [](const std::string& bytes) { return bytes.substr(0, bytes.size() / 2); };
    std::vector<BadPicture> bad = {
        {"empty.png", "", CError::kEmptyPicture, "Неверная картинка: файл пуст"},
        {"notes.png", "Shopping list:\n- milk\n- bread\n", CError::kInvalidPicture,
         "Неверная картинка: "},
        {"cut.png", half(Encoded(noise, "PNG")), CError::kInvalidPicture, "Неверная картинка: "},
        {"cut.jpg", half(Encoded(noise, "JPEG")), CError::kPictureCutShort,
         "Неверная картинка: файл кончается раньше картинки"},
        {"cut.gif", half(FileBytes(kPictureFixtures + "a.gif")), CError::kPictureCutShort,
         "Неверная картинка: файл кончается раньше картинки"},
        {"cut.bmp", half(Encoded(noise, "BMP")), CError::kPictureCutShort,
         "Неверная картинка: файл кончается раньше картинки"},
        {"huge.png", PngClaiming(100000, 100000), CError::kPictureTooLarge,
         "Неверная картинка: 100000 x 100000 пикселей — больше, чем 16384 x 16384"},
        // libpng reads past the header before it tells the size, so this one is damaged, not large.
        {"header-only.png", PngClaiming(100000, 100000).substr(0, 33), CError::kInvalidPicture,
         "Неверная картинка: "},
        {"layers.psd", "8BPS\x00\x01\x00\x00\x00\x00\x00\x00\x00\x03"s, CError::kInvalidPicture,
         "Неверная картинка: "},
    };
    for (const BadPicture& picture : bad)
        PutFile(dir + "/" + picture.name, picture.bytes);
    std::filesystem::create_directory(dir + "/folder.png");
    bad.push_back({"folder.png", "", EISDIR, "Это каталог"});
    bad.push_back({"missing.png", "", ENOENT, "Нет такого файла или каталога"});
    // A FIFO with no writer: opening it to read would wait for one for ever.
    ::mkfifo((dir + "/fifo.png").c_str(), 0644);
    bad.push_back({"fifo.png", "", CError::kNotRegularFile, "«-» читает"});
    // A device that never ends, under a picture's name.
    std::filesystem::create_symlink("/dev/zero", dir + "/zero.png");
    bad.push_back({"zero.png", "", CError::kNotRegularFile, "Это не обычный файл"});
    return bad;
}
