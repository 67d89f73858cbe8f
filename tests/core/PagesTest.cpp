// What the golden pages cannot show: the rows the walk tells, a template larger than the output
// buffer, a page's budget, and file names that are not UTF-8.

#include "TestSupport.h"

#include "CTablePicture.h"
#include "CallPictureGenerator.h"
#include "NativeText.h"
#include "PageBudget.h"
#include "PageTemplates.h"

#include <QImage>
#include <gtest/gtest.h>

// The walk tells the end of each row to the writer and to the progress shown, and stops between
// rows when asked; a picture laid out other than as it reads pixels is refused before the writer
// hears of it.
TEST(WriterContract, RowsAreToldAndTheWalkStopsWhenAsked) {
    struct Walk final : IAnyPicture, IGeneratorUi {
        std::string told;
        void OpenFile(const std::string&) override { told += "open "; }
        void EndNewLine(std::int32_t y) override { told += "row" + std::to_string(y) + " "; }
        bool RowWritten(std::int32_t done, std::int32_t rows) override {
            told += std::to_string(done) + "/" + std::to_string(rows) + " ";
            return done < 2;
        }
    } walk, refused;
    FakeReporter messages;
    EXPECT_FALSE(GeneratePicture(walk, "p.htm", MakePicture(1, 3), messages, &walk));
    EXPECT_EQ(walk.told, "open row0 1/3 row1 2/3 ");
    const QImage indexed = MakePicture(2, 2).convertToFormat(QImage::Format_Indexed8);
    EXPECT_FALSE(GeneratePicture(refused, "p.htm", indexed, messages, &refused));
    EXPECT_EQ(refused.told, "");
    EXPECT_EQ(messages.boxes.size(), 1u);
}

TEST(WriterContract, ATemplateLargerThanTheOutputBufferIsWrittenWhole) {
    TempDir dir;
    // The head fills most of the buffer; the tail, larger than the buffer, comes after it.
    const std::u16string head = u"<h>" + std::u16string(349'000, u'ж') + u"</h>";
    const std::u16string tail = u"<t>" + std::u16string(400'000, u'ж');
    const PageTemplates templates{head, tail, u""};
    CTablePicture table(templates);
    FakeReporter ui;
    ASSERT_TRUE(CallPictureGenerator(table, dir.File("big.htm"), QImage(), ui, ui));
    const std::string page = ReadBytes(dir.File("big.htm"));
    EXPECT_EQ(page.substr(0, 3 + 698'007), "\xEF\xBB\xBF" + U8(head));
    EXPECT_TRUE(page.ends_with(U8(tail)));
}

TEST(WriterContract, APageFitsItsBudgetAtTheWidestWidthThatFits) {
    // A page of exactly the budget fits; the halving goes on until the widths touch.
    const PageTemplates templates;
    const PageWriterMaker table = [&] { return std::make_unique<CTablePicture>(templates); };
    const auto pictureAt = [](int width, int) { return MakePicture(width, 2); };
    FakeReporter ui;
    const std::uint64_t budget = MeasurePage(table, pictureAt(9, 0), ui).value();
    EXPECT_EQ(FitPageToBudget(table, true, 16, pictureAt, budget, ui).value().picture.width(), 9);
}

TEST(Text, FileNamesKeepEveryByte) {
    const struct {
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {"a/ж€😀한", u"a/ж€😀한"},
        {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
        {"\xFF\xC0\xAF", u"\xDCFF\xDCC0\xDCAF"},           // never UTF-8; an overlong slash
        {"\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"},           // a surrogate spelled in UTF-8
        {"\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"}, // above U+10FFFF
        {"\xE2\x82", u"\xDCE2\xDC82"},                     // cut short
        {"\xE2\x82\x41", u"\xDCE2\xDC82\x41"},             // broken off by a letter
        {"\xDF\xBF", u"\u07FF"},                           // the last of two bytes
        {"\xEF\xBC\x81", u"\uFF01"},                       // the last lead byte of three
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PathForDisplay(c.bytes), QString::fromStdU16String(c.text)) << c.bytes;
        EXPECT_EQ(NativeFromDisplay(PathForDisplay(c.bytes)), c.bytes);
    }
    // A half pair typed as text has no bytes of its own: it is written as U+FFFD.
    EXPECT_EQ(NativeFromDisplay(QString::fromStdU16String(u"x\xD83Dz\xDE00")),
              "x\xEF\xBF\xBDz\xEF\xBF\xBD");
}
