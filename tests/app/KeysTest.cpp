#include "AppFakes.h"
#include "ReadMeCatcher.h"
#include "TesseletVersion.h"

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
        EXPECT_EQ(readMe.catcher.opened.size(), c.effect == kReadMe ? 1 : 0);
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
            EXPECT_EQ(readMe.catcher.opened[0], QUrl::fromLocalFile(ReadMeFile()));
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

    EXPECT_EQ(readMe.catcher.opened.size(), 2);
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
    EXPECT_TRUE(readMe.catcher.opened.isEmpty());
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
