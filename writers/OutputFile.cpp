#include "OutputFile.h"
#include "NativeText.h"

#include "Failure.h"
#include "Interrupts.h"
#include "StandardStreams.h"
#include "Utf8.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The permissions a new file gets from open(…, 0666): the process's umask taken away. Read once;
// asking for the umask means setting it, which must not race with files made later.
mode_t NewFileMode() {
    static const mode_t mode = [] {
        const mode_t mask = ::umask(022);
        ::umask(mask);
        return static_cast<mode_t>(0666 & ~mask);
    }();
    return mode;
}

// "dir/.name.XXXXXX" beside `target`. A long name is cut so that the temporary one still fits
// the file system's limit on names.
std::string TempPattern(const std::string& target) {
    constexpr std::size_t kLongestBase = NAME_MAX - 8;
    const auto slash = target.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    if (base.size() > kLongestBase)
        base.resize(kLongestBase);
    return folder + "." + base + ".XXXXXX";
}

[[noreturn]] void ThrowErrno(int error) {
    throw Failure::FromErrno(error);
}

// For a name that leads to no file: where its links lead, through every one on the way, so that the
// page is created there and the link stays a link; a name that is no link comes back as it is.
// Whatever lstat finds on such a way is a link, since the way ends at nothing.
std::string DanglingLinkTarget(std::string name) {
    constexpr int kMostLinks = 40; // the system's own limit on links followed in one name
    for (int followed = 0;; ++followed) {
        struct stat info {};
        if (::lstat(name.c_str(), &info) != 0)
            return name;
        if (followed == kMostLinks)
            ThrowErrno(ELOOP);
        char link[PATH_MAX];
        const ssize_t length = ::readlink(name.c_str(), link, sizeof link);
        if (length == -1)
            ThrowErrno(errno);
        if (static_cast<std::size_t>(length) == sizeof link)
            ThrowErrno(ENAMETOOLONG);
        std::string next(link, static_cast<std::size_t>(length));
        // A relative link is read from the folder the link is in.
        const auto slash = name.rfind('/');
        if ((next.empty() || next.front() != '/') && slash != std::string::npos)
            next.insert(0, name, 0, slash + 1);
        name = std::move(next);
    }
}

// A descriptor writing to the device, FIFO or socket `target` where it stands.
int OpenInPlace(const std::string& target) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd == -1)
        ThrowErrno(errno);
    return fd;
}

// The regular file `target` names, through its links (the link stays a link); a file the user may
// not write stays as it is, as it would with writing in place.
std::string WritableFileOf(const std::string& target) {
    if (::access(target.c_str(), W_OK) != 0)
        ThrowErrno(errno);
    char resolved[PATH_MAX];
    if (::realpath(target.c_str(), resolved) == nullptr)
        ThrowErrno(errno);
    return resolved;
}

} // namespace

OutputFile::OutputFile() : mBuffer(new char[kBufferSize]) {}

OutputFile::~OutputFile() {
    // A page still open here was abandoned: it is not put in place.
    if (mFd != -1)
        Discard();
}

void OutputFile::Start(bool inMemory) {
    mUsed = 0;
    mComplete = false;
    mMemory.clear();
    mInMemory = inMemory;
    mCountOnly = false;
    mCounted = 0;
}

void OutputFile::OpenMemory() {
    Start(true);
}

void OutputFile::OpenCounter() {
    Start(true);
    mCountOnly = true;
}

std::optional<int> OutputFile::StandardStream(const std::string& path) {
    if (path == kStandardOutput) {
        StandardStreams::ExpectOpen(STDOUT_FILENO);
        return STDOUT_FILENO;
    }
    return StandardStreams::StreamWritingTo(path);
}

void OutputFile::Open(const std::string& path) {
    Start(false);
    // The stream's own descriptor, where it stands: appended to when it appends, the bytes before
    // and after it in a pipe or a file kept. Replacing its file would throw those away.
    if (const std::optional<int> stream = StandardStream(path)) {
        mFd = *stream;
        mOwnsFd = false;
        return;
    }
    std::string target = path;
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            ThrowErrno(EISDIR);
        if (!S_ISREG(info.st_mode)) {
            // A device, FIFO or socket cannot be replaced and holds no old page to keep.
            mFd = OpenInPlace(target);
            mOwnsFd = true;
            return;
        }
        OpenTempBeside(WritableFileOf(target), info.st_mode & 07777);
    } else if (errno == ENOENT) {
        OpenTempBeside(DanglingLinkTarget(std::move(target)), NewFileMode());
    } else {
        ThrowErrno(errno);
    }
}

void OutputFile::OpenTempBeside(std::string target, mode_t mode) {
    std::string temp = TempPattern(target);
    int fd;
    {
        const Interrupts::BlockInterrupts blocked;
        fd = ::mkostemp(temp.data(), O_CLOEXEC);
        if (fd == -1)
            ThrowErrno(errno);
        Interrupts::RegisterTempFile(temp.c_str());
    }
    mFd = fd;
    mOwnsFd = true;
    mTarget = std::move(target);
    mTemp = std::move(temp);
    // mkostemp makes the file readable by its owner only; the page gets what the old file had,
    // or what a new file would have.
    if (::fchmod(fd, mode) != 0) {
        const int error = errno;
        Discard();
        ThrowErrno(error);
    }
}

void OutputFile::WriteAll(const char* data, std::size_t count) {
    if (mInMemory) {
        if (mCountOnly)
            mCounted += count;
        else
            mMemory.append(data, count);
        return;
    }
    while (count > 0) {
        const ssize_t written = ::write(mFd, data, count);
        if (written == -1) {
            if (errno == EINTR)
                continue;
            throw Failure::FromErrno(errno);
        }
        data += written;
        count -= static_cast<std::size_t>(written);
    }
}

void OutputFile::Flush() {
    const std::size_t used = mUsed;
    // Whatever the disk refuses cannot be written later either; keeping it would report the same
    // failure again from the close that follows.
    mUsed = 0;
    WriteAll(mBuffer.get(), used);
}

void OutputFile::AppendBytes(const void* bytes, std::size_t count) {
    if (count > kBufferSize - mUsed) {
        Flush();
        if (count > kBufferSize) {
            WriteAll(static_cast<const char*>(bytes), count);
            return;
        }
    }
    std::memcpy(mBuffer.get() + mUsed, bytes, count);
    mUsed += count;
}

void OutputFile::Append(std::u16string_view text) {
    // Three bytes per code unit is the most UTF-8 needs (a surrogate pair takes four for two).
    const std::size_t worst = text.size() * 3;
    if (worst > kBufferSize - mUsed) {
        Flush();
        if (worst > kBufferSize) {
            const auto bytes = StringToUTF8(text);
            WriteAll(reinterpret_cast<const char*>(bytes.data()), bytes.size());
            return;
        }
    }
    mUsed += UTF8EncodeTo(text, mBuffer.get() + mUsed);
}

void OutputFile::Discard() noexcept {
    mUsed = 0;
    if (mFd != -1 && mOwnsFd)
        ::close(mFd);
    mFd = -1;
    if (!mTemp.empty()) {
        const Interrupts::BlockInterrupts blocked;
        ::unlink(mTemp.c_str());
        Interrupts::ForgetTempFile(mTemp.c_str());
        mTemp.clear();
    }
}

void OutputFile::Close() {
    if (mInMemory) {
        Flush();
        mInMemory = false;
        return;
    }
    if (mFd == -1)
        return;
    if (mTemp.empty()) {
        // Written in place: what was appended goes out, complete or not.
        try {
            Flush();
        } catch (...) {
            Discard();
            throw;
        }
        const int fd = mFd;
        mFd = -1;
        // After close() the descriptor is gone even when it reports an error.
        if (mOwnsFd && ::close(fd) != 0)
            ThrowErrno(errno);
        return;
    }
    if (!mComplete) {
        Discard();
        return;
    }
    try {
        Flush();
        // The data reaches the disk before the name does: after a crash the target holds the old
        // page or the new one, never a new name over an empty or partial file.
        if (::fsync(mFd) != 0)
            ThrowErrno(errno);
        const int fd = mFd;
        mFd = -1;
        if (::close(fd) != 0)
            ThrowErrno(errno);
        const Interrupts::BlockInterrupts blocked;
        if (::rename(mTemp.c_str(), mTarget.c_str()) != 0)
            ThrowErrno(errno);
        Interrupts::ForgetTempFile(mTemp.c_str());
        mTemp.clear();
    } catch (...) {
        Discard();
        throw;
    }
}
