#include "AppFakes.h"

#include "CAppObject.h"
#include "CError.h"
#include "frmMain.h"

#include <QFile>
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
    Remember("Source Picture", u"/old");
    fakes.chooseFile = false;
    frmMain window(kApp, fakes.Services());
    window.show();

    Button(window, "cmdLoadPicture")->click();

    EXPECT_EQ(fakes.log, std::vector<std::string>{"ShowOpen"});
    ASSERT_EQ(fakes.dialogs.size(), 1u);
    EXPECT_EQ(fakes.dialogs[0].initialFolder, u"/old");
    EXPECT_NE(fakes.dialogs[0].filter.find(u"*.png"), std::u16string::npos);
    EXPECT_EQ(fakes.dialogs[0].options, 0);
    EXPECT_EQ(fakes.dialogs[0].owner, &window);
    EXPECT_EQ(Remembered("Source Picture"), u"/old");
    EXPECT_FALSE(OthersEnabled(window));
    EXPECT_EQ(fakes.dialogsAlive, 0);
}

TEST(Load, FailedLoadIsReportedButTheFolderIsRemembered) {
    FakeComponents fakes;
    fakes.chosenPath = fakes.PicturePath("notes.txt");
    {
        QFile notes(fakes.pictures.filePath(QStringLiteral("notes.txt")));
        ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
        notes.write("no picture in here\n");
    }
    frmMain window(kApp, fakes.Services());
    window.show();

    Button(window, "cmdLoadPicture")->click();

    EXPECT_EQ(fakes.log, (std::vector<std::string>{"ShowOpen", "ShowError"}));
    ASSERT_EQ(fakes.errors.size(), 1u);
    EXPECT_EQ(fakes.errors[0].number, CError::kInvalidPicture);
    EXPECT_EQ(fakes.errors[0].message,
              fakes.chosenPath +
                  u"\r\n\r\nНе удалось загрузить файл. Формат не поддерживается, либо это не "
                  u"картинка.");
    EXPECT_EQ(Remembered("Source Picture"), U16(fakes.pictures.path()));
    EXPECT_FALSE(OthersEnabled(window));
    EXPECT_EQ(HeldSize(window), QSize(0, 0));
}

TEST(Load, LoadedPictureEnablesTheButtonsAndSurvivesALaterFailure) {
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();

    LoadThroughButton(window, fakes, "cat.png", TestPicture(7, 5));
    EXPECT_TRUE(OthersEnabled(window));
    EXPECT_EQ(HeldSize(window), QSize(7, 5));
    EXPECT_TRUE(fakes.errors.empty());
    EXPECT_EQ(ProposedName(window, fakes), fakes.PicturePath("cat.span.htm"));

    // The next dialog opens where the last picture was chosen.
    fakes.chooseFile = false;
    Button(window, "cmdLoadPicture")->click();
    EXPECT_EQ(fakes.dialogs.back().initialFolder, U16(fakes.pictures.path()));

    // A failed load keeps the earlier picture and path; the folder still moves on.
    fakes.chooseFile = true;
    fakes.chosenPath = u"/elsewhere/missing.png";
    Button(window, "cmdLoadPicture")->click();
    EXPECT_EQ(fakes.errors.size(), 1u);
    EXPECT_TRUE(OthersEnabled(window));
    EXPECT_EQ(HeldSize(window), QSize(7, 5));
    EXPECT_EQ(ProposedName(window, fakes), fakes.PicturePath("cat.span.htm"));
    EXPECT_EQ(Remembered("Source Picture"), u"/elsewhere");

    // The same file twice gives the state of loading it once.
    LoadThroughButton(window, fakes, "dog.png", TestPicture(4, 4));
    LoadThroughButton(window, fakes, "dog.png", TestPicture(4, 4));
    EXPECT_EQ(HeldSize(window), QSize(4, 4));
    EXPECT_EQ(ProposedName(window, fakes), fakes.PicturePath("dog.span.htm"));
    EXPECT_EQ(fakes.dialogsAlive, 0);
}

TEST(Load, FailingStepsAreSkippedOneByOne) {
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();
    {
        const BrokenStore broken;
        fakes.failing = {"Filter", "OwnerWindow"};
        LoadThroughButton(window, fakes, "cat.png", TestPicture(2, 2));
        fakes.failing.clear();
    }

    ASSERT_EQ(fakes.dialogs.size(), 1u);
    EXPECT_FALSE(fakes.dialogs[0].hasInitialFolder);
    EXPECT_FALSE(fakes.dialogs[0].hasFilter);
    EXPECT_EQ(fakes.dialogs[0].options, 0);
    EXPECT_EQ(fakes.dialogs[0].owner, nullptr);
    EXPECT_TRUE(OthersEnabled(window));
    EXPECT_EQ(HeldSize(window), QSize(2, 2));
    EXPECT_TRUE(fakes.errors.empty());

    // A dialog that cannot be shown ends the press like a cancel.
    fakes.failing = {"ShowOpen"};
    LoadThroughButton(window, fakes, "other.png", TestPicture(3, 3));
    fakes.failing.clear();
    EXPECT_EQ(HeldSize(window), QSize(2, 2));
    EXPECT_EQ(ProposedName(window, fakes), fakes.PicturePath("cat.span.htm"));
    EXPECT_TRUE(fakes.errors.empty());
}
