#include "CTextFileReader.h"
#include "modNativeText.h"

#include "CError.h"
#include "modCodePage1251.h"
#include "modRegularFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::u16string DecodeUTF16(std::string_view bytes, bool bigEndian) {
    std::u16string text;
    text.reserve(bytes.size() / 2 + 1);
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(bigEndian ? char16_t((first << 8) | second)
                                 : char16_t((second << 8) | first));
    }
    if (i < bytes.size())
        text.push_back(u'\uFFFD'); // an odd byte at the end
    return text;
}

CError TooLarge() {
    const std::string mebibytes = std::to_string(CTextFileReader::kMaxStartUpFileBytes >> 20);
    return CError(CError::kStartUpFileTooLarge,
                  u"The file is larger than " + std::u16string(mebibytes.begin(), mebibytes.end()) +
                      u" MiB");
}

} // namespace

std::u16string CTextFileReader::Decode(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return UTF8Decode(bytes.substr(3));
    if (bytes.starts_with("\xFF\xFE"))
        return DecodeUTF16(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF"))
        return DecodeUTF16(bytes.substr(2), true);
    if (IsValidUTF8(bytes))
        return UTF8Decode(bytes);
    return CP1251Decode(bytes);
}

std::u16string CTextFileReader::ReadAll(const std::u16string& path) {
    struct stat info {};
    const CFileDescriptor file = OpenRegularFile(path, info);
    const int fd = file.Get();
    // The size is checked before anything is read, so a huge (even sparse) file costs nothing.
    if (info.st_size < 0 || static_cast<std::uint64_t>(info.st_size) > kMaxStartUpFileBytes)
        throw TooLarge();

    // The size the system gives is not trusted to end the reading (a file can grow while it is
    // read, and files under /proc say 0): reading stops one byte past the limit.
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char chunk[16384];
    for (;;) {
        const std::size_t room = kMaxStartUpFileBytes + 1 - bytes.size();
        const ssize_t got = ::read(fd, chunk, std::min(sizeof chunk, room));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw CError::FromErrno(errno);
        }
        if (got == 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(got));
        if (bytes.size() > kMaxStartUpFileBytes)
            throw TooLarge();
    }
    return Decode(bytes);
}
