// Pictures as a user hands them over: a large one, one through a pipe, and what is no file.

#include "Failure.h"
#include "PictureFiles.h"
#include "TestSupport.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

// A large picture is decoded into huge pages, pixel for pixel (the golden pages show the rest).
TEST(Pictures, ALargePictureLoadsWholeKeepingNoDescriptorAndFlatteningOneWithoutMemoryIsReported) {
    TempDir dir;
    const QImage large = MakePicture(1024, 800); // above 3 MiB
    ASSERT_TRUE(large.save(QString::fromStdString(dir.File("large.png"))));
    const auto before = std::ranges::distance(std::filesystem::directory_iterator("/proc/self/fd"));
    EXPECT_EQ(LoadPictureFile(dir.File("large.png"), {}, PictureAlpha::kFlatten), large);
    EXPECT_EQ(std::ranges::distance(std::filesystem::directory_iterator("/proc/self/fd")), before);
    // Flattening a picture the window still holds copies it: memory running out is reported.
#ifndef TESSELET_UNDER_ASAN
    const QImage shared(8192, 8192, QImage::Format_ARGB32); // 256 MiB, never touched
    std::size_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    rlimit previous{}, limit{};
    ::getrlimit(RLIMIT_AS, &previous);
    limit = {pages * rlim_t(::getpagesize()) + (32 << 20), previous.rlim_max};
    ::setrlimit(RLIMIT_AS, &limit);
    EXPECT_THROW(PictureOverWhite(shared), Failure);
    ::setrlimit(RLIMIT_AS, &previous);
#endif
}

TEST(Pictures, TheConverterReadsAPipeAndRefusesWhatIsNoFile) {
    TempDir dir;
    // Noise: more than a pipe holds, and than the first buffer standard input is read into.
    const QImage noise =
        MakePicture(200, 200, [r = std::minstd_rand()](int, int) mutable { return QRgb(r()); });
    ASSERT_TRUE(noise.save(QString::fromStdString(dir.File("noise.png"))));
    const std::string bytes = ReadBytes(dir.File("noise.png"));
    for (const char* name : {"\xFF\xFE.png", "locked.png"}) // FF FE: a name that is not UTF-8
        WriteBytes(dir.File(name), bytes);
    ASSERT_EQ(
        RunCli({"--style", "table", "-o", dir.File("want.htm"), dir.File("noise.png")}).status, 0);
    const std::string want = ReadBytes(dir.File("want.htm"));
    // Standard input a pipe of those bytes, left non-blocking by whoever passed it on, bytes late.
    int ends[2];
    ASSERT_EQ(::pipe2(ends, O_CLOEXEC), 0);
    ::fcntl(ends[0], F_SETFL, O_NONBLOCK);
    CliSetup none, late, endless, locked, huge, folder;
    late.inputFd = ends[0];
    late.whileRunning = [&](pid_t) {
        ::close(ends[0]); // the program has its own; one that does not read fails the write
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_EQ(::write(ends[1], bytes.data(), bytes.size()), ssize_t(bytes.size()));
        ::close(ends[1]);
    };
    ::chmod(dir.File("locked.png").c_str(), 0);
    locked.inChild = DropCapabilities;
    endless.inputFd = ::open("/dev/zero", O_RDONLY | O_CLOEXEC);
    folder.inputFd = ::open(dir.Path().c_str(), O_RDONLY | O_CLOEXEC); // its read fails: not again
    ASSERT_EQ(::mkfifo(dir.File("fifo.png").c_str(), 0644), 0);
    const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    dir.File("socket.png").copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    // A file beyond the limit is refused unread: this one could not even be read.
    huge.inputFd = ::open(dir.File("huge").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_EQ(::ftruncate(huge.inputFd, (off_t{1} << 30) + 1), 0);
    const std::string tooMuch = "Ошибка 1487: Неверная картинка: на стандартном вводе больше "
                                "1073741824 байт (1 ГиБ) — больше, чем читается для одной картинки";
    const std::string notFile = "Ошибка 1485: Это не обычный файл: канал, устройство или сокет не "
                                "читается как картинка; «-» читает картинку со стандартного ввода";
    const struct {
        std::string path;
        const CliSetup& setup;
        std::string lastLine; ///< of the report, or "" for the page of noise.png
    } cases[] = {
        {"-", late, ""},
        {dir.File("\xFF\xFE.png"), none, ""},
        {"-", none, "Ошибка 1482: Неверная картинка: стандартный ввод пуст"},
        // An endless input stops at the limit instead of taking all memory.
        {"-", endless, tooMuch},
        {"-", huge, tooMuch},
        {"-", folder, "Ошибка 21: Это каталог"},
        {dir.File("locked.png"), locked, "Ошибка 13: Отказано в доступе"},
        {dir.File("missing.png"), none, "Ошибка 2: Нет такого файла или каталога"},
        // Refused without waiting for a writer, or opening what cannot be opened.
        {dir.File("fifo.png"), none, notFile},
        {dir.File("socket.png"), none, notFile},
        {"/dev/zero", none, notFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path + " " + c.lastLine);
        std::remove(dir.File("page.htm").c_str());
        const auto run = RunCli({"--style", "table", "-o", dir.File("page.htm"), c.path}, c.setup);
        EXPECT_EQ(run.status, c.lastLine.empty() ? 0 : 1);
        EXPECT_EQ(run.err, c.lastLine.empty()
                               ? ""
                               : c.path + "\n\nНе удалось загрузить файл.\n" + c.lastLine + "\n");
        EXPECT_TRUE(ReadBytes(dir.File("page.htm")) == (c.lastLine.empty() ? want : ""));
    }
    // Not a letter of libpng's own English words on standard error comes before the report.
    const std::string cut = TESSELET_SOURCE_DIR "/tests/data/bad/cut.png";
    EXPECT_TRUE(RunCli({"--style", "div", cut}).err.starts_with(cut + "\n\nНе удалось загрузить"));
}
