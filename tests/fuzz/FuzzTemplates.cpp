// Preparing the templates and source text: the input is split at the first two 0xFF bytes into
// head, an unused part and source text, each decoded as a start-up file is.
#include "FuzzChecks.h"
#include "TesseletVersion.h"

#include "CAppObject.h"
#include "CTextFileReader.h"
#include "modSourceAndTemplates.h"
#include "modUTF8.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::size_t Count(std::u16string_view text, std::u16string_view what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::u16string_view::npos;
         at = text.find(what, at + what.size()))
        ++count;
    return count;
}

std::u16string Without(std::u16string text, char16_t unit) {
    std::erase(text, unit);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::string_view parts[3];
    for (int i = 0; i < 2; ++i) {
        const std::size_t cut = rest.find('\xFF');
        parts[i] = rest.substr(0, cut);
        rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    }
    parts[2] = rest;
    std::u16string head = CTextFileReader::Decode(parts[0]);
    std::u16string source = CTextFileReader::Decode(parts[2]);
    const std::u16string originalHead = head;
    const std::u16string originalSource = source;

    const CAppObject app(u"/nowhere");
    PrepareSourceAndTemplates(app, source, head);

    // Spaces and line breaks are gone from the source text, nothing else is.
    Check(source == Without(Without(Without(originalSource, u' '), u'\r'), u'\n'));
    // Every "%GENERATOR%" is filled, and the rest of the head is as it was.
    const std::u16string generator = u"Korvane - Tesselet " TESSELET_VERSION_TEXT_U16;
    const std::size_t filled = Count(originalHead, u"%GENERATOR%");
    Check(Count(head, u"%GENERATOR%") == 0);
    Check(head.size() == originalHead.size() + filled * (generator.size() - 11));
    return 0;
}
