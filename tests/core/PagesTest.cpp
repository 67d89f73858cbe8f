// What the golden pages cannot show: the walk's steps, a template larger than the buffer, a budget.

#include "TestSupport.h"

#include "CTablePicture.h"
#include "CallPictureGenerator.h"
#include "FileMessages.h"
#include "PageBudget.h"
#include "PageTemplates.h"

#include <QImage>
#include <gtest/gtest.h>

// Each step in turn, the progress at each row's end; a stop between rows when asked, and at a
// writer's failure, told once, the page closed once init passed; another layout refused first.
TEST(WriterContract, TheWalkTellsEachStepAndStopsWhenAskedOrAtAFailure) {
    struct Walk final : IAnyPicture, IGeneratorUi {
        std::string failAt, told;
        void Step(const std::string& step) {
            told += step + " ";
            if (step == failAt) {
                failAt.clear(); // the close after a failure succeeds
                throw Failure::FromErrno(ENOSPC);
            }
        }
        void Init() override { Step("init"); }
        void OpenFile(const std::string& name) override { Step("open " + name); }
        void BeginPicture(std::int32_t width, std::int32_t height) override {
            Step("begin " + std::to_string(width) + "x" + std::to_string(height));
        }
        void WritePixel(PixelColor color, std::int32_t x, std::int32_t y) override {
            Step(QString::number(color, 16).toStdString() + "@" + std::to_string(x) +
                 std::to_string(y));
        }
        void BeginNewLine(std::int32_t y) override { Step("line" + std::to_string(y)); }
        void EndNewLine(std::int32_t y) override { Step("row" + std::to_string(y)); }
        void EndPicture() override { Step("end"); }
        void CloseFile() override { Step("close"); }
        bool RowWritten(std::int32_t done, std::int32_t rows) override {
            told += std::to_string(done) + "/" + std::to_string(rows) + " ";
            return done < 2;
        }
    };
    const std::string started = "init open p.htm begin 1x3 line0 ff000000@00 row0 ";
    const std::tuple<const char*, std::string, QString> rows[] = {
        {"", started + "1/3 line1 ff100000@01 row1 2/3 close ", {}},
        {"init", "init ", Tr(kWriterInitFailed)},
        {"open p.htm", "init open p.htm close ", FileMessage("p.htm", Tr(kSaveFailed))},
        {"ff100000@01", started + "1/3 line1 ff100000@01 close ",
         FileMessage("p.htm", Tr(kSaveFailed))},
        {"close", started + "1/3 line1 ff100000@01 row1 2/3 close close ",
         FileMessage("p.htm", Tr(kSaveFailed))},
    };
    for (const auto& [failAt, told, said] : rows) {
        Walk walk;
        walk.failAt = failAt;
        FakeReporter messages;
        EXPECT_FALSE(GeneratePicture(walk, "p.htm", MakePicture(1, 3), messages, &walk));
        EXPECT_EQ(walk.told, told);
        EXPECT_EQ(messages.said, said.isEmpty() ? std::vector<QString>{} : std::vector{said});
    }
    Walk refused;
    FakeReporter messages;
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
