#include "CTextFileReader.h"

#include "CError.h"
#include "modCodePage1251.h"
#include "writers/modUTF8.h"

#include <cerrno>
#include <fcntl.h>
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
    const auto nativeBytes = StringToUTF8(path);
    const std::string native(nativeBytes.begin(), nativeBytes.end());
    const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw CError::FromErrno(errno);
    std::string bytes;
    char chunk[16384];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            throw CError::FromErrno(error);
        }
        if (got == 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return Decode(bytes);
}
