#include "AppFakes.h"

#include "CAppObject.h"
#include "CError.h"
#include "frmMain.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const CAppObject kApp(U16(TESSELET_SOURCE_DIR "/resources"));

std::u16string Path16(const QString& path) {
    return U16(path);
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// Notes in the fakes' log each repaint of the window and whether the pointer was busy then.
class PaintWatcher final : public QObject {
public:
    PaintWatcher(QWidget& window, FakeComponents& fakes) : mWindow(window), mFakes(fakes) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &mWindow && event->type() == QEvent::Paint) {
            const QCursor* cursor = QGuiApplication::overrideCursor();
            mFakes.log.push_back(
                cursor != nullptr && cursor->shape() == Qt::WaitCursor ? "paint busy" : "paint");
        }
        return false;
    }

private:
    QWidget& mWindow;
    FakeComponents& mFakes;
};

struct Style {
    const char* button;
    const char* key;
    const char* filter;
    const char* extension;
    const char* bodyMark;
};

const Style kStyles[] = {
    {"cmdSaveSPAN", "SPAN Picture",
     "SPAN картинки|*.span.htm|HTML файлы|*.HTM;*.HTML|Все файлы|*.*", ".span.htm", "<pre"},
    {"cmdSaveTABLE", "TABLE Picture",
     "TABLE картинки|*.table.htm|Сжатые TABLE картинки|*.compact.htm|TABLE картинки для "
     "писем|*.mail.htm|HTML файлы|*.HTM;*.HTML|Все файлы|*.*",
     ".table.htm", "<table"},
    {"cmdSaveDIV", "DIV Picture", "DIV картинки|*.div.htm|HTML файлы|*.HTM;*.HTML|Все файлы|*.*",
     ".div.htm", "class=\"art\""},
};

} // namespace

TEST(Save, EachStyleProposesItsNameAndFilterAndRemembersItsOwnFolder) {
    QTemporaryDir pages;
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();
    // Let the window be exposed, so that a repaint really paints.
    QCoreApplication::processEvents();
    LoadThroughButton(window, fakes, "cat.png", TestPicture(3, 2));

    for (const Style& style : kStyles) {
        SCOPED_TRACE(style.button);
        const QString page = pages.filePath(QStringLiteral("page%1").arg(style.extension));
        fakes.log.clear();
        fakes.boxes.clear();
        fakes.chooseFile = true;
        fakes.chosenPath = Path16(page);
        const PaintWatcher paints(window, fakes);

        Button(window, style.button)->click();

        // The window is repainted under the busy pointer before the walk, once.
        EXPECT_EQ(fakes.log,
                  (std::vector<std::string>{"ShowSave", "paint busy", "MsgBox Готово ^_^"}));
        const DialogRecord& dialog = fakes.dialogs.back();
        EXPECT_EQ(dialog.initialFolder, u"");
        EXPECT_EQ(U8(dialog.filter), style.filter);
        EXPECT_EQ(dialog.options, 0);
        EXPECT_EQ(U8(dialog.defaultFileName),
                  fakes.pictures.filePath("cat").toStdString() + style.extension);
        EXPECT_EQ(dialog.owner, &window);
        EXPECT_EQ(Remembered(style.key), Path16(pages.path()));
        ASSERT_EQ(fakes.boxes.size(), 1u);
        EXPECT_EQ(fakes.boxes[0].second, 64);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

        const QByteArray bytes = FileBytes(page);
        EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
        EXPECT_TRUE(bytes.contains(style.bodyMark));
    }
    // The load dialog's folder untouched.
    EXPECT_EQ(Remembered("Source Picture"), Path16(fakes.pictures.path()));
    EXPECT_TRUE(fakes.errors.empty());
    EXPECT_EQ(fakes.dialogsAlive, 0);

    // The next SPAN dialog opens in the SPAN folder and the others keep theirs.
    Remember("TABLE Picture", u"/tables");
    fakes.chooseFile = false;
    Button(window, "cmdSaveSPAN")->click();
    EXPECT_EQ(fakes.dialogs.back().initialFolder, Path16(pages.path()));
    EXPECT_EQ(Remembered("TABLE Picture"), u"/tables");
    EXPECT_EQ(Remembered("DIV Picture"), Path16(pages.path()));
}

TEST(Save, CancelWritesNothingAndRemembersNothing) {
    QTemporaryDir pages;
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();
    LoadThroughButton(window, fakes, "cat.png", TestPicture(2, 2));
    Remember("DIV Picture", u"/divs");
    fakes.chooseFile = false;
    fakes.chosenPath = Path16(pages.filePath("never.div.htm"));

    Button(window, "cmdSaveDIV")->click();

    EXPECT_EQ(fakes.log.back(), "ShowSave");
    EXPECT_EQ(Remembered("DIV Picture"), u"/divs");
    EXPECT_TRUE(QDir(pages.path()).isEmpty());
    EXPECT_TRUE(fakes.boxes.empty());
}

TEST(Save, NameWithoutExtensionAndChosenNameAreKeptAsTheyAre) {
    QTemporaryDir pages;
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();
    LoadThroughButton(window, fakes, "cat", TestPicture(2, 2));
    const QString page = pages.filePath(QStringLiteral("just-a-name"));
    fakes.chosenPath = Path16(page);

    Button(window, "cmdSaveSPAN")->click();
    EXPECT_EQ(fakes.dialogs.back().defaultFileName, fakes.PicturePath("cat.span.htm"));
    Button(window, "cmdSaveTABLE")->click();
    EXPECT_EQ(fakes.dialogs.back().defaultFileName, fakes.PicturePath("cat.table.htm"));

    // Written under exactly the chosen name, the second page replacing the first.
    EXPECT_EQ(QDir(pages.path()).entryList(QDir::Files), QStringList{"just-a-name"});
    EXPECT_TRUE(FileBytes(page).contains("<table"));
    EXPECT_FALSE(FileBytes(page).contains("<pre"));
    EXPECT_EQ(fakes.boxes.size(), 2u);
}

TEST(Save, FailedWalkShowsNoDoneAndTheWindowStaysUsable) {
    QTemporaryDir pages;
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();
    LoadThroughButton(window, fakes, "cat.png", TestPicture(2, 2));
    const std::u16string unwritable = Path16(pages.filePath("missing-folder/cat.table.htm"));
    fakes.chosenPath = unwritable;

    Button(window, "cmdSaveTABLE")->click();

    ASSERT_EQ(fakes.errors.size(), 1u);
    EXPECT_EQ(fakes.errors[0].message, unwritable + u"\r\n\r\nНе удалось сохранить файл.");
    EXPECT_TRUE(fakes.boxes.empty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Remembered("TABLE Picture"), Path16(pages.filePath("missing-folder")));
    EXPECT_TRUE(Button(window, "cmdSaveTABLE")->isEnabled());

    fakes.chosenPath = Path16(pages.filePath("cat.table.htm"));
    Button(window, "cmdSaveTABLE")->click();
    ASSERT_EQ(fakes.boxes.size(), 1u);
    EXPECT_EQ(fakes.boxes[0].first, u"Готово ^_^");
}

TEST(Save, FailureOutOfTheWalkRestoresThePointerAndShowsNoDone) {
    QTemporaryDir pages;
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();
    LoadThroughButton(window, fakes, "cat.png", TestPicture(2, 2));
    fakes.chosenPath = Path16(pages.filePath("missing-folder/cat.span.htm"));
    // The walk's own report fails, so the failure passes out of the walk.
    fakes.failing = {"ShowError"};

    Button(window, "cmdSaveSPAN")->click();

    EXPECT_EQ(fakes.errors.size(), 1u);
    EXPECT_TRUE(fakes.boxes.empty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(window.isVisible());
}

TEST(Save, FailingStepsAreSkippedAndAFailingDialogCountsAsCancel) {
    QTemporaryDir pages;
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();
    LoadThroughButton(window, fakes, "cat.png", TestPicture(2, 2));
    fakes.chosenPath = Path16(pages.filePath("cat.div.htm"));
    fakes.failing = {"Filter", "DefaultFileName"};
    {
        const BrokenStore broken;
        Button(window, "cmdSaveDIV")->click();
    }

    EXPECT_FALSE(fakes.dialogs.back().hasInitialFolder);
    EXPECT_FALSE(fakes.dialogs.back().hasFilter);
    EXPECT_FALSE(fakes.dialogs.back().hasDefaultFileName);
    EXPECT_EQ(fakes.dialogs.back().options, 0);
    EXPECT_TRUE(QFile::exists(pages.filePath("cat.div.htm")));
    EXPECT_EQ(fakes.boxes.size(), 1u);

    fakes.failing = {"ShowSave"};
    fakes.chosenPath = Path16(pages.filePath("other.div.htm"));
    Button(window, "cmdSaveDIV")->click();
    EXPECT_FALSE(QFile::exists(pages.filePath("other.div.htm")));
    EXPECT_EQ(fakes.boxes.size(), 1u);
    EXPECT_TRUE(fakes.errors.empty());
}

TEST(Save, APageChosenOverThePictureOrAStartUpFileIsRefused) {
    QTemporaryDir folder;
    // Start-up files of its own, so that a fault here costs no file of the source tree.
    for (const char* name : {"source.text", "template.1.html", "template.2.html"})
        QFile::copy(QStringLiteral(TESSELET_SOURCE_DIR "/resources/") + QLatin1String(name),
                    folder.filePath(QLatin1String(name)));
    const CAppObject app(Path16(folder.path()));
    FakeComponents fakes;
    frmMain window(app, fakes.Services());
    window.show();
    const QString picture = folder.filePath(QStringLiteral("cat.png"));
    ASSERT_TRUE(TestPicture(2, 2).save(picture));
    const QByteArray pictureBytes = FileBytes(picture);
    fakes.chosenPath = Path16(picture);
    Button(window, "cmdLoadPicture")->click();
    const QString startUp = folder.filePath(QStringLiteral("template.2.html"));
    const QByteArray startUpBytes = FileBytes(startUp);

    for (const QString& chosen : {picture, startUp}) {
        SCOPED_TRACE(chosen.toStdString());
        fakes.errors.clear();
        fakes.boxes.clear();
        fakes.chosenPath = Path16(chosen);
        Button(window, "cmdSaveTABLE")->click();
        ASSERT_EQ(fakes.errors.size(), 1u);
        EXPECT_EQ(fakes.errors[0].number, CError::kOutputIsInput);
        EXPECT_EQ(fakes.errors[0].message, Path16(chosen) + u"\r\n\r\nНе удалось сохранить файл.");
        EXPECT_TRUE(fakes.boxes.empty());
    }
    EXPECT_EQ(FileBytes(picture), pictureBytes);
    EXPECT_EQ(FileBytes(startUp), startUpBytes);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 4);
}
