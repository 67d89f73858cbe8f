#include "AppFakes.h"

#include "CAppObject.h"
#include "frmMain.h"
#include "modClipboardTable.h"
#include "modSourceAndTemplates.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

const CAppObject kApp(U16(TESSELET_SOURCE_DIR "/resources"));

QString Q(const std::u16string& text) {
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QSize HeldSize(frmMain& window) {
    return window.findChild<QWidget*>(QStringLiteral("picPicture"))->size();
}

bool SaveButtonsEnabled(frmMain& window) {
    return Button(window, "cmdSaveTABLE")->isEnabled() &&
           Button(window, "cmdShowPicture")->isEnabled();
}

/// Drops `data` on the window as a drag from a file manager would.
bool Drop(frmMain& window, QMimeData& data) {
    const QPoint at(window.width() / 2, window.height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    return true;
}

/// The proposed name of the TABLE save dialog.
std::u16string ProposedTableName(frmMain& window, FakeComponents& fakes) {
    fakes.chooseFile = false;
    Button(window, "cmdSaveTABLE")->click();
    return fakes.dialogs.back().defaultFileName;
}

} // namespace

TEST(PicturesIn, ADroppedFileLoadsAsAfterTheOpenDialog) {
    FakeComponents fakes;
    Remember("Source Picture", u"/old");
    frmMain window(kApp, fakes.Services());
    window.show();
    const QString path = fakes.pictures.filePath(QStringLiteral("dropped.png"));
    ASSERT_TRUE(TestPicture(5, 3).save(path));

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    ASSERT_TRUE(Drop(window, data));

    EXPECT_EQ(HeldSize(window), QSize(5, 3));
    EXPECT_TRUE(SaveButtonsEnabled(window));
    EXPECT_EQ(Remembered("Source Picture"), U16(fakes.pictures.path()));
    EXPECT_TRUE(fakes.log.empty()); // no dialog, no message
    EXPECT_EQ(ProposedTableName(window, fakes), fakes.PicturePath("dropped.table.htm"));
}

TEST(PicturesIn, ADroppedFileThatIsNoPictureIsReportedAsByTheButton) {
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();
    const QString path = fakes.pictures.filePath(QStringLiteral("notes.txt"));
    {
        QFile notes(path);
        ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
        notes.write("no picture in here\n");
    }
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    ASSERT_TRUE(Drop(window, data));

    ASSERT_EQ(fakes.errors.size(), 1u);
    EXPECT_EQ(fakes.errors[0].message,
              U16(path) + u"\r\n\r\nНе удалось загрузить файл. Формат не поддерживается, либо это "
                          u"не картинка.");
    EXPECT_EQ(Remembered("Source Picture"), U16(fakes.pictures.path()));
    EXPECT_FALSE(SaveButtonsEnabled(window));

    // A drag of no file is not taken.
    QMimeData text;
    text.setText(QStringLiteral("words"));
    EXPECT_FALSE(Drop(window, text));
}

TEST(PicturesIn, CtrlVPastesAPictureOrAPictureFile) {
    FakeComponents fakes;
    Remember("Source Picture", U16(fakes.pictures.path()));
    frmMain window(kApp, fakes.Services());
    window.show();

    QGuiApplication::clipboard()->setImage(TestPicture(6, 4));
    PressKey(window, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(HeldSize(window), QSize(6, 4));
    EXPECT_TRUE(SaveButtonsEnabled(window));
    EXPECT_TRUE(fakes.errors.empty());
    EXPECT_EQ(ProposedTableName(window, fakes), fakes.PicturePath("clipboard.table.htm"));

    const QString path = fakes.pictures.filePath(QStringLiteral("copied.png"));
    ASSERT_TRUE(TestPicture(2, 7).save(path));
    auto* file = new QMimeData();
    file->setUrls({QUrl::fromLocalFile(path)});
    QGuiApplication::clipboard()->setMimeData(file);
    PressKey(window, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(HeldSize(window), QSize(2, 7));
    EXPECT_EQ(ProposedTableName(window, fakes), fakes.PicturePath("copied.table.htm"));
}

TEST(PicturesIn, CtrlCPutsTheTablePagesTableOnTheClipboard) {
    QTemporaryDir pages;
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();
    LoadThroughButton(window, fakes, "cat.png", TestPicture(7, 5));
    const QString page = pages.filePath(QStringLiteral("cat.table.htm"));
    fakes.chosenPath = U16(page);
    Button(window, "cmdSaveTABLE")->click();
    const QByteArray bytes = FileBytes(page);
    ASSERT_FALSE(bytes.isEmpty());
    QGuiApplication::clipboard()->clear();

    PressKey(window, Qt::Key_C, Qt::ControlModifier);

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    ASSERT_TRUE(data->hasHtml());
    const QByteArray html = data->html().toUtf8();
    EXPECT_TRUE(html.startsWith("<table"));
    EXPECT_TRUE(html.endsWith("</table>\r\n"));
    // Exactly what the page holds between its head and its tail.
    const QByteArray tail = Q(gTemplateTail).toUtf8();
    ASSERT_TRUE(bytes.endsWith(tail));
    EXPECT_TRUE(bytes.chopped(tail.size()).endsWith(html));
    EXPECT_EQ(
        bytes.size() - tail.size() - html.size(),
        3 + Q(gTemplateHead).replace(QStringLiteral("%BODY_TAG_TAIL%"), QString()).toUtf8().size());
    EXPECT_TRUE(fakes.boxes.size() == 1 && fakes.errors.empty()); // only the save's "Готово ^_^"
}

TEST(PicturesIn, ATableAboveTenMegabytesIsRefused) {
    FakeComponents fakes;
    frmMain window(kApp, fakes.Services());
    window.show();
    // 400 x 800 cells of about 40 bytes: some 12 MB.
    LoadThroughButton(window, fakes, "big.png", TestPicture(400, 800));
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));

    PressKey(window, Qt::Key_C, Qt::ControlModifier);

    ASSERT_EQ(fakes.boxes.size(), 1u);
    EXPECT_EQ(fakes.boxes[0].second, 16);
    const std::string text = U8(fakes.boxes[0].first);
    EXPECT_EQ(text.rfind("Картинка слишком велика для буфера обмена: таблица заняла бы ", 0), 0u);
    EXPECT_NE(text.find(" МБ, а можно не больше 10 МБ."), std::string::npos);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
}

TEST(PicturesIn, TheClipboardLimitAndTheSizeItNames) {
    // A table just at the limit is taken, one byte more is not, and the size named is the whole
    // table's.
    std::size_t wouldTake = 0;
    FakeComponents fakes;
    const std::optional<std::string> whole =
        TableForClipboard(TestPicture(10, 10), fakes, wouldTake);
    ASSERT_TRUE(whole);
    EXPECT_EQ(wouldTake, 0u);
    EXPECT_TRUE(TableForClipboard(TestPicture(10, 10), fakes, wouldTake, whole->size()));
    EXPECT_FALSE(TableForClipboard(TestPicture(10, 10), fakes, wouldTake, whole->size() - 1));
    EXPECT_TRUE(fakes.errors.empty());
    EXPECT_GE(wouldTake, whole->size() - 20);
    EXPECT_LE(wouldTake, whole->size() + 20);
    EXPECT_EQ(U8(TooLargeForClipboardMessage(12 * 1024 * 1024 + 1)),
              "Картинка слишком велика для буфера обмена: таблица заняла бы 13 МБ, а можно не "
              "больше 10 МБ.");
}
