#include "AppFakes.h"

#include "CAppObject.h"
#include "CBackgroundWork.h"
#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const CAppObject kApp(U16(TESSELET_SOURCE_DIR "/resources"));

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// While it lives, the progress dialog shows as soon as work starts, and `onDialog` is called
/// with it once it is there.
class DialogWatch {
public:
    explicit DialogWatch(std::function<void(QProgressDialog&)> onDialog)
        : mOnDialog(std::move(onDialog)) {
        CBackgroundWork::DialogDelayMs = 0;
        mTimer.setInterval(1);
        QObject::connect(&mTimer, &QTimer::timeout, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QProgressDialog*>(widget);
                if (dialog == nullptr || !dialog->isVisible() || seen.contains(dialog))
                    continue;
                seen.push_back(dialog);
                mOnDialog(*dialog);
            }
        });
        mTimer.start();
    }
    ~DialogWatch() { CBackgroundWork::DialogDelayMs = 500; }
    QList<QProgressDialog*> seen;

private:
    std::function<void(QProgressDialog&)> mOnDialog;
    QTimer mTimer;
};

} // namespace

TEST(LongWork, CancelledSaveLeavesTheOldPageAndSaysNothing) {
    QTemporaryDir pages;
    const QString page = pages.filePath(QStringLiteral("big.table.htm"));
    {
        QFile old(page);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the old page");
    }
    FakeComponents fakes;
    // Its page of some 224 MB is written without the question about large pages.
    fakes.Services().largePageBytes = UINT64_MAX;
    frmMain window(kApp, fakes.Services());
    window.show();
    // Large enough that the walk is still under way when Cancel is pressed.
    LoadThroughButton(window, fakes, "big.png", TestPicture(3000, 2000));
    fakes.log.clear();
    fakes.chosenPath = U16(page);
    int maximum = -1;
    QString title;
    const DialogWatch watch([&](QProgressDialog& dialog) {
        title = dialog.windowTitle();
        WaitFor([&] { return dialog.maximum() > 0; });
        maximum = dialog.maximum();
        // The user presses Cancel.
        auto* cancel = dialog.findChild<QPushButton*>();
        ASSERT_NE(cancel, nullptr);
        cancel->click();
    });

    Button(window, "cmdSaveTABLE")->click();

    ASSERT_EQ(watch.seen.size(), 1);
    EXPECT_EQ(maximum, 2000); // rows done of rows
    EXPECT_EQ(title, window.windowTitle());
    EXPECT_EQ(fakes.log, std::vector<std::string>{"ShowSave"}); // no "Готово ^_^", no error
    EXPECT_EQ(FileBytes(page), QByteArray("the old page"));
    EXPECT_EQ(QDir(pages.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"big.table.htm"});
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(Button(window, "cmdSaveTABLE")->isEnabled());
}

TEST(LongWork, InputDuringASaveIsDroppedNotReplayed) {
    QTemporaryDir pages;
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();
    LoadThroughButton(window, fakes, "big.png", TestPicture(1500, 1000));
    fakes.log.clear();
    fakes.chosenPath = U16(pages.filePath(QStringLiteral("big.div.htm")));
    bool busy = false;
    bool painted = false;
    // Runs while the walk is under way, before any dialog could cover the window.
    QTimer::singleShot(0, [&] {
        busy = QGuiApplication::overrideCursor() != nullptr &&
               QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        // The window is still painted meanwhile.
        window.repaint();
        painted = true;
        // A click and keys meant for the busy window.
        QTest::mouseClick(Button(window, "cmdSaveSPAN"), Qt::LeftButton);
        QTest::keyClick(window.focusWidget(), Qt::Key_Space);
        QTest::keyClick(window.focusWidget(), Qt::Key_Return);
        QTest::keyClick(&window, Qt::Key_Escape);
    });

    Button(window, "cmdSaveDIV")->click();
    QTest::qWait(50);

    EXPECT_TRUE(busy);
    EXPECT_TRUE(painted);
    EXPECT_EQ(fakes.log, (std::vector<std::string>{"ShowSave", "MsgBox Готово ^_^"}));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(FileBytes(pages.filePath(QStringLiteral("big.div.htm"))).contains("class=\"art\""));
}

TEST(LongWork, ALongLoadShowsABusyIndicator) {
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();
    int minimum = -1, maximum = -1;
    const DialogWatch watch([&](QProgressDialog& dialog) {
        minimum = dialog.minimum();
        maximum = dialog.maximum();
    });

    LoadThroughButton(window, fakes, "big.png", TestPicture(2000, 2000));

    ASSERT_EQ(watch.seen.size(), 1);
    EXPECT_EQ(minimum, 0);
    EXPECT_EQ(maximum, 0);
    EXPECT_TRUE(fakes.errors.empty());
    EXPECT_TRUE(Button(window, "cmdSaveTABLE")->isEnabled());
    EXPECT_EQ(window.findChild<QWidget*>(QStringLiteral("picPicture"))->size(), QSize(2000, 2000));
}
