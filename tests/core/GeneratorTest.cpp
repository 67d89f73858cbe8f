#include "TestSupport.h"

#include "CError.h"
#include "CTablePicture.h"
#include "IAnyPicture.h"
#include "modCallPictureGenerator.h"

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
        Note("WritePixel " + std::to_string(Color) + " " + std::to_string(X) + " " +
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

int Count(const std::vector<std::string>& calls, const std::string& prefix) {
    int n = 0;
    for (const auto& call : calls)
        n += call.rfind(prefix, 0) == 0;
    return n;
}

} // namespace

TEST(PixelWalk, CallOrderAndPointerOnSuccess) {
    RecordingWriter writer;
    FakePictureBox box(2, 2, [](int x, int y) { return PixelColor(10 * y + x); });
    FakeReporter ui;
    EXPECT_TRUE(CallPictureGenerator(writer, u"/out/p.htm", box, ui, ui));
    EXPECT_EQ(writer.calls, (std::vector<std::string>{
                                "Init", "OpenFile /out/p.htm", "BeginPicture 2 2", "BeginNewLine 0",
                                "WritePixel 0 0 0", "WritePixel 1 1 0", "EndNewLine 0",
                                "BeginNewLine 1", "WritePixel 10 0 1", "WritePixel 11 1 1",
                                "EndNewLine 1", "EndPicture", "CloseFile"}));
    EXPECT_EQ(ui.uiCalls, (std::vector<std::string>{"pointer 11", "repaint", "pointer 0"}));

    RecordingWriter wide;
    FakePictureBox large(7, 5);
    EXPECT_TRUE(CallPictureGenerator(wide, u"x", large, ui, ui));
    EXPECT_EQ(wide.calls.size(), 7u * 5 + 2 * 5 + 5);
}

TEST(PixelWalk, EmptyPicturesAndRounding) {
    FakeReporter ui;
    RecordingWriter noRows;
    FakePictureBox flat(4, 0);
    EXPECT_TRUE(CallPictureGenerator(noRows, u"f", flat, ui, ui));
    EXPECT_EQ(noRows.calls, (std::vector<std::string>{"Init", "OpenFile f", "BeginPicture 4 0",
                                                      "EndPicture", "CloseFile"}));

    RecordingWriter noColumns;
    FakePictureBox thin(0, 2);
    EXPECT_TRUE(CallPictureGenerator(noColumns, u"f", thin, ui, ui));
    EXPECT_EQ(noColumns.calls,
              (std::vector<std::string>{"Init", "OpenFile f", "BeginPicture 0 2", "BeginNewLine 0",
                                        "EndNewLine 0", "BeginNewLine 1", "EndNewLine 1",
                                        "EndPicture", "CloseFile"}));

    // Halves go to the even neighbour: 2.5 gives 2 columns, 3.5 gives 4 rows, and the last index
    // is rounded from size - 1 (1.5 -> 2, so three columns are walked, 2.5 -> 2, three rows).
    RecordingWriter halves;
    FakePictureBox box(1, 1);
    box.width = 2.5f;
    box.height = 3.5f;
    EXPECT_TRUE(CallPictureGenerator(halves, u"f", box, ui, ui));
    EXPECT_EQ(halves.calls[2], "BeginPicture 2 4");
    EXPECT_EQ(Count(halves.calls, "BeginNewLine"), 3);
    EXPECT_EQ(Count(halves.calls, "WritePixel"), 3 * 3);

    EXPECT_EQ(RoundToInt32(0.5), 0);
    EXPECT_EQ(RoundToInt32(1.5), 2);
    EXPECT_EQ(RoundToInt32(-2.5), -2);
    EXPECT_EQ(RoundToInt32(2147483647.0), 2147483647);
    EXPECT_THROW(RoundToInt32(2147483647.5), CError);
    EXPECT_THROW(RoundToInt32(-2147483649.0), CError);
}

TEST(PixelWalk, ScaleCheckAndFailedInit) {
    FakeReporter ui;
    RecordingWriter writer;
    FakePictureBox twips(2, 2);
    twips.scaleMode = 1;
    EXPECT_FALSE(CallPictureGenerator(writer, u"f", twips, ui, ui));
    EXPECT_TRUE(writer.calls.empty());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].first, u"Picture.ScaleMode != vbPixels");
    EXPECT_EQ(ui.boxes[0].second, 16);
    EXPECT_EQ(ui.uiCalls.back(), "pointer 0");

    FakeReporter ui2;
    RecordingWriter broken;
    broken.failInit = true;
    FakePictureBox box(2, 2);
    EXPECT_FALSE(CallPictureGenerator(broken, u"f", box, ui2, ui2));
    EXPECT_EQ(broken.calls, std::vector<std::string>{"Init"});
    ASSERT_EQ(ui2.errors.size(), 1u);
    EXPECT_EQ(ui2.errors[0].message, u"Не удалось инициализировать кодек.");
    EXPECT_EQ(ui2.errors[0].number, 429);
    EXPECT_EQ(ui2.errors[0].style, 16);
    EXPECT_EQ(ui2.uiCalls,
              (std::vector<std::string>{"pointer 11", "repaint", "error", "pointer 0"}));
}

TEST(PixelWalk, FailuresAfterInitAreReportedAndTheFileClosed) {
    const std::u16string failed = u"\r\n\r\nНе удалось сохранить файл.";
    FakePictureBox box(8, 6);

    FakeReporter ui;
    RecordingWriter pixel;
    pixel.failX = 5;
    pixel.failY = 3;
    EXPECT_FALSE(CallPictureGenerator(pixel, u"/o/p.htm", box, ui, ui));
    EXPECT_EQ(pixel.calls.back(), "CloseFile");
    EXPECT_EQ(pixel.calls[pixel.calls.size() - 2], "WritePixel 53 5 3");
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
    EXPECT_FALSE(CallPictureGenerator(open, u"q", box, ui2, ui2));
    EXPECT_EQ(open.calls, (std::vector<std::string>{"Init", "OpenFile q", "CloseFile"}));
    EXPECT_EQ(ui2.errors.at(0).number, 76);

    // A failing picture read and a size beyond 32 bits are failures of the walk too.
    FakeReporter ui3;
    RecordingWriter read;
    FakePictureBox faulty(3, 3);
    faulty.failAtX = 1;
    faulty.failAtY = 2;
    EXPECT_FALSE(CallPictureGenerator(read, u"r", faulty, ui3, ui3));
    EXPECT_EQ(read.calls.back(), "CloseFile");
    EXPECT_EQ(Count(read.calls, "WritePixel"), 7);
    EXPECT_EQ(ui3.errors.at(0).number, 380);

    FakeReporter ui4;
    RecordingWriter huge;
    FakePictureBox vast(1, 1);
    vast.width = 3e9f;
    EXPECT_FALSE(CallPictureGenerator(huge, u"h", vast, ui4, ui4));
    EXPECT_EQ(huge.calls, (std::vector<std::string>{"Init", "OpenFile h", "CloseFile"}));
    EXPECT_EQ(ui4.errors.at(0).number, CError::kOverflow);
    EXPECT_EQ(ui4.errors.at(0).message, u"h" + failed);
}

TEST(PixelWalk, RealWriterLeavesNoPartOfAFailedPage) {
    TempDir dir;
    const TemplatesScope templates(u"", u"");
    FakeReporter ui;
    CTablePicture writer;
    FakePictureBox faulty(3, 2, [](int, int) { return PixelColor(0x00FFFFFF); });
    faulty.failAtX = 1;
    faulty.failAtY = 1;
    EXPECT_FALSE(CallPictureGenerator(writer, dir.File16("part.htm"), faulty, ui, ui));
    EXPECT_FALSE(Exists(dir.File("part.htm")));

    // A missing folder: the path, an empty line and the sentence; nothing is created.
    FakeReporter ui2;
    CTablePicture other;
    FakePictureBox box(1, 1);
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
