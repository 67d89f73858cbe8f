#include "TestSupport.h"

#include "CDivPicture.h"
#include "CError.h"
#include "COutputFile.h"
#include "CSpanPicture.h"
#include "CTablePicture.h"

#include <QRgb>
#include <dirent.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace {

const std::string kBom = "\xEF\xBB\xBF";

// Drives a writer through one page in the walk's order.
void Drive(IAnyPicture& writer, const std::u16string& path, int width, int height,
           const std::function<PixelColor(int, int)>& colour) {
    writer.Init();
    writer.OpenFile(path);
    writer.BeginPicture(width, height);
    for (int y = 0; y < height; ++y) {
        writer.BeginNewLine(y);
        for (int x = 0; x < width; ++x)
            writer.WritePixel(colour(x, y), x, y);
        writer.EndNewLine(y);
    }
    writer.EndPicture();
    writer.CloseFile();
}

PixelColor TwoByOne(int x, int) {
    return x == 0 ? qRgb(0x12, 0x34, 0x56) : qRgb(0, 0, 0);
}
PixelColor Black(int, int) {
    return qRgb(0, 0, 0);
}

} // namespace

TEST(TablePicture, WorkedExampleAndFrame) {
    TempDir dir;
    const TemplatesScope templates(u"<head g>%BODY_TAG_TAIL%|%BODY_TAG_TAIL%|%body_tag_tail%\r\n",
                                   u"<tail п>\r\n");
    CTablePicture writer;
    Drive(writer, dir.File16("t.htm"), 2, 1, TwoByOne);
    EXPECT_EQ(ReadBytes(dir.File("t.htm")),
              kBom + "<head g>||%body_tag_tail%\r\n" +
                  "<table cellpadding=\"0\" cellspacing=\"0\" style=\"width:2px;height:1px;\">\r\n"
                  "<tr>\r\n"
                  "<td style=\"background:#123456;\"></td>\r\n"
                  "<td style=\"background:#000000;\"></td>\r\n"
                  "</tr>\r\n"
                  "</table>\r\n"
                  "<tail \xD0\xBF>\r\n");
}

TEST(TablePicture, SizesAsGivenAndEmptyPictures) {
    TempDir dir;
    const TemplatesScope templates(u"", u"");
    CTablePicture writer;
    Drive(writer, dir.File16("empty.htm"), 640, 0, Black);
    EXPECT_EQ(ReadBytes(dir.File("empty.htm")),
              kBom + "<table cellpadding=\"0\" cellspacing=\"0\" style=\"width:640px;height:0px;\">"
                     "\r\n</table>\r\n");
    // The table start carries what BeginPicture got, not a count of cells.
    CTablePicture other;
    other.OpenFile(dir.File16("odd.htm"));
    other.BeginPicture(-3, 2147483647);
    other.EndPicture();
    other.CloseFile();
    EXPECT_EQ(ReadBytes(dir.File("odd.htm")),
              kBom + "<table cellpadding=\"0\" cellspacing=\"0\" "
                     "style=\"width:-3px;height:2147483647px;\">\r\n</table>\r\n");
}

TEST(DivPicture, WorkedExampleOffsetsAndNoEndTags) {
    TempDir dir;
    const TemplatesScope templates(u"", u"");
    CDivPicture writer;
    Drive(writer, dir.File16("d.htm"), 2, 1, TwoByOne);
    EXPECT_EQ(ReadBytes(dir.File("d.htm")),
              kBom + "<div style=\"background:#123456;left:8px;top:8px;\" class=\"art\">\r\n"
                     "<div style=\"background:#000000;left:9px;top:8px;\" class=\"art\">\r\n");

    const TemplatesScope framed(u"H%BODY_TAG_TAIL%\r\n", u"T");
    CDivPicture big;
    Drive(big, dir.File16("big.htm"), 3, 4, Black);
    const std::string page = ReadBytes(dir.File("big.htm"));
    EXPECT_EQ(page.substr(0, 6), kBom + "H\r\n");
    EXPECT_EQ(page.back(), 'T');
    std::size_t lines = 0, pos = 0;
    while ((pos = page.find("\r\n", pos)) != std::string::npos)
        ++lines, pos += 2;
    EXPECT_EQ(lines, 1u + 3 * 4);
    EXPECT_NE(page.find("left:10px;top:11px;"), std::string::npos); // the last pixel
    EXPECT_EQ(page.find("</div>"), std::string::npos);

    CDivPicture none;
    Drive(none, dir.File16("none.htm"), 5, 0, Black);
    EXPECT_EQ(ReadBytes(dir.File("none.htm")), kBom + "H\r\nT");
}

TEST(DivPicture, OffsetOverflowAppendsNothing) {
    TempDir dir;
    const TemplatesScope templates(u"", u"");
    CDivPicture writer;
    writer.OpenFile(dir.File16("o.htm"));
    writer.BeginPicture(1, 1);
    try {
        writer.WritePixel(0, 2147483647 - 7, 0);
        FAIL() << "no overflow";
    } catch (const CError& error) {
        EXPECT_EQ(error.Number(), CError::kOverflow);
    }
    EXPECT_THROW(writer.WritePixel(0, 0, 2147483647), CError);
    writer.WritePixel(0, 2147483647 - 8, 0);
    writer.EndPicture();
    writer.CloseFile();
    EXPECT_EQ(ReadBytes(dir.File("o.htm")),
              kBom + "<div style=\"background:#000000;left:2147483647px;top:8px;\" "
                     "class=\"art\">\r\n");
}

TEST(SpanPicture, WorkedExampleRowsAndCycle) {
    TempDir dir;
    const TemplatesScope templates(u"<body%BODY_TAG_TAIL%>\r\n", u"</body>", u"ab");
    CSpanPicture writer;
    Drive(writer, dir.File16("s.htm"), 3, 3, Black);
    const std::string a = "<span style=\"color:#000000;\">a</span>";
    const std::string b = "<span style=\"color:#000000;\">b</span>";
    const std::string body =
        "<pre style=\"font-size:5pt;\">\r\n" + a + b + a + "\r\n" + b + a + b + "\r\n</pre>\r\n";
    EXPECT_EQ(ReadBytes(dir.File("s.htm")),
              kBom + "<body style=\"background:black;\">\r\n" + body + "</body>");

    // The same writer starts the next picture at the first character again; one row high gives
    // one line, two rows still one.
    Drive(writer, dir.File16("s2.htm"), 1, 2, Black);
    EXPECT_EQ(ReadBytes(dir.File("s2.htm")),
              kBom + "<body style=\"background:black;\">\r\n<pre style=\"font-size:5pt;\">\r\n" +
                  a + "\r\n</pre>\r\n</body>");
}

TEST(SpanPicture, SourceTextEdges) {
    TempDir dir;
    const auto line = [&](const std::u16string& source, int width) {
        const TemplatesScope templates(u"", u"", source);
        CSpanPicture writer;
        Drive(writer, dir.File16("e.htm"), width, 1, Black);
        const std::string page = ReadBytes(dir.File("e.htm"));
        const std::string start = kBom + "<pre style=\"font-size:5pt;\">\r\n";
        const std::string end = "\r\n</pre>\r\n";
        EXPECT_EQ(page.substr(0, start.size()), start);
        EXPECT_EQ(page.substr(page.size() - end.size()), end);
        std::string spans = page.substr(start.size(), page.size() - start.size() - end.size());
        std::string letters;
        const std::string open = "<span style=\"color:#000000;\">";
        for (std::size_t pos = 0; (pos = spans.find(open, pos)) != std::string::npos;) {
            pos += open.size();
            const std::size_t close = spans.find("</span>", pos);
            letters += spans.substr(pos, close - pos) + "|";
        }
        return letters;
    };
    EXPECT_EQ(line(u"", 3), "|||");
    EXPECT_EQ(line(u"z", 3), "z|z|z|");
    EXPECT_EQ(line(u"<&>\"'", 6), "&lt;|&amp;|&gt;|&quot;|'|&lt;|");
    EXPECT_EQ(line(u"абвгд", 2), "\xD0\xB0|\xD0\xB1|");
    // A character above U+FFFF goes whole into one span and takes two positions.
    EXPECT_EQ(line(u"a\U0001F600b", 4), "a|\xF0\x9F\x98\x80|b|a|");
    EXPECT_EQ(line(u"\U0001F600", 2), "\xF0\x9F\x98\x80|\xF0\x9F\x98\x80|");
    // A lone half cannot be written as UTF-8 and becomes U+FFFD.
    EXPECT_EQ(line(std::u16string{u'x', 0xD83D}, 3), "x|\xEF\xBF\xBD|x|");
}

TEST(PageFile, OpenCloseAndOverwrite) {
    TempDir dir;
    const TemplatesScope templates(u"", u"");
    WriteBytes(dir.File("old.htm"), std::string(10000, 'x'));
    {
        CTablePicture writer;
        writer.OpenFile(dir.File16("old.htm"));
        // A second OpenFile leaves the first file open and creates nothing.
        writer.OpenFile(dir.File16("second.htm"));
        writer.BeginPicture(0, 0);
        writer.EndPicture();
        writer.CloseFile();
        writer.CloseFile();
    }
    EXPECT_FALSE(Exists(dir.File("second.htm")));
    EXPECT_EQ(ReadBytes(dir.File("old.htm")),
              kBom + "<table cellpadding=\"0\" cellspacing=\"0\" style=\"width:0px;height:0px;\">"
                     "\r\n</table>\r\n");

    // Destruction closes the file; a page dropped before its end leaves nothing behind.
    const int before = OpenDescriptors();
    {
        CDivPicture writer;
        writer.OpenFile(dir.File16("dropped.htm"));
        EXPECT_EQ(OpenDescriptors(), before + 1);
        writer.BeginPicture(1, 1);
    }
    EXPECT_EQ(OpenDescriptors(), before);
    EXPECT_FALSE(Exists(dir.File("dropped.htm")));
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 1u);
}

TEST(PageFile, FailuresCarryTheSystemsError) {
    TempDir dir;
    const TemplatesScope templates(u"", u"");
    CTablePicture writer;
    try {
        writer.OpenFile(dir.File16("missing/page.htm"));
        FAIL() << "opened a file in a missing folder";
    } catch (const CError& error) {
        EXPECT_EQ(error.Number(), 2);
        EXPECT_EQ(error.Description(), u"Нет такого файла или каталога");
    }
    // No file: appending fails, closing succeeds.
    try {
        writer.BeginNewLine(0);
        FAIL() << "appended without a file";
    } catch (const CError& error) {
        EXPECT_EQ(error.Number(), CError::kNoFileOpen);
    }
    EXPECT_THROW(writer.BeginPicture(1, 1), CError);
    EXPECT_NO_THROW(writer.CloseFile());
    EXPECT_THROW(writer.OpenFile(dir.File16("")), CError);
}

TEST(PageFile, FullDiskIsReportedAndTheFileClosed) {
    const TemplatesScope templates(u"", u"");
    const int before = OpenDescriptors();
    // A small page fits the buffer: the full disk shows at the close.
    CTablePicture small;
    small.OpenFile(u"/dev/full");
    small.BeginPicture(1, 1);
    small.EndPicture();
    try {
        small.CloseFile();
        FAIL() << "a full disk went unnoticed";
    } catch (const CError& error) {
        EXPECT_EQ(error.Number(), 28);
    }
    // The second close closes it; nothing is reported twice.
    EXPECT_NO_THROW(small.CloseFile());
    EXPECT_EQ(OpenDescriptors(), before);

    // A large page meets it while appending.
    CTablePicture large;
    large.OpenFile(u"/dev/full");
    large.BeginPicture(100000, 1);
    large.BeginNewLine(0);
    bool failed = false;
    for (int x = 0; x < 100000 && !failed; ++x) {
        try {
            large.WritePixel(0, x, 0);
        } catch (const CError& error) {
            EXPECT_EQ(error.Number(), 28);
            failed = true;
        }
    }
    EXPECT_TRUE(failed);
    EXPECT_NO_THROW(large.CloseFile());
    EXPECT_EQ(OpenDescriptors(), before);
}

TEST(PageFile, LongPiecesAndManyPiecesReachTheFileInOrder) {
    TempDir dir;
    // A head far larger than the buffer, in Cyrillic, then enough cells to flush many times.
    std::u16string head;
    for (int i = 0; i < 50000; ++i)
        head += u"ж";
    const TemplatesScope templates(head, u"end");
    CTablePicture writer;
    // Up to 299 * 39: the low byte is red, the next green, blue stays 0.
    const auto colour = [](int x, int y) {
        const unsigned c = static_cast<unsigned>(x * y);
        return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    };
    Drive(writer, dir.File16("long.htm"), 300, 40, colour);
    const std::string page = ReadBytes(dir.File("long.htm"));
    std::string expected = kBom + U8(head) +
                           "<table cellpadding=\"0\" cellspacing=\"0\" style=\"width:300px;"
                           "height:40px;\">\r\n";
    for (int y = 0; y < 40; ++y) {
        expected += "<tr>\r\n";
        for (int x = 0; x < 300; ++x) {
            char cell[64];
            const unsigned c = static_cast<unsigned>(x * y);
            std::snprintf(cell, sizeof cell, "<td style=\"background:#%02X%02X%02X;\"></td>\r\n",
                          c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
            expected += cell;
        }
        expected += "</tr>\r\n";
    }
    expected += "</table>\r\nend";
    EXPECT_EQ(page.size(), expected.size());
    EXPECT_TRUE(page == expected);
}
