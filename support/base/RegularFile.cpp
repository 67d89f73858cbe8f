#include "RegularFile.h"

#include "Failure.h"
#include "Language.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

Failure NotRegularFile(const QString& advice) {
    if (advice.isEmpty())
        return Failure(Failure::kNotRegularFile,
                       Tr(QT_TRANSLATE_NOOP("Tesselet", "Это не обычный файл")));
    return Failure(Failure::kNotRegularFile,
                   Tr(QT_TRANSLATE_NOOP("Tesselet", "Это не обычный файл: %1"), advice));
}

} // namespace

FileDescriptor::~FileDescriptor() {
    if (mFd != -1)
        ::close(mFd);
}

FileDescriptor OpenRegularFile(const std::string& name, struct stat& info, const QString& advice) {
    if (name.find('\0') != std::string::npos)
        throw Failure::FromErrno(ENOENT); // no file has one in its name
    // A name that cannot be looked at is left to open(), which says why.
    if (::stat(name.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode))
        throw NotRegularFile(advice);
    // The name may have become something else since; O_NONBLOCK keeps a FIFO from waiting for a
    // writer that may never come, O_NOCTTY a terminal from becoming this program's. It may stay:
    // the reads of a regular file, the only kind returned, never wait anyway.
    FileDescriptor fd(::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.Get() == -1)
        throw Failure::FromErrno(errno);
    if (::fstat(fd.Get(), &info) != 0)
        throw Failure::FromErrno(errno);
    // A folder keeps the system's own report, as reading it would give.
    if (S_ISDIR(info.st_mode))
        throw Failure::FromErrno(EISDIR);
    if (!S_ISREG(info.st_mode))
        throw NotRegularFile(advice);
    return fd;
}
