#include "support/TestSupport.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

const QString kSample = QStringLiteral(TESSELET_SOURCE_DIR "/resources/sample.png");

// A screenshot of the page at one device pixel per CSS pixel, by headless Chromium.
QImage Screenshot(const QString& chromium, const TempDir& dir, const std::string& page) {
    const QString shot = QString::fromStdString(dir.File(page + ".png"));
    QProcess browser;
    browser.start(chromium,
                  {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                   QStringLiteral("--disable-gpu"), QStringLiteral("--no-first-run"),
                   QStringLiteral("--disable-background-networking"),
                   QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
                   QStringLiteral("--hide-scrollbars"),
                   QStringLiteral("--force-device-scale-factor=1"),
                   QStringLiteral("--window-size=200,150"),
                   QStringLiteral("--user-data-dir=") + QString::fromStdString(dir.File("profile")),
                   QStringLiteral("--screenshot=") + shot,
                   QStringLiteral("file://") + QString::fromStdString(dir.File(page))});
    browser.waitForFinished(120000);
    return QImage(shot).convertToFormat(QImage::Format_RGB32);
}

} // namespace

// The pages are meant to show the picture itself: each pixel at (x + 8, y + 8) in its own colour,
// on the page's white background.
TEST(Rendering, TableAndDivPagesShowThePictureExactly) {
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty())
        GTEST_SKIP() << "chromium is not installed (scripts/install-deps installs it)";
    TempDir dir;
    QProcess cli;
    cli.start(QStringLiteral(TESSELET_BIN_DIR "/tesselet-cli"),
              {QStringLiteral("-q"), QStringLiteral("--out-dir"),
               QString::fromStdString(dir.Path()), kSample});
    ASSERT_TRUE(cli.waitForFinished(60000));
    ASSERT_EQ(cli.exitCode(), 0);

    const QImage picture = QImage(kSample).convertToFormat(QImage::Format_RGB32);
    for (const std::string page : {"sample.table.htm", "sample.div.htm"}) {
        const QImage shot = Screenshot(chromium, dir, page);
        ASSERT_FALSE(shot.isNull()) << page;
        int wrong = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                wrong += shot.pixel(x + 8, y + 8) != picture.pixel(x, y);
        EXPECT_EQ(wrong, 0) << page;
        EXPECT_EQ(shot.pixel(7, 7), qRgb(255, 255, 255)) << page;
        EXPECT_EQ(shot.pixel(8 + picture.width(), 8 + picture.height()), qRgb(255, 255, 255))
            << page;
    }
}
