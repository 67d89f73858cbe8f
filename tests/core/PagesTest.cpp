// What the golden pages cannot show: the rows the walk tells, a template larger than the output
// buffer, and a page's budget.

#include "TestSupport.h"

#include "CTablePicture.h"
#include "CallPictureGenerator.h"
#include "PageBudget.h"
#include "PageTemplates.h"

#include <QImage>
#include <gtest/gtest.h>

// The walk tells each row's end to the writer and to the progress shown, and stops between rows
// when asked; a picture laid out other than as it reads pixels is refused before the writer hears.
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
    EXPECT_EQ(page.substr(0, 3 + 698'007),
              "\xEF\xBB\xBF" + QString::fromStdU16String(head).toStdString());
    EXPECT_TRUE(page.ends_with(QString::fromStdU16String(tail).toStdString()));
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
