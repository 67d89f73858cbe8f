#include "TestSupport.h"
#include "modDeltaE.h"

#include <QColor>
#include <QDir>
#include <QProcess>
#include <QVector3D>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace {

const std::string kData = TESSELET_SOURCE_DIR "/tests/data/";
constexpr int kMargin = 8; // the body's default margin, where a page puts the picture's first pixel
constexpr int kWidth = 1100; // of the window, and of every frame in it
const QRgb kWhite = qRgb(255, 255, 255);

struct Page {
    std::string file;
    bool span = false;
    QImage expected;      ///< the picture as the page should show it
    double tolerance = 0; ///< CIE76 ΔE each pixel may be off by
    QRect frame;          ///< where the page stands in the screenshot
};

// The picture over the --background colour; fully transparent pixels show the page's own white.
QImage Expected(const std::string& path, const std::string& background) {
    QImage shown = QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_ARGB32);
    const QRgb colour = QColor(QString::fromStdString(background)).rgb();
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb p = shown.pixel(x, y), u = qAlpha(p) == 0 ? kWhite : colour;
            const unsigned a = qAlpha(p);
            const auto mix = [&](int s) {
                return ((p >> s & 255) * a + (u >> s & 255) * (255 - a) + 127) / 255 << s;
            };
            shown.setPixel(x, y, 0xFF000000u | mix(16) | mix(8) | mix(0));
        }
    return shown;
}

// The manifest's pages that show their picture at its own size, stacked in frames of frames.htm;
// of the SPAN pages only the one without emoji (wider than a letter), its hues far from each other.
std::vector<Page> ReadPages(const TempDir& dir) {
    std::istringstream manifest(ReadBytes(kData + "pages.txt"));
    std::vector<Page> pages;
    std::string frames =
        "<!DOCTYPE html>\n<style>body{margin:0}iframe{display:block;border:0;width:100%}</style>\n";
    for (std::string line; std::getline(manifest, line);) {
        const auto option = [&line](const std::string& name, const char* otherwise) {
            std::smatch m;
            return std::regex_search(line, m, std::regex(name + " (\\S+)")) ? m[1].str()
                                                                            : otherwise;
        };
        Page page{line.substr(0, line.find(' ')), option("--style", "") == "span", {}, 0, {}};
        if (std::regex_search(line, std::regex("^#|^$|--width|--height|--max-bytes")) ||
            (page.span && page.file != "alpha.span.htm"))
            continue;
        const bool fragment = line.find("--fragment") != std::string::npos; // as pasted in a page
        WriteBytes(dir.File(page.file),
                   (fragment ? "<!DOCTYPE html>\n<meta charset=\"utf-8\">\n" : "") +
                       ReadBytes(kData + "pages/" + page.file));
        page.expected =
            Expected(kData + line.substr(line.rfind(' ') + 1), option("--background", "white"));
        page.tolerance = std::stod(option("--tolerance", "0"));
        const int height = page.expected.height() * (page.span ? 12 : 1) + 3 * kMargin;
        page.frame = QRect(0, pages.empty() ? 0 : pages.back().frame.bottom() + 1, kWidth, height);
        frames +=
            "<iframe src=\"" + page.file + "\" height=" + std::to_string(height) + "></iframe>\n";
        pages.push_back(page);
    }
    WriteBytes(dir.File("frames.htm"), frames);
    return pages;
}

// A screenshot of frames.htm by headless Chromium or Firefox (each ignores the other's switches),
// in a profile of its own. Firefox now and then gives none (a profile still locked), so it retries.
QImage Screenshot(const std::string& browser, const TempDir& dir, int height) {
    const QString profile = QString::fromStdString(dir.File(browser)), shot = profile + "/shot.png";
    QStringList arguments = QString("--headless --no-sandbox --disable-gpu --no-first-run "
                                    "--hide-scrollbars --force-device-scale-factor=1 --no-remote")
                                .split(u' ');
    arguments << QString("--window-size=%1,%2").arg(kWidth).arg(height)
              << "--user-data-dir=" + profile << "--profile=" + profile << "--screenshot=" + shot
              << QString::fromStdString("file://" + dir.File("frames.htm"));
    QDir().mkpath(profile);
    for (int attempt = 0; attempt < 3; ++attempt) {
        for (const char* stale : {"shot.png", "lock", ".parentlock"})
            QDir(profile).remove(stale);
        QProcess process; // whose end kills a browser still running
        process.start(QString::fromStdString(browser), arguments);
        process.waitForFinished(60000);
        if (const QImage image(shot); !image.isNull())
            return image.convertToFormat(QImage::Format_RGB32);
    }
    return {};
}

// The picture must stand at (kMargin, kMargin) in the page's frame, with white around it.
void CheckPicture(const QImage& shot, const Page& page) {
    for (int y = -1; y <= page.expected.height(); ++y)
        for (int x = -1; x <= page.expected.width(); ++x) {
            const QRgb got = shot.pixel(page.frame.topLeft() + QPoint(x + kMargin, y + kMargin));
            const QRgb want =
                page.expected.rect().contains(x, y) ? page.expected.pixel(x, y) : kWhite;
            if (got != want &&
                ksDeltaE(ksLabFromRGB(got), ksLabFromRGB(want)) > page.tolerance + 1e-3)
                FAIL() << "(" << x << ", " << y << ") shows " << QColor(got).name().toStdString()
                       << ", not " << QColor(want).name().toStdString();
        }
}

// The SPAN page writes every second row as letters in the pixels' colours on black. Antialiasing
// only darkens a letter, so its pixels are sorted by hue; each colour of the written rows must
// show, above and left of the colours the rows put below and right of it, and no other colour.
void CheckSpan(const QImage& shot, const Page& page) {
    EXPECT_EQ(shot.pixel(page.frame.bottomRight()), qRgb(0, 0, 0));
    const auto vec = [](QRgb c) { return QVector3D(qRed(c), qGreen(c), qBlue(c)); };
    std::vector<QRgb> palette;
    std::vector<QRect> written, shown;
    const auto hue = [&](QRgb c) { // the palette colour of c's hue, -1 for none or too dark
        for (std::size_t i = 0; i < palette.size() && vec(c).length() > 60; ++i)
            if (QVector3D::dotProduct(vec(c).normalized(), vec(palette[i]).normalized()) > 0.998f)
                return int(i);
        return -1;
    };
    for (int y = 0; y < page.expected.height(); ++y)
        for (int x = 0; x < page.expected.width(); ++x) {
            const QRgb c = page.expected.pixel(x, y);
            if (vec(c).length() > 60 && hue(c) < 0)
                palette.push_back(c), written.emplace_back(), shown.emplace_back();
            if (const int i = hue(c); i >= 0 && y % 2 == 0)
                written[i] |= QRect(x, y, 1, 1);
        }
    for (int y = page.frame.top(); y <= page.frame.bottom(); ++y)
        for (int x = page.frame.left(); x <= page.frame.right(); ++x)
            if (const int i = hue(shot.pixel(x, y)); i >= 0)
                shown[i] |= QRect(x, y, 1, 1);
    for (std::size_t i = 0; i < palette.size(); ++i)
        for (std::size_t j = 0; j < palette.size(); ++j)
            EXPECT_TRUE(
                (i != j || shown[i].isEmpty() == written[i].isEmpty()) &&
                (written[i].bottom() >= written[j].top() || shown[i].bottom() < shown[j].top()) &&
                (written[i].right() >= written[j].left() || shown[i].right() < shown[j].left()))
                << QColor(palette[i]).name().toStdString() << ", "
                << QColor(palette[j]).name().toStdString();
}

} // namespace

// Every style the converter writes, from the committed pages, in one screenshot per browser. The
// letters of the SPAN page are read in Chromium only: Firefox blurs them into other hues.
TEST(Rendering, CommittedPagesShowTheirPictures) {
    TempDir dir;
    const std::vector<Page> pages = ReadPages(dir);
    ASSERT_FALSE(pages.empty());
    for (const std::string browser : {"chromium", "firefox-esr"}) {
        SCOPED_TRACE(browser);
        const QImage shot = Screenshot(browser, dir, pages.back().frame.bottom() + 1);
        ASSERT_FALSE(shot.isNull()) << "no screenshot; is it installed (scripts/install-deps)?";
        for (const Page& page : pages) {
            SCOPED_TRACE(page.file);
            if (!page.span)
                CheckPicture(shot, page);
            else if (browser == "chromium")
                CheckSpan(shot, page);
        }
    }
}
