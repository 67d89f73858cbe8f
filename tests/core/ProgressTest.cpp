#include "support/TestSupport.h"

#include "cli/CConsoleReporter.h"
#include "cli/CProgressWriter.h"
#include "generator/modCallPictureGenerator.h"
#include "writers/CDivPicture.h"

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

} // namespace

TEST(ConsoleReporting, ProgressWrapperChangesNothingInThePage) {
    TempDir dir;
    const TemplatesScope templates(u"<h>\r\n", u"<t>");
    FakeReporter ui;
    FakePictureBox box(5, 4);

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
    reporter.ShowError(CError(28, u"No space left on device"), 16, 0,
                       u"/tmp/a.htm\r\n\r\nНе удалось сохранить файл.");
    reporter.MsgBox(u"Picture.ScaleMode != vbPixels", 16);
    EXPECT_EQ(ReadStream(stream), "/tmp/a.htm\n\nНе удалось сохранить файл.\n"
                                  "Error 28: No space left on device\n"
                                  "Picture.ScaleMode != vbPixels\n");
    EXPECT_EQ(reporter.Failures(), 2);
    std::fclose(stream);
}
