#include "AppFakes.h"

#include "CError.h"
#include "CFileDialog.h"
#include "CFolderMemory.h"
#include "CMessageBox.h"
#include "KorvaneSupportUi.h"
#include "modFilterText.h"

#include <QAbstractButton>
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
    // One by one, a type without patterns kept as an empty item, so that the places agree.
    EXPECT_EQ(QtNameFilters(u"A|*.a|Empty||B|*.b;*.c|Dangling"),
              (QStringList{"A (*.a)", QString(), "B (*.b *.c)"}));
    EXPECT_EQ(QtNameFilters(u""), QStringList{});
}

TEST(Components, FolderMemoryKeepsEachKeyAcrossStores) {
    const FakeComponents fresh; // an empty store
    {
        CFolderMemory memory;
        EXPECT_EQ(memory.ReadValue(u"OFN Paths", u"Never Written", u""), u"");
        EXPECT_EQ(memory.ReadValue(u"OFN Paths", u"Never Written", u"/fallback"), u"/fallback");
        memory.WriteValue(u"OFN Paths", u"Source Picture", u"/pictures");
        memory.WriteValue(u"OFN Paths", u"SPAN Picture", u"/pages/span");
    }
    CFolderMemory memory;
    EXPECT_EQ(memory.ReadValue(u"OFN Paths", u"Source Picture", u""), u"/pictures");
    EXPECT_EQ(memory.ReadValue(u"OFN Paths", u"SPAN Picture", u""), u"/pages/span");
    EXPECT_EQ(memory.ReadValue(u"OFN Paths", u"TABLE Picture", u""), u"");
    memory.WriteValue(u"OFN Paths", u"SPAN Picture", u"/другая папка");
    EXPECT_EQ(memory.ReadValue(u"OFN Paths", u"Source Picture", u""), u"/pictures");
    EXPECT_EQ(memory.ReadValue(u"OFN Paths", u"SPAN Picture", u""), u"/другая папка");
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

// The file type selected first and the one chosen are told by their place in the filter text,
// a type without patterns (left out of the dialog) counted too.
TEST(Components, SaveDialogSelectsAndTellsTheFileType) {
    QTemporaryDir folder;
    const struct {
        std::int32_t offered;
        const char* selectedFirst;
        const char* chosen; ///< the type the user selects; nullptr keeps the one selected
        std::int32_t told;
    } cases[] = {
        {2, "B (*.b)", nullptr, 2},   {2, "B (*.b)", "C (*.c)", 3}, {0, "A (*.a)", "B (*.b)", 2},
        {1, "A (*.a)", nullptr, 0}, // the type without patterns is not in the dialog
        {7, "A (*.a)", "C (*.c)", 3},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.offered);
        CFileDialog dialog;
        dialog.InitialFolder(U16(folder.path().toStdString()));
        dialog.Filter(u"A|*.a|Empty||B|*.b|C|*.c");
        dialog.FilterIndex(test.offered);
        dialog.DefaultFileName(u"page.a");
        WhenShown<QFileDialog>(
            [&](QFileDialog& shown) {
                EXPECT_EQ(shown.nameFilters(), (QStringList{"A (*.a)", "B (*.b)", "C (*.c)"}));
                EXPECT_EQ(shown.selectedNameFilter(), QString::fromUtf8(test.selectedFirst));
                if (test.chosen != nullptr)
                    shown.selectNameFilter(QString::fromUtf8(test.chosen));
            },
            Accept);
        ASSERT_TRUE(dialog.ShowSave());
        EXPECT_EQ(dialog.SelectedFilterIndex(), test.told);
    }
}

TEST(Components, QuestionWithOkAndCancel) {
    const struct {
        QMessageBox::StandardButton pressed;
        bool answer;
    } cases[] = {{QMessageBox::Ok, true}, {QMessageBox::Cancel, false}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.answer);
        CMessageBox messages(u"Korvane - Tesselet");
        WhenShown<QMessageBox>(
            [](QMessageBox& shown) {
                EXPECT_EQ(shown.windowTitle(), QStringLiteral("Korvane - Tesselet"));
                EXPECT_EQ(shown.text(), QStringLiteral("Большая страница.\n\nСохранить?"));
                EXPECT_EQ(shown.icon(), QMessageBox::Warning);
                EXPECT_EQ(shown.standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
            },
            [&](QMessageBox& shown) { shown.button(test.pressed)->click(); });
        EXPECT_EQ(messages.AskOkCancel(u"Большая страница.\r\n\r\nСохранить?", 1 + 48),
                  test.answer);
    }
}

TEST(Components, FolderMemoryThatCannotBeWrittenFails) {
    const FakeComponents fresh;
    const BrokenStore broken;
    CFolderMemory memory;
    EXPECT_THROW(memory.WriteValue(u"OFN Paths", u"SPAN Picture", u"/pages"), CError);
}

TEST(Components, MessageBoxesAndErrorReports) {
    const CError pending(CError::kInvalidPicture, u"Invalid picture");
    const struct {
        const char* name;
        std::function<void(CMessageBox&)> show;
        QString text;
        QMessageBox::Icon icon;
    } cases[] = {
        {"done", [](CMessageBox& box) { box.MsgBox(u"Готово ^_^", 64); },
         QStringLiteral("Готово ^_^"), QMessageBox::Information},
        {"stop", [](CMessageBox& box) { box.MsgBox(u"Не удалось.", 16); },
         QStringLiteral("Не удалось."), QMessageBox::Critical},
        {"report",
         [&](CMessageBox& box) {
             box.ShowError(pending, u"/p/a.txt\r\n\r\nНе удалось загрузить файл.");
         },
         QStringLiteral("/p/a.txt\n\nНе удалось загрузить файл.\n\nОшибка 1481: Invalid picture"),
         QMessageBox::Critical},
        {"report without a message", [&](CMessageBox& box) { box.ShowError(pending, u""); },
         QStringLiteral("Ошибка 1481: Invalid picture"), QMessageBox::Critical},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CMessageBox messages(u"Korvane - Tesselet");
        BoxCloser closer;
        c.show(messages);
        ASSERT_EQ(closer.boxes.size(), 1u);
        EXPECT_EQ(closer.boxes[0].title, QStringLiteral("Korvane - Tesselet"));
        EXPECT_EQ(closer.boxes[0].text, c.text);
        EXPECT_EQ(closer.boxes[0].icon, c.icon);
    }
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
