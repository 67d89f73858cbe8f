// The UTF-8 encoders against Qt's strict decoder, for any UTF-16 text (lone surrogates included):
// both give the same valid bytes, which decode to the text, lone surrogates as U+FFFD.
#include "FuzzChecks.h"
#include "NativeText.h"
#include "Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = UnitsFromBytes(View(data, size));
    const std::vector<std::uint8_t> encoded = StringToUTF8(text);
    const std::string_view bytes = View(encoded.data(), encoded.size());
    bool valid = false;
    Check(DecodeUTF8(bytes, valid) == WithoutLoneSurrogates(text) && valid);
    Check(encoded.size() == UTF8Length(text));
    std::string direct(3 * text.size(), '\0');
    direct.resize(UTF8EncodeTo(text, direct.data()));
    Check(direct == bytes);
    // Text without a unit that stands for a byte of a file name goes to a console as its UTF-8.
    if (std::ranges::none_of(text, [](char16_t unit) { return unit >= 0xDC80 && unit <= 0xDCFF; }))
        Check(NativeFromDisplay(QStringView(text).toString()) == bytes);
    return 0;
}
