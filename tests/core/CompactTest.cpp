// The compact page styles: a cell per rectangle of one colour, transparency, the mail profile,
// the tolerance, fitting a page into a budget, and the converter's refusals of their options.

#include "TestSupport.h"

#include "CCompactPicture.h"
#include "CTablePicture.h"
#include "modCallPictureGenerator.h"
#include "modDeltaE.h"
#include "modPageBudget.h"

#include <QImage>
#include <QRgb>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <regex>

namespace {

const std::string kBom = "\xEF\xBB\xBF";
const std::string kPageTable =
    "<table cellpadding=\"0\" cellspacing=\"0\" style=\"width:%Wpx;height:%Hpx;font-size:0;"
    "line-height:0;\">\r\n";
const std::string kMailTable = "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" "
                               "role=\"presentation\" width=\"%W\" height=\"%H\">\r\n";
const std::string kMailCell = " style=\"font-size:0;line-height:0\"></td>\r\n";

std::string Sized(std::string text, int width, int height) {
    text.replace(text.find("%W"), 2, std::to_string(width));
    text.replace(text.find("%H"), 2, std::to_string(height));
    return text;
}

std::string Repeat(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i)
        all += text;
    return all;
}

// The page of `picture` in memory, through the walk as the converter makes it.
std::string PageOf(CCompactPicture& writer, const QImage& picture) {
    TempDir dir;
    FakeReporter reporter;
    EXPECT_TRUE(GeneratePicture(writer, dir.File16("p.htm"), picture, reporter));
    return ReadBytes(dir.File("p.htm"));
}

QImage ArgbPicture(int width, int height, const std::function<QRgb(int, int)>& colour) {
    QImage picture(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, colour(x, y));
    return picture;
}

constexpr QRgb kRed = 0xFFFF0000u, kBlue = 0xFF0000FFu, kGreen = 0xFF00FF00u;

// A cell as the page has it: where it starts in the grid, its spans and its colour (0 without
// one).
struct Cell {
    int x, y, columns, rows;
    PixelColor colour;
};

// Reads a compact page back into cells, placing each as a browser does: a row's cells go into the
// first columns that no cell from the rows above still holds. Stacked tables follow each other.
// Fails the test on a row count, span or overlap a browser would not show as the picture.
std::vector<Cell> ReadCells(const std::string& page, int width, int height) {
    // A row runs to the next row or to its table's end; end tags and quotes may be left out.
    static const std::regex kRow("<tr>([^]*?)(?=<tr>|</table>)");
    static const std::regex kTd(
        "<td( colspan=\"?([0-9]+)\"?)?( rowspan=\"?([0-9]+)\"?)?( bgcolor=\"?#([0-9A-F]{6})\"?)?"
        "( style=\"font-size:0;line-height:0\")?>(</td>)?");
    std::vector<Cell> cells;
    std::vector<int> heldTo(static_cast<std::size_t>(width), 0);
    int y = 0;
    for (auto row = std::sregex_iterator(page.begin(), page.end(), kRow);
         row != std::sregex_iterator(); ++row, ++y) {
        const std::string inside = (*row)[1];
        int x = 0;
        for (auto td = std::sregex_iterator(inside.begin(), inside.end(), kTd);
             td != std::sregex_iterator(); ++td) {
            while (x < width && heldTo[static_cast<std::size_t>(x)] > y)
                ++x;
            const int columns = (*td)[2].matched ? std::stoi((*td)[2]) : 1;
            const int rows = (*td)[4].matched ? std::stoi((*td)[4]) : 1;
            EXPECT_LE(columns, 1000);
            EXPECT_LE(rows, 1000);
            const PixelColor colour =
                (*td)[6].matched ? 0xFF000000u | std::stoul((*td)[6], nullptr, 16) : 0;
            EXPECT_LE(x + columns, width) << "a cell beyond the picture in row " << y;
            for (int c = x; c < std::min(x + columns, width); ++c) {
                EXPECT_LE(heldTo[static_cast<std::size_t>(c)], y) << "cells overlap at " << c;
                heldTo[static_cast<std::size_t>(c)] = y + rows;
            }
            cells.push_back({x, y, columns, rows, colour});
            x += columns;
        }
    }
    EXPECT_EQ(y, height) << "every row of pixels has its table row";
    return cells;
}

// The colour each pixel is shown in (0 for none), after checking that every pixel is held by
// exactly one cell.
std::vector<PixelColor> ShownColours(const std::vector<Cell>& cells, int width, int height) {
    std::vector<int> holders(static_cast<std::size_t>(width) * height, 0);
    std::vector<PixelColor> shown(holders.size(), 0);
    for (const Cell& cell : cells)
        for (int y = cell.y; y < std::min(cell.y + cell.rows, height); ++y)
            for (int x = cell.x; x < std::min(cell.x + cell.columns, width); ++x) {
                ++holders[static_cast<std::size_t>(y) * width + x];
                shown[static_cast<std::size_t>(y) * width + x] = cell.colour;
            }
    for (std::size_t i = 0; i < holders.size(); ++i)
        EXPECT_EQ(holders[i], 1) << "pixel " << i % width << "," << i / width;
    return shown;
}

} // namespace

// Small pictures whose every byte is known. Templates are empty so the page is its frame and body.
TEST(CompactPicture, PagesOfSmallPictures) {
    const TemplatesScope templates(u"", u"");
    const std::string red = " bgcolor=#FF0000", blue = " bgcolor=#0000FF",
                      green = " bgcolor=#00FF00", mailRed = " bgcolor=\"#FF0000\"";
    const auto columns = [](int width) {
        std::string all = "<colgroup>";
        for (int left = 0; left < width; left += 1000)
            all += width - left == 1
                       ? "<col width=\"1\">"
                       : "<col span=\"" + std::to_string(std::min(1000, width - left)) +
                             "\" width=\"1\">";
        return all + "</colgroup>\r\n";
    };
    const struct {
        const char* what;
        CCompactPicture::Profile profile;
        QImage picture;
        std::string body;
    } cases[] = {
        {"a 2 x 2 block beside two cells", CCompactPicture::kPage,
         ArgbPicture(3, 2, [](int x, int y) { return x < 2    ? kRed
                                                     : y == 0 ? kBlue
                                                              : kGreen; }),
         Sized(kPageTable, 3, 2) + columns(3) + "<tr><td colspan=2 rowspan=2" + red + "><td" +
             blue + ">\r\n<tr><td" + green + ">\r\n"},
        {"a row in which no cell starts is still written", CCompactPicture::kPage,
         ArgbPicture(2, 3, [](int, int y) { return y < 2 ? kRed : kBlue; }),
         Sized(kPageTable, 2, 3) + columns(2) + "<tr><td colspan=2 rowspan=2" + red +
             ">\r\n<tr>\r\n<tr><td colspan=2" + blue + ">\r\n"},
        {"a band wider than 1000 columns is split, and so are its columns", CCompactPicture::kPage,
         ArgbPicture(2001, 1, [](int, int) { return kRed; }),
         Sized(kPageTable, 2001, 1) + columns(2001) + "<tr><td colspan=1000" + red +
             "><td colspan=1000" + red + "><td" + red + ">\r\n"},
        {"a column taller than 1000 rows is split", CCompactPicture::kPage,
         ArgbPicture(1, 1001, [](int, int) { return kBlue; }),
         Sized(kPageTable, 1, 1001) + columns(1) + "<tr><td rowspan=1000" + blue + ">\r\n" +
             Repeat("<tr>\r\n", 999) + "<tr><td" + blue + ">\r\n"},
        {"transparent pixels have no colour, partly transparent ones lie on white",
         CCompactPicture::kPage,
         ArgbPicture(3, 1,
                     [](int x, int) { return x == 2   ? 0x80FF0000u
                                             : x == 1 ? 0x00123456u
                                                      : 0; }),
         Sized(kPageTable, 3, 1) + columns(3) + "<tr><td colspan=2><td" + " bgcolor=#FF7F7F>\r\n"},
        {"an opaque picture without alpha", CCompactPicture::kPage,
         MakePicture(2, 1, [](int, int) { return qRgb(0x12, 0xAB, 0xEF); }),
         Sized(kPageTable, 2, 1) + columns(2) + "<tr><td colspan=2 bgcolor=#12ABEF>\r\n"},
        {"mail: stacked tables of 64 rows, attributes and a style on every cell",
         CCompactPicture::kMail, ArgbPicture(2, 65, [](int x, int) { return x == 0 ? kRed : 0; }),
         Sized(kMailTable, 2, 64) + columns(2) + "<tr>\r\n<td rowspan=\"64\"" + mailRed +
             kMailCell + "<td rowspan=\"64\"" + kMailCell + "</tr>\r\n" +
             Repeat("<tr>\r\n</tr>\r\n", 63) + "</table>\r\n" + Sized(kMailTable, 2, 1) +
             columns(2) + "<tr>\r\n<td" + mailRed + kMailCell + "<td" + kMailCell + "</tr>\r\n"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        CCompactPicture writer(each.profile);
        EXPECT_EQ(PageOf(writer, each.picture), kBom + each.body + "</table>\r\n");
    }
}

TEST(CompactPicture, FrameBackgroundAndFragment) {
    const TemplatesScope templates(u"<head>%BODY_TAG_TAIL%\r\n", u"<tail>\r\n");
    const QImage picture = ArgbPicture(1, 1, [](int, int) { return 0x80FFFFFFu; });
    const std::string body =
        Sized(kPageTable, 1, 1) +
        "<colgroup><col width=\"1\"></colgroup>\r\n<tr><td bgcolor=#808080>\r\n</table>\r\n";
    CCompactPicture page;
    page.SetBackground(0xFF000000u);
    EXPECT_EQ(PageOf(page, picture), kBom + "<head>\r\n" + body + "<tail>\r\n");
    // A fragment goes into another page: the table alone, no signature, head or tail.
    CCompactPicture fragment;
    fragment.SetBackground(0xFF000000u);
    fragment.SetBodyOnly();
    EXPECT_EQ(PageOf(fragment, picture), body);
}

TEST(CompactPicture, DeltaEOfKnownColours) {
    const struct {
        PixelColor first, second;
        double deltaE;
    } cases[] = {
        {0xFFFFFFFFu, 0xFF000000u, 100.0}, // white to black: L* alone
        {0xFFFF0000u, 0xFFFF0000u, 0.0},
        {0xFFFF0000u, 0xFF000000u, 117.34}, // sRGB red is L* 53.24, a* 80.09, b* 67.20
        {0xFF808080u, 0xFF000000u, 53.59},  // grey 128 is L* 53.59
    };
    for (const auto& each : cases)
        EXPECT_NEAR(ksDeltaE(ksLabFromRGB(each.first), ksLabFromRGB(each.second)), each.deltaE,
                    0.02)
            << std::hex << each.first << " " << each.second;
}

// For random pictures, reading the page back as a browser lays it out gives every pixel exactly
// one cell, in its own colour, or within the tolerance of it; and the largest difference is the
// one reported.
TEST(CompactPicture, EveryPixelInOneCellOfItsColour) {
    const TemplatesScope templates(u"", u"");
    std::mt19937 random(20240607);
    const QRgb palette[] = {kRed, 0xFFF80808u, 0xFFFF0A00u, kBlue, 0xFF0008FFu, 0};
    for (int round = 0; round < 200; ++round) {
        const int width = 1 + static_cast<int>(random() % 12);
        const int height = 1 + static_cast<int>(random() % 80);
        const int colours = 1 + static_cast<int>(random() % 6);
        const double tolerance = (round % 3 == 0) ? 0.0 : (round % 3 == 1 ? 4.0 : 30.0);
        const auto profile = round % 2 == 0 ? CCompactPicture::kPage : CCompactPicture::kMail;
        // Runs and blocks are likelier than noise: each pixel copies a neighbour most of the time.
        QImage picture(width, height, QImage::Format_ARGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const unsigned pick = random() % 10;
                QRgb colour = palette[random() % static_cast<unsigned>(colours)];
                if (pick < 4 && x > 0)
                    colour = picture.pixel(x - 1, y);
                else if (pick < 8 && y > 0)
                    colour = picture.pixel(x, y - 1);
                picture.setPixel(x, y, colour);
            }
        SCOPED_TRACE(testing::Message() << "round " << round << ", " << width << " x " << height
                                        << ", tolerance " << tolerance);
        CCompactPicture writer(profile);
        writer.SetTolerance(tolerance);
        const std::string page = PageOf(writer, picture);
        const std::vector<PixelColor> shown =
            ShownColours(ReadCells(page, width, height), width, height);
        double largest = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const QRgb own = picture.pixel(x, y);
                const PixelColor cell = shown[static_cast<std::size_t>(y) * width + x];
                if (qAlpha(own) == 0) {
                    ASSERT_EQ(cell, 0u) << x << "," << y;
                    continue;
                }
                ASSERT_NE(cell, 0u) << x << "," << y;
                const double deltaE = ksDeltaE(ksLabFromRGB(own), ksLabFromRGB(cell));
                ASSERT_LE(deltaE, tolerance) << x << "," << y;
                largest = std::max(largest, deltaE);
            }
        EXPECT_NEAR(writer.LargestDeltaE(), largest, 1e-4);
        if (HasFailure())
            break;
    }
}

TEST(PageBudget, TheLargestWidthThatFits) {
    const TemplatesScope templates(u"<head>\r\n", u"<tail>\r\n");
    const QImage picture = MakePicture(120, 60, [](int x, int y) {
        return qRgb((x * 7) & 0xFF, (y * 13) & 0xFF, ((x / 8) * 40) & 0xFF);
    });
    const PageWriterMaker compact = [] { return std::make_unique<CCompactPicture>(); };
    const PageWriterMaker table = [] { return std::make_unique<CTablePicture>(); };
    FakeReporter reporter;
    for (const auto& make : {compact, table}) {
        const std::uint64_t whole = MeasurePage(make, picture, reporter).value();
        for (const std::uint64_t budget : {whole / 3, whole / 2, whole - 1}) {
            SCOPED_TRACE(budget);
            const auto fit = FitPageToBudget(make, picture, budget, reporter).value();
            ASSERT_FALSE(fit.picture.isNull());
            const int width = fit.picture.width();
            ASSERT_LT(width, 120);
            EXPECT_EQ(fit.picture.height(), (2 * 60 * width + 120) / 240);
            EXPECT_LE(fit.bytes, budget);
            // What was counted is what a page of that picture takes on disk.
            TempDir dir;
            const auto writer = make();
            ASSERT_TRUE(GeneratePicture(*writer, dir.File16("p.htm"), fit.picture, reporter));
            EXPECT_EQ(ReadBytes(dir.File("p.htm")).size(), fit.bytes);
            EXPECT_GT(MeasurePage(make, ScaleToWidth(picture, width + 1), reporter).value(),
                      budget);
        }
        // A budget the whole picture fits keeps it; one below the 1 pixel wide page fits nothing.
        EXPECT_EQ(FitPageToBudget(make, picture, whole, reporter).value().picture.width(), 120);
        const auto none = FitPageToBudget(make, picture, 20, reporter).value();
        EXPECT_TRUE(none.picture.isNull());
        EXPECT_GT(none.bytes, 20u);
    }
    EXPECT_TRUE(reporter.errors.empty());
}

// Options the compact styles alone take, and values no page can be made from: a usage error that
// says what is wrong, and no page.
TEST(CompactCli, BadOptionsAreUsageErrors) {
    TempDir dir;
    const std::string picture = dir.File("p.png");
    ASSERT_TRUE(MakePicture(4, 3).save(QString::fromStdString(picture)));
    const std::string onlyCompact = " только для стилей compact и compact-mail (--style)\n";
    const std::string tolerance = "--tolerance: нужно число от 0 до 100 (ΔE)\n";
    const std::string bytes = "--max-bytes: нужно целое число байт больше 0, можно с k (1024 "
                              "байта) или M (1024 k)\n";
    const std::string background =
        "--background: нужен цвет вида #RRGGBB или его имя (white, black…)\n";
    const struct {
        std::vector<std::string> arguments;
        std::string says;
    } cases[] = {
        {{"--style", "compact", "--tolerance", "-1"}, tolerance},
        {{"--style", "compact", "--tolerance", "100.5"}, tolerance},
        {{"--style", "compact", "--tolerance", "nan"}, tolerance},
        {{"--style", "compact", "--tolerance", "5x"}, tolerance},
        {{"--style", "compact", "--max-bytes", "0"}, bytes},
        {{"--style", "compact", "--max-bytes", "0k"}, bytes},
        {{"--style", "compact", "--max-bytes", "-5"}, bytes},
        {{"--style", "compact", "--max-bytes", "12kb"}, bytes},
        {{"--style", "compact", "--max-bytes", "1.5M"}, bytes},
        {{"--style", "compact", "--max-bytes", ""}, bytes},
        {{"--style", "compact", "--background", "#12345"}, background},
        {{"--style", "compact", "--background", "#FF000080"}, background},
        {{"--style", "compact", "--background", "transparent"}, background},
        {{"--style", "compact", "--background", "nocolour"}, background},
        {{"--style", "compact", "--background", "rgb(1,2,3)"}, background},
        {{"--style", "table", "--fragment"}, "--fragment" + onlyCompact},
        {{"--tolerance", "3"}, "--tolerance" + onlyCompact},
        {{"--style", "span", "--mail"}, "--mail" + onlyCompact},
        {{"--style", "div", "--background", "black"}, "--background" + onlyCompact},
        {{"--style", "all", "--fragment"}, "--fragment" + onlyCompact},
        {{"--style", "mail"},
         "неизвестный стиль «mail» (table, span, div, compact, compact-mail или all)\n"},
    };
    for (const auto& each : cases) {
        std::vector<std::string> arguments = each.arguments;
        arguments.insert(arguments.end(), {"--out-dir", dir.File("out"), picture});
        std::filesystem::create_directory(dir.File("out"));
        const CliRun run = RunCli(arguments);
        SCOPED_TRACE(run.err);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, "tesselet-cli: " + each.says + "Попробуйте «tesselet-cli --help».\n");
        EXPECT_TRUE(std::filesystem::is_empty(dir.File("out")));
    }
}

TEST(CompactCli, TransparencyToleranceAndBudget) {
    TempDir dir;
    const std::string picture = dir.File("p.png");
    // Left half transparent, right half a gradient of reds, half of it half transparent.
    ASSERT_TRUE(ArgbPicture(40, 20, [](int x, int y) {
                    if (x < 20)
                        return 0u;
                    return qRgba(200 + x, 10, 10, y < 10 ? 255 : 128);
                }).save(QString::fromStdString(picture)));
    const auto page = [&](const std::string& name) { return ReadBytes(dir.File(name)); };

    // The classic page has no transparency: it lies on white there; the compact one leaves it.
    CliRun run = RunCli({"--style", "table", picture});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(page("p.table.htm").find("background:#FFFFFF;"), std::string::npos);
    run = RunCli({"--style", "compact", "--background", "#000000", picture});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string compact = page("p.compact.htm");
    EXPECT_NE(compact.find("<tr><td colspan=20 rowspan=20>"), std::string::npos);
    // 220 at half alpha over black.
    EXPECT_NE(compact.find("bgcolor=#6E0505"), std::string::npos);
    EXPECT_EQ(compact.find("#FFFFFF"), std::string::npos);

    // Neighbouring reds differ by about 1 ΔE: a tolerance of 3 joins them and says how far.
    run = RunCli({"--mail", "--style", "compact", "--tolerance", "3", picture});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::regex_match(run.err, std::regex("p\\.mail\\.htm: наибольшее отличие цвета "
                                                     "ΔE = [12]\\.[0-9]{2}\n")))
        << run.err;
    EXPECT_LT(page("p.mail.htm").size(),
              RunCli({"--style", "compact-mail", "-o", "-", picture}).out.size());
    run = RunCli({"-q", "--style", "compact", "--tolerance", "3", "-o", "-", picture});
    EXPECT_EQ(run.err, "");

    // The budget: the page fits, says its size, and the same call one pixel wider would not.
    run = RunCli({"--style", "compact", "--max-bytes", "1k", "--fragment", picture});
    ASSERT_EQ(run.status, 0) << run.err;
    std::smatch size;
    ASSERT_TRUE(std::regex_match(
        run.err, size,
        std::regex("p\\.compact\\.htm: ([0-9]+) x ([0-9]+) пикселей, ([0-9]+) байт\n")))
        << run.err;
    EXPECT_EQ(page("p.compact.htm").size(), std::stoul(size[3]));
    EXPECT_LE(std::stoul(size[3]), 1024u);
    EXPECT_EQ(page("p.compact.htm").rfind("<table", 0), 0u);
    const int width = std::stoi(size[1]);
    EXPECT_LT(width, 40);
    EXPECT_EQ(std::stoi(size[2]), (width + 1) / 2);

    // Not even a page 1 pixel wide fits: a failure, and no page.
    std::filesystem::remove(dir.File("p.compact.htm"));
    run = RunCli({"--style", "compact", "--max-bytes", "100", picture});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("\n\nСтраница не умещается в 100 байт даже шириной в 1 пиксель: ей "
                           "нужно "),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(Exists(dir.File("p.compact.htm")));
}
