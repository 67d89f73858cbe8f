#include "AppFakes.h"

#include "CAppObject.h"
#include "CError.h"
#include "CFlashScreen.h"
#include "CFlashWindow.h"
#include "CPictureFlasher.h"
#include "CSpaceKeyRule.h"
#include "frmMain.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const CAppObject kApp(U16(TESSELET_SOURCE_DIR "/resources"));
const std::u16string kNoScreen = u"Не удалось получить контекст устройства экрана.";
const std::u16string kNoCopy = u"Не удалось скопировать картинку на контекст устройства экрана.";

/// The Space rule with its calls written down: "show", "hide".
struct SpaceRig {
    std::vector<std::string> calls;
    std::vector<std::function<void()>> deferred;
    CSpaceKeyRule rule{[this] { calls.push_back("show"); }, [this] { calls.push_back("hide"); },
                       [this](CSpaceKeyRule::Action call) { deferred.push_back(std::move(call)); }};

    void Settle() {
        auto pending = std::move(deferred);
        deferred.clear();
        for (auto& call : pending)
            call();
    }
};

void SendKey(QWidget* target, QEvent::Type type, Qt::KeyboardModifiers modifiers, quint64 timestamp,
             bool autoRepeat = false) {
    QKeyEvent event(type, Qt::Key_Space, modifiers, QStringLiteral(" "), autoRepeat);
    event.setTimestamp(timestamp);
    QApplication::sendEvent(target, &event);
}

} // namespace

TEST(Flash, CopySizeRoundsFirstAndThenDividesTruncating) {
    EXPECT_EQ(CPictureFlasher::CopySize(1500.0f, 750.0f, 15.0f, 15.0f), QSize(100, 50));
    EXPECT_EQ(CPictureFlasher::CopySize(29.0f, 29.0f, 15.0f, 15.0f), QSize(1, 1));
    EXPECT_EQ(CPictureFlasher::CopySize(29.5f, 30.5f, 15.0f, 15.0f), QSize(2, 2));
    // Units per pixel are rounded too, halves to even: 14.5 -> 14, 15.5 -> 16.
    EXPECT_EQ(CPictureFlasher::CopySize(1400.0f, 1600.0f, 14.5f, 15.5f), QSize(100, 100));
    EXPECT_THROW(CPictureFlasher::CopySize(3e9f, 15.0f, 15.0f, 15.0f), CError);
    EXPECT_THROW(CPictureFlasher::CopySize(1500.0f, 1500.0f, 0.4f, 15.0f), CError);
}

TEST(Flash, NoScreenAndFailedCopyAreReported) {
    FakeComponents fakes;
    CPictureFlasher flasher(fakes, fakes);
    const QImage picture = TestPicture(4, 4);

    fakes.noScreen = true;
    flasher.Show(picture, 60.0f, 60.0f);
    EXPECT_EQ(fakes.log, (std::vector<std::string>{"GetDC", "MsgBox " + U8(kNoScreen)}));
    EXPECT_EQ(fakes.boxes.back().second, 16);
    EXPECT_TRUE(fakes.copies.empty());

    fakes.noScreen = false;
    fakes.copyFails = true;
    fakes.log.clear();
    flasher.Show(picture, 60.0f, 60.0f);
    // The screen is released after the message has been closed.
    EXPECT_EQ(fakes.log, (std::vector<std::string>{"GetDC", "BitBlt 4x4", "MsgBox " + U8(kNoCopy),
                                                   "ReleaseDC"}));
    EXPECT_EQ(fakes.boxes.back().second, 16);

    // A size that cannot be computed is a copy that could not be made, not a crash.
    fakes.copyFails = false;
    fakes.unitsPerPixel = 0.0f;
    fakes.log.clear();
    flasher.Show(picture, 60.0f, 60.0f);
    EXPECT_EQ(fakes.log, (std::vector<std::string>{"GetDC", "MsgBox " + U8(kNoCopy), "ReleaseDC"}));

    fakes.unitsPerPixel = 15.0f;
    fakes.log.clear();
    flasher.Show(picture, 60.0f, 60.0f);
    flasher.Hide();
    EXPECT_EQ(fakes.log,
              (std::vector<std::string>{"GetDC", "BitBlt 4x4", "ReleaseDC", "InvalidateRect"}));
}

TEST(Flash, AnyMouseButtonOnTheShowButtonShowsAndReleaseHides) {
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();
    QPushButton* show = Button(window, "cmdShowPicture");

    // Disabled until a picture is loaded: nothing happens.
    QTest::mousePress(show, Qt::LeftButton);
    QTest::mouseRelease(show, Qt::LeftButton);
    EXPECT_TRUE(fakes.copies.empty());
    EXPECT_EQ(fakes.invalidated, 0);

    LoadThroughButton(window, fakes, u"/pictures/cat.png", TestPicture(7, 5));
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        QTest::mousePress(show, button);
        QTest::mouseRelease(show, button);
    }
    EXPECT_EQ(fakes.copies, (std::vector<QSize>(3, QSize(7, 5))));
    EXPECT_EQ(fakes.invalidated, 3);
    EXPECT_TRUE(fakes.boxes.empty());
}

TEST(Flash, RealCopyIsAFramelessTopWindowAtTheScreensCorner) {
    FakeComponents fakes;
    CFlashScreen screen;
    CMainServices services = fakes.Services();
    CMainServices real{
        services.newFileDialog, services.newFolderMemory, fakes, fakes, fakes, screen, fakes};
    frmMain window(kApp, real);
    window.show();
    window.move(300, 200);
    const QImage picture = TestPicture(7, 5);
    LoadThroughButton(window, fakes, u"/pictures/cat.png", picture);
    QPushButton* show = Button(window, "cmdShowPicture");
    show->setFocus();

    QTest::mousePress(show, Qt::LeftButton);

    const CFlashWindow* copy = screen.Window();
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->isVisible());
    const QScreen* primary = QGuiApplication::primaryScreen();
    EXPECT_EQ(copy->geometry(), QRect(primary->geometry().topLeft(), QSize(7, 5)));
    const Qt::WindowFlags flags = copy->windowFlags();
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::X11BypassWindowManagerHint);
    EXPECT_TRUE(flags & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(flags & Qt::WindowTransparentForInput);
    EXPECT_TRUE(copy->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(window.focusWidget(), show);
    EXPECT_EQ(
        const_cast<CFlashWindow*>(copy)->grab().toImage().convertToFormat(QImage::Format_RGB32),
        picture);
    EXPECT_TRUE(fakes.boxes.empty());

    QTest::mouseRelease(show, Qt::LeftButton);
    EXPECT_FALSE(copy->isVisible());

    // A copy still shown goes away with the window.
    QTest::mousePress(show, Qt::LeftButton);
    EXPECT_TRUE(copy->isVisible());
    window.close();
    EXPECT_FALSE(copy->isVisible());
}

TEST(Flash, SpaceRuleHoldingAndModifiers) {
    {
        SpaceRig rig; // press and release
        rig.rule.KeyDown(32, 0, 100, false);
        rig.rule.KeyUp(32, 0, 200, false);
        EXPECT_EQ(rig.calls, (std::vector<std::string>{"show"}));
        rig.Settle();
        EXPECT_EQ(rig.calls, (std::vector<std::string>{"show", "hide"}));
    }
    {
        SpaceRig rig; // held under X11: pairs of one timestamp, not flagged
        rig.rule.KeyDown(32, 0, 100, false);
        for (quint64 t = 600; t < 800; t += 40) {
            rig.rule.KeyUp(32, 0, t, false);
            rig.rule.KeyDown(32, 0, t, false);
            rig.Settle();
        }
        EXPECT_EQ(rig.calls, std::vector<std::string>(6, "show"));
        rig.rule.KeyUp(32, 0, 900, false);
        rig.Settle();
        EXPECT_EQ(rig.calls.back(), "hide");
        EXPECT_EQ(std::count(rig.calls.begin(), rig.calls.end(), "hide"), 1);
    }
    {
        SpaceRig rig; // pairs that Qt flagged as auto-repeat
        rig.rule.KeyDown(32, 0, 100, false);
        rig.rule.KeyUp(32, 0, 600, true);
        rig.rule.KeyDown(32, 0, 600, true);
        rig.Settle();
        EXPECT_EQ(rig.calls, (std::vector<std::string>{"show", "show"}));
        rig.rule.KeyUp(32, 0, 700, false);
        rig.Settle();
        EXPECT_EQ(rig.calls, (std::vector<std::string>{"show", "show", "hide"}));
    }
    {
        SpaceRig rig; // released and pressed again before the check: the release still counts
        rig.rule.KeyDown(32, 0, 100, false);
        rig.rule.KeyUp(32, 0, 200, false);
        rig.rule.KeyDown(32, 0, 260, false);
        EXPECT_EQ(rig.calls, (std::vector<std::string>{"show", "hide", "show"}));
        rig.Settle(); // the stale check hides nothing
        EXPECT_EQ(rig.calls, (std::vector<std::string>{"show", "hide", "show"}));
    }
    {
        SpaceRig rig; // Shift, Ctrl or Alt held, other keys: nothing on either edge
        for (int mask : {1, 2, 4, 3}) {
            rig.rule.KeyDown(32, mask, 100, false);
            rig.rule.KeyUp(32, mask, 200, false);
        }
        rig.rule.KeyDown(13, 0, 300, false);
        rig.rule.KeyUp(13, 0, 400, false);
        rig.Settle();
        EXPECT_TRUE(rig.calls.empty());
    }
}

TEST(Flash, SpaceOnTheFocusedShowButton) {
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();
    LoadThroughButton(window, fakes, u"/pictures/cat.png", TestPicture(3, 2));
    QPushButton* show = Button(window, "cmdShowPicture");
    show->setFocus();

    SendKey(show, QEvent::KeyPress, Qt::ShiftModifier, 10);
    SendKey(show, QEvent::KeyRelease, Qt::ShiftModifier, 20);
    fakes.RunDeferred();
    EXPECT_TRUE(fakes.copies.empty());
    EXPECT_EQ(fakes.invalidated, 0);

    SendKey(show, QEvent::KeyPress, Qt::NoModifier, 100);
    SendKey(show, QEvent::KeyRelease, Qt::NoModifier, 600);
    SendKey(show, QEvent::KeyPress, Qt::NoModifier, 600);
    fakes.RunDeferred();
    SendKey(show, QEvent::KeyRelease, Qt::NoModifier, 640);
    SendKey(show, QEvent::KeyPress, Qt::NoModifier, 640);
    fakes.RunDeferred();
    EXPECT_EQ(fakes.copies.size(), 3u);
    EXPECT_EQ(fakes.invalidated, 0);

    SendKey(show, QEvent::KeyRelease, Qt::NoModifier, 700);
    EXPECT_EQ(fakes.invalidated, 0);
    fakes.RunDeferred();
    EXPECT_EQ(fakes.invalidated, 1);

    // Space on another button shows nothing.
    Button(window, "cmdSaveDIV")->setFocus();
    fakes.chooseFile = false;
    SendKey(Button(window, "cmdSaveDIV"), QEvent::KeyPress, Qt::NoModifier, 800);
    SendKey(Button(window, "cmdSaveDIV"), QEvent::KeyRelease, Qt::NoModifier, 900);
    fakes.RunDeferred();
    EXPECT_EQ(fakes.copies.size(), 3u);
    EXPECT_EQ(fakes.invalidated, 1);
}
