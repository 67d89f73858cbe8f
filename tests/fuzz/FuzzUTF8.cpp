// The UTF-8 encoder against its own decoder and validator, for any UTF-16 text (lone surrogates
// included) and for any bytes.
#include "FuzzChecks.h"
#include "modNativeText.h"

#include "modUTF8.h"

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = UnitsFromBytes(data, size);

    std::vector<std::uint8_t> encoded;
    UTF8Encode(text, encoded);
    const std::string_view bytes(reinterpret_cast<const char*>(encoded.data()), encoded.size());
    Check(IsValidUTF8(bytes));
    Check(encoded.size() == UTF8Length(text));
    Check(StringToUTF8(text) == encoded);
    std::string direct(3 * text.size(), '\0');
    direct.resize(UTF8EncodeTo(text, direct.data()));
    Check(direct == bytes);
    Check(UTF8Decode(bytes) == Expected(text));

    // Any bytes: decoding yields text whose encoding is valid, and valid input comes back whole.
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    const std::u16string decoded = UTF8Decode(raw);
    const auto again = StringToUTF8(decoded);
    const std::string_view againBytes(reinterpret_cast<const char*>(again.data()), again.size());
    Check(IsValidUTF8(againBytes));
    if (IsValidUTF8(raw))
        Check(againBytes == raw);
    return 0;
}
