#include "AppFakes.h"
#include "TesseletVersion.h"

#include "CAppObject.h"
#include "CError.h"
#include "frmMain.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const CAppObject kApp(U16(TESSELET_SOURCE_DIR "/resources"));

/// Stands in for the desktop's opener for one test: an "xdg-open" alone on the PATH that writes
/// down what it is asked to open and ends with `status`.
class ReadMeScope {
public:
    explicit ReadMeScope(int status = 0) : mPath(qgetenv("PATH")) {
        QFile opener(mFolder.filePath(QStringLiteral("xdg-open")));
        EXPECT_TRUE(opener.open(QIODevice::WriteOnly));
        opener.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1'\nexit %2\n")
                         .arg(mFolder.filePath(QStringLiteral("opened")))
                         .arg(status)
                         .toUtf8());
        opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", mFolder.path().toUtf8());
    }
    ~ReadMeScope() { qputenv("PATH", mPath); }
    /// What the opener was asked to open so far.
    QStringList Opened() const {
        QFile file(mFolder.filePath(QStringLiteral("opened")));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

private:
    QTemporaryDir mFolder;
    QByteArray mPath;
};

QString ReadMeFile() {
    return QDir(QStringLiteral(TESSELET_TEST_DIR)).filePath("readme.html");
}

} // namespace

TEST(Keys, EachKeyActsWithExactlyItsModifiers) {
    enum Effect { kNothing, kAbout, kReadMe, kClose };
    const struct {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
        Effect effect;
    } cases[] = {
        {"Shift+F1", Qt::Key_F1, Qt::ShiftModifier, kAbout},
        {"F1", Qt::Key_F1, Qt::NoModifier, kReadMe},
        {"Esc", Qt::Key_Escape, Qt::NoModifier, kClose},
        {"Ctrl+Shift+F1", Qt::Key_F1, Qt::ControlModifier | Qt::ShiftModifier, kNothing},
        {"Alt+Shift+F1", Qt::Key_F1, Qt::AltModifier | Qt::ShiftModifier, kNothing},
        {"Ctrl+F1", Qt::Key_F1, Qt::ControlModifier, kNothing},
        {"Alt+F1", Qt::Key_F1, Qt::AltModifier, kNothing},
        {"Meta+F1", Qt::Key_F1, Qt::MetaModifier, kNothing},
        {"Shift+Esc", Qt::Key_Escape, Qt::ShiftModifier, kNothing},
        {"Ctrl+Esc", Qt::Key_Escape, Qt::ControlModifier, kNothing},
        {"Alt+Esc", Qt::Key_Escape, Qt::AltModifier, kNothing},
        {"F2", Qt::Key_F2, Qt::NoModifier, kNothing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeComponents fakes;
        const ReadMeScope readMe;
        frmMain window(kApp, fakes.Services());
        window.show();
        Button(window, "cmdLoadPicture")->setFocus();
        BoxCloser boxes;

        PressKey(window, c.key, c.modifiers);

        // The key travels on from the button to the window: still one effect per press.
        ASSERT_EQ(boxes.boxes.size(), c.effect == kAbout ? 1u : 0u);
        if (c.effect == kReadMe) {
            ASSERT_TRUE(WaitFor([&] { return readMe.Opened().size() == 1; }));
        }
        EXPECT_EQ(readMe.Opened().size(), c.effect == kReadMe ? 1 : 0);
        EXPECT_EQ(window.isVisible(), c.effect != kClose);
        EXPECT_TRUE(fakes.errors.empty());
        EXPECT_TRUE(fakes.dialogs.empty());
        if (c.effect == kAbout) {
            const ShownBox& about = boxes.boxes[0];
            EXPECT_EQ(about.title, QStringLiteral("Korvane - Tesselet"));
            EXPECT_EQ(about.text, QStringLiteral("Korvane - Tesselet\nВерсия " TESSELET_VERSION_TEXT
                                                 "\n\nСобрано для тех, кто видит в "
                                                 "картинке мозаику."));
            EXPECT_EQ(about.parent, &window);
        }
        if (c.effect == kReadMe) {
            EXPECT_EQ(readMe.Opened()[0], ReadMeFile());
        }
    }
}

TEST(Keys, F1OpensTheReadMeWhicheverButtonHasTheFocus) {
    FakeComponents fakes;
    const ReadMeScope readMe;
    frmMain window(kApp, fakes.Services());
    window.show();
    LoadThroughButton(window, fakes, "cat.png", TestPicture(3, 2));
    Button(window, "cmdSaveDIV")->setFocus();

    PressKey(window, Qt::Key_F1);
    Button(window, "cmdShowPicture")->setFocus();
    PressKey(window, Qt::Key_F1);

    EXPECT_TRUE(WaitFor([&] { return readMe.Opened().size() == 2; }));
    EXPECT_TRUE(fakes.errors.empty());
}

TEST(Keys, MissingReadMeIsReportedAndTheWindowStays) {
    FakeComponents fakes;
    const ReadMeScope readMe;
    frmMain window(kApp, fakes.Services());
    window.show();
    {
        // Put back even when an assertion below fails.
        struct Away {
            QString from, to;
            ~Away() { QFile::rename(to, from); }
        } away{ReadMeFile(), ReadMeFile() + QStringLiteral(".away")};
        ASSERT_TRUE(QFile::rename(away.from, away.to));
        PressKey(window, Qt::Key_F1);
    }
    ASSERT_TRUE(QFile::exists(ReadMeFile()));
    QTest::qWait(100);
    EXPECT_TRUE(readMe.Opened().isEmpty());
    ASSERT_EQ(fakes.errors.size(), 1u);
    EXPECT_EQ(fakes.errors[0].number, CError::kFileNotFound);
    EXPECT_EQ(fakes.errors[0].message, u"");
    EXPECT_NE(U8(fakes.errors[0].description).find("readme.html"), std::string::npos);
    EXPECT_TRUE(window.isVisible());
}

TEST(Keys, EscClosesTheWindowWhicheverButtonHasTheFocus) {
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();
    LoadThroughButton(window, fakes, "cat.png", TestPicture(3, 2));
    Button(window, "cmdSaveTABLE")->setFocus();

    PressKey(window, Qt::Key_Escape);

    EXPECT_FALSE(window.isVisible());
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

TEST(Keys, AReadMeThatNothingCouldOpenIsReported) {
    const struct {
        const char* name;
        bool opener;
    } cases[] = {
        {"an opener that fails, as a browser refusing to run", true},
        {"no opener and no browser at all", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeComponents fakes;
        const ReadMeScope readMe(3);
        const QTemporaryDir nothing;
        if (!c.opener)
            qputenv("PATH", nothing.path().toUtf8());
        frmMain window(kApp, fakes.Services());
        window.show();

        PressKey(window, Qt::Key_F1);

        ASSERT_TRUE(WaitFor([&] { return !fakes.errors.empty(); }));
        EXPECT_EQ(fakes.errors[0].number, CError::kPathAccess);
        EXPECT_EQ(fakes.errors[0].message, u"");
        EXPECT_NE(U8(fakes.errors[0].description).find("readme.html"), std::string::npos);
        EXPECT_EQ(readMe.Opened().size(), c.opener ? 1 : 0);
        EXPECT_TRUE(window.isVisible());
    }
}

TEST(Keys, EnterPressesTheFocusedButton) {
    const struct {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
    } cases[] = {
        {"Return", Qt::Key_Return, Qt::NoModifier},
        {"the keypad's Enter", Qt::Key_Enter, Qt::KeypadModifier},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeComponents fakes;
        fakes.chooseFile = false;
        frmMain window(kApp, fakes.Services());
        window.show();
        LoadThroughButton(window, fakes, "cat.png", TestPicture(3, 2));
        fakes.log.clear();
        fakes.chooseFile = false;

        Button(window, "cmdSaveTABLE")->setFocus();
        PressKey(window, c.key, c.modifiers);
        EXPECT_EQ(fakes.log, std::vector<std::string>{"ShowSave"});
        EXPECT_EQ(fakes.dialogs.back().filter.substr(0, 5), u"TABLE");

        // On the show button the picture stays while the key is down.
        Button(window, "cmdShowPicture")->setFocus();
        PressKey(window, c.key, c.modifiers);
        EXPECT_EQ(fakes.flashes.size(), 1u);
        EXPECT_EQ(fakes.hides, 1);
        EXPECT_EQ(fakes.dialogs.size(), 2u);
    }
}

TEST(Keys, TheFocusedButtonShowsItsFrameFromTheStartAndTheWindowCannotBeMaximised) {
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QPushButton* load = Button(window, "cmdLoadPicture");
    EXPECT_EQ(window.focusWidget(), load);

    // What the style draws the button by: focused, and with the frame that shows it.
    QStyleOptionButton option;
    option.initFrom(load);
    EXPECT_TRUE(option.state & QStyle::State_HasFocus);
    EXPECT_TRUE(option.state & QStyle::State_KeyboardFocusChange);

    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
}
