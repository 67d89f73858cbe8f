// What lands on disk when a page is saved: the old page survives every failure and interruption,
// no partial page is left, standard output is written as it is, and a page never replaces the
// files it is made from or another page of the same run.

#include "TestSupport.h"

#include "CDivPicture.h"
#include "CError.h"
#include "CSpanPicture.h"
#include "CTablePicture.h"
#include "modCallPictureGenerator.h"

#include <QImage>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kSample = TESSELET_SOURCE_DIR "/resources/sample.png";
const std::string kOldPage = "\xEF\xBB\xBFthe old page, which must survive\r\n";

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The page the converter writes for `arguments` to standard output.
std::string PageOf(std::vector<std::string> arguments) {
    arguments.insert(arguments.end(), {"-o", "-"});
    const CliRun run = RunCli(arguments);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.out;
}

std::string Fragment(const std::string& path, const std::string& number) {
    return path + "\n\nНе удалось сохранить файл.\nОшибка " + number;
}

} // namespace

TEST(SafeSave, StandardOutputIsTheDescriptorAsItIs) {
    TempDir dir;
    const std::string page = PageOf({"--style", "table", kSample});
    ASSERT_GT(page.size(), 100000u);

    // A file opened to append, and one already written up to some point (a page between a
    // header and a footer): the page goes after what is there, and nothing is cut.
    const struct {
        const char* name;
        int flags;
    } files[] = {{"appended", O_WRONLY | O_APPEND}, {"positioned", O_WRONLY}};
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        WriteBytes(dir.File(file.name), "HEAD\n");
        const int fd = ::open(dir.File(file.name).c_str(), file.flags);
        ASSERT_GE(fd, 0);
        ::lseek(fd, 0, SEEK_END);
        CliSetup setup;
        setup.outputFd = fd;
        const CliRun run = RunCli({"--style", "table", "-o", "-", kSample}, setup);
        ASSERT_EQ(::write(fd, "FOOT\n", 5), 5);
        ::close(fd);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(ReadBytes(dir.File(file.name)) == "HEAD\n" + page + "FOOT\n");
    }

    // A socket cannot be opened by name at all.
    int pair[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    std::string received;
    std::thread reader([&] {
        char buffer[65536];
        for (ssize_t n; (n = ::read(pair[1], buffer, sizeof buffer)) > 0;)
            received.append(buffer, static_cast<std::size_t>(n));
    });
    CliSetup setup;
    setup.outputFd = pair[0];
    const CliRun run = RunCli({"--style", "table", "-o", "-", kSample}, setup);
    ::shutdown(pair[0], SHUT_WR);
    reader.join();
    ::close(pair[0]);
    ::close(pair[1]);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(received == page);
}

TEST(SafeSave, AFailedOrInterruptedSaveLeavesTheOldPageAndNoPartOfTheNew) {
    TempDir dir;
    const std::string target = dir.File("page.htm");
    // A page of some hundred megabytes, so that it is still being written when the signal comes.
    const std::vector<std::string> big = {"-q",       "--style", "table", "--width", "3000",
                                          "--height", "3000",    "-o",    target,    kSample};

    const auto killOnceWriting = [&](int signal) {
        return [&dir, signal](pid_t pid) {
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
            while (std::chrono::steady_clock::now() < until) {
                for (const auto& entry : fs::directory_iterator(dir.Path())) {
                    std::error_code ignored;
                    if (entry.path().filename().string().starts_with(".page.htm.") &&
                        fs::file_size(entry.path(), ignored) > (4u << 20)) {
                        ::kill(pid, signal);
                        return;
                    }
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        };
    };
    const struct {
        const char* what;
        std::function<void()> inChild;
        std::function<void(pid_t)> whileRunning;
        int status;
        std::string message;
    } faults[] = {
        // The program itself must turn the size limit into a reported failure.
        {"file-size limit",
         [] {
             const rlimit limit{8u << 20, 8u << 20};
             ::setrlimit(RLIMIT_FSIZE, &limit);
         },
         nullptr, 1, Fragment(target, "27: Файл слишком велик")},
        {"SIGTERM", nullptr, killOnceWriting(SIGTERM), 128 + SIGTERM, ""},
        {"SIGINT", nullptr, killOnceWriting(SIGINT), 128 + SIGINT, ""},
        {"SIGHUP", nullptr, killOnceWriting(SIGHUP), 128 + SIGHUP, ""},
    };
    for (const auto& fault : faults) {
        SCOPED_TRACE(fault.what);
        WriteBytes(target, kOldPage);
        CliSetup setup;
        setup.inChild = fault.inChild;
        setup.whileRunning = fault.whileRunning;
        const CliRun run = RunCli(big, setup);
        EXPECT_EQ(run.signal, 0);
        EXPECT_EQ(run.status, fault.status) << run.err;
        EXPECT_NE(run.err.find(fault.message), std::string::npos) << run.err;
        EXPECT_EQ(ReadBytes(target), kOldPage);
        EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"page.htm"});
    }

    // Devices are written in place and stay devices.
    CliRun run = RunCli({"--style", "div", "-o", "/dev/full", kSample});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(Fragment("/dev/full", "28: На устройстве не осталось свободного места")),
              std::string::npos)
        << run.err;
    run = RunCli({"--style", "div", "-o", "/dev/null", kSample});
    EXPECT_EQ(run.status, 0) << run.err;
    struct stat info {};
    ASSERT_EQ(::stat("/dev/null", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
}

TEST(SafeSave, AFullDiskLeavesTheOldPage) {
    TempDir dir;
    const std::string disk = dir.File("disk");
    fs::create_directory(disk);
    // A disk of 4 MiB with the old page on it; mounting needs root, as CI has.
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=4m") != 0)
        GTEST_SKIP() << "cannot mount a small disk here";
    WriteBytes(disk + "/page.htm", kOldPage);
    const CliRun run = RunCli({"--style", "table", "--width", "1000", "--height", "1000", "-o",
                               disk + "/page.htm", kSample});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(
                  Fragment(disk + "/page.htm", "28: На устройстве не осталось свободного места")),
              std::string::npos)
        << run.err;
    EXPECT_EQ(ReadBytes(disk + "/page.htm"), kOldPage);
    EXPECT_EQ(Names(disk), std::vector<std::string>{"page.htm"});
    ::umount2(disk.c_str(), MNT_DETACH);
}

TEST(SafeSave, AFailedWalkKeepsTheOldPageForEveryWriter) {
    TempDir dir;
    const TemplatesScope templates(u"<body%BODY_TAG_TAIL%>\r\n", u"</body>\r\n", u"abc");
    const QImage picture = MakePicture(40, 30);
    const std::u16string target = dir.File16("page.htm");
    const std::function<std::unique_ptr<IAnyPicture>()> writers[] = {
        [] { return std::make_unique<CTablePicture>(); },
        [] { return std::make_unique<CSpanPicture>(); },
        [] { return std::make_unique<CDivPicture>(); }};
    for (const auto& make : writers) {
        WriteBytes(dir.File("page.htm"), kOldPage);
        FakeReporter ui;
        const auto writer = make();
        FailAtPixel failing(*writer, 5, 20);
        EXPECT_FALSE(CallPictureGenerator(failing, target, picture, ui, ui));
        EXPECT_EQ(ui.errors.size(), 1u);
        EXPECT_EQ(ReadBytes(dir.File("page.htm")), kOldPage);
        EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"page.htm"});
    }
    // A writer dropped before its page was finished leaves nothing either.
    {
        CTablePicture writer;
        writer.OpenFile(dir.File16("dropped.htm"));
        writer.BeginPicture(2, 2);
    }
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"page.htm"});
}

TEST(SafeSave, AReplacedPageKeepsItsPermissionsAndItsLinks) {
    TempDir dir;
    const std::string page = PageOf({"--style", "div", kSample});
    WriteBytes(dir.File("kept.htm"), kOldPage);
    ::chmod(dir.File("kept.htm").c_str(), 0640);
    fs::create_symlink("kept.htm", dir.File("link.htm"));
    WriteBytes(dir.File("readonly.htm"), kOldPage);
    ::chmod(dir.File("readonly.htm").c_str(), 0444);

    CliRun run = RunCli({"--style", "div", "-o", dir.File("link.htm"), kSample});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::is_symlink(dir.File("link.htm")));
    EXPECT_TRUE(ReadBytes(dir.File("kept.htm")) == page);
    struct stat info {};
    ASSERT_EQ(::stat(dir.File("kept.htm").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    // A new page gets what any new file gets; a page the user may not write is not replaced.
    const mode_t mask = ::umask(027);
    run = RunCli({"--style", "div", "-o", dir.File("new.htm"), kSample});
    ::umask(mask);
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(::stat(dir.File("new.htm").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    run = RunCli({"--style", "div", "-o", dir.File("readonly.htm"), kSample}, DropCapabilities);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(Fragment(dir.File("readonly.htm"), "13: Отказано в доступе")),
              std::string::npos)
        << run.err;
    EXPECT_EQ(ReadBytes(dir.File("readonly.htm")), kOldPage);
}

TEST(SafeSave, APageNeverReplacesItsPictureItsTemplatesOrAnEarlierPage) {
    TempDir dir;
    const std::string picture = ReadBytes(kSample);
    WriteBytes(dir.File("p.png"), picture);
    fs::create_symlink("p.png", dir.File("link.png"));
    fs::create_hard_link(dir.File("p.png"), dir.File("hard.png"));
    fs::create_directory(dir.File("t"));
    for (const char* name : {"source.text", "template.1.html", "template.2.html"})
        fs::copy_file(TESSELET_BIN_DIR "/" + std::string(name), dir.File("t/") + name);
    const std::string templateTail = ReadBytes(dir.File("t/template.2.html"));

    const struct {
        const char* what;
        std::vector<std::string> arguments;
        std::string refused; ///< the output named in the refusal
        std::string detail;
    } cases[] = {
        {"the picture itself",
         {"-o", dir.File("p.png"), dir.File("p.png")},
         dir.File("p.png"),
         "1500: Страница заменила бы свою же картинку"},
        {"through a link",
         {"-o", dir.File("link.png"), dir.File("p.png")},
         dir.File("link.png"),
         "1500: Страница заменила бы свою же картинку"},
        {"a hard link",
         {"-o", dir.File("hard.png"), dir.File("p.png")},
         dir.File("hard.png"),
         "1500: Страница заменила бы свою же картинку"},
        {"a start-up file",
         {"--templates", dir.File("t"), "-o", dir.File("t/template.2.html"), dir.File("p.png")},
         dir.File("t/template.2.html"),
         "1500: Страница заменила бы стартовый файл"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        std::vector<std::string> arguments = {"--style", "table"};
        arguments.insert(arguments.end(), each.arguments.begin(), each.arguments.end());
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(Fragment(each.refused, each.detail)), std::string::npos) << run.err;
        EXPECT_TRUE(ReadBytes(dir.File("p.png")) == picture);
        EXPECT_EQ(ReadBytes(dir.File("t/template.2.html")), templateTail);
    }

    // Two pictures whose pages get one name: the first page stays, the second is refused with
    // the first picture's name, and the rest of the run goes on.
    fs::create_directory(dir.File("d1"));
    fs::create_directory(dir.File("d2"));
    fs::create_directory(dir.File("out"));
    fs::copy_file(kSample, dir.File("d1/s.png"));
    QImage red(5, 5, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(QString::fromStdString(dir.File("d2/s.png"))));
    ASSERT_TRUE(red.save(QString::fromStdString(dir.File("d1/s.jpg"))));
    const std::string firstPage = PageOf({"--style", "table", dir.File("d1/s.png")});

    CliRun run = RunCli({"--style", "table", "--out-dir", dir.File("out"), dir.File("d1/s.png"),
                         dir.File("d2/s.png"), dir.File("d1/s.jpg"), kSample});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(
        run.err.find(Fragment(dir.File("out/s.table.htm"),
                              "1501: В этот файл в этом запуске уже записана страница картинки ") +
                     dir.File("d1/s.png")),
        std::string::npos)
        << run.err;
    EXPECT_TRUE(ReadBytes(dir.File("out/s.table.htm")) == firstPage);
    EXPECT_TRUE(Exists(dir.File("out/sample.table.htm")));
    EXPECT_EQ(run.out,
              dir.File("out/s.table.htm") + "\n" + dir.File("out/sample.table.htm") + "\n");

    // Beside their pictures: a.png and a.jpg both make a.table.htm.
    fs::copy_file(dir.File("d1/s.jpg"), dir.File("d1/s2.jpg"));
    run = RunCli({"--style", "table", dir.File("d1/s.png"), dir.File("d1/s.jpg")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("1501: В этот файл в этом запуске уже записана страница картинки " +
                           dir.File("d1/s.png")),
              std::string::npos)
        << run.err;
    EXPECT_TRUE(ReadBytes(dir.File("d1/s.table.htm")) == firstPage);
}

TEST(SafeSave, RunsWritingOnePageAtOnceLeaveOneWholePage) {
    TempDir dir;
    QImage blue(400, 300, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    ASSERT_TRUE(blue.save(QString::fromStdString(dir.File("blue.png"))));
    const std::string pages[] = {PageOf({"--style", "div", "--width", "700", kSample}),
                                 PageOf({"--style", "div", dir.File("blue.png")})};
    const std::string target = dir.File("page.htm");
    for (int round = 0; round < 3; ++round) {
        CliRun runs[2];
        std::thread first([&] {
            runs[0] = RunCli({"--style", "div", "--width", "700", "-o", target, kSample});
        });
        runs[1] = RunCli({"--style", "div", "-o", target, dir.File("blue.png")});
        first.join();
        EXPECT_EQ(runs[0].status, 0) << runs[0].err;
        EXPECT_EQ(runs[1].status, 0) << runs[1].err;
        const std::string result = ReadBytes(target);
        EXPECT_TRUE(result == pages[0] || result == pages[1]) << "a page of " << result.size();
        EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"blue.png", "page.htm"}));
    }
}
