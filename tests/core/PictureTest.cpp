#include "TestSupport.h"

#include "CError.h"
#include "modPictureFiles.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(Pictures, ColoursAndCompositingOverWhite) {
    TempDir dir;
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0x12, 0x34, 0x56, 255));
    image.setPixel(1, 0, qRgba(200, 100, 0, 128));
    image.setPixel(2, 0, qRgba(0, 0, 0, 0));
    ASSERT_TRUE(image.save(QString::fromStdString(dir.File("a.png"))));

    // What the walk reads: RGB32 scan lines, every pixel opaque.
    const QImage source = LoadPictureFile(dir.File16("a.png"));
    EXPECT_EQ(source.format(), QImage::Format_RGB32);
    EXPECT_EQ(source.size(), QSize(3, 1));
    EXPECT_EQ(source.pixel(0, 0), 0xFF123456u);
    // (c*a + 255*(255-a) + 127) / 255 with a = 128
    const auto over = [](unsigned c) { return (c * 128 + 255 * 127 + 127) / 255; };
    EXPECT_EQ(source.pixel(1, 0), 0xFF000000u | over(200) << 16 | over(100) << 8 | over(0));
    EXPECT_EQ(source.pixel(2, 0), 0xFFFFFFFFu);

    const QImage sample = LoadPictureFile(U16(TESSELET_SOURCE_DIR "/resources/sample.png"));
    EXPECT_EQ(sample.format(), QImage::Format_RGB32);
    EXPECT_EQ(sample.size(), QSize(96, 64));
    EXPECT_EQ(sample.pixel(10, 10), 0xFF000000u); // the black square
    EXPECT_EQ(sample.pixel(80, 50), 0xFFFFFFFFu);
}

TEST(Pictures, LargestSideAndFilter) {
    TempDir dir;
    EXPECT_NE(GetPictureFilter().find(u"*.png"), std::u16string::npos);

    QImage wide(kMaxPictureSide, 2, QImage::Format_RGB32);
    wide.fill(qRgb(1, 2, 3));
    ASSERT_TRUE(wide.save(QString::fromStdString(dir.File("wide.png"))));
    const QImage loaded = LoadPictureFile(dir.File16("wide.png"));
    EXPECT_EQ(loaded.size(), QSize(kMaxPictureSide, 2));
    EXPECT_EQ(loaded.pixel(kMaxPictureSide - 1, 1), 0xFF010203u);

    // One more is refused from the header, before anything is decoded.
    QImage wider(kMaxPictureSide + 1, 1, QImage::Format_RGB32);
    wider.fill(qRgb(1, 2, 3));
    ASSERT_TRUE(wider.save(QString::fromStdString(dir.File("wider.png"))));
    try {
        LoadPictureFile(dir.File16("wider.png"));
        ADD_FAILURE() << "a picture wider than the limit loaded";
    } catch (const CError& error) {
        EXPECT_EQ(error.Number(), CError::kPictureTooLarge);
        EXPECT_EQ(U8(error.Description()), "Неверная картинка: 16385 x 1 пикселей — больше, чем "
                                           "16384 x 16384");
    }
}
