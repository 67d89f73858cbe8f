// The converter as a user runs it: arguments, exit status, what it prints and leaves on disk.

#include "TesseletVersion.h"
#include "TestSupport.h"

#include "CConsoleReporter.h"
#include "CProgressWriter.h"
#include "modCallPictureGenerator.h"
#include "modMessages.h"
#include "modPageStyle.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kSample = TESSELET_SOURCE_DIR "/resources/sample.png";
const std::string kOldPage = "\xEF\xBB\xBFthe old page\r\n";
const std::string kNoSpace = "28: На устройстве не осталось свободного места";

std::vector<std::string> Split(const std::string& words) {
    std::istringstream stream(words);
    return {std::istream_iterator<std::string>(stream), std::istream_iterator<std::string>()};
}

std::string NotSaved(const std::string& path, const std::string& error) {
    return path + "\n\nНе удалось сохранить файл.\nОшибка " + error + "\n";
}

std::set<std::string> Files(const TempDir& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(dir.Path()))
        names.insert(fs::relative(entry.path(), dir.Path()).string());
    return names;
}

// Runs the converter in a fresh folder of pictures, old pages and outputs it cannot write. `out`
// ending in "…" is a prefix; "{size}" in `err` stands for the size of the first new page.
void Expect(const std::string& arguments, int status, const std::string& out, std::string err,
            const std::string& pages = "", const std::function<void()>& inChild = nullptr) {
    SCOPED_TRACE(arguments);
    TempDir dir;
    for (const char* picture : {"p.png", "pic", "d1/s.png", "d2/s.png"}) {
        fs::create_directories(fs::path(dir.File(picture)).parent_path());
        fs::copy_file(kSample, dir.File(picture));
    }
    fs::create_symlink("p.png", dir.File("link.png"));
    for (const char* name : {"out", "ro"})
        fs::create_directory(dir.File(name));
    for (const char* name : {"old.htm", "ro.htm"})
        WriteBytes(dir.File(name), kOldPage);
    ::chmod(dir.File("ro").c_str(), 0555);
    ::chmod(dir.File("ro.htm").c_str(), 0444);
    ::mkfifo(dir.File("fifo").c_str(), 0444);
    std::set<std::string> expected = Files(dir);

    CliSetup setup;
    setup.inChild = [&] {
        if (::chdir(dir.Path().c_str()) == 0 && inChild)
            inChild();
    };
    const CliRun run = RunCli(Split(arguments), setup);
    EXPECT_EQ(run.status, status);
    EXPECT_EQ(out.ends_with("…") ? run.out.substr(0, out.size() - 3) + "…" : run.out, out);
    const std::vector<std::string> added = Split(pages);
    if (const auto size = err.find("{size}"); size != std::string::npos)
        err.replace(size, 6, std::to_string(fs::file_size(dir.File(added.at(0)))));
    EXPECT_EQ(run.err, err);
    for (const auto& page : added)
        EXPECT_EQ(ReadBytes(dir.File(page)).substr(0, 4), "\xEF\xBB\xBF<") << page;
    expected.insert(added.begin(), added.end());
    EXPECT_EQ(Files(dir), expected);
    EXPECT_EQ(ReadBytes(dir.File("old.htm")) == kOldPage, pages.find("old.htm") == pages.npos);
    EXPECT_EQ(ReadBytes(dir.File("ro.htm")), kOldPage);
    EXPECT_TRUE(ReadBytes(dir.File("p.png")) == ReadBytes(kSample));
}

} // namespace

TEST(Cli, UsageErrorsSayWhatIsWrongAndWriteNothing) {
    const std::string width = "--width: нужно целое число от 1 до 16384";
    const std::string tolerance = "--tolerance: нужно число от 0 до 100 (ΔE)";
    const std::string bytes = "--max-bytes: нужно целое число байт больше 0, можно с k (1024 "
                              "байта) или M (1024 k)";
    const std::string output = "--output нужны одна картинка и один --style";
    const std::string compactOnly = " только для стилей compact, compact-mail и web (--style)";
    const std::pair<const char*, std::string> rows[] = {
        {"", "не задано ни одной картинки"},
        {"--bogus p.png", "Неизвестный параметр «bogus»."},
        {"--style table -o x.htm p.png pic", output},
        {"-o x.htm p.png", output},
        {"--style all -o x.htm p.png", output},
        {"--style div -o x.htm --out-dir out p.png", "--output и --out-dir исключают друг друга"},
        {"--style png p.png", "неизвестный стиль «png» (table, span, div, compact, compact-mail, "
                              "web или all)"},
        {"--width abc p.png", width},
        {"--width -5 p.png", width},
        {"--width 0 p.png", width},
        {"--width 16385 p.png", width},
        {"--height 0 p.png", "--height: нужно целое число от 1 до 16384"},
        {"--style compact --tolerance 100.5 p.png", tolerance},
        {"--style compact --tolerance -1 p.png", tolerance},
        {"--style compact --tolerance nan p.png", tolerance},
        {"--style compact --tolerance inf p.png", tolerance},
        {"--tolerance 5 p.png", "--tolerance" + compactOnly},
        {"--max-bytes 5G p.png", bytes},
        {"--max-bytes 0 p.png", bytes},
        {"--style compact --background #12345 p.png",
         "--background: нужен цвет вида #RRGGBB или его имя (white, black…)"},
        {"--mail p.png", "--mail" + compactOnly},
        {"--style table --fragment p.png", "--fragment" + compactOnly},
        {"- -", "«-» (стандартный ввод) можно указать только один раз"},
        {"-", "картинке со стандартного ввода («-») нужен --output или --out-dir"},
    };
    for (const auto& [arguments, error] : rows)
        Expect(arguments, 2, "",
               "tesselet-cli: " + error + "\nПопробуйте «tesselet-cli --help».\n");
}

TEST(Cli, RunsThatWritePagesNameThem) {
    const struct {
        const char* arguments;
        std::string out, err;
        const char* pages;
    } rows[] = {
        {"p.png", "p.span.htm\np.table.htm\np.div.htm\n", "", "p.span.htm p.table.htm p.div.htm"},
        {"-q p.png", "", "", "p.span.htm p.table.htm p.div.htm"},
        {"--out-dir out p.png", "out/p.span.htm\nout/p.table.htm\nout/p.div.htm\n", "",
         "out/p.span.htm out/p.table.htm out/p.div.htm"},
        {"--style table pic", "pic.table.htm\n", "", "pic.table.htm"},
        {"--style span -o mine.htm p.png", "mine.htm\n", "", "mine.htm"},
        {"--style span -o old.htm p.png", "old.htm\n", "", "old.htm"},
        {"--style table -o - p.png", "\xEF\xBB\xBF<…", "", ""},
        {"--style compact --fragment -o - p.png", "<table …", "", ""},
        {"--style compact --mail p.png", "p.mail.htm\n", "", "p.mail.htm"},
        {"--style compact --tolerance 0 p.png", "p.compact.htm\n",
         "p.compact.htm: наибольшее отличие цвета ΔE = 0.00\n", "p.compact.htm"},
        // 400k is 409,600 bytes: the whole page of 405,699 fits only when k is 1024.
        {"--style div --max-bytes 400k p.png", "p.div.htm\n",
         "p.div.htm: 96 x 64 пикселей, {size} байт\n", "p.div.htm"},
        {"--style div --max-bytes 1M p.png", "p.div.htm\n",
         "p.div.htm: 96 x 64 пикселей, {size} байт\n", "p.div.htm"},
        {"--version", "tesselet-cli " TESSELET_VERSION_TEXT "\n", "", ""},
        {"--help", "Использование: " TESSELET_BIN_DIR "/tesselet-cli [параметры] PICTURE...\n…", "",
         ""},
    };
    for (const auto& row : rows)
        Expect(row.arguments, 0, row.out, row.err, row.pages);
}

TEST(Cli, AFailedSaveLeavesTheOldFilesAndNoPartOfThePage) {
    const rlimit limit{64 << 10, 64 << 10};
    const auto limitSize = [&limit] { ::setrlimit(RLIMIT_FSIZE, &limit); };
    const auto failClose = [] {
        ::setenv("LD_PRELOAD", TESSELET_FAIL_CLOSE, 1);
        ::setenv("ASAN_OPTIONS", "verify_asan_link_order=0", 1); // the shim comes before ASan
    };
    const struct {
        const char* output; ///< --style div -o output p.png
        std::function<void()> inChild;
        std::string error;
    } rows[] = {
        {"no/such/x.htm", nullptr, "2: Нет такого файла или каталога"},
        {"ro", nullptr, "21: Это каталог"},
        {"ro/x.htm", DropCapabilities, "13: Отказано в доступе"},
        {"ro.htm", DropCapabilities, "13: Отказано в доступе"},
        {"fifo", DropCapabilities, "13: Отказано в доступе"},
        {"/dev/full", nullptr, kNoSpace},
        {"old.htm", limitSize, "27: Файл слишком велик"},
        {"old.htm", failClose, "5: Ошибка ввода-вывода"},
        {"p.png", nullptr, "1500: Страница заменила бы свою же картинку p.png"},
        {"link.png", nullptr, "1500: Страница заменила бы свою же картинку p.png"},
    };
    for (const auto& row : rows)
        Expect(std::string("--style div -o ") + row.output + " p.png", 1, "",
               NotSaved(row.output, row.error), "", row.inChild);
    Expect("--style div --out-dir out d1/s.png d2/s.png", 1, "out/s.div.htm\n",
           NotSaved("out/s.div.htm",
                    "1501: В этот файл в этом запуске уже записана страница картинки d1/s.png"),
           "out/s.div.htm");
    // In English when the locale says so; in Russian, the program's own language, above.
    Expect("--style div -o /dev/full p.png", 1, "",
           "/dev/full\n\nCould not save the file.\nError 28: No space left on device\n", "", [] {
               for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
                   ::unsetenv(name);
               ::setenv("LANG", "en_US.UTF-8", 1);
           });
}

TEST(Cli, FailedSavesLeaveNoDescriptorOpen) {
    TempDir dir;
    const TemplatesScope templates(u"<body%BODY_TAG_TAIL%>\r\n", u"</body>\r\n", u"abc");
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit unlimited{};
    ::getrlimit(RLIMIT_FSIZE, &unlimited);
    const QImage picture = MakePicture(4, 3);
    const int before = OpenDescriptors();
    for (const auto& style : PageStyles()) {
        for (const auto& [path, number] :
             {std::pair{std::string("/dev/full"), 28}, std::pair{dir.File("big.htm"), 27}}) {
            const rlimit limit{number == 27 ? 100 : unlimited.rlim_cur, unlimited.rlim_max};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            FakeReporter ui;
            EXPECT_FALSE(CallPictureGenerator(*style.create(), U16(path), picture, ui, ui));
            ::setrlimit(RLIMIT_FSIZE, &unlimited);
            ASSERT_EQ(ui.errors.size(), 1u);
            EXPECT_EQ(ui.errors[0].number, number);
        }
    }
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(OpenDescriptors(), before);
}

// The line is drawn at every row here; the converter paces it and draws it on terminals only.
TEST(CliProgress, TheLineReachesAPipeRowByRowAndAReportGoesBeneathIt) {
    const std::string row1 = "\rp.htm: строка 1 из 3 (33%)", row2 = "\rp.htm: строка 2 из 3 (66%)";
    const std::vector<std::string> whole = {row1, row2, "\rp.htm: строка 3 из 3 (100%)",
                                            "\r\033[K"};
    const std::vector<std::string> failed = {row1, row2, NotSaved("\n/p.htm", kNoSpace)};
    for (const bool diskFills : {false, true}) {
        int fds[2];
        ASSERT_EQ(::pipe2(fds, O_NONBLOCK), 0);
        std::FILE* stream = ::fdopen(fds[1], "w");
        std::vector<std::string> seen;
        const auto received = [&] {
            char text[4096];
            const ssize_t got = ::read(fds[0], text, sizeof text);
            seen.emplace_back(text, static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        };
        IAnyPicture inner;
        CConsoleReporter reporter(stream);
        CProgressWriter progress(inner, "p.htm", stream, {{}, {}});
        progress.BeginPicture(1, 3);
        for (int y = 0; y < (diskFills ? 2 : 3); ++y) {
            progress.EndNewLine(y);
            received();
        }
        if (diskFills)
            reporter.ShowError(CError::FromErrno(ENOSPC), FileMessage(u"/p.htm", Tr(kSaveFailed)));
        progress.CloseFile();
        received();
        EXPECT_EQ(seen, diskFills ? failed : whole);
        std::fclose(stream);
        ::close(fds[0]);
    }
}

TEST(CliStyles, TheWindowsAccessorsGiveTheStylesOfTheirNames) {
    const std::u16string_view names[] = {u"span",    u"table",        u"div",
                                         u"compact", u"compact-mail", u"web"};
    const PageStyle* styles[] = {&SpanStyle(),    &TableStyle(),       &DivStyle(),
                                 &CompactStyle(), &CompactMailStyle(), &WebStyle()};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(FindPageStyle(names[i]), styles[i]) << i;
}
