#include "TesseletVersion.h"
#include "TestSupport.h"

#include "CAppObject.h"
#include "CError.h"
#include "CTextFileReader.h"
#include "modSourceAndTemplates.h"

#include <QImage>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace std::string_literals;
using namespace std::string_view_literals;

namespace {

const std::u16string kSentence = u"Не удалось загрузить файл шаблона. Продолжение невозможно.";

struct Folder {
    TempDir dir;
    Folder(const std::string& source, const std::string& head, const std::string& tail) {
        WriteBytes(dir.File("source.text"), source);
        WriteBytes(dir.File("template.1.html"), head);
        WriteBytes(dir.File("template.2.html"), tail);
    }
    CAppObject App() const { return CAppObject(U16(dir.Path())); }
};

} // namespace

TEST(Templates, LoadsAndPrepares) {
    const TemplatesScope restore(u"", u"");
    Folder folder("a b\r\nc d\te\n  ", "<%GENERATOR%|%GENERATOR%|%BODY_TAG_TAIL%>",
                  "<%GENERATOR%>");
    FakeReporter reporter;
    ASSERT_TRUE(LoadSourceAndTemplates(folder.App(), reporter));
    EXPECT_TRUE(reporter.errors.empty());
    EXPECT_EQ(gSourceText, u"abcd\te");
    EXPECT_EQ(gSourceTextLength, 6);
    const std::u16string generator = u"Korvane - Tesselet " TESSELET_VERSION_TEXT_U16;
    EXPECT_EQ(gTemplateHead, u"<" + generator + u"|" + generator + u"|%BODY_TAG_TAIL%>");
    EXPECT_EQ(gTemplateTail, u"<%GENERATOR%>");

    // Only blanks and line breaks, and empty templates: all accepted.
    Folder blank(" \r\n \n\r", "", "");
    ASSERT_TRUE(LoadSourceAndTemplates(blank.App(), reporter));
    EXPECT_EQ(gSourceText, u"");
    EXPECT_EQ(gSourceTextLength, 0);
    EXPECT_EQ(gTemplateHead, u"");
}

TEST(Templates, EachMissingFileStopsTheLoad) {
    const TemplatesScope restore(u"", u"");
    const char* names[] = {"source.text", "template.1.html", "template.2.html"};
    for (int missing = 0; missing < 3; ++missing) {
        Folder folder("src", "head", "tail");
        std::remove(folder.dir.File(names[missing]).c_str());
        // Files after the missing one are not read: were they, the folders in their place would
        // be reported instead.
        for (int later = missing + 1; later < 3; ++later) {
            std::remove(folder.dir.File(names[later]).c_str());
            ::mkdir(folder.dir.File(names[later]).c_str(), 0755);
        }
        FakeReporter reporter;
        EXPECT_FALSE(LoadSourceAndTemplates(folder.App(), reporter));
        ASSERT_EQ(reporter.errors.size(), 1u);
        EXPECT_EQ(reporter.errors[0].message,
                  folder.dir.File16(names[missing]) + u"\r\n\r\n" + kSentence);
        EXPECT_EQ(reporter.errors[0].number, 2);
    }

    // A folder in place of a file cannot be read either.
    Folder folder("src", "head", "tail");
    std::remove(folder.dir.File("template.2.html").c_str());
    ::mkdir(folder.dir.File("template.2.html").c_str(), 0755);
    FakeReporter reporter;
    EXPECT_FALSE(LoadSourceAndTemplates(folder.App(), reporter));
    EXPECT_EQ(reporter.errors.at(0).number, 21); // EISDIR
}

TEST(Templates, TextEncodings) {
    // Each file's bytes as ReadAll gives their text.
    const struct {
        const char* name;
        std::string bytes;
        std::u16string text;
    } cases[] = {
        // Byte-order marks select the encoding and are dropped; a second mark is text.
        {"UTF-8 mark", "\xEF\xBB\xBF\xD0\xBF!", u"п!"},
        {"UTF-8 mark twice", "\xEF\xBB\xBF\xEF\xBB\xBFx", u"\uFEFFx"},
        {"UTF-8 mark, then ill-formed",
         "\xEF\xBB\xBF"
         "a\xC0z\xE2\x82",
         u"a\uFFFDz\uFFFD\uFFFD"},
        {"UTF-16 LE", "\xFF\xFE\x3F\x04\x3D\xD8\x00\xDE"s, u"п\U0001F600"},
        {"UTF-16 BE", "\xFE\xFF\x04\x3F\x00\x21"s, u"п!"},
        {"UTF-16 LE mark twice", "\xFF\xFE\xFF\xFEx\0"s, u"\uFEFFx"},
        {"UTF-16 odd last byte", "\xFF\xFEx\0y"s, u"x\uFFFD"},
        // A surrogate without its other half stands for nothing: U+FFFD, wherever it is.
        {"UTF-16 lone low",
         "\xFF\xFE"
         "a\0\x00\xDC"
         "b\0"s,
         u"a\uFFFDb"},
        {"UTF-16 lone high at the end",
         "\xFF\xFE"
         "a\0\x3D\xD8"s,
         u"a\uFFFD"},
        {"UTF-16 high, high, low", "\xFE\xFF\xD8\x3D\xD8\x3D\xDE\x00"s, u"\uFFFD\U0001F600"},
        {"UTF-16 lone high, odd byte",
         "\xFF\xFE\x3D\xD8"
         "b"s,
         u"\uFFFD\uFFFD"},
        // Without a mark: UTF-8 when it is well-formed, otherwise Windows-1251.
        {"UTF-8", "\xD0\x9C\xD0\xB8\xD1\x80 \xF0\x9F\x98\x80", u"Мир \U0001F600"},
        {"UTF-8 with a zero byte", "a\0b"s, u"a\0b"s},
        {"Windows-1251", "\xCC\xE8\xF0 \xB8\xE6", u"Мир ёж"},
        {"Windows-1251 punctuation", "\x85\x88\x96\xAB\xB9\xBB", u"…€–«№»"},
        // 0x98 is the one byte the code page leaves unassigned.
        {"Windows-1251 unassigned", "\xC0\x98", u"А\uFFFD"},
        // One stray byte makes the whole file Windows-1251: one letter per byte.
        {"invalid UTF-8", "\xD0\x81\xC0", u"РЃА"},
        {"encoded surrogate", "\xED\xA0\x80", u"н\u00A0Ђ"},
        {"overlong", "\xC0\xAF", u"АЇ"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", u"фђЂЂ"},
        {"empty", "", u""},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(dir.File("text"), c.bytes);
        EXPECT_EQ(CTextFileReader::ReadAll(dir.File16("text")), c.text);
    }
}

TEST(Templates, CostlyStartUpFilesCostLittle) {
    // Every run has far less memory than the largest file, so a file that was read whole could
    // not start at all; inputs whose cost grew with the square of their size never finish.
    constexpr rlim_t kMemory = rlim_t{512} << 20;
    constexpr std::size_t kMarkers = 1'000'000;
    constexpr std::size_t kBlankRuns = 2'000'000; // four bytes each: 8 MB

    std::string markers = "<b";
    std::string markedHead = "<b";
    for (std::size_t i = 0; i < kMarkers; ++i) {
        markers += "%BODY_TAG_TAIL%|";
        markedHead += " style=\"background:black;\"|";
    }
    markers += ">";
    markedHead += ">";
    std::string blankSource;
    for (const char letter : "abcdefghij"s) {
        blankSource += letter;
        for (std::size_t i = 0; i < kBlankRuns / 10; ++i)
            blankSource += " \r\n ";
    }

    // What the SPAN page of a black picture 10 pixels wide holds.
    const auto spanPage = [](const std::string& head, const std::string& letters,
                             const std::string& tail) {
        std::string page = "\xEF\xBB\xBF" + head + "<pre style=\"font-size:5pt;\">\r\n";
        for (const char letter : letters)
            page += "<span style=\"color:#000000;\">"s + letter + "</span>";
        return page + "\r\n</pre>\r\n" + tail;
    };
    const std::string tooLarge = "Ошибка 1490: Файл больше 64 МиБ\n";
    const std::string notRegular = "Ошибка 1485: Это не обычный файл\n";
    enum class Special { None, SparseHead, FifoTail };

    const struct {
        const char* name;
        std::string source, head, tail;
        Special special;
        const char* failing;  ///< the file refused, or nullptr when the page is written
        std::string expected; ///< the error line, or the page
    } cases[] = {
        {"sparse 1 GiB head", "abc", "", "<t>", Special::SparseHead, "template.1.html", tooLarge},
        // Opening a FIFO for reading waits for a writer that never comes.
        {"FIFO for the tail", "abc", "<h>", "", Special::FifoTail, "template.2.html", notRegular},
        {"a million markers in the head", "abcdefghij", markers, "<t>", Special::None, nullptr,
         spanPage(markedHead, "abcdefghij", "<t>")},
        {"8 MB of blanks between the letters", blankSource, "<h>", "<t>", Special::None, nullptr,
         spanPage("<h>", "abcdefghij", "<t>")},
    };

    TempDir dir;
    QImage black(10, 1, QImage::Format_RGB32);
    black.fill(Qt::black);
    ASSERT_TRUE(black.save(QString::fromStdString(dir.File("black.png"))));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folder = dir.File(c.name);
        ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
        WriteBytes(folder + "/source.text", c.source);
        WriteBytes(folder + "/template.1.html", c.head);
        if (c.special == Special::SparseHead) {
            ASSERT_EQ(::truncate((folder + "/template.1.html").c_str(), off_t{1} << 30), 0);
        }
        if (c.special == Special::FifoTail) {
            ASSERT_EQ(::mkfifo((folder + "/template.2.html").c_str(), 0644), 0);
        } else {
            WriteBytes(folder + "/template.2.html", c.tail);
        }

        const std::string page = folder + "/page.htm";
        const CliRun run = RunCli(
            {"-q", "--style", "span", "--templates", folder, "-o", page, dir.File("black.png")},
            [] {
                // The memory limit proves the cost; the address sanitizer cannot start under one,
                // so there the test proves the pages and refusals alone.
                if (kAddressSanitizer)
                    return;
                const rlimit limit{kMemory, kMemory};
                ::setrlimit(RLIMIT_AS, &limit);
            });
        if (c.failing != nullptr) {
            EXPECT_EQ(run.status, 2);
            EXPECT_EQ(run.err,
                      folder + "/" + c.failing + "\n\n" + U8(kSentence) + "\n" + c.expected);
            EXPECT_FALSE(Exists(page));
        } else {
            EXPECT_EQ(run.status, 0) << run.err;
            // Compared as a whole, not through EXPECT_EQ, which would print megabytes.
            const std::string written = ReadBytes(page);
            EXPECT_TRUE(written == c.expected) << written.size() << " bytes written";
        }
    }
}

TEST(Templates, LargestStartUpFileIsSixtyFourMebibytes) {
    constexpr off_t kLimit = off_t{64} << 20;
    const struct {
        off_t size;
        bool read;
    } cases[] = {{kLimit, true}, {kLimit + 1, false}};
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        const std::string file = dir.File("template.1.html");
        WriteBytes(file, "");
        ASSERT_EQ(::truncate(file.c_str(), c.size), 0);
        try {
            // Zero bytes are valid UTF-8: one letter each.
            EXPECT_EQ(CTextFileReader::ReadAll(U16(file)).size(), static_cast<std::size_t>(c.size));
            EXPECT_TRUE(c.read);
        } catch (const CError& error) {
            EXPECT_FALSE(c.read);
            EXPECT_EQ(error.Number(), 1490);
            EXPECT_EQ(U8(error.Description()), "Файл больше 64 МиБ");
        }
    }
}
