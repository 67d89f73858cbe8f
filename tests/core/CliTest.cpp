// The converter as a user runs it: arguments, exit status, what it prints and leaves on disk.

#include "TesseletVersion.h"
#include "TestSupport.h"

#include "CallPictureGenerator.h"
#include "ConsoleReporter.h"
#include "FileMessages.h"
#include "Interrupts.h"
#include "PageStyle.h"
#include "ProgressWriter.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kSample = TESSELET_SOURCE_DIR "/resources/sample.png";
const std::string kOldPage = "\xEF\xBB\xBFthe old page\r\n";
const std::string kNoSpace = "28: На устройстве не осталось свободного места";

// Words apart by spaces; '' is an empty word.
std::vector<std::string> Split(const std::string& words) {
    std::istringstream stream(words);
    std::vector<std::string> split{std::istream_iterator<std::string>(stream), {}};
    std::ranges::replace(split, "''", std::string());
    return split;
}

std::string NotSaved(const std::string& path, const std::string& error) {
    return path + "\n\nНе удалось сохранить файл.\nОшибка " + error + "\n";
}

// The names in `dir`, links as links.
std::set<std::string> Files(const TempDir& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(dir.Path()))
        names.insert(entry.path().lexically_relative(dir.Path()).string());
    return names;
}

// For use in a child: `fd` becomes `name` opened with `flags`, as a shell's redirection makes it.
std::function<void()> Redirect(int fd, const char* name, int flags) {
    return [=] {
        if (const int file = ::open(name, flags, 0644); file != fd && ::dup2(file, fd) == fd)
            ::close(file);
    };
}

// For use in a child: at most `megabytes` of address space (unused under ASan, which needs more).
[[maybe_unused]] void LimitMemory(rlim_t megabytes) {
    const rlimit memory{megabytes << 20, megabytes << 20};
    ::setrlimit(RLIMIT_AS, &memory);
}

// Runs the converter in a fresh folder of pictures, old pages, outputs it cannot write and start-up
// files too large (big/); `out` ending in "…" is a prefix; "{size}" in `err`: the new page's size.
void Expect(const std::string& arguments, int status, const std::string& out, std::string err,
            const std::string& pages = "", const std::function<void()>& inChild = nullptr,
            const std::function<void(pid_t, const TempDir&)>& whileRunning = nullptr) {
    SCOPED_TRACE(arguments);
    TempDir dir;
    for (const char* picture : {"p.png", "pic", "d1/s.png", "d2/s.png", "d.1/.pic"}) {
        fs::create_directories(fs::path(dir.File(picture)).parent_path());
        fs::copy_file(kSample, dir.File(picture));
    }
    fs::create_symlink("p.png", dir.File("link.png"));
    fs::create_symlink("missing.htm", dir.File("dangling.htm"));
    for (int i = 0; i < 40; ++i) // the most links followed, each read from its own folder
        fs::create_symlink(i < 39 ? "chain" + std::to_string(i + 1) : "chained.htm",
                           dir.File("d1/chain" + std::to_string(i)));
    for (const char* name : {"out", "ro", "big"})
        fs::create_directory(dir.File(name));
    for (const char* name : {"template.1.html", "template.2.html"})
        fs::copy_file(TESSELET_BIN_DIR "/" + std::string(name), dir.File("big/") + name);
    WriteBytes(dir.File("big/source.text"), "");
    fs::resize_file(dir.File("big/source.text"), (std::uintmax_t{64} << 20) + 1);
    for (const char* name : {"old.htm", "ro.htm"})
        WriteBytes(dir.File(name), kOldPage);
    ::chmod(dir.File("ro").c_str(), 0555);
    ::chmod(dir.File("ro.htm").c_str(), 0444);
    ::chmod(dir.File("old.htm").c_str(), 0640);
    MakeFullDevice(dir.Path());
    ::mkfifo(dir.File("fifo").c_str(), 0444);
    ::mkfifo(dir.File("pipe").c_str(), 0644);
    std::set<std::string> expected = Files(dir);

    CliSetup setup;
    setup.inChild = [&] {
        if (::chdir(dir.Path().c_str()) == 0 && inChild)
            inChild();
    };
    if (whileRunning)
        setup.whileRunning = [&](pid_t pid) { whileRunning(pid, dir); };
    const CliRun run = RunCli(Split(arguments), setup);
    EXPECT_EQ(run.status, status);
    EXPECT_EQ(out.ends_with("…") ? run.out.substr(0, out.size() - 3) + "…" : run.out, out);
    const std::vector<std::string> added = Split(pages);
    if (const auto size = err.find("{size}"); size != std::string::npos)
        err.replace(size, 6, std::to_string(fs::file_size(dir.File(added.at(0)))));
    EXPECT_EQ(run.err, err);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    for (const auto& page : added) {
        EXPECT_EQ(ReadBytes(dir.File(page)).substr(0, 4), "\xEF\xBB\xBF<") << page;
        // A page written over keeps the old file's permissions; a new one has a new file's.
        struct stat info {};
        ::stat(dir.File(page).c_str(), &info);
        EXPECT_EQ(info.st_mode & 07777, page == "old.htm" ? 0640 : 0666 & ~mask) << page;
    }
    expected.insert(added.begin(), added.end());
    EXPECT_EQ(Files(dir), expected);
    EXPECT_EQ(ReadBytes(dir.File("old.htm")) == kOldPage, pages.find("old.htm") == pages.npos);
    EXPECT_EQ(ReadBytes(dir.File("ro.htm")), kOldPage);
    EXPECT_TRUE(ReadBytes(dir.File("p.png")) == ReadBytes(kSample));
}

} // namespace

TEST(Cli, UsageErrorsSayWhatIsWrongAndWriteNothing) {
    const auto rows = Table("usage-errors.txt");
    for (const auto& row : rows)
        Expect(row[0], 2, "", "tesselet-cli: " + row[1] + "\nПопробуйте «tesselet-cli --help».\n");
    EXPECT_GT(rows.size(), 30u);
}

TEST(Cli, RunsNameThePagesTheyWriteOrSayWhyNot) {
    const auto rows = Table("runs.txt", 5);
    for (const auto& row : rows)
        Expect(row[1], std::stoi(row[0]), row[2], row[3], row[4]);
    EXPECT_GT(rows.size(), 20u);
    // The progress line is for terminals: none on a pipe, here of a page whose reader waits.
    Expect("--style table --width 1000 -o pipe p.png", 0, "pipe\n", "", "", nullptr,
           [](pid_t, const TempDir& dir) {
               std::ifstream reader(dir.File("pipe"), std::ios::binary);
               char first = 0;
               reader.get(first);
               ::usleep(600000); // well past the moment the line would first show
               const std::string page =
                   first + std::string(std::istreambuf_iterator<char>(reader), {});
               EXPECT_TRUE(page.starts_with("\xEF\xBB\xBF<") && page.ends_with("</html>\r\n"));
           });
#ifndef TESSELET_UNDER_ASAN
    // A page is measured against its budget by counting its bytes, not by holding them.
    Expect("--style div --width 2500 --max-bytes 1G -o - p.png", 0, "",
           "-: 2500 x 1667 пикселей, 287200000 байт — самая большая ширина, при которой страница "
           "не больше 1073741824 байт\n",
           "", [] {
               LimitMemory(250);
               Redirect(STDOUT_FILENO, "/dev/null", O_WRONLY)();
           });
#endif
}

TEST(Cli, AFailedSaveLeavesTheOldFilesAndNoPartOfThePage) {
    const rlimit limit{64 << 10, 64 << 10};
    const auto limitSize = [&limit] { ::setrlimit(RLIMIT_FSIZE, &limit); };
    const auto failCalls = [] {
        ::setenv("LD_PRELOAD", TESSELET_FAILING_FILE_CALLS, 1);
        ::setenv("ASAN_OPTIONS", "verify_asan_link_order=0", 1); // the shim comes before ASan
    };
    const auto closeOutput = [] { ::close(STDOUT_FILENO); };
    const struct {
        const char* output; ///< --style div -o output picture
        std::function<void()> inChild;
        std::string error;
        const char* picture = "p.png";
    } rows[] = {
        {"ro/x.htm", DropCapabilities, "13: Отказано в доступе"},
        {"ro.htm", DropCapabilities, "13: Отказано в доступе"},
        {"fifo", DropCapabilities, "13: Отказано в доступе"},
        {"/dev/tty", [] { ::setsid(); }, "6: Нет такого устройства или адреса"}, // none is ours
        {"old.htm", limitSize, "27: Файл слишком велик"},
        {"old.htm", failCalls, "5: Ошибка ввода-вывода"},
        {"eperm.htm", failCalls, "1: Операция не позволена"},
        {"xdev.htm", failCalls, "18: Ссылка между разными устройствами"},
        {"p.png", Redirect(STDIN_FILENO, "p.png", O_RDONLY),
         "1500: Страница заменила бы свою же картинку -", "-"},
        {"-", Redirect(STDOUT_FILENO, "p.png", O_WRONLY | O_APPEND),
         "1500: Страница заменила бы свою же картинку p.png"},
        {"-", closeOutput, "1502: Стандартный вывод закрыт"},
        {"/dev/stdout", closeOutput, "1502: Стандартный вывод закрыт"},
        {"/dev/stdin", [] { ::close(STDIN_FILENO); }, "1502: Стандартный ввод закрыт"},
    };
    for (const auto& row : rows)
        Expect(std::string("--style div -o ") + row.output + " " + row.picture, 1, "",
               NotSaved(row.output, row.error), "", row.inChild);
    // Closed, standard input is not read, nor anything in its place (the alarm ends a wait).
    Expect("--style div -o x.htm -", 1, "",
           "-\n\nНе удалось загрузить файл.\nОшибка 1502: Стандартный ввод закрыт\n", "", [] {
               ::alarm(10);
               ::close(STDIN_FILENO);
           });
#ifndef TESSELET_UNDER_ASAN
    // Qt's own words on memory running out ("QImage: out of memory") are not the run's language.
    Expect("--style table --width 16000 --height 16000 p.png", 1, "",
           "p.png\n\nНе удалось загрузить файл.\nОшибка 1486: Неверная картинка: не хватает памяти "
           "для 16000 x 16000 пикселей\n",
           "", [] { LimitMemory(512); });
    // A start-up file over the limit is refused unread: reading it would not fit in this memory.
    Expect("--templates big --style div -o x.htm p.png", 2, "",
           "big/source.text\n\nНе удалось загрузить файл шаблона. Продолжение невозможно.\nОшибка "
           "1490: Файл больше 64 МиБ\n",
           "", [] { LimitMemory(110); });
#endif
    // Help, version and the pages' names are output: their loss is a failure, told on stderr.
    for (const auto& [arguments, pages] :
         {std::pair{"--help", ""}, {"--version", ""}, {"--style div p.png", "p.div.htm"}})
        Expect(arguments, 1, "",
               "tesselet-cli: не удалось записать в стандартный вывод\nОшибка " + kNoSpace + "\n",
               pages, [] { ::dup2(::open("/dev/full", O_WRONLY), STDOUT_FILENO); });
    // In English when the locale says so; in Russian, the program's own language, above and where
    // the locale names no language or none is set, whatever LANGUAGE says (the C library reads it
    // only then too).
    const std::string english =
        "full\n\nCould not save the file.\nError 28: No space left on device\n";
    for (const auto& row : {std::pair<const char*, std::string>{"en_US.UTF-8", english},
                            {"C", NotSaved("full", kNoSpace)},
                            {"POSIX", NotSaved("full", kNoSpace)},
                            {"C.UTF-8", NotSaved("full", kNoSpace)},
                            {"", NotSaved("full", kNoSpace)}})
        Expect("--style div -o full p.png", 1, "", row.second, "", [lang = row.first] {
            ::setenv("LANGUAGE", "en_US", 1); // LC_ALL and LC_MESSAGES are empty in every test
            ::setenv("LANG", lang, 1);
        });
}

// A page to a standard stream's file by any name goes where the stream stands, as with -o -.
TEST(Cli, AnOutputThatIsAStandardStreamIsWrittenInPlace) {
    const std::string page = RunCli({"--style", "div", "-o", "-", kSample}).out;
    const struct {
        const char* arguments;
        int stream;
        int flags;
        std::string before; ///< old.htm's bytes when the stream is opened
        std::string out;
    } rows[] = {
        {"--style div -o /dev/stdout p.png", STDOUT_FILENO, O_APPEND, kOldPage, ""}, // … >> old.htm
        // { echo HEADER; tesselet-cli …; } > old.htm
        {"--style div -o old.htm p.png", STDOUT_FILENO, O_TRUNC, "HEADER\n", ""},
        // tesselet-cli … 2>> old.htm
        {"--style div -o /proc/self/fd/2 p.png", STDERR_FILENO, O_APPEND, kOldPage,
         "/proc/self/fd/2\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments);
        TempDir dir;
        fs::copy_file(kSample, dir.File("p.png"));
        WriteBytes(dir.File("old.htm"), kOldPage);
        CliSetup setup;
        setup.inChild = [&] {
            if (::chdir(dir.Path().c_str()) != 0)
                ::_exit(126);
            Redirect(row.stream, "old.htm", O_WRONLY | row.flags)();
            if (row.flags == O_TRUNC)
                ::write(row.stream, row.before.data(), row.before.size());
        };
        const CliRun run = RunCli(Split(row.arguments), setup);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, row.out);
        EXPECT_TRUE(ReadBytes(dir.File("old.htm")) == row.before + page);
        EXPECT_EQ(Files(dir), (std::set<std::string>{"old.htm", "p.png"}));
    }
    // Standard output a file on the same disk (tesselet-cli … >> old.htm) is no other name's.
    Expect("-q --style div -o pic p.png", 0, "", "", "pic",
           Redirect(STDOUT_FILENO, "old.htm", O_WRONLY | O_APPEND));
}

// A signal ends the converter mid-page as it would, the temporary file gone; one ignored does not.
TEST(Cli, ASignalLeavesTheOldPageAndNoPartOfTheNewOne) {
    // The signal, whether the program was started with it ignored (nohup tesselet-cli …), and
    // whether it was typed at its terminal: Ctrl+C is the kernel's SIGINT, not kill()'s.
    std::vector<std::tuple<int, bool, bool>> rows = {{SIGHUP, true, false}, {SIGINT, false, true}};
    for (const int signal :
         {SIGHUP,  SIGINT,  SIGQUIT,   SIGILL,  SIGTRAP, SIGABRT,  SIGBUS,  SIGFPE,
          SIGUSR1, SIGSEGV, SIGUSR2,   SIGPIPE, SIGALRM, SIGTERM,  SIGXCPU, SIGVTALRM,
          SIGPROF, SIGSYS,  SIGSTKFLT, SIGIO,   SIGPWR,  SIGRTMIN, SIGRTMAX})
        rows.emplace_back(signal, false, false);
    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(terminal >= 0 && ::grantpt(terminal) == 0 && ::unlockpt(terminal) == 0);
    const std::string terminalName = ::ptsname(terminal);
    for (const auto& [signal, ignored, typed] : rows) {
        SCOPED_TRACE(::strsignal(signal) + std::string(typed ? ", typed" : ""));
        const auto inChild = [&, signal = signal, ignored = ignored, typed = typed] {
            sigset_t none;
            sigemptyset(&none);
            ::sigprocmask(SIG_SETMASK, &none, nullptr);
            std::signal(signal, ignored ? SIG_IGN : SIG_DFL);
            const rlimit noCore{0, 0};
            ::setrlimit(RLIMIT_CORE, &noCore);
            // The sanitizers' own reports of the faults would come first.
            ::setenv("ASAN_OPTIONS",
                     "handle_segv=0:handle_sigbus=0:handle_sigfpe=0:handle_sigill=0:handle_abort=0",
                     1);
            if (typed && ::setsid() >= 0) // the terminal becomes the new session's own
                ::open(terminalName.c_str(), O_RDWR);
        };
        // Sent while the page is being written, once its temporary file is there.
        const auto send = [&, signal = signal, typed = typed](pid_t pid, const TempDir& dir) {
            const auto begun = [](const std::string& name) { return name.starts_with(".old"); };
            for (int waited = 0; waited < 30000 && !std::ranges::any_of(Files(dir), begun);
                 ++waited)
                ::usleep(1000);
            EXPECT_TRUE(typed ? ::write(terminal, "\x03", 1) == 1 : ::kill(pid, signal) == 0);
        };
        Expect("-q --style table --width 2000 --height 2000 -o old.htm p.png",
               ignored ? 0 : 128 + signal, "", "", ignored ? "old.htm" : "", inChild, send);
    }
    ::close(terminal);
}

// No page over the programs (the running one under any name) or the read-me, as installed.
TEST(Cli, TheProgramsOwnFilesAreRefusedAsOutputs) {
    TempDir dir;
    const std::string root = fs::canonical(dir.Path()).string() + "/", bin = root + "bin/",
                      share = root + "share/tesselet/";
    fs::create_directories(bin);
    fs::create_directories(share);
    fs::copy_file(TESSELET_BIN_DIR "/tesselet-cli", bin + "tc"); // renamed: still its own file
    WriteBytes(bin + "tesselet", "the window");
    for (const char* name : {"readme.html", "source.text", "template.1.html", "template.2.html"})
        fs::copy_file(TESSELET_BIN_DIR "/" + std::string(name), share + name);
    const auto before = Files(dir);
    for (const std::string& output : {bin + "tc", bin + "tesselet", share + "readme.html"}) {
        const std::string old = ReadBytes(output);
        CliSetup setup;
        setup.program = bin + "tc";
        const CliRun run = RunCli({"--style", "div", "-o", output, kSample}, setup);
        EXPECT_EQ(run.status, 1) << output;
        EXPECT_EQ(run.err, NotSaved(output, "1500: Страница заменила бы файл программы " + output));
        EXPECT_TRUE(ReadBytes(output) == old) << output;
        EXPECT_EQ(Files(dir), before);
    }
}

// Nor a temporary name left for a signal to remove: its places are few.
TEST(Cli, SavesLeaveNoDescriptorOpen) {
    TempDir dir;
    const PageTemplates templates{u"<body%BODY_TAG_TAIL%>\r\n", u"</body>\r\n", u"abc"};
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit unlimited{};
    ::getrlimit(RLIMIT_FSIZE, &unlimited);
    const QImage picture = MakePicture(4, 3);
    const std::string full = MakeFullDevice(dir.Path());
    const auto open = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); };
    const auto before = open();
    for (const auto& style : PageStyles()) {
        for (const auto& [path, number] : {std::pair{full, 28},
                                           {dir.File("big.htm"), 27},
                                           {dir.File("p.htm"), 0},
                                           {dir.File("p.htm"), 0},
                                           {dir.File("p.htm"), 0}}) { // 9 in all
            const rlimit limit{number == 27 ? 100 : unlimited.rlim_cur, unlimited.rlim_max};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            FakeReporter ui;
            EXPECT_EQ(CallPictureGenerator(*style.create(templates), path, picture, ui, ui),
                      number == 0);
            ::setrlimit(RLIMIT_FSIZE, &unlimited);
            EXPECT_EQ(ui.errors, number == 0 ? std::vector<int>{} : std::vector{number});
        }
    }
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(open(), before);
    EXPECT_TRUE(Interrupts::RegisterTempFile("free"));
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
        ConsoleReporter reporter(stream);
        ProgressWriter progress(inner, "p.htm", reporter.Console(), {{}, {}});
        progress.BeginPicture(1, 3);
        for (int y = 0; y < (diskFills ? 2 : 3); ++y) {
            progress.EndNewLine(y);
            received();
        }
        if (diskFills)
            reporter.ShowError(Failure::FromErrno(ENOSPC), FileMessage("/p.htm", Tr(kSaveFailed)));
        progress.CloseFile();
        received();
        EXPECT_EQ(seen, diskFills ? failed : whole);
        std::fclose(stream);
        ::close(fds[0]);
    }
}
