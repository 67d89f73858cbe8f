#include "AppFakes.h"
#include "TestSupport.h"

#include "FileDialog.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QProgressDialog>
#include <QTreeView>
#include <set>
#include <sys/stat.h>
#include <thread>
#include <utility>

static QByteArray ConverterPage(const QString& picture, const char* style, const QString& page) {
    QStringList args{"-q", "--templates", TESSELET_SOURCE_DIR "/resources", "-o", page, picture};
    EXPECT_EQ(QProcess::execute(TESSELET_BIN_DIR "/tesselet-cli", args << "--style" << style), 0);
    return Bytes(page);
}

static QStringList Files(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Each file type of each button writes the converter's page of the same picture, transparency kept
// by the compact ones alone; the folder and the type chosen are offered again next time.
TEST(Save, PagesEqualTheConvertersAndTheChoiceIsRemembered) {
    const struct {
        const char* button;
        std::int32_t type;
        const char* style;
        const char* proposedNext;
        std::int32_t offeredNext;
    } rows[] = {
        {"cmdSaveSPAN", -1, "span", "cat.span.htm", -1},
        {"cmdSaveTABLE", 1, "compact", "cat.compact.htm", 1},
        {"cmdSaveTABLE", 2, "compact-mail", "cat.mail.htm", 2},
        {"cmdSaveTABLE", 5, "compact-mail", "cat.mail.htm", 2}, // "Все файлы": the type kept
        {"cmdSaveTABLE", 4, "compact-mail", "cat.mail.htm", 2}, // as by "HTML файлы"
        {"cmdSaveTABLE", 3, "web", "cat.web.htm", 3},
        {"cmdSaveTABLE", 0, "table", "cat.table.htm", 0},
        {"cmdSaveDIV", -1, "div", "cat.div.htm", -1},
    };
    Window w(Picture(30, 12, true));
    ASSERT_TRUE(QDir(w.dir.path()).mkdir(QStringLiteral("pages")));
    for (const auto& row : rows) {
        w.Press(row.button, w.Path("pages/page.htm"), row.type);
        EXPECT_EQ(w.fakes.said, std::vector<QString>{"Готово ^_^"});
        EXPECT_EQ(Bytes(w.Path("pages/page.htm")),
                  ConverterPage(w.Path("cat.png"), row.style, w.Path("cli.htm")))
            << row.style;
        w.Button(row.button)->click();
        ASSERT_EQ(w.fakes.dialogs.size(), 1u);
        EXPECT_EQ(w.fakes.dialogs.back().folder, w.Path("pages").toStdString());
        EXPECT_EQ(w.fakes.dialogs.back().proposed, w.Path(row.proposedNext).toStdString());
        EXPECT_EQ(w.fakes.dialogs.back().offered, row.offeredNext);
        const QString own = QString::fromLatin1(row.button + 7); // SPAN, TABLE, DIV
        EXPECT_EQ(w.fakes.dialogs.back().types.first(), own + " картинки");
        EXPECT_EQ(w.fakes.dialogs.back().types.size(), own == "TABLE" ? 6 : 3);
    }
    // Saves shorter than the progress dialog's delay showed none, then or since.
    QTest::qWait(kProgressDelayMs + 200);
    const auto* progress = w.window.findChild<QProgressDialog*>();
    EXPECT_TRUE(progress == nullptr || !progress->isVisible());
    // The folder is remembered under the keys earlier versions stored it by.
    QSettings settings;
    settings.beginGroup(QStringLiteral("OFN Paths"));
    for (const char* key : {"SPAN Picture", "TABLE Picture", "DIV Picture"})
        EXPECT_EQ(settings.value(key).toString(), w.Path("pages")) << key;
}

// A page that cannot be written is told with its path and the failure, says no "Готово ^_^" and
// leaves no file behind; nor is the picture's own file written over.
TEST(Save, OutputFailures) {
    Window w;
    const QString full = QString::fromStdString(MakeFullDevice(w.dir.path().toStdString()));
    ASSERT_TRUE(QDir(w.dir.path()).mkdir(QStringLiteral("sub")));
    const QByteArray picture = Bytes(w.Path("cat.png"));
    const QString failed = QStringLiteral("\r\n\r\nНе удалось сохранить файл.\r\n\r\nОшибка %1: ");
    for (const auto& [path, number] : {std::pair<QString, int>{w.Path("no/such/page.htm"), 2},
                                       {w.Path("sub"), 21},
                                       {full, 28},
                                       {w.Path("cat.png"), 1500}}) {
        w.Press("cmdSaveSPAN", path);
        ASSERT_EQ(w.fakes.said.size(), 1u) << path.toStdString();
        EXPECT_TRUE(w.fakes.said[0].startsWith(path + failed.arg(number)));
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(Files(w.dir.path()), (QStringList{"cat.png", "sub"}));
    EXPECT_EQ(Bytes(w.Path("cat.png")), picture);

    // Nor the read-me or a start-up file of the program.
    QTemporaryDir program;
    Window own(Picture(7, 5), AppInfo(program.path().toStdString()));
    for (const auto& [name, what] :
         {std::pair{"readme.html", "файл программы "}, {"template.1.html", "стартовый файл "}}) {
        const QString kept = program.filePath(name);
        ASSERT_TRUE(QFile::copy(w.Path("cat.png"), kept));
        own.Press("cmdSaveSPAN", kept);
        EXPECT_EQ(own.fakes.said,
                  std::vector{kept + failed.arg(1500) + "Страница заменила бы " + what + kept});
        EXPECT_EQ(Bytes(kept), picture);
    }
}

// The progress dialog of a long save goes with it; its Cancel keeps the old page and says nothing.
TEST(Save, TheProgressDialogGoesWithItsSaveAndItsCancelKeepsTheOldPage) {
    QImage flat(3000, 2000, QImage::Format_RGB32);
    flat.fill(Qt::darkCyan);
    for (const bool cancel : {false, true}) {
        Window w(cancel ? flat : flat.copy(0, 0, 1500, 1000)); // long enough to show the dialog
        w.fakes.services.largePageBytes = UINT64_MAX;
        w.fakes.services.progressDelayMs = 0;                            // the dialog at once
        ASSERT_TRUE(QFile::copy(w.Path("cat.png"), w.Path("page.htm"))); // the old page
        QString said;            // from the moment the dialog shows
        QPointer<QDialog> shown; // the one dialog of the save, not one per delay
        const User user([&](QDialog& progress) {
            if (said.isEmpty()) {
                said = static_cast<QProgressDialog&>(progress).labelText();
                shown = &progress;
                QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier); // only Esc closes
                QApplication::sendEvent(&w.window, &space);
            }
            EXPECT_TRUE(shown == &progress);
            if (cancel && static_cast<QProgressDialog&>(progress).value() > 0) // rows counted
                progress.findChild<QPushButton*>()->click();
        });
        w.Press("cmdSaveDIV", w.Path("page.htm"));
        EXPECT_EQ(said, "Сохранение страницы…");
        EXPECT_EQ(w.fakes.said,
                  cancel ? std::vector<QString>{} : std::vector<QString>{"Готово ^_^"});
        EXPECT_EQ(Bytes(w.Path("page.htm")) == Bytes(w.Path("cat.png")), cancel);
        EXPECT_EQ(Files(w.dir.path()), (QStringList{"cat.png", "page.htm"}));
        EXPECT_TRUE(w.window.isVisible());
        const auto* progress = w.window.findChild<QProgressDialog*>();
        EXPECT_TRUE(progress == nullptr || !progress->isVisible());
    }
}

// The count of a large page, and the laying of a picture with alpha over white before it, cannot
// be cancelled and tell no count: their progress dialogs offer no Cancel, and show a busy bar.
TEST(Save, WorkThatCannotBeCancelledOffersNoCancel) {
    struct ShownDialogs : QObject {
        std::set<bool> cancels; ///< whether each progress dialog shown had a Cancel or a count
        bool eventFilter(QObject* object, QEvent* event) override {
            if (auto* shown = qobject_cast<QProgressDialog*>(object);
                shown && event->type() == QEvent::Show)
                cancels.insert(shown->findChild<QPushButton*>() || shown->maximum() != 0);
            return false;
        }
    } dialogs;
    QImage flat(3000, 2000, QImage::Format_ARGB32);
    flat.fill(Qt::darkCyan);
    Window w(flat);
    w.fakes.services.largePageBytes = 1 << 20; // counted, and found over it
    w.fakes.services.progressDelayMs = 0;
    qApp->installEventFilter(&dialogs);
    w.Press("cmdSaveDIV", w.Path("page.htm"));
    qApp->removeEventFilter(&dialogs);
    EXPECT_EQ(dialogs.cancels, std::set{false});
    EXPECT_EQ(w.fakes.said.size(), 1u); // the question, answered Cancel
    EXPECT_EQ(Files(w.dir.path()), QStringList{"cat.png"});
}

// A close asked for during a save into a pipe, by the title bar (the progress dialog showing) or by
// Esc (before it shows), is carried out once the page is read whole, under the busy pointer.
TEST(Save, ACloseDuringASaveIsCarriedOutWhenItEnds) {
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Esc" : "title bar");
        Window w;
        const QString pipe = w.Path("page.table.htm");
        ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
        w.fakes.services.progressDelayMs = escape ? 60000 : 0;
        std::thread reader;
        QByteArray page;
        QTimer::singleShot(300, [&] {
            // Meanwhile a click on the load button opens nothing, under the busy pointer.
            QTest::mouseClick(w.Button("cmdLoadPicture"), Qt::LeftButton);
            EXPECT_EQ(w.fakes.dialogs.size(), 1u);
            const QCursor* pointer = QGuiApplication::overrideCursor();
            EXPECT_TRUE(pointer != nullptr && pointer->shape() == Qt::WaitCursor);
            if (escape)
                w.Key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            else
                QWindowSystemInterface::handleCloseEvent<
                    QWindowSystemInterface::SynchronousDelivery>(w.window.windowHandle());
            EXPECT_TRUE(w.window.isVisible()); // the save still runs, and says what follows
            EXPECT_TRUE(escape || QTest::qWaitFor([] {
                            for (QWidget* widget : QApplication::topLevelWidgets())
                                if (auto* progress = qobject_cast<QProgressDialog*>(widget))
                                    return progress->labelText() ==
                                           "Сохранение страницы…\n\nОкно закроется, "
                                           "когда работа закончится.";
                            return false;
                        }));
            reader = std::thread([&] { page = Bytes(pipe); });
        });
        w.Press("cmdSaveTABLE", pipe, 0);
        if (!reader.joinable()) // the save ended before the close
            QTest::qWait(400);
        reader.join();
        EXPECT_EQ(w.fakes.said, std::vector<QString>{"Готово ^_^"});
        EXPECT_FALSE(w.window.isVisible());
        EXPECT_EQ(page, ConverterPage(w.Path("cat.png"), "table", w.Path("cli.htm")));
    }
}

// A page over the large-page size is asked about first; Cancel: none. No box shows busy.
TEST(Save, LargePageQuestion) {
    Window w(Picture(30, 20));
    w.fakes.services.largePageBytes = UINT64_MAX;
    w.Press("cmdSaveSPAN", w.Path("page.htm"));
    const auto size = static_cast<std::uint64_t>(Bytes(w.Path("page.htm")).size());
    const QString asked = "Страница займёт примерно 1 МБ. Всё равно сохранить?";
    const struct {
        std::uint64_t limit;
        bool answerOk, written;
        std::vector<QString> said;
    } rows[] = {{size, false, true, {"Готово ^_^"}},
                {size - 1, true, true, {asked, "Готово ^_^"}},
                {size - 1, false, false, {asked}}};
    for (const auto& row : rows) {
        QFile::remove(w.Path("page.htm"));
        w.fakes.services.largePageBytes = row.limit;
        w.fakes.answerOk = row.answerOk;
        w.Press("cmdSaveSPAN", w.Path("page.htm"));
        EXPECT_EQ(w.fakes.said, row.said);
        EXPECT_FALSE(w.fakes.busyWhenSaid);
        EXPECT_EQ(Files(w.dir.path()).size(), row.written ? 2 : 1);
    }
    EXPECT_TRUE(w.window.close()); // Cancel ended the save: no close waits for it
}

// The save dialog opens in the remembered folder if it exists, else in the proposed name's ("a");
// the name takes the chosen type's extension unless the user typed it or the type has several.
TEST(FileDialog, SaveDialogFolderAndName) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("a") && QDir(dir.path()).mkpath("b"));
    const struct {
        std::int32_t offered; ///< the type selected when the dialog opens
        const char* typed;    ///< the user's own name, if any
        int picked;           ///< the type the user picks from the list
        const char* chosen;
        const char* remembered = "";
    } rows[] = {
        {0, nullptr, 2, "a/mid.mail.htm"},          {0, nullptr, 1, "b/mid.compact.htm", "b"},
        {2, nullptr, 0, "a/mid.table.htm", "gone"}, {1, nullptr, 3, "a/mid.compact.htm"},
        {2, nullptr, 4, "a/mid.mail.htm"},          {0, "mine.htm", 2, "a/mine.htm"}};
    const char* extensions[] = {".table.htm", ".compact.htm", ".mail.htm"};
    for (const auto& row : rows) {
        bool acted = false;
        const User user([&](QDialog& dialog) {
            if (std::exchange(acted, true))
                return;
            if (row.typed != nullptr) {
                dialog.findChild<QLineEdit*>("fileNameEdit")->clear();
                QTest::keyClicks(dialog.findChild<QLineEdit*>("fileNameEdit"), row.typed);
            }
            auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
            EXPECT_EQ(types->currentIndex(), row.offered); // the type offered, chosen already
            types->setCurrentIndex(row.picked);
            Q_EMIT types->activated(row.picked); // as a click in the list does
            Q_EMIT types->textActivated(types->currentText());
            dialog.accept();
        });
        FileDialog dialog;
        dialog.FileTypes({{"TABLE картинки", {"*.table.htm"}},
                          {"Сжатые TABLE картинки", {"*.compact.htm"}},
                          {"TABLE картинки для писем", {"*.mail.htm"}},
                          {"HTML файлы", {"*.HTM", "*.HTML"}},
                          {"Все файлы", {"*"}}});
        dialog.FilterIndex(row.offered);
        dialog.InitialFolder(*row.remembered ? dir.filePath(row.remembered).toStdString() : "");
        dialog.DefaultFileName(
            dir.filePath(QString("a/mid") + extensions[row.offered]).toStdString());
        ASSERT_TRUE(dialog.ShowSave());
        EXPECT_EQ(dialog.SelectedFile(), dir.filePath(row.chosen).toStdString());
        EXPECT_EQ(dialog.SelectedFilterIndex(), row.picked);
    }
}

// The file list speaks the run's language whatever the locale: Russian under C (the default run)
// and under de_DE (app_dialog_de), its sizes and dates included.
TEST(FileDialog, SpeaksTheRunsLanguage) {
    QTemporaryDir dir;
    ASSERT_EQ(QProcess::execute("sh", {"-c",
                                       "cd \"$0\" && mkdir sub && printf 123456 >a.htm && head -c "
                                       "3000 /dev/zero >b.png && touch -d '2026-12-07 09:05' *",
                                       dir.path()}),
              0);
    QStringList seen; // the rows in the order of their names
    const User user([&](QDialog& dialog) {
        const auto* view = dialog.findChild<QTreeView*>("treeView");
        QStringList rows;
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
            QStringList cells;
            for (int column = 0; column < 4; ++column)
                cells << view->model()->index(row, column, view->rootIndex()).data().toString();
            rows << cells.join(" | ");
        }
        rows.sort();
        if (rows.size() == 3 && !rows.last().endsWith("| "))
            seen = rows, dialog.reject();
    });
    FileDialog dialog;
    dialog.InitialFolder(dir.path().toStdString());
    dialog.FileTypes({{"Все файлы", {"*"}}});
    EXPECT_FALSE(dialog.ShowOpen());
    EXPECT_EQ(seen.join(" / ").toStdString(),
              "a.htm | 6 байт | Документ HTML | 07.12.2026 09:05 / "
              "b.png | 2,93 КБ | Изображение PNG | 07.12.2026 09:05 / "
              "sub |  | Папка | 07.12.2026 09:05");
}
