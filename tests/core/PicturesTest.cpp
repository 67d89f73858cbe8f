// Pictures as a user hands them over: the bad files of tests/data/bad through the converter, and
// pictures that must load as a viewer shows them (upright, in sRGB, scaled, through a pipe).

#include "Failure.h"
#include "PictureFiles.h"
#include "TestSupport.h"

#include <QColorSpace>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace std::string_literals;

namespace {

const std::string kBad = TESSELET_SOURCE_DIR "/tests/data/bad/";
const QRgb kRed = qRgb(255, 0, 0), kBlue = qRgb(0, 0, 255);

/// Red on the left half, blue on the right.
QImage Halves(int width, int height) {
    return MakePicture(width, height, [width](int x, int) { return x < width / 2 ? kRed : kBlue; });
}

/// The JPEG with an EXIF orientation: 6, the camera was turned a quarter clockwise; 8, the other.
std::string WithOrientation(const std::string& jpeg, char orientation) {
    const std::string tiff =
        "MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0"s + orientation + "\0\0\0\0\0\0"s;
    const std::string app1 = "\xFF\xE1\0"s + char(tiff.size() + 8) + "Exif\0\0"s + tiff;
    return jpeg.substr(0, 2) + app1 + jpeg.substr(2);
}

/// The whole report of a picture that did not load; only a file no reader knows blames the format.
std::string LoadReport(const std::string& path, const std::string& line) {
    const bool format = line.starts_with("Ошибка 1481:");
    return path + "\n\nНе удалось загрузить файл." +
           (format ? " Формат не поддерживается, либо это не картинка." : "") + "\n" + line + "\n";
}

} // namespace

TEST(Pictures, EachFileOfTheBadFolderAsTheManifestSays) {
    TempDir dir;
    std::ifstream manifest(kBad + "manifest.txt");
    ASSERT_TRUE(manifest.is_open());
    for (std::string line; std::getline(manifest, line);) {
        if (line.empty() || line.starts_with('#'))
            continue;
        const std::size_t tab = line.find('\t'), tab2 = line.find('\t', tab + 1);
        ASSERT_NE(tab2, std::string::npos) << line;
        const std::string path = kBad + line.substr(0, tab);
        const int status = std::stoi(line.substr(tab + 1, tab2 - tab - 1));
        const CliRun run = RunCli({"--style", "table", "-o", dir.File("page.htm"), path});
        EXPECT_EQ(run.status, status) << path;
        EXPECT_EQ(run.err, status == 0 ? "" : LoadReport(path, line.substr(tab2 + 1))) << path;
    }
}

TEST(Pictures, EachLoadsAsAViewerShowsItOrFailsWithItsReason) {
    TempDir dir;
    QImage p3 = MakePicture(16, 8, [](int, int) { return qRgb(200, 100, 50); });
    p3.setColorSpace(QColorSpace::DisplayP3);
    QImage deep(40, 20, QImage::Format_RGBA64);
    deep.fill(QColor(20, 255, 60, 128));
    const std::pair<std::string, QImage> pictures[] = {
        {"halves.jpg", Halves(40, 20)},
        {"p3.png", p3},
        {"wide.png", Halves(40, 20)},
        {"line.png", Halves(100, 1)},
        {"palette.png", Halves(4, 2).convertToFormat(QImage::Format_Indexed8)},
        {"deep.png", deep},
        {"large.png", MakePicture(1024, 800)}}; // above 3 MiB: decoded into huge pages
    for (const auto& [name, picture] : pictures)
        ASSERT_TRUE(picture.save(QString::fromStdString(dir.File(name))));
    // Made by tests/data/pictures/make-exif-png.py: PNGs on their side, their eXIf chunk saying so.
    for (const char* name : {"exif6.png", "exif8.png"})
        WriteBytes(dir.File(name), ReadBytes(TESSELET_SOURCE_DIR "/tests/data/pictures/"s + name));
    for (const char orientation : {6, 8})
        WriteBytes(dir.File(std::to_string(orientation) + ".jpg"),
                   WithOrientation(ReadBytes(dir.File("halves.jpg")), orientation));
    using Probe = std::tuple<int, int, QRgb>; ///< alpha below 255: the picture keeps its alpha
    const PictureAlpha keep = PictureAlpha::kKeep;
    const struct {
        std::string file;
        PictureScale scale = {};
        QSize size = {};
        std::vector<Probe> probes = {};
        int tolerance = 0; ///< on every channel
        PictureAlpha alpha = PictureAlpha::kFlatten;
        std::string error = {}; ///< "number: description" instead of a picture
    } cases[] = {
        // Upright as a viewer shows it; the size asked for is the size the user sees.
        {"6.jpg", {}, {20, 40}, {{10, 4, kRed}, {10, 35, kBlue}}, 12},
        {"8.jpg", {10, 0}, {10, 20}, {{5, 2, kBlue}, {5, 17, kRed}}, 12},
        {"exif6.png", {}, {2, 4}, {{1, 0, kRed}, {0, 3, kBlue}}},
        {"exif6.png", {0, 2}, {1, 2}, {{0, 0, kRed}, {0, 1, kBlue}}},
        {"exif8.png", {}, {2, 4}, {{1, 0, kBlue}, {0, 3, kRed}}},
        // (200, 100, 50) of a wider space is a more saturated sRGB colour, worked out by hand.
        {"p3.png", {}, {16, 8}, {{2, 2, qRgb(215, 92, 31)}}, 3},
        // One side alone keeps the shape, rounded to the nearest pixel, never below one; 0 is none.
        {"wide.png", {10, 0}, {10, 5}, {{1, 2, kRed}, {8, 2, kBlue}}, 8},
        {"wide.png", {0, 5}, {10, 5}, {{1, 2, kRed}, {8, 2, kBlue}}, 8},
        {"wide.png", {7, 33}, {7, 33}, {{0, 16, kRed}, {6, 16, kBlue}}, 8},
        {"wide.png", {3, 0}, {3, 2}},
        {"line.png", {10, 0}, {10, 1}},
        {"palette.png", {40, 0}, {40, 20}, {{5, 10, kRed}, {35, 10, kBlue}}, 8},
        {.file = "line.png",
         .scale = {0, 200},
         .error = "1484: Неверная картинка: после масштабирования 20000 x 200 пикселей — больше, "
                  "чем 16384 x 16384"},
        // Over white for the pages that show every pixel, kept for the compact ones.
        {"deep.png", {10, 0}, {10, 5}, {{5, 2, qRgb(137, 255, 157)}}, 1},
        {"deep.png", {}, {40, 20}, {{5, 2, qRgba(20, 255, 60, 128)}}, 0, keep},
        {"palette.png", {}, {4, 2}, {{0, 0, kRed}, {3, 1, kBlue}}, 0, keep},
        {"large.png", {}, {1024, 800}, {{1023, 799, qRgb(239, 0, 0)}}}, // (1023 + 16 * 799) % 256
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases));
        try {
            const QImage image = LoadPictureFile(dir.File(c.file), c.scale, c.alpha);
            EXPECT_EQ(c.error, "");
            EXPECT_EQ(image.size(), c.size);
            const bool kept =
                std::ranges::any_of(c.probes, [](auto p) { return qAlpha(get<2>(p)) < 255; });
            EXPECT_EQ(image.format(), kept ? QImage::Format_ARGB32 : QImage::Format_RGB32);
            for (const auto& [x, y, colour] : c.probes) {
                const QRgb got = image.size() == c.size ? image.pixel(x, y) : 0;
                const auto near = [&](int a, int b) { return std::abs(a - b) <= c.tolerance; };
                EXPECT_TRUE(near(qRed(got), qRed(colour)) && near(qGreen(got), qGreen(colour)) &&
                            near(qBlue(got), qBlue(colour)) && near(qAlpha(got), qAlpha(colour)))
                    << x << "," << y << ": " << std::hex << got << " for " << colour;
            }
        } catch (const Failure& error) {
            EXPECT_EQ(std::to_string(error.Number()) + ": " + error.Description().toStdString(),
                      c.error);
        }
    }
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
    CliSetup none, piped, late, endless, locked;
    piped.input = ReadBytes(dir.File("noise.png"));
    for (const char* name : {"\xFF\xFE.png", "locked.png"}) // FF FE: a name that is not UTF-8
        WriteBytes(dir.File(name), piped.input);
    ASSERT_EQ(
        RunCli({"--style", "table", "-o", dir.File("want.htm"), dir.File("noise.png")}).status, 0);
    const std::string want = ReadBytes(dir.File("want.htm"));
    ::chmod(dir.File("locked.png").c_str(), 0);
    locked.inChild = DropCapabilities;
    endless.inputFd = ::open("/dev/zero", O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::mkfifo(dir.File("fifo.png").c_str(), 0644), 0);
    const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    dir.File("socket.png").copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    // Standard input left non-blocking by whoever passed it on, its bytes coming later.
    int ends[2];
    ASSERT_EQ(::pipe2(ends, O_CLOEXEC), 0);
    ::fcntl(ends[0], F_SETFL, O_NONBLOCK);
    late.inputFd = ends[0];
    late.whileRunning = [&, &in = piped.input](pid_t) {
        ::close(ends[0]); // the program has its own; a program that does not read fails the write
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_EQ(::write(ends[1], in.data(), in.size()), ssize_t(in.size()));
        ::close(ends[1]);
    };
    const std::string notFile = "Ошибка 1485: Это не обычный файл: канал, устройство или сокет не "
                                "читается как картинка; «-» читает картинку со стандартного ввода";
    const struct {
        std::string path;
        const CliSetup& setup;
        std::string lastLine; ///< of the report, or "" for the page of noise.png
    } cases[] = {
        {"-", piped, ""},
        {"-", late, ""},
        {dir.File("\xFF\xFE.png"), none, ""},
        {"-", none, "Ошибка 1482: Неверная картинка: стандартный ввод пуст"},
        // An endless input stops at the limit instead of taking all memory.
        {"-", endless,
         "Ошибка 1487: Неверная картинка: на стандартном вводе больше 1073741824 байт (1 ГиБ) — "
         "больше, чем читается для одной картинки"},
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
        EXPECT_EQ(run.err, c.lastLine.empty() ? "" : LoadReport(c.path, c.lastLine));
        EXPECT_TRUE(ReadBytes(dir.File("page.htm")) == (c.lastLine.empty() ? want : ""));
    }
    for (const int fd : {endless.inputFd, server})
        ::close(fd);
}
