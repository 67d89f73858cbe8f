// The UTF-8 encoder against Qt's strict decoder, for any UTF-16 text (lone surrogates included)
// and for any bytes.
#include "FuzzChecks.h"

#include "modUTF8.h"

#include <QByteArrayView>
#include <QStringDecoder>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

bool IsHigh(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLow(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The text as its decoding must come back: lone surrogates replaced, pairs kept.
std::u16string Expected(const std::u16string& text) {
    std::u16string expected;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHigh(text[i]) && i + 1 < text.size() && IsLow(text[i + 1])) {
            expected += text[i];
            expected += text[++i];
        } else if (IsHigh(text[i]) || IsLow(text[i])) {
            expected += u'\uFFFD';
        } else {
            expected += text[i];
        }
    }
    return expected;
}

/// The bytes decoded by Qt; `valid` tells whether they were well-formed UTF-8.
std::u16string Decode(std::string_view bytes, bool& valid) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decoder.decode(QByteArrayView(bytes.data(), bytes.size()));
    valid = !decoder.hasError();
    return text.toStdU16String();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = UnitsFromBytes(data, size);

    std::vector<std::uint8_t> encoded;
    UTF8Encode(text, encoded);
    const std::string_view bytes(reinterpret_cast<const char*>(encoded.data()), encoded.size());
    bool valid = false;
    Check(Decode(bytes, valid) == Expected(text));
    Check(valid);
    Check(encoded.size() == UTF8Length(text));
    Check(StringToUTF8(text) == encoded);
    std::string direct(3 * text.size(), '\0');
    direct.resize(UTF8EncodeTo(text, direct.data()));
    Check(direct == bytes);

    // Any bytes: decoding yields text whose encoding is valid, and valid input comes back whole.
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    bool rawValid = false;
    const std::u16string decoded = Decode(raw, rawValid);
    const auto again = StringToUTF8(decoded);
    const std::string_view againBytes(reinterpret_cast<const char*>(again.data()), again.size());
    bool againValid = false;
    Decode(againBytes, againValid);
    Check(againValid);
    if (rawValid)
        Check(againBytes == raw);
    return 0;
}
