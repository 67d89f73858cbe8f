#include "AppFakes.h"

#include "CAppObject.h"
#include "frmMain.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace {

const CAppObject kApp(U16(TESSELET_SOURCE_DIR "/resources"));
const char* const kOthers[] = {"cmdShowPicture", "cmdSaveSPAN", "cmdSaveTABLE", "cmdSaveDIV"};

bool OthersEnabled(frmMain& window) {
    bool all = true, any = false;
    for (const char* name : kOthers) {
        all = all && Button(window, name)->isEnabled();
        any = any || Button(window, name)->isEnabled();
    }
    EXPECT_EQ(all, any) << "the four buttons are enabled together";
    return all;
}

QSize HeldSize(frmMain& window) {
    return window.findChild<QWidget*>(QStringLiteral("picPicture"))->size();
}

/// The name the SPAN dialog proposes, which derives from the path last loaded.
std::u16string ProposedName(frmMain& window, FakeComponents& fakes) {
    fakes.chooseFile = false;
    Button(window, "cmdSaveSPAN")->click();
    return fakes.dialogs.back().defaultFileName;
}

} // namespace

TEST(Load, CancelledDialogChangesNothing) {
    FakeComponents fakes;
    fakes.store[u"OFN Paths/Source Picture"] = u"/old";
    fakes.chooseFile = false;
    frmMain window(kApp, fakes.Services());
    window.show();

    Button(window, "cmdLoadPicture")->click();

    const std::vector<std::string> expected = {
        "ReadValue OFN Paths/Source Picture Korvane - Tesselet",
        "InitialFolder /old",
        "GetPictureFilter",
        "Filter Картинки|*.png;*.bmp|Все файлы|*.*",
        "DialogOptions 0",
        "OwnerWindow",
        "ShowOpen"};
    EXPECT_EQ(fakes.log, expected);
    ASSERT_EQ(fakes.dialogs.size(), 1u);
    EXPECT_EQ(fakes.dialogs[0].owner, &window);
    EXPECT_EQ(fakes.store.size(), 1u);
    EXPECT_EQ(fakes.store[u"OFN Paths/Source Picture"], u"/old");
    EXPECT_FALSE(OthersEnabled(window));
    EXPECT_TRUE(fakes.errors.empty());
    EXPECT_EQ(fakes.dialogsAlive, 0);
}

TEST(Load, FailedLoadIsReportedButTheFolderIsRemembered) {
    FakeComponents fakes;
    fakes.chosenPath = u"/pictures/notes.txt";
    fakes.loadFails = true;
    frmMain window(kApp, fakes.Services());
    window.show();

    Button(window, "cmdLoadPicture")->click();

    const std::vector<std::string> tail = {
        "ShowOpen",
        "SelectedFile",
        "WriteValue OFN Paths/Source Picture /pictures Korvane - Tesselet",
        "SelectedFile",
        "LoadPictureFile /pictures/notes.txt",
        "SelectedFile",
        "ShowError"};
    ASSERT_GE(fakes.log.size(), tail.size());
    EXPECT_EQ(std::vector<std::string>(fakes.log.end() - tail.size(), fakes.log.end()), tail);
    ASSERT_EQ(fakes.errors.size(), 1u);
    EXPECT_EQ(fakes.errors[0].style, 16);
    EXPECT_EQ(fakes.errors[0].number, CError::kInvalidPicture);
    EXPECT_EQ(U8(fakes.errors[0].message),
              "/pictures/notes.txt\r\n\r\nНе удалось загрузить файл. Формат не поддерживается, "
              "либо это не картинка.");
    EXPECT_EQ(fakes.store[u"OFN Paths/Source Picture"], u"/pictures");
    EXPECT_FALSE(OthersEnabled(window));
    EXPECT_EQ(HeldSize(window), QSize(0, 0));
}

TEST(Load, LoadedPictureEnablesTheButtonsAndSurvivesALaterFailure) {
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();

    LoadThroughButton(window, fakes, u"/pictures/cat.png", TestPicture(7, 5));
    EXPECT_TRUE(OthersEnabled(window));
    EXPECT_EQ(HeldSize(window), QSize(7, 5));
    EXPECT_TRUE(fakes.errors.empty());
    EXPECT_EQ(ProposedName(window, fakes), u"/pictures/cat.span.htm");

    // The next dialog opens where the last picture was chosen.
    fakes.chooseFile = false;
    Button(window, "cmdLoadPicture")->click();
    EXPECT_EQ(fakes.dialogs.back().initialFolder, u"/pictures");

    // A failed load keeps the earlier picture and path; the folder still moves on.
    fakes.chooseFile = true;
    fakes.chosenPath = u"/elsewhere/broken.png";
    fakes.loadFails = true;
    Button(window, "cmdLoadPicture")->click();
    EXPECT_EQ(fakes.errors.size(), 1u);
    EXPECT_TRUE(OthersEnabled(window));
    EXPECT_EQ(HeldSize(window), QSize(7, 5));
    EXPECT_EQ(ProposedName(window, fakes), u"/pictures/cat.span.htm");
    EXPECT_EQ(fakes.store[u"OFN Paths/Source Picture"], u"/elsewhere");

    // The same file twice gives the state of loading it once.
    LoadThroughButton(window, fakes, u"/pictures/dog.bmp", TestPicture(4, 4));
    LoadThroughButton(window, fakes, u"/pictures/dog.bmp", TestPicture(4, 4));
    EXPECT_EQ(HeldSize(window), QSize(4, 4));
    EXPECT_EQ(ProposedName(window, fakes), u"/pictures/dog.span.htm");
    EXPECT_EQ(fakes.dialogsAlive, 0);
}

TEST(Load, FailingStepsAreSkippedOneByOne) {
    FakeComponents fakes;
    fakes.failing = {"ReadValue", "GetPictureFilter", "WriteValue"};
    frmMain window(kApp, fakes.Services());
    window.show();

    LoadThroughButton(window, fakes, u"/pictures/cat.png", TestPicture(2, 2));

    ASSERT_EQ(fakes.dialogs.size(), 1u);
    EXPECT_FALSE(fakes.dialogs[0].hasInitialFolder);
    EXPECT_FALSE(fakes.dialogs[0].hasFilter);
    EXPECT_EQ(fakes.dialogs[0].options, 0);
    EXPECT_EQ(fakes.dialogs[0].owner, &window);
    EXPECT_TRUE(fakes.store.empty());
    EXPECT_TRUE(OthersEnabled(window));
    EXPECT_TRUE(fakes.errors.empty());

    // A dialog that cannot be made or shown ends the press like a cancel.
    fakes.failing = {"MakeDialog"};
    LoadThroughButton(window, fakes, u"/pictures/other.png", TestPicture(3, 3));
    fakes.failing = {"ShowOpen"};
    LoadThroughButton(window, fakes, u"/pictures/other.png", TestPicture(3, 3));
    fakes.failing.clear();
    EXPECT_EQ(HeldSize(window), QSize(2, 2));
    EXPECT_TRUE(fakes.errors.empty());
}

TEST(Load, EmptyPictureEndsThePressQuietly) {
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();

    LoadThroughButton(window, fakes, u"/pictures/empty.png", QImage());

    EXPECT_TRUE(fakes.errors.empty());
    EXPECT_TRUE(fakes.boxes.empty());
    EXPECT_FALSE(OthersEnabled(window));
    EXPECT_EQ(fakes.store[u"OFN Paths/Source Picture"], u"/pictures");
}
