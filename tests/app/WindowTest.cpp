#include "AppFakes.h"

#include "ClipboardTable.h"
#include "FlashWindow.h"
#include "Language.h"
#include "MessageBox.h"
#include "StartUp.h"
#include "TesseletVersion.h"
#include "TestSupport.h"
#include "WindowHelpers.h"

#include <QClipboard>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QStyleOptionButton>
#include <QTextStream>
#include <QUrl>
#include <map>
#include <sstream>

// One key on a focused button, pressed and released, and what the user sees (data/keys.txt).
TEST(Window, KeysTable) {
    enum Release { kReleased, kAutoRepeat, kX11Pair, kPressedAgain, kUnderAlt };
    const std::vector<std::string> releases = {"released", "autorepeat", "x11pair", "pressedagain",
                                               "underalt"},
                                   flashes = {"", "noscreen", "notcopied"};
    for (const auto& row : Table("keys.txt", 7)) {
        const QKeyCombination key = QKeySequence::fromString(QString::fromStdString(row[0]))[0];
        const auto release = std::ranges::find(releases, row[2]) - releases.begin();
        const auto flash = std::ranges::find(flashes, row[4]) - flashes.begin();
        const std::string clipboard = row[6].empty() ? "kept" : row[6] == "-" ? "" : row[6];
        SCOPED_TRACE(row[3] + " from key " + row[0] + " on " + row[1]);
        ASSERT_TRUE(key.key() != 0 && release < 5 && flash < 3); // the table's words known
        Window w(row[5].empty()
                     ? Picture(7, 5)
                     : Picture(std::stoi(row[5]), std::stoi(row[5].substr(row[5].find('x') + 1))));
        w.fakes.flashResult = static_cast<FlashResult>(flash);
        auto* offered = new QMimeData();
        if (const QString text = QString::fromStdString(clipboard); text.startsWith("url:"))
            offered->setUrls({QUrl(text.mid(4))});
        else if (!text.isEmpty())
            offered->setText(text);
        QGuiApplication::clipboard()->setMimeData(offered);
        w.Button(row[1].c_str())->setFocus();
        w.Key(QEvent::KeyPress, key.key(), key.keyboardModifiers(), 100);
        const auto [modifierKey, modifier] = release == kUnderAlt
                                                 ? std::pair{Qt::Key_Alt, Qt::AltModifier}
                                                 : std::pair{Qt::Key_unknown, Qt::NoModifier};
        const Qt::KeyboardModifiers held = key.keyboardModifiers() | modifier;
        if (modifier != Qt::NoModifier)
            w.Key(QEvent::KeyPress, modifierKey, key.keyboardModifiers(), 150);
        if (release == kX11Pair || release == kPressedAgain) {
            w.Key(QEvent::KeyRelease, key.key(), held, 200);
            w.Key(QEvent::KeyPress, key.key(), held, release == kX11Pair ? 200 : 250);
        }
        w.Key(QEvent::KeyRelease, key.key(), held, 300, release == kAutoRepeat);
        if (modifier != Qt::NoModifier)
            w.Key(QEvent::KeyRelease, modifierKey, held, 350);
        // A release of Space takes the picture off once it has settled; the opener fails later.
        QTest::qWait(150);
        const bool hides = row[3].find('H') != std::string::npos;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return w.window.isEnabled() && (!hides || w.fakes.screen.ends_with('H')); },
            20000));
        std::string seen = w.window.isVisible() ? w.fakes.screen : "closed";
        for (const auto& dialog : w.fakes.dialogs)
            seen += "dialog " + dialog.proposed.substr(dialog.proposed.rfind('/') + 1);
        if (QGuiApplication::clipboard()->mimeData()->html().startsWith(QStringLiteral("<table")))
            seen += "copied";
        if (const auto* status = w.window.findChild<QLabel*>("lblStatus");
            status && status->isVisible())
            seen += "status " + status->text().toStdString();
        for (const auto& text : w.fakes.said)
            seen += text.toStdString();
        EXPECT_EQ(seen, row[3]);
    }
}

// The read-me goes to the desktop's opener, whose words reach no terminal; its success is silent,
// and an opener that fails (as a browser that refuses to run) or cannot even start is told.
TEST(Window, HelpIsHandedToTheOpener) {
    const std::string readme = qApp->applicationDirPath().toStdString() + "/readme.html";
    const std::string cannot = "Ошибка 1075: Ни одна программа не смогла открыть " + readme;
    for (const auto& [shell, opened, said] :
         {std::tuple{"/bin/sh", "/dev/null\n/dev/null\n" + readme + "\n", std::string()},
          {"/no/such/shell", std::string(), cannot},
          {"/bin/false", std::string(), cannot}}) {
        QTemporaryDir bin;
        const std::string dir = bin.path().toStdString(), out = dir + "/out",
                          opener = dir + "/xdg-open";
        WriteBytes(opener, "#!" + std::string(shell) + "\nout=$(/bin/readlink /proc/$$/fd/[12])\n" +
                               "echo \"$out\n$1\" >" + out);
        ::chmod(opener.c_str(), 0700);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toUtf8());
        Window w;
        w.Key(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        EXPECT_TRUE(QTest::qWaitFor([&, silent = said.empty()] { // the opener gone once ended
            return qApp->findChildren<QProcess*>(Qt::FindDirectChildrenOnly).isEmpty() &&
                   w.fakes.said.empty() == silent;
        }));
        qputenv("PATH", path);
        EXPECT_EQ(ReadBytes(out), opened);
        EXPECT_EQ(w.fakes.said.empty() ? "" : w.fakes.said.back().toStdString(), said);
    }
}

// The picture held by a mouse button or by Space, as long as it should be (data/hold.txt).
TEST(Window, HoldTable) {
    const std::vector<std::string> steps = {"press", "release",     "off",       "on",
                                            "space", "otherwindow", "activated", "close"};
    enum Step { kPress, kRelease, kOff, kOn, kSpace, kOtherWindow, kActivated, kClose };
    const std::map<std::string, Qt::MouseButton> buttons = {
        {"left", Qt::LeftButton}, {"right", Qt::RightButton}, {"middle", Qt::MiddleButton}};
    QWidget other;
    for (const auto& row : Table("hold.txt")) {
        SCOPED_TRACE(row[0]);
        const Qt::MouseButton button = buttons.contains(row[1]) ? buttons.at(row[1]) : Qt::NoButton;
        Window w;
        QPushButton* show = w.Button("cmdShowPicture");
        show->setFocus();
        QPoint at = show->geometry().center();
        std::istringstream words(row[2]);
        for (std::string word; words >> word;) {
            const auto step = std::ranges::find(steps, word) - steps.begin();
            at.ry() += step == kOff ? show->height() : step == kOn ? -show->height() : 0;
            if (step == kSpace) {
                w.Key(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
            } else if (step == kClose) {
                w.window.close();
            } else if (step == kActivated) {
                QEvent activated(QEvent::ActivationChange);
                QApplication::sendEvent(&w.window, &activated);
            } else if (step == kOtherWindow) {
                other.show();
                other.activateWindow();
                EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
            } else {
                QWindowSystemInterface::handleMouseEvent<
                    QWindowSystemInterface::SynchronousDelivery>(
                    w.window.windowHandle(), at, w.window.mapToGlobal(at),
                    step == kRelease ? Qt::NoButton : button, button,
                    step == kPress     ? QEvent::MouseButtonPress
                    : step == kRelease ? QEvent::MouseButtonRelease
                                       : QEvent::MouseMove);
            }
        }
        other.hide();
        QTest::qWait(100);
        EXPECT_EQ(w.fakes.screen, row[3]);
    }
}

// A dialog that fails is told, one cancelled says nothing, and the window takes its keys again.
TEST(Window, AFailedOrCancelledDialogLeavesTheWindowGoingOn) {
    for (const char* button : {"cmdLoadPicture", "cmdSaveSPAN"})
        for (const bool fails : {true, false}) {
            SCOPED_TRACE(std::string(button) + (fails ? " fails" : " cancelled"));
            Window w;
            w.fakes.dialogFails = fails;
            w.Press(button, fails ? "page.htm" : "");
            EXPECT_EQ(w.fakes.said, fails ? std::vector<QString>{"Ошибка 5: Сбой диалога"}
                                          : std::vector<QString>{});
            QGuiApplication::clipboard()->setText(QStringLiteral("text"));
            w.Key(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
            QLabel* status = w.window.findChild<QLabel*>("lblStatus");
            EXPECT_TRUE(status->isVisible() && w.window.rect().contains(status->geometry()));
            EXPECT_NEAR(status->geometry().center().x(), w.window.rect().center().x(), 1);
            const QImage look = status->grab().toImage(); // framed, in the tooltips' colours
            EXPECT_EQ(look.pixel(0, 0), status->palette().color(QPalette::ToolTipText).rgb());
            EXPECT_EQ(look.pixel(2, 2), status->palette().color(QPalette::ToolTipBase).rgb());
            if (!fails && std::string_view(button) == "cmdLoadPicture") { // goes by itself
                EXPECT_TRUE(QTest::qWaitFor([&] { return !status->isVisible(); }, 6000));
            }
        }
}

// A picture pasted or dropped on the window loads as a file of it would; the pages of a pasted one
// are proposed as "clipboard" in the folder the open dialog remembers, if any.
TEST(Window, APastedOrDroppedPictureIsProposedUnderItsOwnName) {
    for (const int way : {0, 1, 2}) { // pasted, pasted with a folder remembered, dropped
        Window w(QImage{});
        QSettings().setValue(QStringLiteral("OFN Paths/Source Picture"),
                             way == 1 ? w.dir.path() : QString());
        QMimeData dropped;
        if (way == 2) {
            dropped.setText(QStringLiteral("words, not a file"));
            QDragEnterEvent words(QPoint(), Qt::CopyAction, &dropped, Qt::LeftButton, {});
            QApplication::sendEvent(&w.window, &words);
            EXPECT_FALSE(words.isAccepted()); // the pointer says it cannot be dropped
            ASSERT_TRUE(Picture(4, 3).save(w.Path("drop.png")));
            dropped.setUrls({QUrl::fromLocalFile(w.Path("drop.png"))});
            QDragEnterEvent enter(QPoint(), Qt::CopyAction, &dropped, Qt::LeftButton, {});
            QDropEvent drop(QPointF(), Qt::CopyAction, &dropped, Qt::LeftButton, {});
            QApplication::sendEvent(&w.window, &enter); // Qt drops only on a target that took it
            QApplication::sendEvent(&w.window, &drop);
            EXPECT_TRUE(drop.isAccepted()); // the source is told the file was taken
        } else {
            auto* offered = new QMimeData();
            offered->setImageData(Picture(3, 2));
            QGuiApplication::clipboard()->setMimeData(offered);
            w.Key(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
        }
        QPushButton* save = w.Button("cmdSaveDIV");
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.window.isEnabled() && save->isEnabled(); }));
        EXPECT_EQ(QSettings().value("OFN Paths/Source Picture"), way ? w.dir.path() : QString());
        save->click();
        ASSERT_EQ(w.fakes.dialogs.size(), 1u);
        EXPECT_EQ(w.fakes.dialogs[0].proposed, way == 0 ? "clipboard.div.htm"
                                               : way == 1
                                                   ? w.Path("clipboard.div.htm").toStdString()
                                                   : w.Path("drop.div.htm").toStdString());
    }
}

TEST(Window, TheFirstButtonShowsItsFocusFrameFromTheStart) {
    Window w(QImage{});
    QStyleOptionButton option;
    option.initFrom(w.Button("cmdLoadPicture"));
    EXPECT_TRUE(option.state & QStyle::State_HasFocus);
    EXPECT_TRUE(option.state & QStyle::State_KeyboardFocusChange);
    // And the window opens in the middle of the screen.
    const QRect screen = w.window.screen()->availableGeometry();
    EXPECT_LE((w.window.frameGeometry().center() - screen.center()).manhattanLength(), 2);
}

// Each file of data/bad loads or is told as its manifest says, the format blamed only at its fault;
// a bad one leaves the held picture, its proposed names, the buttons and closing as they were.
TEST(Window, BadPicturesAreToldAndChangeNothing) {
    const QString bad = QStringLiteral(TESSELET_SOURCE_DIR "/tests/data/bad/");
    QFile manifest(bad + QStringLiteral("manifest.txt"));
    ASSERT_TRUE(manifest.open(QIODevice::ReadOnly | QIODevice::Text)) << bad.toStdString();
    Window w(Picture(7, 5, true));
    for (QTextStream in(&manifest); !in.atEnd();) {
        const QStringList fields = in.readLine().split(u'\t');
        if (fields.size() < 3 || fields[0].startsWith(u'#'))
            continue;
        SCOPED_TRACE(fields[0].toStdString());
        const bool loads = fields[1] == QStringLiteral("0");
        const QString sentence =
            fields[2].startsWith(QStringLiteral("Ошибка 1481:"))
                ? "Не удалось загрузить файл. Формат не поддерживается, либо это не картинка."
                : "Не удалось загрузить файл.";
        Window fresh(QImage{});
        fresh.Press("cmdLoadPicture", bad + fields[0]);
        EXPECT_EQ(fresh.fakes.said, loads ? std::vector<QString>{}
                                          : std::vector{bad + fields[0] + "\r\n\r\n" + sentence +
                                                        "\r\n\r\n" + fields[2]});
        EXPECT_TRUE(fresh.Button("cmdSaveTABLE")->isEnabled() == loads && fresh.window.close());
        if (!loads)
            w.Press("cmdLoadPicture", bad + fields[0]);
    }
    w.Button("cmdSaveSPAN")->click();
    EXPECT_EQ(w.fakes.dialogs.back().proposed, w.Path("cat.span.htm").toStdString());
    // Shown over white, the picture of the page keeps its alpha.
    QTest::mousePress(w.Button("cmdShowPicture"), Qt::RightButton);
    EXPECT_EQ(w.fakes.shown.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(w.fakes.shown.pixel(6, 4), Picture(7, 5).pixel(6, 4));
}

// Also at QT_SCALE_FACTOR 1.25 and 2: a pixel on one device pixel; a same-sized one replaces it.
TEST(FlashWindow, ShowsThePictureOneToOne) {
    FlashWindow flash;
    int i = 0;
    for (const QSize size : {QSize(37, 23), QSize(1, 1), QSize(3, 5), QSize(3, 5), QSize(64, 48)}) {
        const QImage picture = Picture(size.width(), size.height()).mirrored(++i % 2);
        ASSERT_EQ(flash.Show(picture), FlashResult::kShown);
        QCoreApplication::processEvents();
        EXPECT_EQ(flash.DeviceGeometry(), QRect(QPoint(0, 0), size));
        EXPECT_EQ(flash.OnScreen().convertToFormat(QImage::Format_RGB32), picture);
    }
}

// Each start-up file missing is named, and no window shows.
TEST(Window, StartUpWithoutItsFilesShowsNoWindow) {
    const QString names[] = {"source.text", "template.1.html", "template.2.html"};
    Fakes fakes;
    for (const QString& missing : names) {
        QTemporaryDir dir;
        for (const QString& name : names) {
            QFile file(dir.filePath(name));
            ASSERT_TRUE(name == missing || (file.open(QIODevice::WriteOnly) && file.write("<x>")));
        }
        fakes.said.clear();
        EXPECT_EQ(StartUp(AppInfo(dir.path().toStdString()), fakes.services), nullptr);
        EXPECT_EQ(fakes.said,
                  std::vector{dir.filePath(missing) +
                              "\r\n\r\nНе удалось загрузить файл шаблона. Продолжение "
                              "невозможно.\r\n\r\nОшибка 2: Нет такого файла или каталога"});
    }
    EXPECT_FALSE(QGuiApplication::windowIcon().isNull());    // the icon, whatever comes next
    EXPECT_TRUE(StartUp(kApp, fakes.services)->isVisible()); // and the templates back for the rest
}

TEST(Window, MessageBoxShowsTheMessageThenTheError) {
    QStringList texts;
    const User user([&](QDialog& dialog) { // Enter answers the default button; Esc the fifth box
        texts << static_cast<QMessageBox&>(dialog).text();
        QTest::keyClick(&dialog, texts.size() == 5 ? Qt::Key_Escape : Qt::Key_Return);
    });
    MessageBox box("Korvane - Tesselet");
    box.ShowError(Failure(Failure::kInvalidPicture, "Плохо"), "/p/a.png\r\n\r\nНе вышло.");
    box.ShowError(Failure(2, "Нет файла"), {});
    box.ShowFailure("Не вышло совсем.");
    EXPECT_TRUE(box.AskOkCancel("Страница большая.\r\nСохранить?"));  // OK
    EXPECT_FALSE(box.AskOkCancel("Страница большая.\r\nСохранить?")); // Cancel
    Window w; // Shift+F1: the program, its version, and a line of its own
    w.Key(QEvent::KeyPress, Qt::Key_F1, Qt::ShiftModifier);
    ShowAbout(nullptr, kApp, {});
    const QString about = QStringLiteral("Korvane - Tesselet\nВерсия " TESSELET_VERSION_TEXT);
    EXPECT_EQ(texts,
              (QStringList{"/p/a.png\n\nНе вышло.\n\nОшибка 1481: Плохо", "Ошибка 2: Нет файла",
                           "Не вышло совсем.", "Страница большая.\nСохранить?",
                           "Страница большая.\nСохранить?",
                           about + "\n\nСобрано для тех, кто видит в картинке мозаику.", about}));
}

// The clipboard's table: whole up to its limit; over it, refused with the size it would take,
// told from the rows it got to (it stops there, holding no more of it).
TEST(Window, TheClipboardsTableUpToItsLimit) {
    FakeReporter messages;
    std::size_t wouldTake = 0;
    const auto whole = TableForClipboard(Picture(3, 40), messages, wouldTake, SIZE_MAX).value();
    EXPECT_EQ(TableForClipboard(Picture(3, 40), messages, wouldTake, whole.size()), whole);
    EXPECT_FALSE(TableForClipboard(Picture(3, 40), messages, wouldTake, whole.size() / 2));
    EXPECT_GT(wouldTake, whole.size());
}

// Desktops find the window's icon and name through the entry it names, which the package installs.
TEST(Window, NamesTheDesktopEntryThePackageInstalls) {
    RegisterDesktopEntry();
    EXPECT_TRUE(QFile::exists(QStringLiteral(TESSELET_SOURCE_DIR "/app/") +
                              QGuiApplication::desktopFileName() + QStringLiteral(".desktop")));
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Korvane"));
    InstallTranslations(application); // Qt's own words too, as the converter says them
    // Remembered folders go to a store of this run only, never to the user's.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    return RUN_ALL_TESTS();
}
