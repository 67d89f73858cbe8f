#include "AppFakes.h"
#include "ReadMeCatcher.h"

#include "CAppObject.h"
#include "CError.h"
#include "frmMain.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

const CAppObject kApp(U16(TESSELET_SOURCE_DIR "/resources"));

/// Catches what the desktop would be asked to open, for one test.
class ReadMeScope {
public:
    ReadMeScope() { QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open"); }
    ~ReadMeScope() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    ReadMeCatcher catcher;
};

} // namespace

TEST(Keys, ShiftF1AloneShowsTheAboutBox) {
    FakeComponents fakes;
    const ReadMeScope readMe;
    frmMain window(kApp, fakes.Services());
    window.show();
    Button(window, "cmdLoadPicture")->setFocus();

    PressKey(window, Qt::Key_F1, Qt::ControlModifier | Qt::ShiftModifier);
    PressKey(window, Qt::Key_F1, Qt::AltModifier);
    PressKey(window, Qt::Key_F1, Qt::ControlModifier);
    PressKey(window, Qt::Key_F1, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_TRUE(fakes.abouts.empty());
    EXPECT_TRUE(readMe.catcher.opened.isEmpty());

    PressKey(window, Qt::Key_F1, Qt::ShiftModifier);
    ASSERT_EQ(fakes.abouts.size(), 1u); // the key travels on to the window: still one box
    EXPECT_EQ(fakes.abouts[0].owner, &window);
    EXPECT_EQ(fakes.abouts[0].title, u"Korvane - Tesselet");
    EXPECT_EQ(fakes.abouts[0].text, u"");
    EXPECT_FALSE(fakes.abouts[0].hasPicture);
    EXPECT_FALSE(fakes.abouts[0].name.empty());
    EXPECT_TRUE(readMe.catcher.opened.isEmpty());
    EXPECT_TRUE(window.isVisible());
}

TEST(Keys, F1OpensTheReadMeOncePerPressWhicheverButtonHasTheFocus) {
    FakeComponents fakes;
    const ReadMeScope readMe;
    frmMain window(kApp, fakes.Services());
    window.show();
    Button(window, "cmdLoadPicture")->setFocus();

    PressKey(window, Qt::Key_F1);
    ASSERT_EQ(readMe.catcher.opened.size(), 1);
    const QString expected = QDir(QStringLiteral(TESSELET_TEST_DIR)).filePath("readme.html");
    EXPECT_EQ(readMe.catcher.opened[0], QUrl::fromLocalFile(expected));

    LoadThroughButton(window, fakes, u"/pictures/cat.png", TestPicture(3, 2));
    Button(window, "cmdSaveDIV")->setFocus();
    PressKey(window, Qt::Key_F1);
    EXPECT_EQ(readMe.catcher.opened.size(), 2);
    EXPECT_TRUE(fakes.abouts.empty());
    EXPECT_TRUE(fakes.errors.empty());
}

TEST(Keys, MissingReadMeIsReportedAndTheWindowStays) {
    FakeComponents fakes;
    const ReadMeScope readMe;
    frmMain window(kApp, fakes.Services());
    window.show();
    const QString readMeFile = QDir(QStringLiteral(TESSELET_TEST_DIR)).filePath("readme.html");
    {
        // Put back even when an assertion below fails.
        struct Away {
            QString from, to;
            ~Away() { QFile::rename(to, from); }
        } away{readMeFile, readMeFile + QStringLiteral(".away")};
        ASSERT_TRUE(QFile::rename(away.from, away.to));
        PressKey(window, Qt::Key_F1);
    }
    ASSERT_TRUE(QFile::exists(readMeFile));
    EXPECT_TRUE(readMe.catcher.opened.isEmpty());
    ASSERT_EQ(fakes.errors.size(), 1u);
    EXPECT_EQ(fakes.errors[0].style, 16);
    EXPECT_EQ(fakes.errors[0].number, CError::kFileNotFound);
    EXPECT_NE(U8(fakes.errors[0].description).find("readme.html"), std::string::npos);
    EXPECT_TRUE(window.isVisible());
}

TEST(Keys, EscClosesTheWindowWithoutModifiersOnly) {
    FakeComponents fakes;
    {
        frmMain window(kApp, fakes.Services());
        window.show();
        Button(window, "cmdLoadPicture")->setFocus();
        PressKey(window, Qt::Key_Escape, Qt::ShiftModifier);
        PressKey(window, Qt::Key_Escape, Qt::ControlModifier);
        PressKey(window, Qt::Key_Escape, Qt::AltModifier);
        EXPECT_TRUE(window.isVisible());
        PressKey(window, Qt::Key_Escape);
        EXPECT_FALSE(window.isVisible());
    }
    {
        frmMain window(kApp, fakes.Services());
        window.show();
        LoadThroughButton(window, fakes, u"/pictures/cat.png", TestPicture(3, 2));
        Button(window, "cmdSaveTABLE")->setFocus();
        PressKey(window, Qt::Key_Escape);
        EXPECT_FALSE(window.isVisible());
    }
    EXPECT_TRUE(fakes.errors.empty());
}

TEST(Keys, TheFocusedButtonStillGetsTheKey) {
    FakeComponents fakes;
    fakes.chooseFile = false;
    frmMain window(kApp, fakes.Services());
    window.show();
    Button(window, "cmdLoadPicture")->setFocus();

    // Space clicks a focused button; seen by the window first, it must reach the button too.
    PressKey(window, Qt::Key_Space);

    EXPECT_EQ(fakes.dialogs.size(), 1u);
}
