#include "AppFakes.h"

#include "CAppObject.h"
#include "frmMain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const CAppObject kApp(U16(TESSELET_SOURCE_DIR "/resources"));

/// The TABLE button's dialog: its own type, the two compact ones, then the common ones.
constexpr const char* kTableFilter =
    "TABLE картинки|*.table.htm|Сжатые TABLE картинки|*.compact.htm|"
    "TABLE картинки для писем|*.mail.htm|HTML файлы|*.HTM;*.HTML|Все файлы|*.*";

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// The page the converter writes of `picture` in `style`, with the start-up files the window has
/// here: none were read, so the head and tail are empty.
QByteArray ConverterPage(const QString& picture, const char* style, const QString& page) {
    QTemporaryDir startUp;
    for (const char* name : {"source.text", "template.1.html", "template.2.html"}) {
        QFile empty(startUp.filePath(QLatin1String(name)));
        EXPECT_TRUE(empty.open(QIODevice::WriteOnly));
    }
    QProcess cli;
    cli.start(QStringLiteral(TESSELET_BIN_DIR "/tesselet-cli"),
              {QStringLiteral("-q"), QStringLiteral("--templates"), startUp.path(),
               QStringLiteral("--style"), QString::fromLatin1(style), QStringLiteral("-o"), page,
               picture});
    if (!cli.waitForFinished(60000) || cli.exitCode() != 0)
        ADD_FAILURE() << "tesselet-cli --style " << style << ": "
                      << cli.readAllStandardError().toStdString();
    return FileBytes(page);
}

/// Flat areas and a noisy corner, so that a compact page differs from the TABLE page.
QImage FlatPicture(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(qRgb(30, 90, 200));
    for (int y = 0; y < height / 2; ++y)
        for (int x = 0; x < width / 3; ++x)
            picture.setPixel(x, y, qRgb(x * 37 % 256, y * 53 % 256, 120));
    return picture;
}

struct WindowWithPicture {
    FakeComponents fakes;
    frmMain window{kApp, fakes.Services()};
    QTemporaryDir pages;

    explicit WindowWithPicture(const QImage& picture) {
        window.show();
        LoadThroughButton(window, fakes, "cat.png", picture);
    }
    QString Page(const char* name) const { return pages.filePath(QString::fromLatin1(name)); }
    /// Presses the TABLE button with `page` chosen under the file type `type` (none: the type
    /// the dialog selected first).
    void SaveTable(const QString& page, std::optional<std::int32_t> type) {
        fakes.log.clear();
        fakes.boxes.clear();
        fakes.chooseFile = true;
        fakes.chosenPath = U16(page);
        fakes.chosenFilterIndex = type;
        Button(window, "cmdSaveTABLE")->click();
    }
};

} // namespace

// Each file type of the TABLE dialog writes its own style, exactly as the converter writes it, and
// is selected first the next time, with the proposed name in its extension; "HTML файлы" and "Все
// файлы" keep the type offered.
TEST(CompactSave, TheChosenFileTypeDecidesThePageAndIsOfferedNextTime) {
    WindowWithPicture run(FlatPicture(30, 12));
    const QString picture = QString::fromStdString(U8(run.fakes.PicturePath("cat.png")));
    const struct {
        std::int32_t type;
        const char* style;      ///< the converter's style of the page written
        const char* remembered; ///< the type remembered afterwards
        const char* extension;  ///< of the name proposed next time
        std::int32_t offeredNext;
    } cases[] = {
        {1, "compact", "compact", ".compact.htm", 1},
        {2, "compact-mail", "compact-mail", ".mail.htm", 2},
        {4, "compact-mail", "compact-mail", ".mail.htm", 2},
        {0, "table", "table", ".table.htm", 0},
        {3, "table", "table", ".table.htm", 0},
    };
    // Nothing remembered yet: the TABLE type first, with the TABLE name.
    run.SaveTable(run.Page("first.htm"), std::nullopt);
    ASSERT_EQ(run.fakes.dialogs.size(), 2u);
    EXPECT_EQ(U8(run.fakes.dialogs.back().filter), kTableFilter);
    EXPECT_EQ(run.fakes.dialogs.back().filterIndex, 0);
    EXPECT_EQ(FileBytes(run.Page("first.htm")),
              ConverterPage(picture, "table", run.Page("first.cli.htm")));

    for (const auto& test : cases) {
        SCOPED_TRACE(test.type);
        const QString page = run.Page("page.htm");
        QFile::remove(page);
        run.SaveTable(page, test.type);
        EXPECT_EQ(run.fakes.log, (std::vector<std::string>{"ShowSave", "MsgBox Готово ^_^"}));
        const QByteArray written = FileBytes(page);
        EXPECT_EQ(written, ConverterPage(picture, test.style, run.Page("cli.htm")));
        EXPECT_EQ(Remembered("TABLE Picture Type"), U16(test.remembered));
        EXPECT_EQ(Remembered("TABLE Picture"), U16(run.pages.path()));

        run.fakes.chooseFile = false;
        Button(run.window, "cmdSaveTABLE")->click();
        EXPECT_EQ(run.fakes.dialogs.back().filterIndex, test.offeredNext);
        EXPECT_EQ(U8(run.fakes.dialogs.back().defaultFileName),
                  U8(run.fakes.PicturePath("cat")) + test.extension);
        EXPECT_EQ(U8(run.fakes.dialogs.back().filter), kTableFilter);
    }
    // The compact pages differ from the TABLE page: the type really decided.
    EXPECT_NE(ConverterPage(picture, "compact", run.Page("a.htm")),
              ConverterPage(picture, "table", run.Page("b.htm")));
    // The other buttons offer their own style alone and remember no type.
    run.fakes.chooseFile = false;
    Button(run.window, "cmdSaveDIV")->click();
    EXPECT_EQ(run.fakes.dialogs.back().filterIndex, -1);
    EXPECT_EQ(Remembered("DIV Picture Type"), u"");
}

// A remembered type the dialog no longer offers, or a store that cannot be read, offers TABLE.
TEST(CompactSave, AnUnknownRememberedTypeOffersTable) {
    WindowWithPicture run(FlatPicture(4, 4));
    Remember("TABLE Picture Type", u"span");
    run.SaveTable(run.Page("page.htm"), std::nullopt);
    EXPECT_EQ(run.fakes.dialogs.back().filterIndex, 0);
    EXPECT_TRUE(FileBytes(run.Page("page.htm")).contains("<table"));
    EXPECT_EQ(Remembered("TABLE Picture Type"), u"table");
}

// A page predicted above the large-page size is written only when the user says OK; the question
// tells its size, rounded up to whole megabytes, and Cancel writes nothing and says nothing more.
TEST(CompactSave, ALargePageIsWrittenOnlyWhenTheUserAgrees) {
    // A TABLE page of well over one megabyte.
    WindowWithPicture run(TestPicture(260, 200));
    const QString page = run.Page("big.table.htm");
    run.fakes.Services().largePageBytes = UINT64_MAX;
    run.SaveTable(page, 0);
    const auto size = static_cast<std::uint64_t>(FileBytes(page).size());
    ASSERT_GT(size, 1024u * 1024u);
    ASSERT_TRUE(QFile::remove(page));
    const std::uint64_t megabytes = (size + 1024 * 1024 - 1) / (1024 * 1024);
    const std::string question = "AskOkCancel Страница займёт примерно " +
                                 std::to_string(megabytes) + " МБ. Всё равно сохранить?";

    const struct {
        std::uint64_t largePage;
        bool answerOk;
        std::vector<std::string> log;
        bool written;
    } cases[] = {
        {size, false, {"ShowSave", "MsgBox Готово ^_^"}, true},
        {size - 1, false, {"ShowSave", question}, false},
        {size - 1, true, {"ShowSave", question, "MsgBox Готово ^_^"}, true},
        {1000, false, {"ShowSave", question}, false},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.largePage);
        QFile::remove(page);
        run.fakes.Services().largePageBytes = test.largePage;
        run.fakes.answerOk = test.answerOk;
        run.SaveTable(page, 0);
        EXPECT_EQ(run.fakes.log, test.log);
        EXPECT_EQ(QFile::exists(page), test.written);
        if (test.log.size() > 1 && test.log[1] == question) {
            ASSERT_FALSE(run.fakes.boxes.empty());
            EXPECT_EQ(run.fakes.boxes[0].second, 1 + 48);
        }
    }
    // Cancel leaves no file at all in the folder, not even a temporary one.
    EXPECT_EQ(QDir(run.pages.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
    EXPECT_TRUE(run.fakes.errors.empty());
}
