#include "AppFakes.h"

#include "CBackgroundWork.h"
#include "CFileDialog.h"

#include <QDir>
#include <QProcess>

static QByteArray ConverterPage(const QString& picture, const char* style, const QString& page) {
    QProcess cli;
    cli.start(QStringLiteral(TESSELET_BIN_DIR "/tesselet-cli"),
              {"-q", "--templates", TESSELET_SOURCE_DIR "/resources", "--style", style, "-o", page,
               picture});
    EXPECT_TRUE(cli.waitForFinished(120000) && cli.exitCode() == 0) << style;
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
    } rows[] = {
        {"cmdSaveSPAN", -1, "span", "cat.span.htm"},
        {"cmdSaveTABLE", 1, "compact", "cat.compact.htm"},
        {"cmdSaveTABLE", 2, "compact-mail", "cat.mail.htm"},
        {"cmdSaveTABLE", 5, "compact-mail", "cat.mail.htm"}, // "Все файлы" keeps the type offered
        {"cmdSaveTABLE", 3, "web", "cat.web.htm"},
        {"cmdSaveTABLE", 0, "table", "cat.table.htm"},
        {"cmdSaveDIV", -1, "div", "cat.div.htm"},
    };
    Window w(Picture(30, 12, true));
    ASSERT_TRUE(QDir(w.dir.path()).mkdir(QStringLiteral("pages")));
    for (const auto& row : rows) {
        w.Press(row.button, w.Path("pages/page.htm"), row.type);
        EXPECT_EQ(w.fakes.said, std::vector<std::u16string>{u"Готово ^_^"});
        EXPECT_EQ(Bytes(w.Path("pages/page.htm")),
                  ConverterPage(w.Path("cat.png"), row.style, w.Path("cli.htm")))
            << row.style;
        w.Button(row.button)->click();
        ASSERT_EQ(w.fakes.dialogs.size(), 1u);
        EXPECT_EQ(w.fakes.dialogs.back().folder, FromQString(w.Path("pages")));
        EXPECT_EQ(w.fakes.dialogs.back().proposed, FromQString(w.Path(row.proposedNext)));
    }
}

// A page that cannot be written is told with its path and the failure, says no "Готово ^_^" and
// leaves no file behind; nor is the picture's own file written over.
TEST(Save, OutputFailures) {
    Window w;
    ASSERT_TRUE(QDir(w.dir.path()).mkdir(QStringLiteral("sub")));
    const QByteArray picture = Bytes(w.Path("cat.png"));
    const QString failed = QStringLiteral("\r\n\r\nНе удалось сохранить файл.\r\n\r\nОшибка %1: ");
    for (const auto& [path, number] : {std::pair<QString, int>{w.Path("no/such/page.htm"), 2},
                                       {w.Path("sub"), 21},
                                       {"/dev/full", 28},
                                       {w.Path("cat.png"), 1500}}) {
        w.Press("cmdSaveSPAN", path);
        ASSERT_EQ(w.fakes.said.size(), 1u) << path.toStdString();
        EXPECT_TRUE(ToQString(w.fakes.said[0]).startsWith(path + failed.arg(number)));
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(Files(w.dir.path()), (QStringList{"cat.png", "sub"}));
    EXPECT_EQ(Bytes(w.Path("cat.png")), picture);
}

TEST(Save, CancelOfALongSaveKeepsTheOldPageAndSaysNothing) {
    QImage flat(3000, 2000, QImage::Format_RGB32);
    flat.fill(Qt::darkCyan);
    Window w(flat);
    w.fakes.services.largePageBytes = UINT64_MAX;
    ASSERT_TRUE(QFile::copy(w.Path("cat.png"), w.Path("big.table.htm"))); // the old page
    const int delay = CBackgroundWork::DialogDelayMs.exchange(0);         // the dialog at once
    int dialogs = 0;
    const User user(
        [&](QDialog& progress) { ++dialogs, progress.findChild<QPushButton*>()->click(); });
    w.Press("cmdSaveTABLE", w.Path("big.table.htm"), 0);
    CBackgroundWork::DialogDelayMs = delay;
    EXPECT_GE(dialogs, 1);
    EXPECT_TRUE(w.fakes.said.empty());
    EXPECT_EQ(Bytes(w.Path("big.table.htm")), Bytes(w.Path("cat.png")));
    EXPECT_EQ(Files(w.dir.path()), (QStringList{"big.table.htm", "cat.png"}));
}

// A page above the large-page size is asked about first, under the default pointer; Cancel writes
// nothing.
TEST(Save, LargePageQuestion) {
    Window w(Picture(30, 20));
    w.fakes.services.largePageBytes = UINT64_MAX;
    w.Press("cmdSaveSPAN", w.Path("page.htm"));
    const auto size = static_cast<std::uint64_t>(Bytes(w.Path("page.htm")).size());
    const std::u16string asked = u"Страница займёт примерно 1 МБ. Всё равно сохранить?";
    const struct {
        std::uint64_t limit;
        bool answerOk, written;
        std::vector<std::u16string> said;
    } rows[] = {{size, false, true, {u"Готово ^_^"}},
                {size - 1, false, false, {asked}},
                {size - 1, true, true, {asked, u"Готово ^_^"}}};
    for (const auto& row : rows) {
        QFile::remove(w.Path("page.htm"));
        w.fakes.services.largePageBytes = row.limit;
        w.fakes.answerOk = row.answerOk;
        w.Press("cmdSaveSPAN", w.Path("page.htm"));
        EXPECT_EQ(w.fakes.said, row.said);
        EXPECT_FALSE(w.fakes.busyWhenAsked);
        EXPECT_EQ(Files(w.dir.path()).size(), row.written ? 2 : 1);
    }
}

// The save dialog opens in the remembered folder when it exists, otherwise in the proposed name's.
TEST(Save, SaveDialogFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("a") && QDir(dir.path()).mkpath("b"));
    const User user([](QDialog& dialog) { dialog.accept(); });
    for (const auto& [remembered, chosen] : {std::pair<QString, QString>{"", "a"},
                                             {dir.filePath("b"), "b"},
                                             {dir.filePath("gone"), "a"}}) {
        CFileDialog dialog;
        dialog.InitialFolder(FromQString(remembered));
        dialog.DefaultFileName(FromQString(dir.filePath("a/cat.span.htm")));
        ASSERT_TRUE(dialog.ShowSave());
        EXPECT_EQ(dialog.SelectedFile(), FromQString(dir.filePath(chosen + "/cat.span.htm")));
    }
}
