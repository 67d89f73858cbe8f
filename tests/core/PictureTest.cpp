#include "TestSupport.h"

#include "CError.h"
#include "CImagePictureSource.h"
#include "modPictureFiles.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {} // namespace

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

TEST(Pictures, LargestSideAndFilter) {
    TempDir dir;
    EXPECT_NE(GetPictureFilter().find(u"*.png"), std::u16string::npos);

    QImage wide(kMaxPictureSide, 2, QImage::Format_RGB32);
    wide.fill(qRgb(1, 2, 3));
    ASSERT_TRUE(wide.save(QString::fromStdString(dir.File("wide.png"))));
    const CImagePictureSource loaded(LoadPictureFile(dir.File16("wide.png")));
    EXPECT_EQ(loaded.ScaleWidth(), float(kMaxPictureSide));
    EXPECT_EQ(loaded.Point(kMaxPictureSide - 1, 1), 0x00030201u);

    // One more is refused from the header, before anything is decoded.
    QImage wider(kMaxPictureSide + 1, 1, QImage::Format_RGB32);
    wider.fill(qRgb(1, 2, 3));
    ASSERT_TRUE(wider.save(QString::fromStdString(dir.File("wider.png"))));
    try {
        LoadPictureFile(dir.File16("wider.png"));
        ADD_FAILURE() << "a picture wider than the limit loaded";
    } catch (const CError& error) {
        EXPECT_EQ(error.Number(), CError::kPictureTooLarge);
        EXPECT_EQ(U8(error.Description()), "Invalid picture: 16385 x 1 pixels is larger than "
                                           "16384 x 16384");
    }
}
