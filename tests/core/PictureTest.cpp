#include "support/TestSupport.h"

#include "support/CError.h"
#include "support/CImagePictureSource.h"
#include "support/modPictureFiles.h"

#include <QImage>
#include <gtest/gtest.h>

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

// Just the signature and a header announcing the given size: enough for a reader to know the
// size, nothing to decode.
std::string PngHeaderOnly(std::uint32_t width, std::uint32_t height) {
    const std::string body =
        "IHDR" + BigEndian(width) + BigEndian(height) + "\x08\x02\x00\x00\x00"s;
    return "\x89PNG\r\n\x1A\n"s + BigEndian(13) + body + BigEndian(Crc32(body));
}

} // namespace

TEST(Pictures, ColoursAndCompositingOverWhite) {
    TempDir dir;
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0x12, 0x34, 0x56, 255));
    image.setPixel(1, 0, qRgba(200, 100, 0, 128));
    image.setPixel(2, 0, qRgba(0, 0, 0, 0));
    ASSERT_TRUE(image.save(QString::fromStdString(dir.File("a.png"))));

    const CImagePictureSource source(LoadPictureFile(dir.File16("a.png")));
    EXPECT_EQ(source.ScaleMode(), 3);
    EXPECT_EQ(source.ScaleWidth(), 3.0f);
    EXPECT_EQ(source.ScaleHeight(), 1.0f);
    EXPECT_EQ(source.Point(0, 0), 0x00563412u); // red lowest
    // (c*a + 255*(255-a) + 127) / 255 with a = 128
    const auto over = [](unsigned c) { return (c * 128 + 255 * 127 + 127) / 255; };
    EXPECT_EQ(source.Point(1, 0), over(200) | over(100) << 8 | over(0) << 16);
    EXPECT_EQ(source.Point(2, 0), 0x00FFFFFFu);

    const CImagePictureSource sample(
        LoadPictureFile(U16(TESSELET_SOURCE_DIR "/resources/sample.png")));
    EXPECT_EQ(sample.ScaleWidth(), 96.0f);
    EXPECT_EQ(sample.ScaleHeight(), 64.0f);
    EXPECT_EQ(sample.Point(10, 10), 0u); // the black square
    EXPECT_EQ(sample.Point(80, 50), 0x00FFFFFFu);
}

TEST(Pictures, LoadFailures) {
    TempDir dir;
    WriteBytes(dir.File("not.png"), "this is no picture");
    WriteBytes(dir.File("cut.png"), PngHeaderOnly(20, 20));
    WriteBytes(dir.File("huge.png"), PngHeaderOnly(16385, 1));
    for (const char* name : {"not.png", "cut.png", "huge.png", "missing.png"}) {
        try {
            LoadPictureFile(dir.File16(name));
            ADD_FAILURE() << name << " loaded";
        } catch (const CError& error) {
            EXPECT_EQ(error.Number(), 481) << name;
            EXPECT_FALSE(error.Description().empty());
        }
    }
    EXPECT_NE(GetPictureFilter().find(u"*.png"), std::u16string::npos);

    // The largest side still loads.
    QImage wide(kMaxPictureSide, 2, QImage::Format_RGB32);
    wide.fill(qRgb(1, 2, 3));
    ASSERT_TRUE(wide.save(QString::fromStdString(dir.File("wide.png"))));
    const CImagePictureSource loaded(LoadPictureFile(dir.File16("wide.png")));
    EXPECT_EQ(loaded.ScaleWidth(), float(kMaxPictureSide));
    EXPECT_EQ(loaded.Point(kMaxPictureSide - 1, 1), 0x00030201u);
}
