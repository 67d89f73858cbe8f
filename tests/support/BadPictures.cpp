#include "BadPictures.h"

#include <QBuffer>
#include <QFile>
#include <filesystem>

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

std::vector<BadPicture> WriteBadPictures(const std::string& dir) {
    const QImage noise = Noise(40, 30);
    const auto half = [](const std::string& bytes) { return bytes.substr(0, bytes.size() / 2); };
    std::vector<BadPicture> bad = {
        {"empty.png", "", 481, "Invalid picture: the file is empty"},
        {"notes.png", "Shopping list:\n- milk\n- bread\n", 481, "Invalid picture"},
        {"cut.png", half(Encoded(noise, "PNG")), 481, "Invalid picture"},
        {"cut.jpg", half(Encoded(noise, "JPEG")), 481, "ends before the picture does"},
        {"cut.gif", half(FileBytes(kPictureFixtures + "a.gif")), 481,
         "ends before the picture does"},
        {"cut.bmp", half(Encoded(noise, "BMP")), 481, "ends before the picture does"},
        {"huge.png", PngClaiming(100000, 100000), 481, "100000 x 100000 pixels is larger"},
        {"header-only.png", PngClaiming(100000, 100000).substr(0, 33), 481, "Invalid picture"},
        {"layers.psd", "8BPS\x00\x01\x00\x00\x00\x00\x00\x00\x00\x03"s, 481, "Invalid picture"},
    };
    for (const BadPicture& picture : bad)
        PutFile(dir + "/" + picture.name, picture.bytes);
    std::filesystem::create_directory(dir + "/folder.png");
    bad.push_back({"folder.png", "", 21, "Is a directory"});
    bad.push_back({"missing.png", "", 2, "No such file or directory"});
    return bad;
}
