#include "TestSupport.h"

#include "BadPictures.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSize>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <sstream>

namespace {

const QString kSample = QStringLiteral(TESSELET_SOURCE_DIR "/resources/sample.png");
/// Where the page puts the picture's first pixel: the body's default margin.
constexpr int kMargin = 8;

// A screenshot of the page at one device pixel per CSS pixel, by headless Chromium.
QImage ChromiumScreenshot(const QString& chromium, const TempDir& dir, const std::string& page,
                          QSize window) {
    const QString shot = QString::fromStdString(dir.File(page + ".chromium.png"));
    QProcess browser;
    browser.start(
        chromium,
        {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
         QStringLiteral("--disable-gpu"), QStringLiteral("--no-first-run"),
         QStringLiteral("--disable-background-networking"),
         QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
         QStringLiteral("--hide-scrollbars"), QStringLiteral("--force-device-scale-factor=1"),
         QStringLiteral("--window-size=%1,%2").arg(window.width()).arg(window.height()),
         QStringLiteral("--user-data-dir=") + QString::fromStdString(dir.File("profile-" + page)),
         QStringLiteral("--screenshot=") + shot,
         QStringLiteral("file://") + QString::fromStdString(dir.File(page))});
    browser.waitForFinished(120000);
    return QImage(shot).convertToFormat(QImage::Format_RGB32);
}

// A screenshot of the page's window by headless Firefox, in a profile of the test's own, at one
// device pixel per CSS pixel. Firefox starts slowly and now and then not at all (a profile still
// locked by the run before, a display it waited for in vain), so a start that gives no picture
// is tried again.
QImage FirefoxScreenshot(const QString& firefox, const TempDir& dir, const std::string& page,
                         QSize window) {
    const QString shot = QString::fromStdString(dir.File(page + ".firefox.png"));
    const QString profile = QString::fromStdString(dir.File("firefox-profile"));
    if (!QDir(profile).exists()) {
        QDir().mkpath(profile);
        // No first-run pages, updates or reports, and the device pixel fixed at one CSS pixel.
        WriteBytes(profile.toStdString() + "/user.js",
                   "user_pref(\"layout.css.devPixelsPerPx\", \"1.0\");\n"
                   "user_pref(\"browser.shell.checkDefaultBrowser\", false);\n"
                   "user_pref(\"browser.startup.homepage_override.mstone\", \"ignore\");\n"
                   "user_pref(\"datareporting.policy.dataSubmissionEnabled\", false);\n"
                   "user_pref(\"toolkit.telemetry.reportingpolicy.firstRun\", false);\n"
                   "user_pref(\"app.update.auto\", false);\n"
                   "user_pref(\"gfx.color_management.mode\", 0);\n");
    }
    for (int attempt = 0; attempt < 3; ++attempt) {
        QFile::remove(shot);
        for (const char* lock : {"/lock", "/.parentlock"})
            QFile::remove(profile + QLatin1String(lock));
        QProcess browser;
        browser.setProcessChannelMode(QProcess::MergedChannels);
        browser.start(
            firefox,
            {QStringLiteral("--headless"), QStringLiteral("-no-remote"), QStringLiteral("-profile"),
             profile, QStringLiteral("--screenshot"), shot,
             QStringLiteral("--window-size=%1,%2").arg(window.width()).arg(window.height()),
             QStringLiteral("file://") + QString::fromStdString(dir.File(page))});
        if (!browser.waitForFinished(120000)) {
            browser.kill();
            browser.waitForFinished();
        }
        const QImage image(shot);
        if (!image.isNull())
            return image.convertToFormat(QImage::Format_RGB32);
    }
    return {};
}

using ScreenshotFunction = QImage (*)(const QString&, const TempDir&, const std::string&, QSize);

struct Browser {
    const char* name;
    QString program;
    ScreenshotFunction screenshot;
};

// Both are installed by scripts/install-deps; without one the pages cannot be checked in it,
// which must not pass unnoticed.
Browser Chromium() {
    return {"chromium", QStandardPaths::findExecutable(QStringLiteral("chromium")),
            &ChromiumScreenshot};
}
Browser Firefox() {
    return {"firefox-esr", QStandardPaths::findExecutable(QStringLiteral("firefox-esr")),
            &FirefoxScreenshot};
}

/// The browser window for a picture: the picture, the margin all round, and room to spare; no
/// smaller than 320 x 240, below which headless Chromium leaves its screenshot blank.
QSize WindowFor(const QImage& picture) {
    return {std::max(picture.width() + 3 * kMargin, 320),
            std::max(picture.height() + 3 * kMargin, 240)};
}

// Converts the picture saved as `name`.png into the pages of `style`; true when it worked.
bool Convert(const TempDir& dir, const std::string& name, const char* style) {
    const CliRun run =
        RunCli({"-q", "--style", style, "--out-dir", dir.Path(), dir.File(name + ".png")});
    EXPECT_EQ(run.status, 0) << run.err;
    return run.status == 0;
}

/// The picture as the page should show it: each pixel composited over the page's background,
/// rounded to the nearest.
QImage OverBackground(const QImage& picture, QRgb background) {
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    QImage shown(source.size(), QImage::Format_RGB32);
    const auto mix = [](int top, int bottom, int alpha) {
        return (top * alpha + bottom * (255 - alpha) + 127) / 255;
    };
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const QRgb p = source.pixel(x, y);
            const int a = qAlpha(p);
            shown.setPixel(x, y,
                           qRgb(mix(qRed(p), qRed(background), a),
                                mix(qGreen(p), qGreen(background), a),
                                mix(qBlue(p), qBlue(background), a)));
        }
    return shown;
}

/// CIE L*a*b* of an sRGB colour (D65).
void ToLab(QRgb colour, double lab[3]) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double r = linear(qRed(colour)), g = linear(qGreen(colour)), b = linear(qBlue(colour));
    const double xyz[3] = {(0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047,
                           0.2126 * r + 0.7152 * g + 0.0722 * b,
                           (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883};
    double f[3];
    for (int i = 0; i < 3; ++i)
        f[i] = xyz[i] > 216.0 / 24389 ? std::cbrt(xyz[i]) : (24389.0 / 27 * xyz[i] + 16) / 116;
    lab[0] = 116 * f[1] - 16;
    lab[1] = 500 * (f[0] - f[1]);
    lab[2] = 200 * (f[1] - f[2]);
}

/// CIE76 ΔE: the distance of two colours in L*a*b*.
double DeltaE(QRgb first, QRgb second) {
    double a[3], b[3];
    ToLab(first, a);
    ToLab(second, b);
    return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

/// Compares the screenshot with what the page should show: `expected` with its first pixel at
/// (kMargin, kMargin), every pixel within ΔE `tolerance` of its own (0: exactly equal), and the
/// page's `background` right outside its four sides. Empty when all is well, otherwise what was
/// wrong.
std::string CompareShot(const QImage& shot, const QImage& expected, QRgb background,
                        double tolerance) {
    std::ostringstream wrong;
    if (shot.width() < expected.width() + 2 * kMargin ||
        shot.height() < expected.height() + 2 * kMargin)
        return "the screenshot is too small";
    int count = 0;
    double worst = 0;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb got = shot.pixel(x + kMargin, y + kMargin) & 0xFFFFFF;
            const QRgb want = expected.pixel(x, y) & 0xFFFFFF;
            if (got == want)
                continue;
            const double distance = DeltaE(got, want);
            worst = std::max(worst, distance);
            // The writer measures in single precision: a hair of slack at the limit.
            if (tolerance > 0 && distance <= tolerance + 1e-3)
                continue;
            if (count++ == 0)
                wrong << "first wrong pixel (" << x << ", " << y << "): " << std::hex << got
                      << " instead of " << want << std::dec << "; ";
        }
    if (count > 0)
        wrong << count << " wrong pixels, worst ΔE " << worst << "; ";
    const int right = kMargin + expected.width(), bottom = kMargin + expected.height();
    const QPoint outside[] = {{kMargin - 1, kMargin - 1}, {right, kMargin},
                              {kMargin, bottom},          {right, bottom},
                              {right - 1, bottom},        {right, bottom - 1}};
    for (const QPoint& point : outside)
        if ((shot.pixel(point) & 0xFFFFFF) != (background & 0xFFFFFF))
            wrong << "outside the picture at (" << point.x() << ", " << point.y()
                  << "): " << std::hex << (shot.pixel(point) & 0xFFFFFF) << std::dec << "; ";
    return wrong.str();
}

} // namespace

// The pages are meant to show the picture itself: each pixel at (x + 8, y + 8) in its own colour,
// on the page's white background.
TEST(Rendering, TableAndDivPagesShowThePictureExactly) {
    const Browser chromium = Chromium();
    ASSERT_FALSE(chromium.program.isEmpty()) << "chromium is not installed (scripts/install-deps)";
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
            const QImage shot =
                chromium.screenshot(chromium.program, dir, page, WindowFor(picture));
            ASSERT_FALSE(shot.isNull()) << page;
            EXPECT_EQ(CompareShot(shot, picture, qRgb(255, 255, 255), 0), "") << page;
        }
    }
}

// The SPAN page is text on black: its letters take the picture's colours, line by line. Upper
// half red, lower half blue, so all red text must stand above all blue text, and nothing green.
TEST(Rendering, SpanPageIsColouredTextOnBlack) {
    const Browser chromium = Chromium();
    ASSERT_FALSE(chromium.program.isEmpty()) << "chromium is not installed (scripts/install-deps)";
    TempDir dir;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(qRgb(255, 0, 0));
    for (int y = 15; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 255));
    ASSERT_TRUE(picture.save(QString::fromStdString(dir.File("halves.png"))));
    ASSERT_TRUE(Convert(dir, "halves", "span"));
    const QImage shot = chromium.screenshot(chromium.program, dir, "halves.span.htm", {320, 240});
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

namespace {

// Pictures whose pages are easy to get wrong once runs of one colour become one cell.

/// Columns of one colour each under a first row of noise: every cell of the stripes starts in
/// row 1, so no cell starts in the rows below it; a row of noise halfway starts new ones.
QImage Stripes() {
    QImage picture = Noise(12, 40, 5).convertToFormat(QImage::Format_RGB32);
    for (int y = 1; y < 40; ++y)
        for (int x = 0; x < 12; ++x)
            if (y != 20)
                picture.setPixel(x, y, qRgb(x * 20, 255 - x * 20, y < 20 ? 40 : 200));
    return picture;
}

/// A band of one colour 1500 pixels wide and three rows high between rows of noise: wider than
/// the 1000 columns a browser lets one cell span.
QImage WideBand() {
    QImage picture = Noise(1500, 5, 6).convertToFormat(QImage::Format_RGB32);
    for (int y = 1; y < 4; ++y)
        for (int x = 0; x < 1500; ++x)
            picture.setPixel(x, y, qRgb(30, 120, 210));
    // A dot breaks the lowest row of the band, so that its runs differ from those above.
    picture.setPixel(1100, 3, qRgb(250, 10, 10));
    return picture;
}

/// A picture 1300 rows high: two flat columns over most of the height beside noise.
QImage Tall() {
    QImage picture = Noise(5, 1300, 7).convertToFormat(QImage::Format_RGB32);
    for (int y = 10; y < 1290; ++y) {
        picture.setPixel(1, y, qRgb(0, 160, 0));
        picture.setPixel(2, y, qRgb(0, 160, 0));
        picture.setPixel(4, y, qRgb(255, 255, 255));
    }
    return picture;
}

/// Opaque colours, a fully transparent hole and steps of partial transparency.
QImage Translucent() {
    QImage picture(30, 20, QImage::Format_ARGB32);
    picture.fill(qRgba(200, 30, 30, 255));
    for (int y = 4; y < 12; ++y)
        for (int x = 3; x < 14; ++x)
            picture.setPixel(x, y, qRgba(0, 0, 0, 0));
    for (int y = 0; y < 20; ++y)
        for (int x = 16; x < 30; ++x)
            picture.setPixel(x, y, qRgba(20 + 8 * x, 250 - 10 * y, 90, (x - 16) * 18 + y));
    // Noise, half of it transparent, along the bottom.
    const QImage noise = Noise(30, 3, 8);
    for (int x = 0; x < 30; ++x)
        for (int y = 17; y < 20; ++y)
            picture.setPixel(x, y,
                             (noise.pixel(x, y - 17) & 0xFFFFFF) | ((x + y) % 2 ? 0xFF000000 : 0));
    return picture;
}

/// Smooth gradients with a little noise, as in a photo.
QImage PhotoLike() {
    QImage picture(64, 48, QImage::Format_RGB32);
    const QImage noise = Noise(64, 48, 9);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const QRgb n = noise.pixel(x, y);
            picture.setPixel(x, y,
                             qRgb(std::min(255, x * 3 + int(qRed(n) % 5)),
                                  std::min(255, 60 + y * 3 + int(qGreen(n) % 5)),
                                  std::min(255, 200 - x - y + int(qBlue(n) % 5))));
        }
    return picture;
}

} // namespace

// A compact page joins a rectangle of one colour into one cell, yet must show every pixel in its
// own colour, in both browsers, however the rectangles fall: rows in which no cell starts, runs
// longer than a cell may span, a tall picture, transparency over the page's background, the
// e-mail variant, and colours joined within a tolerance.
TEST(Rendering, CompactPagesShowThePictureInChromiumAndFirefox) {
    const Browser browsers[] = {Chromium(), Firefox()};
    for (const Browser& browser : browsers)
        ASSERT_FALSE(browser.program.isEmpty())
            << browser.name << " is not installed (scripts/install-deps)";
    TempDir dir;
    const QRgb white = qRgb(255, 255, 255);
    // Start-up files whose page is gold, for the pictures with transparency.
    const QRgb gold = qRgb(255, 215, 0);
    const std::string goldPage = dir.File("gold");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(goldPage)));
    const std::string resources = TESSELET_SOURCE_DIR "/resources/";
    std::string head = ReadBytes(resources + "template.1.html");
    const std::size_t body = head.find("<body%BODY_TAG_TAIL%>");
    ASSERT_NE(body, std::string::npos);
    head.replace(body, 5, "<body style=\"background:#ffd700\"");
    WriteBytes(goldPage + "/template.1.html", head);
    for (const char* name : {"template.2.html", "source.text"})
        WriteBytes(goldPage + "/" + name, ReadBytes(resources + name));
    const std::vector<std::string> compact = {"--style", "compact"};
    const std::vector<std::string> mail = {"--style", "compact", "--mail"};
    const std::vector<std::string> overGold = {"--templates", goldPage, "--background", "#ffd700"};
    const auto with = [](std::vector<std::string> first, const std::vector<std::string>& more) {
        first.insert(first.end(), more.begin(), more.end());
        return first;
    };
    const struct {
        std::string name;
        QImage picture;
        std::vector<std::string> options;
        QRgb background;  ///< the page's background, which transparent pixels show
        double tolerance; ///< CIE76 ΔE each pixel may be off by
    } cases[] = {
        {"sample", QImage(kSample), compact, white, 0},
        {"stripes", Stripes(), compact, white, 0},
        {"wide", WideBand(), compact, white, 0},
        {"tall", Tall(), compact, white, 0},
        {"translucent", Translucent(), with(compact, overGold), gold, 0},
        {"photo-within-6", PhotoLike(), with(compact, {"--tolerance", "6"}), white, 6},
        {"sample-mail", QImage(kSample), mail, white, 0},
        {"stripes-mail", Stripes(), mail, white, 0},
        {"wide-mail", WideBand(), mail, white, 0},
        {"tall-mail", Tall(), mail, white, 0},
        {"translucent-mail", Translucent(), with(mail, overGold), gold, 0},
        {"sample-mail-within-12", QImage(kSample), with(mail, {"--tolerance", "12"}), white, 12},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const std::string source = dir.File(test.name + ".png");
        ASSERT_TRUE(test.picture.save(QString::fromStdString(source)));
        const std::string page = test.name + ".htm";
        std::vector<std::string> arguments = {"-q", "-o", dir.File(page)};
        arguments.insert(arguments.end(), test.options.begin(), test.options.end());
        arguments.push_back(source);
        const CliRun run = RunCli(arguments);
        ASSERT_EQ(run.status, 0) << run.err;
        const QImage expected = OverBackground(test.picture, test.background);
        for (const Browser& browser : browsers) {
            const QImage shot =
                browser.screenshot(browser.program, dir, page, WindowFor(test.picture));
            ASSERT_FALSE(shot.isNull()) << browser.name << " made no screenshot of " << page;
            EXPECT_EQ(CompareShot(shot, expected, test.background, test.tolerance), "")
                << browser.name << ", " << page;
        }
    }
}
