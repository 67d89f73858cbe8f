#include "COutputFile.h"

#include "modUTF8.h"
#include "support/CError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

std::string NativePath(const std::u16string& path) {
    const auto bytes = StringToUTF8(path);
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

COutputFile::COutputFile() : mBuffer(new char[kBufferSize]) {}

COutputFile::~COutputFile() {
    if (mFd >= 0) {
        try {
            Close();
        } catch (...) {
            // A destructor must not throw; the writer's own close has reported by now.
        }
        if (mFd >= 0)
            ::close(mFd);
    }
}

int COutputFile::Open(const std::u16string& path) {
    const std::string native = NativePath(path);
    // Create the file, or empty it, before opening it for the page: whatever it held before is
    // gone even when the page stays short.
    int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        throw CError::FromErrno(errno);
    ::close(fd);
    fd = ::open(native.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        throw CError::FromErrno(errno);
    mFd = fd;
    mUsed = 0;
    return fd;
}

void COutputFile::WriteAll(const char* data, std::size_t count) {
    while (count > 0) {
        const ssize_t written = ::write(mFd, data, count);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throw CError::FromErrno(errno);
        }
        data += written;
        count -= static_cast<std::size_t>(written);
    }
}

void COutputFile::Flush() {
    const std::size_t used = mUsed;
    // Whatever the disk refuses cannot be written later either; keeping it would report the same
    // failure again from the close that follows.
    mUsed = 0;
    if (used > 0)
        WriteAll(mBuffer.get(), used);
}

void COutputFile::AppendBytes(const void* bytes, std::size_t count) {
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

void COutputFile::Append(std::u16string_view text) {
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

void COutputFile::Close() {
    if (mFd < 0)
        return;
    Flush();
    const int fd = mFd;
    mFd = -1;
    // After close() the descriptor is gone even when it reports an error.
    if (::close(fd) != 0)
        throw CError::FromErrno(errno);
}
