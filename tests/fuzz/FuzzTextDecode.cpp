// Text files of any encoding: whatever the bytes, decoding gives text, and text that was valid
// comes back byte for byte.
#include "FuzzChecks.h"
#include "modNativeText.h"

#include "CTextFileReader.h"
#include "modUTF8.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool HasReplacement(std::string_view utf8) {
    return utf8.find("\xEF\xBF\xBD") != std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string text = CTextFileReader::Decode(bytes);

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
        // Code page 1251: one character per byte; only 0x98, which the code page leaves
        // undefined, becomes a replacement.
        Check(text.size() == size);
        for (std::size_t i = 0; i < size; ++i)
            Check((text[i] == u'\uFFFD') == (data[i] == 0x98));
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
