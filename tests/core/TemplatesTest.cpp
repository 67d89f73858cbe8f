#include "support/TestSupport.h"

#include "support/CAppObject.h"
#include "support/CTextFileReader.h"
#include "templates/modSourceAndTemplates.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace std::string_view_literals;

namespace {

const std::u16string kSentence = u"Не удалось загрузить файл шаблона. Продолжение невозможно.";

// Counts reads and passes them on, so that a test sees which files were read.
class CountingReader final : public ITextFileReader {
public:
    std::u16string ReadAll(const std::u16string& path) override {
        paths.push_back(U8(path));
        return real.ReadAll(path);
    }
    CTextFileReader real;
    std::vector<std::string> paths;
};

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
    CountingReader reader;
    FakeReporter reporter;
    ASSERT_TRUE(LoadSourceAndTemplates(folder.App(), reader, reporter));
    EXPECT_TRUE(reporter.errors.empty());
    EXPECT_EQ(gSourceText, u"abcd\te");
    EXPECT_EQ(gSourceTextLength, 6);
    EXPECT_EQ(gTemplateHead,
              u"<Korvane - Tesselet 1.1.17|Korvane - Tesselet 1.1.17|%BODY_TAG_TAIL%>");
    EXPECT_EQ(gTemplateTail, u"<%GENERATOR%>");
    EXPECT_EQ(reader.paths, (std::vector<std::string>{folder.dir.File("source.text"),
                                                      folder.dir.File("template.1.html"),
                                                      folder.dir.File("template.2.html")}));

    // Only blanks and line breaks, and empty templates: all accepted.
    Folder blank(" \r\n \n\r", "", "");
    ASSERT_TRUE(LoadSourceAndTemplates(blank.App(), reader, reporter));
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
        CountingReader reader;
        FakeReporter reporter;
        EXPECT_FALSE(LoadSourceAndTemplates(folder.App(), reader, reporter));
        // Files after the missing one are not read.
        EXPECT_EQ(reader.paths.size(), static_cast<std::size_t>(missing + 1));
        ASSERT_EQ(reporter.errors.size(), 1u);
        EXPECT_EQ(reporter.errors[0].message,
                  folder.dir.File16(names[missing]) + u"\r\n\r\n" + kSentence);
        EXPECT_EQ(reporter.errors[0].number, 2);
        EXPECT_EQ(reporter.errors[0].style, 16);
    }

    // A folder in place of a file cannot be read either.
    Folder folder("src", "head", "tail");
    std::remove(folder.dir.File("template.2.html").c_str());
    ::mkdir(folder.dir.File("template.2.html").c_str(), 0755);
    CTextFileReader reader;
    FakeReporter reporter;
    EXPECT_FALSE(LoadSourceAndTemplates(folder.App(), reader, reporter));
    EXPECT_EQ(reporter.errors.at(0).number, 21); // EISDIR
}

TEST(Templates, TextEncodings) {
    // Byte-order marks select the encoding and are dropped.
    EXPECT_EQ(CTextFileReader::Decode("\xEF\xBB\xBF\xD0\xBF!"), u"п!");
    EXPECT_EQ(CTextFileReader::Decode("\xFF\xFE\x3F\x04\x3D\xD8\x00\xDE"sv), u"п\U0001F600");
    EXPECT_EQ(CTextFileReader::Decode("\xFE\xFF\x04\x3F\x00\x21"sv), u"п!");
    // Without a mark: UTF-8 when it is valid, otherwise Windows-1251.
    EXPECT_EQ(CTextFileReader::Decode("\xD0\x9C\xD0\xB8\xD1\x80"), u"Мир");
    EXPECT_EQ(CTextFileReader::Decode("\xCC\xE8\xF0 \xB8\xE6"), u"Мир ёж");
    EXPECT_EQ(CTextFileReader::Decode(""), u"");

    const TemplatesScope restore(u"", u"");
    Folder folder(std::string("\xFF\xFE"
                              "a\0 \0b\0",
                              8),
                  "\xCF\xF0\xE8\xE2\xE5\xF2", "\xEF\xBB\xBF\xD0\xBF");
    CTextFileReader reader;
    FakeReporter reporter;
    ASSERT_TRUE(LoadSourceAndTemplates(folder.App(), reader, reporter));
    EXPECT_EQ(gSourceText, u"ab");
    EXPECT_EQ(gTemplateHead, u"Привет");
    EXPECT_EQ(gTemplateTail, u"п");
}
