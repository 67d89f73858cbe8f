// Text files of any encoding: whatever the bytes, decoding gives text that UTF-8 can hold, and text
// that was valid comes back unit for unit or byte for byte. A file name of the bytes shows as what
// its UTF-8 spells, any other byte as one of U+DC80 to U+DCFF, and comes back byte for byte.
#include "FuzzChecks.h"
#include "NativeText.h"
#include "TextFileReader.h"
#include "Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes = View(data, size);
    const std::u16string shown = PathForDisplay(bytes).toStdU16String(),
                         kept = WithoutLoneSurrogates(shown);
    Check(NativeFromDisplay(QStringView(shown).toString()) == bytes);
    for (std::size_t i = 0; i < shown.size(); ++i)
        Check(kept[i] == shown[i] || (shown[i] >= 0xDC80 && shown[i] <= 0xDCFF));
    bool valid = false;
    Check(DecodeUTF8(bytes, valid) == shown || !valid || bytes.starts_with("\xEF\xBB\xBF"));
    const std::u16string text = TextFileReader::Decode(bytes);
    Check(WithoutLoneSurrogates(text) == text);
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        // UTF-16: one unit per byte pair, an odd last byte and lone surrogates become U+FFFD.
        const std::u16string units = UnitsFromBytes(bytes.substr(2), bytes[0] == '\xFE');
        Check(text == WithoutLoneSurrogates(units) + (size % 2 == 1 ? u"\uFFFD" : u""));
        return 0;
    }
    const bool marked = bytes.starts_with("\xEF\xBB\xBF");
    bytes.remove_prefix(marked ? 3 : 0);
    if (const std::u16string utf8 = DecodeUTF8(bytes, valid); marked || valid) {
        // UTF-8 as Qt's strict decoder reads it, and valid bytes come back byte for byte.
        Check(text == utf8);
        const auto again = StringToUTF8(text);
        Check(!valid || View(again.data(), again.size()) == bytes);
        return 0;
    }
    // Code page 1251: one character per byte, ASCII as it is; only 0x98, which the code page leaves
    // undefined, becomes a replacement.
    Check(text.size() == size);
    for (std::size_t i = 0; i < size; ++i)
        Check((text[i] == u'\uFFFD') == (data[i] == 0x98) &&
              (data[i] < 0x80 ? text[i] == data[i] : text[i] >= 0xA0));
    return 0;
}
