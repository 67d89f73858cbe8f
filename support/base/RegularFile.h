#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <utility>

/// A descriptor this program opened, closed when the object goes.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) noexcept : mFd(fd) {}
    ~FileDescriptor();
    FileDescriptor(FileDescriptor&& other) noexcept : mFd(other.Release()) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor& operator=(FileDescriptor&&) = delete;

    int Get() const noexcept { return mFd; }
    /// Hands the descriptor to whoever closes it now.
    int Release() noexcept { return std::exchange(mFd, -1); }

private:
    int mFd;
};

/// Opens the file named `name` (any bytes) for reading, when it is
/// a regular file, and fills `info` with what the system knows of it. Throws Failure: the system's
/// error for a name that cannot be opened, EISDIR (21) for a folder, and Failure::kNotRegularFile
/// for a FIFO, device or socket ("Это не обычный файл", then ": " and `advice`, in the run's
/// language, when given). Such a
/// file is refused without being waited on or, where the name shows it beforehand, opened: a
/// FIFO would wait for a writer, /dev/zero never ends, and opening some devices does something.
FileDescriptor OpenRegularFile(const std::string& name, struct stat& info,
                               const QString& advice = {});
