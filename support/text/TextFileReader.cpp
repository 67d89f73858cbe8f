#include "TextFileReader.h"

#include "Failure.h"
#include "Language.h"
#include "RegularFile.h"
#include "Surrogates.h"

#include <QByteArrayView>
#include <QStringDecoder>

#include <cerrno>
#include <cstdint>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The decoder keeps a byte-order mark that is part of the text: the one that chose the encoding
// has been cut off already, and a second one is a character of the file. Stateless: the bytes are
// all there, so a sequence cut short at the end is a replacement character, not something held
// back for more input.
constexpr QStringDecoder::Flags kWholeText =
    QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;

// Decodes straight into the text that is returned: a start-up file may have 64 MiB, and a QString
// in between would be one more copy of it.
std::u16string DecodeWith(QStringDecoder& decoder, std::string_view bytes) {
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    std::u16string text(static_cast<std::size_t>(decoder.requiredSpace(view.size())), u'\0');
    QChar* const start = reinterpret_cast<QChar*>(text.data());
    text.resize(static_cast<std::size_t>(decoder.appendToBuffer(start, view) - start));
    return text;
}

std::u16string DecodeUTF8(std::string_view bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, kWholeText);
    return DecodeWith(decoder, bytes);
}

std::u16string DecodeUTF16(std::string_view bytes, QStringDecoder::Encoding encoding) {
    // One code unit per pair of bytes; an odd last byte is a unit that could not be read.
    const std::size_t even = bytes.size() & ~std::size_t{1};
    QStringDecoder decoder(encoding, kWholeText);
    std::u16string text = DecodeWith(decoder, bytes.substr(0, even));
    // Qt passes on a surrogate that has lost its other half. It stands for no character, and
    // UTF-8 cannot hold it, so it becomes the replacement character here rather than wherever the
    // text is written.
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsPairAt(text, i))
            ++i;
        else if (IsSurrogate(text[i]))
            text[i] = u'\uFFFD';
    }
    if (even < bytes.size())
        text.push_back(u'\uFFFD');
    return text;
}

std::u16string DecodeWindows1251(std::string_view bytes) {
    QStringDecoder decoder("windows-1251", kWholeText);
    if (!decoder.isValid())
        throw Failure(
            Failure::kInternal,
            Tr(QT_TRANSLATE_NOOP("Tesselet", "Внутренняя ошибка: в Qt нет кодека Windows-1251")));
    std::u16string text = DecodeWith(decoder, bytes);
    // Every byte is one character. 0x98 is the one byte the code page leaves unassigned; Qt gives
    // it as the invisible control U+0098, a page shows it as the replacement character.
    for (std::size_t i = 0; i < text.size(); ++i)
        if (bytes[i] == '\x98')
            text[i] = u'\uFFFD';
    return text;
}

Failure TooLarge() {
    return Failure(Failure::kStartUpFileTooLarge,
                   Tr(QT_TRANSLATE_NOOP("Tesselet", "Файл больше %1 МиБ"),
                      QString::number(TextFileReader::kMaxStartUpFileBytes >> 20)));
}

} // namespace

std::u16string TextFileReader::Decode(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return DecodeUTF8(bytes.substr(3));
    if (bytes.starts_with("\xFF\xFE"))
        return DecodeUTF16(bytes.substr(2), QStringDecoder::Utf16LE);
    if (bytes.starts_with("\xFE\xFF"))
        return DecodeUTF16(bytes.substr(2), QStringDecoder::Utf16BE);
    // Without a mark, text that is well-formed UTF-8 is taken as such: text in code page 1251
    // almost never is, since a letter there is one byte from 0xC0 up, which UTF-8 only uses to
    // start a sequence.
    QStringDecoder strict(QStringDecoder::Utf8, kWholeText);
    std::u16string text = DecodeWith(strict, bytes);
    if (strict.hasError()) {
        text = {}; // gives its memory back before the second decoding
        return DecodeWindows1251(bytes);
    }
    return text;
}

std::u16string TextFileReader::ReadAll(const std::string& path) {
    struct stat info {};
    const FileDescriptor file = OpenRegularFile(path, info);
    const int fd = file.Get();
    // The size is checked before anything is read, so a huge (even sparse) file costs nothing.
    if (static_cast<std::uint64_t>(info.st_size) > kMaxStartUpFileBytes) // a regular file's: >= 0
        throw TooLarge();

    // The size the system gives is not trusted to end the reading (a file can grow while it is
    // read, and files under /proc say 0): reading stops within a chunk past the limit.
    std::string bytes;
    char chunk[16384];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw Failure::FromErrno(errno);
        }
        if (got == 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(got));
        if (bytes.size() > kMaxStartUpFileBytes)
            throw TooLarge();
    }
    return Decode(bytes);
}
