// What the converter does with the names and inputs people give it: file names that are not
// UTF-8, a picture on standard input, inputs that are not files, and the message that names the
// real cause when a picture cannot be loaded.

#include "TestSupport.h"

#include <QBuffer>
#include <QImage>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kSample = TESSELET_SOURCE_DIR "/resources/sample.png";
const std::string kNotAPicture =
    "\n\nНе удалось загрузить файл. Формат не поддерживается, либо это не картинка.\nОшибка ";
const std::string kNotLoaded = "\n\nНе удалось загрузить файл.\nОшибка ";

} // namespace

TEST(CliNames, FileNamesPassThroughAsBytes) {
    TempDir dir;
    // Neither name is UTF-8: a Latin-1 "é" and two bytes that never start a character.
    const std::string picture = dir.File("bad\xff\xfe.png");
    const std::string chosen = dir.File("out\xe9.htm");
    WriteBytes(picture, ReadBytes(kSample));

    CliRun run = RunCli({"--style", "table", picture});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, dir.File("bad\xff\xfe.table.htm") + "\n");
    EXPECT_TRUE(Exists(dir.File("bad\xff\xfe.table.htm")));

    run = RunCli({"--style", "div", "-o", chosen, picture});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Exists(chosen));

    // A failure names the file as it is spelt on disk.
    run = RunCli({"--style", "div", dir.File("gone\xff.png")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(
        run.err.find(dir.File("gone\xff.png") + kNotLoaded + "2: Нет такого файла или каталога"),
        std::string::npos)
        << run.err;

    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"bad\xff\xfe.png", "bad\xff\xfe.table.htm",
                                               "out\xe9.htm"}));
}

TEST(CliInputs, EachInputGivesItsPageOrItsOwnReason) {
    TempDir dir;
    const std::string sampleBytes = ReadBytes(kSample);
    WriteBytes(dir.File("notes.png"), "Shopping list:\n- milk\n");
    WriteBytes(dir.File("empty.png"), "");
    fs::create_directory(dir.File("folder.png"));
    ::mkfifo(dir.File("fifo.png").c_str(), 0644);
    QImage tall(1, 16384, QImage::Format_RGB32);
    tall.fill(Qt::green);
    ASSERT_TRUE(tall.save(QString::fromStdString(dir.File("tall.png"))));
    const std::string out = dir.File("out");
    fs::create_directory(out);

    const struct {
        const char* what;
        std::vector<std::string> arguments;
        std::string input;
        int inputFd;
        int status;
        std::string message; ///< part of standard error; empty: nothing is said
        const char* page;    ///< the page made in out/, if any
    } cases[] = {
        {"a picture on standard input",
         {"--style", "table", "--out-dir", out, "-"},
         sampleBytes,
         -1,
         0,
         "",
         "stdin.table.htm"},
        {"standard input empty",
         {"--style", "table", "--out-dir", out, "-"},
         "",
         -1,
         1,
         "-" + kNotLoaded + "1482",
         nullptr},
        {"standard input without end",
         {"--style", "table", "--out-dir", out, "-"},
         "",
         ::open("/dev/zero", O_RDONLY),
         1,
         "-" + kNotLoaded + "1487",
         nullptr},
        {"standard input without a page name",
         {"--style", "table", "-"},
         sampleBytes,
         -1,
         2,
         "нужен --output или --out-dir",
         nullptr},
        {"no picture at all",
         {"--style", "table", "--out-dir", out, dir.File("notes.png")},
         "",
         -1,
         1,
         dir.File("notes.png") + kNotAPicture + "1481",
         nullptr},
        {"an empty file",
         {"--style", "table", "--out-dir", out, dir.File("empty.png")},
         "",
         -1,
         1,
         dir.File("empty.png") + kNotLoaded + "1482",
         nullptr},
        {"a missing file",
         {"--style", "table", "--out-dir", out, dir.File("none.png")},
         "",
         -1,
         1,
         dir.File("none.png") + kNotLoaded + "2: Нет такого файла или каталога",
         nullptr},
        {"a folder",
         {"--style", "table", "--out-dir", out, dir.File("folder.png")},
         "",
         -1,
         1,
         dir.File("folder.png") + kNotLoaded + "21: Это каталог",
         nullptr},
        {"a FIFO, which must not be waited on",
         {"--style", "table", "--out-dir", out, dir.File("fifo.png")},
         "",
         -1,
         1,
         dir.File("fifo.png") + kNotLoaded + "1485",
         nullptr},
        {"a device",
         {"--style", "table", "--out-dir", out, "/dev/zero"},
         "",
         -1,
         1,
         "/dev/zero" + kNotLoaded + "1485",
         nullptr},
        {"scaled beyond the largest side",
         {"--style", "table", "--width", "16384", "--out-dir", out, dir.File("tall.png")},
         "",
         -1,
         1,
         dir.File("tall.png") + kNotLoaded + "1484",
         nullptr},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        fs::remove_all(out);
        fs::create_directory(out);
        CliSetup setup;
        setup.input = each.input;
        setup.inputFd = each.inputFd;
        const CliRun run = RunCli(each.arguments, setup);
        if (each.inputFd >= 0)
            ::close(each.inputFd);
        EXPECT_EQ(run.status, each.status) << run.err;
        if (each.message.empty()) {
            EXPECT_EQ(run.err, "");
        } else {
            EXPECT_NE(run.err.find(each.message), std::string::npos) << run.err;
        }
        std::vector<std::string> pages;
        for (const auto& entry : fs::directory_iterator(out))
            pages.push_back(entry.path().filename().string());
        EXPECT_EQ(pages,
                  each.page ? std::vector<std::string>{each.page} : std::vector<std::string>{});
    }
}
