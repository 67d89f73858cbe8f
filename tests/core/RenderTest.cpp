#include "TestSupport.h"

#include "BadPictures.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QString kSample = QStringLiteral(TESSELET_SOURCE_DIR "/resources/sample.png");

// A screenshot of the page at one device pixel per CSS pixel, by headless Chromium.
QImage Screenshot(const QString& chromium, const TempDir& dir, const std::string& page) {
    const QString shot = QString::fromStdString(dir.File(page + ".png"));
    QProcess browser;
    browser.start(
        chromium,
        {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
         QStringLiteral("--disable-gpu"), QStringLiteral("--no-first-run"),
         QStringLiteral("--disable-background-networking"),
         QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
         QStringLiteral("--hide-scrollbars"), QStringLiteral("--force-device-scale-factor=1"),
         QStringLiteral("--window-size=320,240"),
         QStringLiteral("--user-data-dir=") + QString::fromStdString(dir.File("profile-" + page)),
         QStringLiteral("--screenshot=") + shot,
         QStringLiteral("file://") + QString::fromStdString(dir.File(page))});
    browser.waitForFinished(120000);
    return QImage(shot).convertToFormat(QImage::Format_RGB32);
}

QString FindChromium() {
    // Installed by scripts/install-deps; without it the pages cannot be checked, which must not
    // pass unnoticed.
    return QStandardPaths::findExecutable(QStringLiteral("chromium"));
}

// Converts the picture saved as `name`.png into the pages of `style`; true when it worked.
bool Convert(const TempDir& dir, const std::string& name, const char* style) {
    const CliRun run =
        RunCli({"-q", "--style", style, "--out-dir", dir.Path(), dir.File(name + ".png")});
    EXPECT_EQ(run.status, 0) << run.err;
    return run.status == 0;
}

} // namespace

// The pages are meant to show the picture itself: each pixel at (x + 8, y + 8) in its own colour,
// on the page's white background.
TEST(Rendering, TableAndDivPagesShowThePictureExactly) {
    const QString chromium = FindChromium();
    ASSERT_FALSE(chromium.isEmpty()) << "chromium is not installed (scripts/install-deps)";
    TempDir dir;
    const struct {
        std::string name;
        QImage picture;
    } pictures[] = {{"sample", QImage(kSample)},
                    {"noise", Noise(40, 30, 1)},
                    {"dot", Noise(1, 1, 2)},
                    {"row", Noise(7, 1, 3)},
                    {"column", Noise(1, 5, 4)}};
    for (const auto& [name, source] : pictures) {
        const QImage picture = source.convertToFormat(QImage::Format_RGB32);
        ASSERT_TRUE(picture.save(QString::fromStdString(dir.File(name + ".png"))));
        for (const char* style : {"table", "div"}) {
            ASSERT_TRUE(Convert(dir, name, style));
            const std::string page = name + "." + style + ".htm";
            const QImage shot = Screenshot(chromium, dir, page);
            ASSERT_FALSE(shot.isNull()) << page;
            int wrong = 0;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    wrong += shot.pixel(x + 8, y + 8) != picture.pixel(x, y);
            EXPECT_EQ(wrong, 0) << page;
            // White all round: nothing drawn outside the picture.
            const QRgb white = qRgb(255, 255, 255);
            EXPECT_EQ(shot.pixel(7, 7), white) << page;
            EXPECT_EQ(shot.pixel(8 + picture.width(), 8), white) << page;
            EXPECT_EQ(shot.pixel(8, 8 + picture.height()), white) << page;
            EXPECT_EQ(shot.pixel(8 + picture.width(), 8 + picture.height()), white) << page;
        }
    }
}

// The SPAN page is text on black: its letters take the picture's colours, line by line. Upper
// half red, lower half blue, so all red text must stand above all blue text, and nothing green.
TEST(Rendering, SpanPageIsColouredTextOnBlack) {
    const QString chromium = FindChromium();
    ASSERT_FALSE(chromium.isEmpty()) << "chromium is not installed (scripts/install-deps)";
    TempDir dir;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(qRgb(255, 0, 0));
    for (int y = 15; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 255));
    ASSERT_TRUE(picture.save(QString::fromStdString(dir.File("halves.png"))));
    ASSERT_TRUE(Convert(dir, "halves", "span"));
    const QImage shot = Screenshot(chromium, dir, "halves.span.htm");
    ASSERT_FALSE(shot.isNull());

    EXPECT_EQ(shot.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(shot.pixel(shot.width() - 1, shot.height() - 1), qRgb(0, 0, 0));
    int red = 0, blue = 0, green = 0, lowestRed = -1, highestBlue = shot.height();
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb pixel = shot.pixel(x, y);
            const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
            if (r > 60 && r > 2 * (g + b)) {
                ++red;
                lowestRed = std::max(lowestRed, y);
            } else if (b > 60 && b > 2 * (r + g)) {
                ++blue;
                highestBlue = std::min(highestBlue, y);
            }
            green += g > 60;
        }
    EXPECT_GT(red, 100);
    EXPECT_GT(blue, 100);
    EXPECT_EQ(green, 0);
    EXPECT_LT(lowestRed, highestBlue);
}
