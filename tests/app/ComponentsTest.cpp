#include "AppFakes.h"

#include "CAppObject.h"
#include "CError.h"
#include "CErrorReporter.h"
#include "CFileDialog.h"
#include "CFolderMemory.h"
#include "CMessageBox.h"
#include "CPictureServices.h"
#include "KorvaneSupportUi.h"
#include "modFilterText.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

const CAppObject kApp(U16(TESSELET_SOURCE_DIR "/resources"));

/// Looks at the modal window that the next call opens, then closes it with `close`.
template <class Modal>
void WhenShown(std::function<void(Modal&)> inspect, std::function<void(Modal&)> close) {
    QTimer::singleShot(0, [inspect, close] {
        auto* modal = qobject_cast<Modal*>(QApplication::activeModalWidget());
        if (modal == nullptr) {
            ADD_FAILURE() << "no modal window of the expected kind";
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        inspect(*modal);
        close(*modal);
    });
}

void Accept(QDialog& dialog) {
    dialog.accept();
}
void Reject(QDialog& dialog) {
    dialog.reject();
}

} // namespace

TEST(Components, FilterTextForQtDialogs) {
    EXPECT_EQ(QtNameFilter(u"A|*.a|B|*.b;*.c"), QStringLiteral("A (*.a);;B (*.b *.c)"));
    EXPECT_EQ(
        QtNameFilter(u"SPAN картинки|*.span.htm|HTML файлы|*.HTM;*.HTML|Все файлы|*.*"),
        QStringLiteral("SPAN картинки (*.span.htm);;HTML файлы (*.HTM *.HTML);;Все файлы (*)"));
    EXPECT_EQ(QtNameFilter(u"A| *.a ; ;*.b |Dangling"), QStringLiteral("A (*.a *.b)"));
    EXPECT_EQ(QtNameFilter(u"Empty||B|*.b"), QStringLiteral("B (*.b)"));
    EXPECT_EQ(QtNameFilter(u""), QString());
}

TEST(Components, FolderMemoryKeepsEachKeyAcrossStores) {
    {
        CFolderMemory memory;
        EXPECT_EQ(memory.ReadValue(u"OFN Paths", u"Never Written", kApp, u""), u"");
        EXPECT_EQ(memory.ReadValue(u"OFN Paths", u"Never Written", kApp, u"/fallback"),
                  u"/fallback");
        memory.WriteValue(u"OFN Paths", u"Source Picture", u"/pictures", kApp);
        memory.WriteValue(u"OFN Paths", u"SPAN Picture", u"/pages/span", kApp);
    }
    CFolderMemory fresh;
    EXPECT_EQ(fresh.ReadValue(u"OFN Paths", u"Source Picture", kApp, u""), u"/pictures");
    EXPECT_EQ(fresh.ReadValue(u"OFN Paths", u"SPAN Picture", kApp, u""), u"/pages/span");
    EXPECT_EQ(fresh.ReadValue(u"OFN Paths", u"TABLE Picture", kApp, u""), u"");
    fresh.WriteValue(u"OFN Paths", u"SPAN Picture", u"/другая папка", kApp);
    EXPECT_EQ(fresh.ReadValue(u"OFN Paths", u"Source Picture", kApp, u""), u"/pictures");
    EXPECT_EQ(fresh.ReadValue(u"OFN Paths", u"SPAN Picture", kApp, u""), u"/другая папка");
    // Stored where the program's settings are, under the section's name.
    EXPECT_EQ(QSettings().value(QStringLiteral("OFN Paths/Source Picture")).toString(),
              QStringLiteral("/pictures"));
}

TEST(Components, SaveDialogProposesTheNameInTheRememberedFolder) {
    QTemporaryDir remembered;
    CFileDialog dialog;
    dialog.InitialFolder(U16(remembered.path().toStdString()));
    dialog.Filter(u"SPAN картинки|*.span.htm|HTML файлы|*.HTM;*.HTML|Все файлы|*.*");
    dialog.DialogOptions(0);
    dialog.DefaultFileName(u"/pictures/cat.span.htm");
    dialog.OwnerWindow(nullptr);

    WhenShown<QFileDialog>(
        [&](QFileDialog& shown) {
            EXPECT_EQ(shown.acceptMode(), QFileDialog::AcceptSave);
            EXPECT_EQ(shown.nameFilters(),
                      (QStringList{"SPAN картинки (*.span.htm)", "HTML файлы (*.HTM *.HTML)",
                                   "Все файлы (*)"}));
            EXPECT_EQ(shown.directory().absolutePath(), remembered.path());
            auto* name = shown.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            EXPECT_EQ(name->text(), QStringLiteral("cat.span.htm"));
        },
        Accept);
    ASSERT_TRUE(dialog.ShowSave());
    EXPECT_EQ(dialog.SelectedFile(), U16(remembered.filePath("cat.span.htm").toStdString()));
    EXPECT_EQ(dialog.SelectedFile(), dialog.SelectedFile());

    WhenShown<QFileDialog>([](QFileDialog&) {}, Reject);
    EXPECT_FALSE(dialog.ShowSave());
}

TEST(Components, MessageBoxesAndErrorReports) {
    CMessageBox messages(u"Korvane - Tesselet");
    WhenShown<QMessageBox>(
        [](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), QStringLiteral("Korvane - Tesselet"));
            EXPECT_EQ(box.text(), QStringLiteral("Готово ^_^"));
            EXPECT_EQ(box.icon(), QMessageBox::Information);
            EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
        },
        [](QMessageBox& box) { box.accept(); });
    messages.MsgBox(u"Готово ^_^", 64);
    EXPECT_EQ(CMessageBox::IconOfStyle(16), QMessageBox::Critical);
    EXPECT_EQ(CMessageBox::IconOfStyle(0), QMessageBox::NoIcon);

    const CError pending(CError::kInvalidPicture, u"Invalid picture");
    EXPECT_EQ(
        CErrorReporter::ReportText(pending, u"/p/a.txt\r\n\r\nНе удалось загрузить файл."),
        QStringLiteral("/p/a.txt\n\nНе удалось загрузить файл.\n\nОшибка 1481: Invalid picture"));
    EXPECT_EQ(CErrorReporter::ReportText(pending, u""),
              QStringLiteral("Ошибка 1481: Invalid picture"));
    CErrorReporter reporter(u"Korvane - Tesselet");
    WhenShown<QMessageBox>(
        [](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), QStringLiteral("Korvane - Tesselet"));
            EXPECT_EQ(box.icon(), QMessageBox::Critical);
            EXPECT_EQ(box.text(),
                      QStringLiteral("file\n\nsentence\n\nОшибка 1481: Invalid picture"));
        },
        [](QMessageBox& box) { box.accept(); });
    reporter.ShowError(pending, 16, 0, u"file\r\n\r\nsentence");
}

TEST(Components, AboutBoxNamesTheProgramAndItsVersion) {
    EXPECT_EQ(CPictureServices::AboutText(kApp, u"", u"Name text"),
              QStringLiteral("Korvane - Tesselet\nВерсия 1.1.17\n\nName text"));
    CPictureServices services;
    QWidget owner;
    WhenShown<QMessageBox>(
        [&](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), QStringLiteral("Korvane - Tesselet"));
            EXPECT_TRUE(box.text().contains(QStringLiteral("1.1.17")));
            EXPECT_EQ(box.parentWidget(), &owner);
        },
        [](QMessageBox& box) { box.accept(); });
    services.ShowAbout(&owner, kApp, u"", QImage(), u"Name text");
    EXPECT_NE(services.GetPictureFilter().find(u"*.png"), std::u16string::npos);
    EXPECT_THROW(services.LoadPictureFile(U16(TESSELET_SOURCE_DIR "/resources/readme.html")),
                 CError);
    EXPECT_FALSE(
        services.LoadPictureFile(U16(TESSELET_SOURCE_DIR "/resources/sample.png")).isNull());
}

TEST(Components, UnknownIconResourceFails) {
    QWidget window;
    try {
        ksSetWindowResIconAll(&window, u"NO_SUCH_ICON");
        ADD_FAILURE() << "an unknown icon resource must fail";
    } catch (const CError& error) {
        EXPECT_EQ(error.Number(), CError::kResourceNotFound);
    }
    EXPECT_FALSE(window.testAttribute(Qt::WA_SetWindowIcon));
}
