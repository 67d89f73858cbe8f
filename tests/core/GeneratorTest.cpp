#include "TestSupport.h"

#include "CError.h"
#include "CTablePicture.h"
#include "IAnyPicture.h"
#include "modCallPictureGenerator.h"

#include <QImage>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

// Writes down every call in a short form; can be told to fail at one call.
class RecordingWriter final : public IAnyPicture {
public:
    void OpenFile(const std::u16string& FileName) override {
        Note("OpenFile " + U8(FileName));
        if (failOpen)
            throw CError(76, u"Path not found");
    }
    void CloseFile() override { Note("CloseFile"); }
    void Init() override {
        Note("Init");
        if (failInit)
            throw CError(429, u"ActiveX component can't create object");
    }
    void BeginPicture(std::int32_t Width, std::int32_t Height) override {
        Note("BeginPicture " + std::to_string(Width) + " " + std::to_string(Height));
    }
    void EndPicture() override { Note("EndPicture"); }
    void WritePixel(PixelColor Color, std::int32_t X, std::int32_t Y) override {
        char colour[16];
        std::snprintf(colour, sizeof colour, "%08X", Color);
        Note("WritePixel " + std::string(colour) + " " + std::to_string(X) + " " +
             std::to_string(Y));
        if (X == failX && Y == failY)
            throw CError(61, u"Disk full");
    }
    void BeginNewLine(std::int32_t Y) override { Note("BeginNewLine " + std::to_string(Y)); }
    void EndNewLine(std::int32_t Y) override { Note("EndNewLine " + std::to_string(Y)); }

    std::vector<std::string> calls;
    bool failInit = false, failOpen = false;
    int failX = -1, failY = -1;

private:
    void Note(std::string call) { calls.push_back(std::move(call)); }
};

// Distinct colours, so that a pixel read from the wrong place or in the wrong layout shows.
PixelColor Grid(int x, int y) {
    return qRgb(0x10 * y + x, 0x80 + x, 0xF0 - y);
}

int Count(const std::vector<std::string>& calls, const std::string& prefix) {
    int n = 0;
    for (const auto& call : calls)
        n += call.rfind(prefix, 0) == 0;
    return n;
}

} // namespace

TEST(PixelWalk, CallOrderAndPointerOnSuccess) {
    RecordingWriter writer;
    const QImage picture = MakePicture(2, 2, Grid);
    FakeReporter ui;
    EXPECT_TRUE(CallPictureGenerator(writer, u"/out/p.htm", picture, ui, ui));
    // Each pixel exactly as its scan line holds it: alpha, red, green, blue.
    EXPECT_EQ(writer.calls,
              (std::vector<std::string>{"Init", "OpenFile /out/p.htm", "BeginPicture 2 2",
                                        "BeginNewLine 0", "WritePixel FF0080F0 0 0",
                                        "WritePixel FF0181F0 1 0", "EndNewLine 0", "BeginNewLine 1",
                                        "WritePixel FF1080EF 0 1", "WritePixel FF1181EF 1 1",
                                        "EndNewLine 1", "EndPicture", "CloseFile"}));
    EXPECT_EQ(ui.uiCalls, (std::vector<std::string>{"pointer 11", "repaint", "pointer 0"}));

    RecordingWriter wide;
    EXPECT_TRUE(CallPictureGenerator(wide, u"x", MakePicture(7, 5, Grid), ui, ui));
    EXPECT_EQ(wide.calls.size(), 7u * 5 + 2 * 5 + 5);
    EXPECT_EQ(wide.calls[2], "BeginPicture 7 5");
}

TEST(PixelWalk, PixelsAreOpaqueWhateverTheScanLineHoldsAboveBlue) {
    // Some of Qt's readers leave the unused top byte of an RGB32 pixel 0.
    QImage picture = MakePicture(2, 1);
    reinterpret_cast<QRgb*>(picture.scanLine(0))[0] = 0x00123456;
    reinterpret_cast<QRgb*>(picture.scanLine(0))[1] = 0x7FABCDEF;
    RecordingWriter writer;
    FakeReporter ui;
    EXPECT_TRUE(CallPictureGenerator(writer, u"f", picture, ui, ui));
    EXPECT_EQ(writer.calls[4], "WritePixel FF123456 0 0");
    EXPECT_EQ(writer.calls[5], "WritePixel FFABCDEF 1 0");

    // The same pixels in an ARGB32 picture keep their alpha, for the pages that show it.
    picture.reinterpretAsFormat(QImage::Format_ARGB32);
    RecordingWriter withAlpha;
    EXPECT_TRUE(CallPictureGenerator(withAlpha, u"f", picture, ui, ui));
    EXPECT_EQ(withAlpha.calls[4], "WritePixel 00123456 0 0");
    EXPECT_EQ(withAlpha.calls[5], "WritePixel 7FABCDEF 1 0");
}

TEST(PixelWalk, PageOfAPictureAndOfNoPicture) {
    TempDir dir;
    const TemplatesScope templates(u"<h>", u"<t>");
    FakeReporter ui;
    const struct {
        const char* name;
        QImage picture;
        std::string table;
    } cases[] = {
        {"2 x 1",
         MakePicture(
             2, 1,
             [](int x, int) { return x == 0 ? qRgb(0x12, 0x34, 0x56) : qRgb(0xFE, 0, 0x0A); }),
         "<table cellpadding=\"0\" cellspacing=\"0\" style=\"width:2px;height:1px;\">\r\n"
         "<tr>\r\n"
         "<td style=\"background:#123456;\"></td>\r\n"
         "<td style=\"background:#FE000A;\"></td>\r\n"
         "</tr>\r\n"
         "</table>\r\n"},
        // An empty picture has no scan line to misread: an empty page.
        {"none", QImage(),
         "<table cellpadding=\"0\" cellspacing=\"0\" style=\"width:0px;height:0px;\">\r\n"
         "</table>\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTablePicture writer;
        EXPECT_TRUE(CallPictureGenerator(writer, dir.File16("p.htm"), c.picture, ui, ui));
        EXPECT_EQ(ReadBytes(dir.File("p.htm")), "\xEF\xBB\xBF<h>" + c.table + "<t>");
    }
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_TRUE(ui.boxes.empty());
}

TEST(PixelWalk, PicturesNeitherRGB32NorARGB32AreRefusedBeforeTheWriter) {
    TempDir dir;
    const TemplatesScope templates(u"", u"");
    const QImage rgb32 = MakePicture(3, 2, Grid);
    for (const QImage::Format format :
         {QImage::Format_ARGB32_Premultiplied, QImage::Format_RGBX8888, QImage::Format_RGB888,
          QImage::Format_RGB16, QImage::Format_Grayscale8, QImage::Format_Indexed8,
          QImage::Format_Mono, QImage::Format_RGBA64}) {
        SCOPED_TRACE(format);
        const QImage picture = rgb32.convertToFormat(format);
        ASSERT_EQ(picture.format(), format);
        FakeReporter ui;
        RecordingWriter writer;
        EXPECT_FALSE(CallPictureGenerator(writer, u"f", picture, ui, ui));
        EXPECT_TRUE(writer.calls.empty());
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].first, u"Picture.ScaleMode != vbPixels");
        EXPECT_EQ(ui.boxes[0].second, 16);
        EXPECT_TRUE(ui.errors.empty());
        EXPECT_EQ(ui.uiCalls,
                  (std::vector<std::string>{"pointer 11", "repaint", "box", "pointer 0"}));

        // With a real writer, nothing reaches the disk.
        CTablePicture table;
        EXPECT_FALSE(CallPictureGenerator(table, dir.File16("p.htm"), picture, ui, ui));
        EXPECT_FALSE(Exists(dir.File("p.htm")));
    }
}

TEST(PixelWalk, FailedInitOpensNoFile) {
    FakeReporter ui;
    RecordingWriter broken;
    broken.failInit = true;
    EXPECT_FALSE(CallPictureGenerator(broken, u"f", MakePicture(2, 2, Grid), ui, ui));
    EXPECT_EQ(broken.calls, std::vector<std::string>{"Init"});
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0].message, u"Не удалось инициализировать кодек.");
    EXPECT_EQ(ui.errors[0].number, 429);
    EXPECT_EQ(ui.uiCalls,
              (std::vector<std::string>{"pointer 11", "repaint", "error", "pointer 0"}));
}

TEST(PixelWalk, FailuresAfterInitAreReportedAndTheFileClosed) {
    const std::u16string failed = u"\r\n\r\nНе удалось сохранить файл.";
    const QImage picture = MakePicture(8, 6, Grid);

    FakeReporter ui;
    RecordingWriter pixel;
    pixel.failX = 5;
    pixel.failY = 3;
    EXPECT_FALSE(CallPictureGenerator(pixel, u"/o/p.htm", picture, ui, ui));
    EXPECT_EQ(pixel.calls.back(), "CloseFile");
    EXPECT_EQ(pixel.calls[pixel.calls.size() - 2], "WritePixel FF3585ED 5 3");
    EXPECT_EQ(Count(pixel.calls, "WritePixel"), 3 * 8 + 6);
    EXPECT_EQ(Count(pixel.calls, "EndNewLine 3"), 0);
    EXPECT_EQ(Count(pixel.calls, "EndPicture"), 0);
    EXPECT_EQ(Count(pixel.calls, "CloseFile"), 1);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0].message, u"/o/p.htm" + failed);
    EXPECT_EQ(ui.errors[0].number, 61);
    EXPECT_EQ(ui.uiCalls.back(), "pointer 0");

    FakeReporter ui2;
    RecordingWriter open;
    open.failOpen = true;
    EXPECT_FALSE(CallPictureGenerator(open, u"q", picture, ui2, ui2));
    EXPECT_EQ(open.calls, (std::vector<std::string>{"Init", "OpenFile q", "CloseFile"}));
    EXPECT_EQ(ui2.errors.at(0).number, 76);
    EXPECT_EQ(ui2.errors.at(0).message, u"q" + failed);
}

TEST(PixelWalk, RealWriterLeavesNoPartOfAFailedPage) {
    TempDir dir;
    const TemplatesScope templates(u"", u"");
    FakeReporter ui;
    CTablePicture table;
    FailAtPixel writer(table, 1, 1);
    EXPECT_FALSE(
        CallPictureGenerator(writer, dir.File16("part.htm"), MakePicture(3, 2, Grid), ui, ui));
    EXPECT_FALSE(Exists(dir.File("part.htm")));
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0].number, 61);

    // A missing folder: the path, an empty line and the sentence; nothing is created.
    const QImage box = MakePicture(1, 1, Grid);
    FakeReporter ui2;
    CTablePicture other;
    EXPECT_FALSE(CallPictureGenerator(other, dir.File16("no/such.htm"), box, ui2, ui2));
    ASSERT_EQ(ui2.errors.size(), 1u);
    EXPECT_EQ(ui2.errors[0].message,
              dir.File16("no/such.htm") + u"\r\n\r\nНе удалось сохранить файл.");
    EXPECT_EQ(ui2.errors[0].number, 2);

    // A full disk: reported once, at the latest when the file is closed.
    FakeReporter ui3;
    CTablePicture full;
    EXPECT_FALSE(CallPictureGenerator(full, u"/dev/full", box, ui3, ui3));
    ASSERT_EQ(ui3.errors.size(), 1u);
    EXPECT_EQ(ui3.errors[0].number, 28);
    EXPECT_EQ(ui3.uiCalls.back(), "pointer 0");
}
