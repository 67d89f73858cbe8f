#include "AppFakes.h"

#include "CAppObject.h"
#include "frmMain.h"
#include "modMain.h"

#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QPushButton>
#include <QRawFont>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const std::u16string kResources = U16(TESSELET_SOURCE_DIR "/resources");

std::vector<int> IconSides(const QIcon& icon) {
    std::vector<int> sides;
    for (const QSize& size : icon.availableSizes())
        sides.push_back(size.width());
    return sides;
}

bool AnyWindowVisible() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            return true;
    return false;
}

/// Sets TESSELET_IN_IDE for one test.
class InIdeScope {
public:
    InIdeScope() { qputenv("TESSELET_IN_IDE", "1"); }
    ~InIdeScope() { qunsetenv("TESSELET_IN_IDE"); }
};

} // namespace

TEST(StartUp, MissingTemplatesShowNoWindow) {
    QTemporaryDir empty;
    const CAppObject app(U16(empty.path().toStdString()));
    FakeComponents fakes;

    const std::unique_ptr<frmMain> window = StartUp(app, fakes.Services());

    EXPECT_EQ(window, nullptr);
    EXPECT_FALSE(AnyWindowVisible());
    ASSERT_EQ(fakes.errors.size(), 1u);
    EXPECT_EQ(U8(fakes.errors[0].message),
              empty.path().toStdString() +
                  "/source.text\r\n\r\nНе удалось загрузить файл шаблона. Продолжение невозможно.");
}

TEST(StartUp, ShowsTheWindowWithTheProgramsIcons) {
    QApplication::setWindowIcon(QIcon());
    const CAppObject app(kResources);
    FakeComponents fakes;

    const std::unique_ptr<frmMain> window = StartUp(app, fakes.Services());

    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tesselet"));
    EXPECT_TRUE(fakes.errors.empty());
    EXPECT_EQ(IconSides(QApplication::windowIcon()), (std::vector<int>{16, 32, 48}));
    EXPECT_TRUE(window->testAttribute(Qt::WA_SetWindowIcon));
    EXPECT_EQ(IconSides(window->windowIcon()), (std::vector<int>{16, 32, 48}));
}

TEST(StartUp, UnderTheDeveloperToolsNeitherWindowGetsIcons) {
    QApplication::setWindowIcon(QIcon());
    const InIdeScope inIde;
    const CAppObject app(kResources);
    FakeComponents fakes;

    const std::unique_ptr<frmMain> window = StartUp(app, fakes.Services());

    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(QApplication::windowIcon().isNull());
    EXPECT_FALSE(window->testAttribute(Qt::WA_SetWindowIcon));
}

TEST(MainWindow, FirstAppearance) {
    ASSERT_EQ(QGuiApplication::primaryScreen()->logicalDotsPerInchX(), 96.0);
    const CAppObject app(kResources);
    FakeComponents fakes;
    frmMain window(app, fakes.Services());
    window.show();

    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tesselet"));
    // Fixed single border: the client area is 3795 x 3135 twips, 253 x 209 pixels at 96 dpi.
    EXPECT_EQ(window.size(), QSize(253, 209));
    EXPECT_EQ(window.minimumSize(), QSize(253, 209));
    EXPECT_EQ(window.maximumSize(), QSize(253, 209));
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowCloseButtonHint);

    // Centred on the screen by Form_Load, before the window had a frame.
    const QRect area = window.screen()->availableGeometry();
    EXPECT_EQ(window.pos(),
              QPoint(area.x() + (area.width() - 253) / 2, area.y() + (area.height() - 209) / 2));

    const struct {
        const char* name;
        const char* caption;
        int top;
        bool enabled;
    } expected[] = {
        {"cmdLoadPicture", "1. Загрузить картинку", 8, true},
        {"cmdShowPicture", "2. Показать картинку", 48, false},
        {"cmdSaveSPAN", "3. Сохранить SPAN картинку", 88, false},
        {"cmdSaveTABLE", "4. Сохранить TABLE картинку", 128, false},
        {"cmdSaveDIV", "5. Сохранить DIV картинку", 168, false},
    };
    QWidget* previous = nullptr;
    for (const auto& button : expected) {
        SCOPED_TRACE(button.name);
        QPushButton* control = Button(window, button.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->text().toStdString(), button.caption);
        EXPECT_EQ(control->geometry(), QRect(8, button.top, 237, 33));
        EXPECT_EQ(control->isEnabled(), button.enabled);
        EXPECT_TRUE(control->isVisible());
        if (previous != nullptr) {
            EXPECT_EQ(previous->nextInFocusChain(), control);
        }
        previous = control;
    }

    // Tahoma 9, normal; where Tahoma is missing the fallback still draws Cyrillic.
    const QFont font = Button(window, "cmdSaveDIV")->font();
    EXPECT_EQ(font.family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(font.pointSize(), 9);
    EXPECT_EQ(font.weight(), QFont::Normal);
    EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut());
    const QRawFont cyrillic = QRawFont::fromFont(font, QFontDatabase::Cyrillic);
    EXPECT_TRUE(cyrillic.isValid());
    EXPECT_TRUE(cyrillic.supportsCharacter(QChar(u'Ж')));

    // The picture holder is never shown and holds nothing yet.
    QWidget* holder = window.findChild<QWidget*>(QStringLiteral("picPicture"));
    ASSERT_NE(holder, nullptr);
    EXPECT_FALSE(holder->isVisible());
    EXPECT_EQ(holder->size(), QSize(0, 0));
    EXPECT_EQ(holder->pos(), QPoint(216, 28));
}
