#include "AppFakes.h"

#include "CAppObject.h"
#include "CFlashWindow.h"
#include "CSpaceKeyRule.h"
#include "frmMain.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

const CAppObject kApp(U16(TESSELET_SOURCE_DIR "/resources"));

/// Long enough for a release to have settled, were it going to.
constexpr int kSettleMs = 150;

/// The Space rule with its calls written down: "show", "hide".
struct SpaceRig {
    std::vector<std::string> calls;
    CSpaceKeyRule rule{[this] { calls.push_back("show"); }, [this] { calls.push_back("hide"); }};

    void Press(quint64 time, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
               int key = Qt::Key_Space) {
        rule.KeyDown(key, modifiers, time);
    }
    void Release(quint64 time, bool autoRepeat = false,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier, int key = Qt::Key_Space) {
        rule.KeyUp(key, modifiers, time, autoRepeat);
    }
    std::size_t Hides() const {
        return std::size_t(std::count(calls.begin(), calls.end(), "hide"));
    }
};

void SendKey(QWidget* target, QEvent::Type type, Qt::KeyboardModifiers modifiers, quint64 timestamp,
             bool autoRepeat = false) {
    QKeyEvent event(type, Qt::Key_Space, modifiers, QStringLiteral(" "), autoRepeat);
    event.setTimestamp(timestamp);
    QApplication::sendEvent(target, &event);
}

QImage Plain(QImage image) {
    image.setDevicePixelRatio(1.0);
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(Flash, AnyMouseButtonOnTheShowButtonShowsAndReleaseHides) {
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();
    QPushButton* show = Button(window, "cmdShowPicture");

    // Disabled until a picture is loaded: nothing happens.
    QTest::mousePress(show, Qt::LeftButton);
    QTest::mouseRelease(show, Qt::LeftButton);
    EXPECT_TRUE(fakes.flashes.empty());
    EXPECT_EQ(fakes.hides, 0);

    const QImage picture = TestPicture(7, 5);
    LoadThroughButton(window, fakes, "cat.png", picture);
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        SCOPED_TRACE(button);
        QTest::mousePress(show, button);
        ASSERT_FALSE(fakes.flashes.empty());
        EXPECT_EQ(Plain(fakes.flashes.back()), picture);
        const int hides = fakes.hides;
        QTest::mouseRelease(show, button);
        EXPECT_EQ(fakes.hides, hides + 1);
    }
    EXPECT_EQ(fakes.flashes.size(), 3u);
    EXPECT_TRUE(fakes.boxes.empty());
}

TEST(Flash, APictureThatCannotBeShownIsReported) {
    const struct {
        FlashResult result;
        std::u16string message;
    } cases[] = {
        {FlashResult::NoScreen, u"Не удалось получить контекст устройства экрана."},
        {FlashResult::NotCopied, u"Не удалось скопировать картинку на контекст устройства экрана."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(U8(c.message));
        FakeComponents fakes;
        frmMain window(kApp, fakes.Services());
        window.show();
        LoadThroughButton(window, fakes, "cat.png", TestPicture(4, 4));
        fakes.flashResult = c.result;

        QTest::mousePress(Button(window, "cmdShowPicture"), Qt::LeftButton);

        ASSERT_EQ(fakes.boxes.size(), 1u);
        EXPECT_EQ(fakes.boxes[0].first, c.message);
        EXPECT_EQ(fakes.boxes[0].second, 16);
        EXPECT_TRUE(window.isVisible());
    }
}

// Also run by CTest at QT_SCALE_FACTOR 1.25 and 2: the window is the picture's size in device
// pixels, even where no logical size gives it (odd sides at 2, most small ones at 1.25), and what
// it puts on the screen is the picture, one picture pixel on one device pixel, with nothing left
// out and no strip beyond it.
TEST(FlashWindow, ShowsThePictureOneToOneAtTheScreensCorner) {
    CFlashWindow flash;
    QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen->devicePixelRatio();
    const QSize sizes[] = {QSize(37, 23), QSize(1, 1), QSize(3, 5),    QSize(64, 48), QSize(2, 2),
                           QSize(7, 5),   QSize(8, 6), QSize(101, 64), QSize(1, 9)};
    for (const QSize size : sizes) {
        SCOPED_TRACE(testing::Message()
                     << size.width() << "x" << size.height() << " at ratio " << ratio);
        const QImage picture = TestPicture(size.width(), size.height());

        ASSERT_EQ(flash.Show(picture), FlashResult::Shown);
        QCoreApplication::processEvents(); // the window system's answer to the new geometry

        EXPECT_TRUE(flash.isVisible());
        EXPECT_EQ(flash.pos(), screen->geometry().topLeft());
        EXPECT_EQ(flash.DeviceGeometry(), QRect(QPoint(0, 0), size));
        EXPECT_EQ(Plain(flash.OnScreen()), picture);
        // The widget's own rendering at the screen's ratio agrees, over the window's pixels.
        EXPECT_EQ(Plain(flash.grab().toImage()).copy(QRect(QPoint(0, 0), size)), picture);
    }
    // Held down, the same picture again keeps the window where it is.
    const QImage last = TestPicture(3, 5);
    ASSERT_EQ(flash.Show(last), FlashResult::Shown);
    ASSERT_EQ(flash.Show(last), FlashResult::Shown);
    QCoreApplication::processEvents();
    EXPECT_EQ(flash.DeviceGeometry(), QRect(0, 0, 3, 5));
    EXPECT_EQ(Plain(flash.OnScreen()), last);

    flash.Hide();
    EXPECT_FALSE(flash.isVisible());
    EXPECT_TRUE(flash.DeviceGeometry().isEmpty());
    EXPECT_EQ(flash.Show(QImage()), FlashResult::NotCopied);
}

TEST(FlashWindow, StaysOnTopWithoutTakingTheFocusAndGoesWithTheMainWindow) {
    FakeComponents fakes;
    CFlashWindow flash;
    CMainServices real{fakes.Services().newFileDialog, fakes, flash};
    frmMain window(kApp, real);
    window.show();
    window.move(300, 200);
    LoadThroughButton(window, fakes, "cat.png", TestPicture(7, 5));
    QPushButton* show = Button(window, "cmdShowPicture");
    show->setFocus();

    QTest::mousePress(show, Qt::LeftButton);

    EXPECT_TRUE(flash.isVisible());
    const Qt::WindowFlags flags = flash.windowFlags();
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::X11BypassWindowManagerHint);
    EXPECT_TRUE(flags & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(flags & Qt::WindowTransparentForInput);
    EXPECT_TRUE(flash.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_FALSE(flash.testAttribute(Qt::WA_QuitOnClose));
    EXPECT_EQ(window.focusWidget(), show);
    EXPECT_TRUE(fakes.boxes.empty());

    QTest::mouseRelease(show, Qt::LeftButton);
    EXPECT_FALSE(flash.isVisible());

    // A picture still shown goes away with the window.
    QTest::mousePress(show, Qt::LeftButton);
    EXPECT_TRUE(flash.isVisible());
    window.close();
    EXPECT_FALSE(flash.isVisible());
}

TEST(Flash, SpaceRule) {
    {
        SpaceRig rig; // press and release: the hide comes once the release has settled
        rig.Press(100);
        rig.Release(200);
        EXPECT_EQ(rig.calls, (std::vector<std::string>{"show"}));
        ASSERT_TRUE(WaitFor([&] { return rig.Hides() == 1; }));
        EXPECT_EQ(rig.calls, (std::vector<std::string>{"show", "hide"}));
    }
    {
        SpaceRig rig; // held under X11: pairs of one timestamp, not flagged
        rig.Press(100);
        for (quint64 t = 600; t < 800; t += 40) {
            rig.Release(t);
            rig.Press(t);
            QTest::qWait(kSettleMs);
        }
        EXPECT_EQ(rig.calls, std::vector<std::string>(6, "show"));
        rig.Release(900);
        ASSERT_TRUE(WaitFor([&] { return rig.Hides() == 1; }));
        QTest::qWait(kSettleMs);
        EXPECT_EQ(rig.calls.back(), "hide");
        EXPECT_EQ(rig.Hides(), 1u);
    }
    {
        SpaceRig rig; // pairs that Qt flagged as auto-repeat
        rig.Press(100);
        rig.Release(600, true);
        rig.Press(600);
        QTest::qWait(kSettleMs);
        EXPECT_EQ(rig.calls, (std::vector<std::string>{"show", "show"}));
        rig.Release(700);
        ASSERT_TRUE(WaitFor([&] { return rig.Hides() == 1; }));
    }
    {
        SpaceRig rig; // released and pressed again before the check: the release still counts
        rig.Press(100);
        rig.Release(200);
        rig.Press(260);
        EXPECT_EQ(rig.calls, (std::vector<std::string>{"show", "hide", "show"}));
        QTest::qWait(kSettleMs); // the stale check hides nothing
        EXPECT_EQ(rig.calls, (std::vector<std::string>{"show", "hide", "show"}));
    }
    {
        SpaceRig rig; // any modifier held, or another key: nothing on either edge
        for (Qt::KeyboardModifiers modifiers :
             {Qt::KeyboardModifiers(Qt::ShiftModifier), Qt::KeyboardModifiers(Qt::ControlModifier),
              Qt::KeyboardModifiers(Qt::AltModifier), Qt::KeyboardModifiers(Qt::MetaModifier),
              Qt::ShiftModifier | Qt::ControlModifier}) {
            rig.Press(100, modifiers);
            rig.Release(200, false, modifiers);
        }
        rig.Press(300, Qt::NoModifier, Qt::Key_Return);
        rig.Release(400, false, Qt::NoModifier, Qt::Key_Return);
        QTest::qWait(kSettleMs);
        EXPECT_TRUE(rig.calls.empty());
    }
}

TEST(Flash, SpaceOnTheFocusedShowButton) {
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();
    LoadThroughButton(window, fakes, "cat.png", TestPicture(3, 2));
    QPushButton* show = Button(window, "cmdShowPicture");
    show->setFocus();

    SendKey(show, QEvent::KeyPress, Qt::ShiftModifier, 10);
    SendKey(show, QEvent::KeyRelease, Qt::ShiftModifier, 20);
    QTest::qWait(kSettleMs);
    EXPECT_TRUE(fakes.flashes.empty());
    EXPECT_EQ(fakes.hides, 0);

    // Held: the pairs of one instant keep the picture shown.
    SendKey(show, QEvent::KeyPress, Qt::NoModifier, 100);
    SendKey(show, QEvent::KeyRelease, Qt::NoModifier, 600);
    SendKey(show, QEvent::KeyPress, Qt::NoModifier, 600);
    QTest::qWait(kSettleMs);
    SendKey(show, QEvent::KeyRelease, Qt::NoModifier, 640);
    SendKey(show, QEvent::KeyPress, Qt::NoModifier, 640);
    QTest::qWait(kSettleMs);
    EXPECT_EQ(fakes.flashes.size(), 3u);
    EXPECT_EQ(fakes.hides, 0);

    SendKey(show, QEvent::KeyRelease, Qt::NoModifier, 700);
    EXPECT_TRUE(WaitFor([&] { return fakes.hides == 1; }));

    // Space on another button shows nothing.
    Button(window, "cmdSaveDIV")->setFocus();
    fakes.chooseFile = false;
    SendKey(Button(window, "cmdSaveDIV"), QEvent::KeyPress, Qt::NoModifier, 800);
    SendKey(Button(window, "cmdSaveDIV"), QEvent::KeyRelease, Qt::NoModifier, 900);
    QTest::qWait(kSettleMs);
    EXPECT_EQ(fakes.flashes.size(), 3u);
    EXPECT_EQ(fakes.hides, 1);
}

TEST(Flash, EveryWayTheHoldEndsTakesThePictureAway) {
    enum Hold { kSpace, kMouse };
    const struct {
        const char* name;
        Hold hold;
        std::function<void(frmMain&)> end;
    } cases[] = {
        {"Space released after Tab moved the focus", kSpace,
         [](frmMain& window) {
             PressKey(window, Qt::Key_Tab);
             SendKey(window.focusWidget(), QEvent::KeyRelease, Qt::NoModifier, 900);
         }},
        {"Space released after an arrow key moved the focus", kSpace,
         [](frmMain& window) {
             Button(window, "cmdSaveDIV")->setFocus();
             SendKey(window.focusWidget(), QEvent::KeyRelease, Qt::NoModifier, 900);
         }},
        {"Space held, then a press of another instant elsewhere", kSpace,
         [](frmMain& window) {
             PressKey(window, Qt::Key_Tab);
             SendKey(window.focusWidget(), QEvent::KeyRelease, Qt::NoModifier, 900);
             SendKey(window.focusWidget(), QEvent::KeyPress, Qt::NoModifier, 950);
         }},
        {"the mouse released over another button", kMouse,
         [](frmMain& window) {
             QTest::mouseRelease(Button(window, "cmdLoadPicture"), Qt::LeftButton);
         }},
        {"a second press elsewhere", kMouse,
         [](frmMain& window) {
             QTest::mousePress(Button(window, "cmdSaveSPAN"), Qt::RightButton);
         }},
        {"the focus leaves the window", kSpace,
         [](frmMain& window) {
             ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
             static QWidget other;
             other.show();
             other.activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
             other.hide();
         }},
        {"the window hidden", kSpace, [](frmMain& window) { window.hide(); }},
        {"the window closed", kMouse, [](frmMain& window) { window.close(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeComponents fakes;
        frmMain window(kApp, fakes.Services());
        window.show();
        LoadThroughButton(window, fakes, "cat.png", TestPicture(3, 2));
        QPushButton* show = Button(window, "cmdShowPicture");
        show->setFocus();
        if (c.hold == kSpace)
            SendKey(show, QEvent::KeyPress, Qt::NoModifier, 100);
        else
            QTest::mousePress(show, Qt::LeftButton);
        ASSERT_EQ(fakes.flashes.size(), 1u);

        c.end(window);

        EXPECT_TRUE(WaitFor([&] { return fakes.hides >= 1; }));
        QTest::qWait(kSettleMs);
        EXPECT_EQ(fakes.flashes.size(), 1u);
    }
}

TEST(Flash, SpaceHeldWhileTheFocusMovesKeepsThePictureUntilReleased) {
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();
    LoadThroughButton(window, fakes, "cat.png", TestPicture(3, 2));
    QPushButton* show = Button(window, "cmdShowPicture");
    show->setFocus();
    SendKey(show, QEvent::KeyPress, Qt::NoModifier, 100);
    PressKey(window, Qt::Key_Tab);
    ASSERT_NE(window.focusWidget(), show);

    // X11's pairs of one instant, now at the other button: still held.
    SendKey(window.focusWidget(), QEvent::KeyRelease, Qt::NoModifier, 600);
    SendKey(window.focusWidget(), QEvent::KeyPress, Qt::NoModifier, 600);
    QTest::qWait(kSettleMs);
    EXPECT_EQ(fakes.hides, 0);

    SendKey(window.focusWidget(), QEvent::KeyRelease, Qt::NoModifier, 700);
    EXPECT_TRUE(WaitFor([&] { return fakes.hides == 1; }));
}
