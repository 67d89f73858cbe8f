// Text files of any encoding: whatever the bytes, decoding gives text that UTF-8 can hold, and text
// that was valid comes back byte for byte.
#include "FuzzChecks.h"

#include "CTextFileReader.h"
#include "modUTF8.h"

#include <QByteArrayView>
#include <QStringDecoder>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool IsValidUTF8(std::string_view bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // decode() only says what to decode; the decoding happens when its result becomes a QString.
    const QString text = decoder.decode(QByteArrayView(bytes.data(), bytes.size()));
    return !decoder.hasError();
}

bool HasReplacement(std::string_view utf8) {
    return utf8.find("\xEF\xBF\xBD") != std::string_view::npos;
}

// A high surrogate followed by a low one is a pair; any other surrogate stands alone.
bool HasLoneSurrogate(const std::u16string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF;
        const bool low = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            ++i;
        else if (high || low)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string text = CTextFileReader::Decode(bytes);
    // Whatever the encoding, nothing is left that UTF-8 could not write.
    Check(!HasLoneSurrogate(text));

    std::string_view body = bytes;
    if (body.starts_with("\xEF\xBB\xBF"))
        body.remove_prefix(3);
    else if (body.starts_with("\xFF\xFE") || body.starts_with("\xFE\xFF")) {
        // UTF-16: one code unit per byte pair, an odd last byte becomes U+FFFD.
        Check(text.size() == (size - 2 + 1) / 2);
        if ((size - 2) % 2 == 1)
            Check(text.back() == u'\uFFFD');
        return 0;
    } else if (!IsValidUTF8(body)) {
        // Code page 1251: one character per byte, ASCII as it is; only 0x98, which the code page
        // leaves undefined, becomes a replacement.
        Check(text.size() == size);
        for (std::size_t i = 0; i < size; ++i) {
            Check((text[i] == u'\uFFFD') == (data[i] == 0x98));
            if (data[i] < 0x80)
                Check(text[i] == data[i]);
            else
                Check(text[i] >= 0xA0);
        }
        return 0;
    }
    // UTF-8, with or without its mark.
    const auto encoded = StringToUTF8(text);
    const std::string_view again(reinterpret_cast<const char*>(encoded.data()), encoded.size());
    if (IsValidUTF8(body)) {
        Check(again == body);
        if (!HasReplacement(body))
            Check(text.find(u'\uFFFD') == std::u16string::npos);
    } else {
        Check(IsValidUTF8(again));
    }
    return 0;
}
