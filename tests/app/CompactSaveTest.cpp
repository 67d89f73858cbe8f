#include "AppFakes.h"

#include "CAppObject.h"
#include "frmMain.h"
#include "modPictureFiles.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
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

/// Opaque, fully transparent and partly transparent areas; the transparent pixels hold colours
/// far from white, so that a page that drops their alpha differs from one over white.
QImage SeeThroughPicture(int width, int height) {
    QImage picture(width, height, QImage::Format_ARGB32);
    picture.fill(qRgba(30, 90, 200, 255));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (x < width / 3 && y < height / 2)
                picture.setPixel(x, y, qRgba(200, 20, 40, 0));
            else if (x >= 2 * width / 3)
                picture.setPixel(x, y, qRgba(10, 120, 60, 40 + (x * 61 + y * 17) % 180));
        }
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
    const std::uint64_t megabytes =
        (size + std::uint64_t{1024} * 1024 - 1) / (std::uint64_t{1024} * 1024);
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

// A picture with transparent pixels: the compact pages keep its alpha exactly as the converter
// does, while the classic pages, the picture on the screen and the table on the clipboard get it
// over white as before.
TEST(CompactSave, TransparencyReachesTheCompactPagesAloneAsInTheConverter) {
    const QImage seeThrough = SeeThroughPicture(24, 10);
    WindowWithPicture run(seeThrough);
    const QString picture = QString::fromStdString(U8(run.fakes.PicturePath("cat.png")));
    // The same picture over white: its compact page is not the one with transparency.
    const QImage flat = LoadPictureFile(run.fakes.PicturePath("cat.png"));
    ASSERT_EQ(flat.format(), QImage::Format_RGB32);
    const QString flatPicture = run.pages.filePath(QStringLiteral("flat.png"));
    ASSERT_TRUE(flat.save(flatPicture, "PNG"));
    ASSERT_NE(ConverterPage(picture, "compact", run.Page("a.htm")),
              ConverterPage(flatPicture, "compact", run.Page("b.htm")));

    const struct {
        std::int32_t type;
        const char* style;
    } tableTypes[] = {{1, "compact"}, {2, "compact-mail"}, {0, "table"}};
    for (const auto& test : tableTypes) {
        SCOPED_TRACE(test.style);
        const QString page = run.Page("page.htm");
        QFile::remove(page);
        run.SaveTable(page, test.type);
        EXPECT_EQ(run.fakes.log, (std::vector<std::string>{"ShowSave", "MsgBox Готово ^_^"}));
        EXPECT_EQ(FileBytes(page), ConverterPage(picture, test.style, run.Page("cli.htm")));
    }
    // The TABLE page is the one of the picture over white.
    const QByteArray table = ConverterPage(flatPicture, "table", run.Page("flat.table.htm"));
    EXPECT_EQ(FileBytes(run.Page("page.htm")), table);

    const struct {
        const char* button;
        const char* style;
    } otherButtons[] = {{"cmdSaveSPAN", "span"}, {"cmdSaveDIV", "div"}};
    for (const auto& test : otherButtons) {
        SCOPED_TRACE(test.style);
        const QString page = run.Page("other.htm");
        QFile::remove(page);
        run.fakes.log.clear();
        run.fakes.chooseFile = true;
        run.fakes.chosenPath = U16(page);
        Button(run.window, test.button)->click();
        EXPECT_EQ(run.fakes.log, (std::vector<std::string>{"ShowSave", "MsgBox Готово ^_^"}));
        const QByteArray written = FileBytes(page);
        EXPECT_EQ(written, ConverterPage(picture, test.style, run.Page("cli.htm")));
        EXPECT_EQ(written, ConverterPage(flatPicture, test.style, run.Page("cli.htm")));
    }

    // The screen shows the picture over white, every time the button is pressed.
    QPushButton* show = Button(run.window, "cmdShowPicture");
    for (int press = 0; press < 2; ++press) {
        QTest::mousePress(show, Qt::LeftButton);
        ASSERT_EQ(run.fakes.flashes.size(), static_cast<std::size_t>(press) + 1);
        EXPECT_EQ(run.fakes.flashes.back().format(), QImage::Format_RGB32);
        EXPECT_EQ(run.fakes.flashes.back(), flat);
        QTest::mouseRelease(show, Qt::LeftButton);
    }

    // The clipboard's table is the TABLE page's, over white.
    QGuiApplication::clipboard()->clear();
    PressKey(run.window, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    ASSERT_TRUE(data->hasHtml());
    const QByteArray html = data->html().toUtf8();
    EXPECT_TRUE(html.startsWith("<table"));
    EXPECT_TRUE(table.endsWith(html));
    EXPECT_TRUE(run.fakes.errors.empty());
}
