// Escaped text has no character that HTML would read as markup, and unescapes to the original.
#include "FuzzChecks.h"
#include "HtmlText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = UnitsFromBytes(View(data, size));
    // A marker fills the buffer first: a count that claims more than was written shows markers.
    std::u16string escaped(6 * text.size(), u'<');
    escaped.resize(HtmlEscape(text, escaped.data()));
    Check(escaped.find_first_of(u"<>\"") == std::u16string::npos);
    // "&amp;" goes last, so that no "&" it gives back starts an entity again.
    QString plain = QStringView(escaped).toString();
    plain.replace(u"&lt;"_qs, u"<"_qs).replace(u"&gt;"_qs, u">"_qs).replace(u"&quot;"_qs, u"\""_qs);
    Check(plain.replace(u"&amp;"_qs, u"&"_qs).toStdU16String() == text);
    return 0;
}
