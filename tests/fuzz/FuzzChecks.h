#pragma once
// What the fuzz targets share: a check that keeps the failing input, and readings of the bytes.
#include <QStringDecoder>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

inline void Check(bool condition) {
    if (!condition)
        std::abort();
}
inline std::string_view View(const auto* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}
/// The bytes as UTF-16 code units, pairs in the order asked; an odd last byte is left out.
inline std::u16string UnitsFromBytes(std::string_view bytes, bool bigEndian = false) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<char16_t>(std::uint8_t(bytes[i + !bigEndian]) << 8 |
                                             std::uint8_t(bytes[i + bigEndian])));
    return text;
}
/// The text with each surrogate that lacks its other half replaced by U+FFFD, pairs kept.
inline std::u16string WithoutLoneSurrogates(std::u16string text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((text[i] & 0xFC00) == 0xD800 && i + 1 < text.size() && (text[i + 1] & 0xFC00) == 0xDC00)
            ++i;
        else if ((text[i] & 0xF800) == 0xD800)
            text[i] = u'\uFFFD';
    }
    return text;
}
/// Qt's strict decoding of UTF-8; `valid` tells whether the bytes were well-formed.
inline std::u16string DecodeUTF8(std::string_view bytes, bool& valid) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decoder.decode(QByteArrayView(bytes.data(), bytes.size()));
    valid = !decoder.hasError();
    return text.toStdU16String();
}
