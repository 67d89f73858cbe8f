// Pictures as a user hands them over: taken on a phone held upright, in a wide colour space, at a
// size to be scaled, through a pipe, under a name that is not UTF-8, or as something that is not
// a file at all. Each either loads as a viewer would show it or fails with its own number.

#include "TestSupport.h"
#include "modNativeText.h"

#include "BadPictures.h"

#include "CError.h"
#include "modPictureFiles.h"
#include "modUTF8.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImage>
#include <QPainter>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace std::string_literals;

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kWhite = qRgb(255, 255, 255);

/// Red on the left half, blue on the right.
QImage Halves(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kBlue);
    QPainter(&image).fillRect(0, 0, width / 2, height, kRed);
    return image;
}

/// A JPEG with an EXIF block that gives its orientation: 6 means the camera was turned a quarter
/// clockwise, so a viewer turns the picture a quarter clockwise; 8 the other way.
std::string WithOrientation(const std::string& jpeg, std::uint16_t orientation) {
    const auto be16 = [](unsigned v) { return std::string{char(v >> 8), char(v & 0xFF)}; };
    // A big-endian TIFF header, one IFD with one SHORT entry (tag 0x0112), no next IFD.
    const std::string tiff = "MM\x00\x2A"s + "\x00\x00\x00\x08"s + be16(1) + be16(0x0112) +
                             be16(3) + "\x00\x00\x00\x01"s + be16(orientation) + be16(0) +
                             "\x00\x00\x00\x00"s;
    const std::string payload = "Exif\x00\x00"s + tiff;
    const std::string app1 = "\xFF\xE1"s + be16(unsigned(payload.size() + 2)) + payload;
    return jpeg.substr(0, 2) + app1 + jpeg.substr(2); // right after the start-of-image marker
}

/// Two pixels of the colour (200, 100, 50) and white, saved in the colour space.
std::string InColourSpace(QColorSpace::NamedColorSpace space, const char* format) {
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter(&image).fillRect(0, 0, 8, 8, qRgb(200, 100, 50));
    image.setColorSpace(QColorSpace(space));
    return Encoded(image, format);
}

QImage FromBytes(const std::string& bytes, PictureScale scale = {}) {
    QByteArray data(bytes.data(), qsizetype(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return LoadPicture(buffer, scale);
}

/// Loads from the read end of a pipe while a thread writes `bytes` into it and closes it; the
/// writer is never left blocked, whatever the loading does.
QImage ThroughPipe(const std::string& bytes) {
    int ends[2];
    if (::pipe(ends) != 0)
        throw std::runtime_error("pipe failed");
    struct sigaction ignore {};
    struct sigaction previous {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGPIPE, &ignore, &previous); // a writer whose reader gave up gets EPIPE
    std::thread writer([&bytes, fd = ends[1]] {
        for (std::size_t done = 0; done < bytes.size();) {
            const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (put <= 0)
                break;
            done += std::size_t(put);
        }
        ::close(fd);
    });
    const auto finish = [&] {
        ::close(ends[0]);
        writer.join();
        ::sigaction(SIGPIPE, &previous, nullptr);
    };
    try {
        QImage image = LoadPictureStream(ends[0]);
        finish();
        return image;
    } catch (...) {
        finish();
        throw;
    }
}

QImage FromDescriptor(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot open " + path);
    try {
        QImage image = LoadPictureStream(fd);
        ::close(fd);
        return image;
    } catch (...) {
        ::close(fd);
        throw;
    }
}

/// Runs `load` in a child process allowed `extra` bytes of address space beyond what it has,
/// and gives back its picture or throws its error, as if it had run here.
QImage UnderMemoryLimit(std::size_t extra, const std::function<QImage()>& load) {
    int ends[2];
    if (::pipe(ends) != 0)
        throw std::runtime_error("pipe failed");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ends[0]);
        std::size_t used = 0;
        if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
            char line[256];
            while (std::fgets(line, sizeof line, status) != nullptr)
                if (std::sscanf(line, "VmSize: %zu kB", &used) == 1)
                    used *= 1024;
            std::fclose(status);
        }
        const rlimit limit{used + extra, used + extra};
        ::setrlimit(RLIMIT_AS, &limit);
        std::string report;
        try {
            const QImage image = load();
            report = "I" + std::to_string(image.width()) + " " + std::to_string(image.height()) +
                     " " + std::to_string(image.pixel(0, 0)) + " ";
        } catch (const CError& error) {
            report = "E" + std::to_string(error.Number()) + " " + U8(error.Description());
        } catch (...) {
            report = "X";
        }
        for (std::size_t done = 0; done < report.size();) {
            const ssize_t put = ::write(ends[1], report.data() + done, report.size() - done);
            if (put <= 0)
                break;
            done += std::size_t(put);
        }
        ::_exit(0);
    }
    ::close(ends[1]);
    std::string report;
    char block[4096];
    for (ssize_t got; (got = ::read(ends[0], block, sizeof block)) > 0;)
        report.append(block, std::size_t(got));
    ::close(ends[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (report.starts_with("E")) {
        const std::size_t space = report.find(' ');
        throw CError(std::stoi(report.substr(1, space - 1)), U16(report.substr(space + 1)));
    }
    if (!report.starts_with("I"))
        throw std::runtime_error("the child failed: \"" + report + "\"");
    int width = 0, height = 0;
    unsigned long corner = 0;
    std::sscanf(report.c_str() + 1, "%d %d %lu", &width, &height, &corner);
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QRgb(corner)); // the picture is of one colour
    return image;
}

struct Probe {
    int x, y;
    QRgb colour;
};

struct PictureCase {
    std::string name;
    std::function<QImage()> load;
    QSize size = {};                ///< the picture that loads, or
    std::vector<Probe> probes = {}; ///< (with `tolerance` on every channel)
    int tolerance = 0;
    int error = 0;           ///< the error's number instead
    std::string detail = {}; ///< part of its description
    bool limited = false;    ///< runs under a memory limit, which no address sanitizer bears
};

} // namespace

TEST(PictureCases, EachLoadsAsAViewerShowsItOrFailsWithItsNumber) {
    TempDir dir;
    const auto write = [&](const std::string& name, const std::string& bytes) {
        WriteBytes(dir.File(name), bytes);
        return dir.File16(name);
    };
    const std::string halves = Encoded(Halves(40, 20), "JPEG");
    const std::u16string turnedRight = write("right.jpg", WithOrientation(halves, 6));
    const std::u16string turnedLeft = write("left.jpg", WithOrientation(halves, 8));
    const std::u16string displayP3 = write("p3.png", InColourSpace(QColorSpace::DisplayP3, "PNG"));
    const std::u16string adobe = write("adobe.jpg", InColourSpace(QColorSpace::AdobeRgb, "JPEG"));
    const std::u16string wide = write("halves.png", Encoded(Halves(40, 20), "PNG"));
    const std::u16string small = write("small.png", Encoded(Halves(4, 2), "PNG"));
    const std::u16string thirty = write("thirty.png", Encoded(Halves(30, 20), "PNG"));
    const std::u16string line = write("line.png", Encoded(Halves(100, 1), "PNG"));
    QImage translucent(40, 20, QImage::Format_RGBA64);
    translucent.fill(QColor(20, 255, 60, 128));
    const std::u16string deep = write("deep.png", Encoded(translucent, "PNG"));
    const std::u16string tall = write("tall.png", PngFilled(1, kMaxPictureSide, kRed));
    // 8192 x 8192 pixels: 256 MiB as the program holds them, far beyond the limit it runs under.
    const QRgb green = qRgb(10, 200, 30);
    const std::u16string big = write("big.png", PngFilled(8192, 8192, green));
    constexpr std::size_t kLimit = std::size_t{96} << 20;
    const QImage noise = Noise(200, 200);
    const std::string noisePng = Encoded(noise, "PNG"); // more than a pipe holds at once
    WriteBytes(dir.File("noise.png"), noisePng);
    // One byte more than standard input may bring, as a file with no blocks.
    std::ofstream(dir.File("sparse.png")).close();
    ASSERT_EQ(::truncate(dir.File("sparse.png").c_str(), off_t{kMaxInputBytes} + 1), 0);
    ASSERT_EQ(::mkfifo(dir.File("fifo.png").c_str(), 0644), 0);
    // A socket's file, which cannot even be opened.
    const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = dir.File("socket.png");
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    // A name made on a system whose names are not UTF-8: the bytes FF FE are no characters.
    const std::string oddName = dir.File("\xFF\xFE.png");
    const int odd = ::open(oddName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(odd, 0);
    const std::string oddBytes = Encoded(Halves(6, 2), "PNG");
    ASSERT_EQ(::write(odd, oddBytes.data(), oddBytes.size()), ssize_t(oddBytes.size()));
    ::close(odd);

    const std::string tooLarge = "Неверная картинка: после масштабирования ";
    const PictureCase cases[] = {
        // The camera's orientation is applied; a requested size is the size the user sees.
        {"EXIF orientation 6",
         [&] { return LoadPictureFile(turnedRight); },
         {20, 40},
         {{10, 4, kRed}, {10, 35, kBlue}},
         12},
        {"EXIF orientation 8",
         [&] { return LoadPictureFile(turnedLeft); },
         {20, 40},
         {{10, 4, kBlue}, {10, 35, kRed}},
         12},
        {"EXIF orientation 6 at width 10",
         [&] {
             return LoadPictureFile(turnedRight, {10, 0});
         },
         {10, 20},
         {{5, 2, kRed}, {5, 17, kBlue}},
         12},
        {"EXIF orientation 8 at 15 x 30",
         [&] {
             return LoadPictureFile(turnedLeft, {15, 30});
         },
         {15, 30},
         {{7, 3, kBlue}, {7, 26, kRed}},
         12},
        // (200, 100, 50) in a wider space is a more saturated colour: its sRGB numbers, worked
        // out by hand from the spaces' primaries and curves. White stays white.
        {"Display P3 PNG",
         [&] { return LoadPictureFile(displayP3); },
         {16, 8},
         {{2, 2, qRgb(215, 92, 31)}, {12, 2, kWhite}},
         3},
        {"Adobe RGB JPEG",
         [&] { return LoadPictureFile(adobe); },
         {16, 8},
         {{2, 2, qRgb(227, 100, 42)}, {12, 2, kWhite}},
         5},
        // Scaling: one side keeps the shape, rounded to the nearest pixel, never below one.
        {"width only",
         [&] {
             return LoadPictureFile(wide, {10, 0});
         },
         {10, 5},
         {{1, 2, kRed}, {8, 2, kBlue}},
         8},
        {"height only",
         [&] {
             return LoadPictureFile(wide, {0, 5});
         },
         {10, 5},
         {{1, 2, kRed}, {8, 2, kBlue}},
         8},
        {"both sides, another shape",
         [&] {
             return LoadPictureFile(wide, {7, 33});
         },
         {7, 33},
         {{0, 16, kRed}, {6, 16, kBlue}},
         8},
        {"enlarged",
         [&] {
             return LoadPictureFile(small, {40, 0});
         },
         {40, 20},
         {{5, 10, kRed}, {35, 10, kBlue}},
         8},
        {"20 x 10 / 3 rounds up to 7",
         [&] {
             return LoadPictureFile(thirty, {10, 0});
         },
         {10, 7}},
        {"40 x 20 at width 3: 1.5 rounds up",
         [&] {
             return LoadPictureFile(wide, {3, 0});
         },
         {3, 2}},
        {"30 x 20 at height 10",
         [&] {
             return LoadPictureFile(thirty, {0, 10});
         },
         {15, 10}},
        {"100 x 1 at width 10 keeps one row",
         [&] {
             return LoadPictureFile(line, {10, 0});
         },
         {10, 1}},
        {"1 x 16384 at width 16384",
         [&] {
             return LoadPictureFile(tall, {kMaxPictureSide, 0});
         },
         {},
         {},
         0,
         CError::kPictureTooLarge,
         tooLarge + "16384 x 268435456 пикселей — больше, чем 16384 x 16384"},
        {"100 x 1 at height 200",
         [&] {
             return LoadPictureFile(line, {0, 200});
         },
         {},
         {},
         0,
         CError::kPictureTooLarge,
         tooLarge + "20000 x 200 пикселей — больше, чем 16384 x 16384"},
        // Half-transparent green in 16 bits a channel, over white.
        {"16-bit PNG with alpha at width 10",
         [&] {
             return LoadPictureFile(deep, {10, 0});
         },
         {10, 5},
         {{5, 2, qRgb(137, 255, 157)}},
         2},
        {"bytes in memory at width 20",
         [&] {
             return FromBytes(oddBytes, {20, 0});
         },
         {20, 7},
         {{1, 3, kRed}, {18, 3, kBlue}},
         8},
        // The reader decodes straight to the small size: the full one would not fit.
        {"8192 x 8192 at width 10 in 96 MiB",
         [&] { return UnderMemoryLimit(kLimit, [&] {
                   return LoadPictureFile(big, {10, 0});
               }); },
         {10, 10},
         {{0, 0, green}},
         0,
         0,
         "",
         true},
        {"8192 x 8192 in 96 MiB",
         [&] { return UnderMemoryLimit(kLimit, [&] { return LoadPictureFile(big); }); },
         {},
         {},
         0,
         CError::kPictureNoMemory,
         "Неверная картинка: не хватает памяти для 8192 x 8192 пикселей",
         true},
        // Standard input: a pipe, a file, a device that never ends.
        {"PNG through a pipe",
         [&] { return ThroughPipe(noisePng); },
         {200, 200},
         {{0, 0, noise.pixel(0, 0)}, {199, 199, noise.pixel(199, 199)}}},
        {"empty pipe",
         [&] { return ThroughPipe(""); },
         {},
         {},
         0,
         CError::kEmptyPicture,
         "Неверная картинка: стандартный ввод пуст"},
        {"file as standard input",
         [&] { return FromDescriptor(dir.File("noise.png")); },
         {200, 200},
         {{57, 103, noise.pixel(57, 103)}}},
        {"file beyond the limit as standard input",
         [&] { return FromDescriptor(dir.File("sparse.png")); },
         {},
         {},
         0,
         CError::kInputTooLarge,
         "1073741824 байт"},
        {"/dev/zero as standard input",
         [&] { return FromDescriptor("/dev/zero"); },
         {},
         {},
         0,
         CError::kInputTooLarge,
         "1073741824 байт"},
        // Paths that are not regular files are refused at once, without waiting on them.
        {"FIFO",
         [&] { return LoadPictureFile(dir.File16("fifo.png")); },
         {},
         {},
         0,
         CError::kNotRegularFile,
         "«-» читает"},
        {"/dev/zero",
         [&] { return LoadPictureFile(u"/dev/zero"); },
         {},
         {},
         0,
         CError::kNotRegularFile,
         "Это не обычный файл"},
        {"socket",
         [&] { return LoadPictureFile(U16(socketPath)); },
         {},
         {},
         0,
         CError::kNotRegularFile,
         "Это не обычный файл"},
        {"name with the bytes FF FE",
         [&] { return LoadPictureFile(PathFromNative(oddName)); },
         {6, 2},
         {{0, 0, kRed}, {5, 1, kBlue}}},
    };
    for (const PictureCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.limited && kAddressSanitizer)
            continue;
        try {
            const QImage image = c.load();
            if (c.error != 0) {
                ADD_FAILURE() << "loaded instead of failing with " << c.error;
                continue;
            }
            EXPECT_EQ(image.width(), c.size.width());
            EXPECT_EQ(image.height(), c.size.height());
            if (image.size() != c.size)
                continue;
            EXPECT_EQ(image.format(), QImage::Format_RGB32);
            for (const Probe& probe : c.probes) {
                const QRgb got = image.pixel(probe.x, probe.y);
                const auto near = [&](int a, int b) { return std::abs(a - b) <= c.tolerance; };
                EXPECT_TRUE(near(qRed(got), qRed(probe.colour)) &&
                            near(qGreen(got), qGreen(probe.colour)) &&
                            near(qBlue(got), qBlue(probe.colour)))
                    << "at " << probe.x << "," << probe.y << ": " << std::hex << got
                    << " instead of " << probe.colour;
            }
        } catch (const CError& error) {
            EXPECT_EQ(error.Number(), c.error) << U8(error.Description());
            EXPECT_NE(U8(error.Description()).find(c.detail), std::string::npos)
                << U8(error.Description());
        }
    }
    ::close(server);
}
