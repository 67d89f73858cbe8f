#include "StandardStreams.h"

#include "Failure.h"
#include "Language.h"

#include <array>
#include <fcntl.h>
#include <optional>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace StandardStreams {

namespace {

constexpr int kStreams = 3;

struct Stream {
    bool closed = false;
    /// The device and inode of its stand-in, when that is a file of its own.
    std::optional<std::pair<dev_t, ino_t>> standIn;
};

std::array<Stream, kStreams> streams;

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Puts a stand-in on the free number `fd`; a file in memory when the system makes one, /dev/null
// otherwise (which other names do reach, so it is not recognised by them).
void PutStandIn(int fd) noexcept {
    int standIn = ::memfd_create("closed standard stream", MFD_CLOEXEC);
    const bool ownFile = standIn >= 0;
    if (!ownFile)
        standIn = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    if (standIn == -1)
        return;
    if (standIn != fd) {
        // The lower numbers are taken already: the stand-in is opened at the lowest free one.
        ::dup3(standIn, fd, O_CLOEXEC);
        ::close(standIn);
    }
    struct stat info {};
    if (ownFile && ::fstat(fd, &info) == 0)
        streams[fd].standIn = std::pair(info.st_dev, info.st_ino);
}

Failure Closed(int fd) {
    const char* const kClosed[kStreams] = {
        QT_TRANSLATE_NOOP("Tesselet", "Стандартный ввод закрыт"),
        QT_TRANSLATE_NOOP("Tesselet", "Стандартный вывод закрыт"),
        QT_TRANSLATE_NOOP("Tesselet", "Стандартный вывод ошибок закрыт"),
    };
    return Failure(Failure::kStreamClosed, Tr(kClosed[fd]));
}

} // namespace

void HoldClosed() noexcept {
    // In order: each stand-in takes the lowest free number, which is the stream it stands for.
    for (int fd = 0; fd < kStreams; ++fd) {
        if (::fcntl(fd, F_GETFD) >= 0)
            continue;
        streams[fd].closed = true;
        PutStandIn(fd);
    }
}

void ExpectOpen(int fd) {
    if (streams.at(static_cast<std::size_t>(fd)).closed)
        throw Closed(fd);
}

std::optional<int> StreamWritingTo(const std::string& nativePath) {
    struct stat target {};
    if (::stat(nativePath.c_str(), &target) != 0)
        return std::nullopt;
    for (int fd = 0; fd < kStreams; ++fd) {
        if (streams[fd].standIn == std::pair(target.st_dev, target.st_ino))
            throw Closed(fd);
    }
    for (const int fd : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat info {};
        if (!streams[fd].closed && ::fstat(fd, &info) == 0 && SameFile(info, target))
            return fd;
    }
    return std::nullopt;
}

} // namespace StandardStreams
