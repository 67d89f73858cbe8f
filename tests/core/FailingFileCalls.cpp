// Preloaded into the converter. A temporary page's close() fails for old.htm with EIO (a network
// disk's lost write), its fchmod() for eperm.htm with EPERM, its rename() onto xdev.htm with EXDEV.

#include <cerrno>
#include <climits>
#include <cstdio>
#include <dlfcn.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsTempOf(int fd, std::string_view page) {
    char link[32], path[PATH_MAX];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = ::readlink(link, path, sizeof path);
    return length > 0 &&
           std::string_view(path, std::size_t(length)).find(page) != std::string_view::npos;
}

} // namespace

extern "C" int close(int fd) {
    static const auto next = reinterpret_cast<int (*)(int)>(::dlsym(RTLD_NEXT, "close"));
    const bool fail = IsTempOf(fd, "/.old.htm.");
    const int result = next(fd);
    if (fail) {
        errno = EIO;
        return -1;
    }
    return result;
}

extern "C" int fchmod(int fd, mode_t mode) {
    static const auto next = reinterpret_cast<int (*)(int, mode_t)>(::dlsym(RTLD_NEXT, "fchmod"));
    if (IsTempOf(fd, "/.eperm.htm.")) {
        errno = EPERM;
        return -1;
    }
    return next(fd, mode);
}

extern "C" int rename(const char* from, const char* to) {
    static const auto next =
        reinterpret_cast<int (*)(const char*, const char*)>(::dlsym(RTLD_NEXT, "rename"));
    if (!std::string_view(to).ends_with("xdev.htm"))
        return next(from, to);
    errno = EXDEV;
    return -1;
}
