#include "TestSupport.h"
#include "modNativeText.h"

#include "CConsoleReporter.h"
#include "CDivPicture.h"
#include "CError.h"
#include "CProgressWriter.h"
#include "modCallPictureGenerator.h"
#include "modUTF8.h"

#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

std::string ReadStream(std::FILE* stream) {
    std::fflush(stream);
    std::rewind(stream);
    std::string text;
    char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, stream)) > 0)
        text.append(chunk, got);
    return text;
}

// A writer whose disk fills up when row `failAt` ends.
class DiskFullAtRow final : public IAnyPicture {
public:
    explicit DiskFullAtRow(std::int32_t failAt) : mFailAt(failAt) {}
    void EndNewLine(std::int32_t Y) override {
        if (Y == mFailAt)
            throw CError(28, u"На устройстве не осталось свободного места");
    }

private:
    std::int32_t mFailAt;
};

// Every row reports, so that what lands on the stream does not depend on the machine's speed.
constexpr ProgressPace kEveryRow{std::chrono::milliseconds(0), std::chrono::milliseconds(0)};

} // namespace

TEST(ConsoleReporting, ProgressWrapperChangesNothingInThePage) {
    TempDir dir;
    const TemplatesScope templates(u"<h>\r\n", u"<t>");
    FakeReporter ui;
    const QImage box = MakePicture(5, 4);

    CDivPicture direct;
    ASSERT_TRUE(CallPictureGenerator(direct, dir.File16("direct.htm"), box, ui, ui));

    std::FILE* progress = std::tmpfile();
    CDivPicture inner;
    CProgressWriter wrapped(inner, "wrapped.htm", progress);
    ASSERT_TRUE(CallPictureGenerator(wrapped, dir.File16("wrapped.htm"), box, ui, ui));
    EXPECT_EQ(ReadBytes(dir.File("wrapped.htm")), ReadBytes(dir.File("direct.htm")));
    // A page this quick shows no progress line.
    EXPECT_EQ(ReadStream(progress), "");
    std::fclose(progress);

    // A failure inside the wrapped writer reaches the walk, which still closes the file.
    std::FILE* sink = std::tmpfile();
    CDivPicture broken;
    CProgressWriter failing(broken, "x", sink);
    EXPECT_FALSE(CallPictureGenerator(failing, dir.File16("missing/x.htm"), box, ui, ui));
    EXPECT_EQ(ui.errors.size(), 1u);
    std::fclose(sink);
}

TEST(ConsoleReporting, MessagesThenNumberAndDescription) {
    std::FILE* stream = std::tmpfile();
    CConsoleReporter reporter(stream);
    reporter.ShowError(CError(28, u"На устройстве не осталось свободного места"),
                       u"/tmp/a.htm\r\n\r\nНе удалось сохранить файл.");
    reporter.MsgBox(u"Picture.ScaleMode != vbPixels", 16);
    EXPECT_EQ(ReadStream(stream), "/tmp/a.htm\n\nНе удалось сохранить файл.\n"
                                  "Ошибка 28: На устройстве не осталось свободного места\n"
                                  "Picture.ScaleMode != vbPixels\n");
    EXPECT_EQ(reporter.Failures(), 2);
    std::fclose(stream);
}

TEST(ConsoleReporting, ReportsStartOnALineOfTheirOwn) {
    const std::string rows = "\rp.htm: строка 1 из 3 (33%)\rp.htm: строка 2 из 3 (66%)";
    const std::string report = "/out/p.htm\n\nНе удалось сохранить файл.\n"
                               "Ошибка 28: На устройстве не осталось свободного места\n";
    const struct {
        const char* name;
        std::int32_t failAt; ///< -1: the page is written whole
        bool sameStream;     ///< the report goes where the progress line is
        std::string progress;
        std::string reports; ///< on the reporter's own stream when it is another
    } cases[] = {
        // A finished page takes its progress line away again.
        {"written", -1, true, rows + "\rp.htm: строка 3 из 3 (100%)\r\033[K", ""},
        // The line stays, telling how far the page got, and the report goes beneath it.
        {"failed mid-page", 2, true, rows + "\n" + report, ""},
        // No line yet: nothing comes before the report.
        {"failed on the first row", 0, true, report, ""},
        // A report on another stream leaves the progress line alone.
        {"report elsewhere", 2, false, rows + "\r\033[K", report},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::FILE* progress = std::tmpfile();
        std::FILE* other = std::tmpfile();
        CConsoleReporter reporter(c.sameStream ? progress : other);
        FakeReporter ui;
        const QImage box = MakePicture(2, 3);
        DiskFullAtRow inner(c.failAt);
        {
            CProgressWriter wrapped(inner, "p.htm", progress, kEveryRow);
            EXPECT_EQ(CallPictureGenerator(wrapped, u"/out/p.htm", box, ui, reporter),
                      c.failAt < 0);
        }
        EXPECT_EQ(ReadStream(progress), c.progress);
        EXPECT_EQ(ReadStream(other), c.reports);
        std::fclose(progress);
        std::fclose(other);
    }
}

TEST(ConsoleReporting, FileNamesPrintAsTheirBytes) {
    const struct {
        const char* name;
        std::u16string message;
        std::string printed;
    } cases[] = {
        // Latin-1 bytes are not UTF-8: the name carries them as escapes and prints them back.
        {"Latin-1 name", PathFromNative("/tmp/\xE9t\xE9.png"), "/tmp/\xE9t\xE9.png"},
        {"UTF-8 name", PathFromNative("/tmp/\xD1\x91\xD0\xB6.png"), "/tmp/\xD1\x91\xD0\xB6.png"},
        {"text above U+FFFF", u"\U0001F600", "\xF0\x9F\x98\x80"},
        // A lone half of a pair that is no escape of a byte is text that cannot be written.
        {"lone high half",
         u"a\xD800"
         u"b",
         "a\xEF\xBF\xBD"
         "b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::FILE* stream = std::tmpfile();
        CConsoleReporter reporter(stream);
        reporter.ShowError(CError(2, u"Нет такого файла или каталога"),
                           c.message + u"\r\n\r\nНе удалось загрузить файл.");
        EXPECT_EQ(ReadStream(stream), c.printed + "\n\nНе удалось загрузить файл.\n"
                                                  "Ошибка 2: Нет такого файла или каталога\n");
        std::fclose(stream);
    }
}
