// What the window shows for a bad picture or a page that cannot be written: the path, an empty
// line, the sentence, and the error's number and text; the window stays as it was.

#include "AppFakes.h"

#include "BadPictures.h"
#include "CAppObject.h"
#include "frmMain.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const CAppObject kApp(U16(TESSELET_SOURCE_DIR "/resources"));
const std::u16string kLoadSentence =
    u"\r\n\r\nНе удалось загрузить файл. Формат не поддерживается, либо это не картинка.";

/// The name the SPAN dialog proposes: it derives from the picture last loaded.
std::u16string ProposedName(frmMain& window, FakeComponents& fakes) {
    fakes.chooseFile = false;
    Button(window, "cmdSaveSPAN")->click();
    fakes.chooseFile = true;
    return fakes.dialogs.back().defaultFileName;
}

} // namespace

TEST(WindowBadInput, BadPicturesAreReportedAndTheHeldPictureStays) {
    QTemporaryDir dir;
    const std::vector<BadPicture> bad = WriteBadPictures(dir.path().toStdString());
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();

    // Before any picture: each is reported and nothing becomes available.
    for (const BadPicture& picture : bad) {
        fakes.errors.clear();
        fakes.chosenPath = U16(dir.filePath(QString::fromStdString(picture.name)).toStdString());
        Button(window, "cmdLoadPicture")->click();
        ASSERT_EQ(fakes.errors.size(), 1u) << picture.name;
        EXPECT_EQ(fakes.errors[0].message, fakes.chosenPath + kLoadSentence);
        EXPECT_EQ(fakes.errors[0].number, picture.number) << picture.name;
        EXPECT_NE(U8(fakes.errors[0].description).find(picture.detail), std::string::npos)
            << picture.name;
        EXPECT_FALSE(Button(window, "cmdSaveTABLE")->isEnabled()) << picture.name;
    }

    // After a good picture: a bad one leaves it held, and its name proposed.
    fakes.chosenPath = U16(TESSELET_SOURCE_DIR "/resources/sample.png");
    fakes.errors.clear();
    Button(window, "cmdLoadPicture")->click();
    ASSERT_TRUE(fakes.errors.empty());
    ASSERT_TRUE(Button(window, "cmdSaveTABLE")->isEnabled());
    fakes.chosenPath = U16(dir.filePath(QStringLiteral("cut.jpg")).toStdString());
    Button(window, "cmdLoadPicture")->click();
    EXPECT_EQ(fakes.errors.size(), 1u);
    EXPECT_EQ(ProposedName(window, fakes), U16(TESSELET_SOURCE_DIR "/resources/sample.span.htm"));
    EXPECT_TRUE(Button(window, "cmdSaveTABLE")->isEnabled());
}

TEST(WindowBadInput, PagesThatCannotBeWrittenAreReportedWithoutDone) {
    QTemporaryDir dir;
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();
    LoadThroughButton(window, fakes, "cat.png", TestPicture(30, 20));

    const struct {
        const char* button;
        std::u16string path;
        int number;
    } outputs[] = {
        {"cmdSaveSPAN", U16(dir.filePath(QStringLiteral("no/such/cat.span.htm")).toStdString()), 2},
        {"cmdSaveTABLE", U16(dir.path().toStdString()), 21},
        {"cmdSaveDIV", u"/dev/full", 28},
    };
    for (const auto& output : outputs) {
        fakes.errors.clear();
        fakes.chosenPath = output.path;
        Button(window, output.button)->click();
        ASSERT_EQ(fakes.errors.size(), 1u) << output.button;
        EXPECT_EQ(fakes.errors[0].message, output.path + u"\r\n\r\nНе удалось сохранить файл.");
        EXPECT_EQ(fakes.errors[0].number, output.number) << output.button;
        EXPECT_TRUE(fakes.boxes.empty()) << output.button;
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}
