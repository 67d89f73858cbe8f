// Preparing the templates and source text: the input is split at the first two 0xFF bytes into
// head, an unused part and source text, each decoded as a start-up file is.
#include "AppInfo.h"
#include "FuzzChecks.h"
#include "PageTemplates.h"
#include "TesseletVersion.h"
#include "TextFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = View(data, size);
    const std::size_t first = std::min(bytes.find('\xFF'), size);
    const std::size_t second = std::min(bytes.find('\xFF', first + 1), size);
    std::u16string head = TextFileReader::Decode(bytes.substr(0, first));
    std::u16string source = TextFileReader::Decode(bytes.substr(std::min(second + 1, size)));
    // What Qt's replacing gives (QStringView, as fromUtf16 would drop a leading U+FEFF).
    QString expectedHead = QStringView(head).toString();
    expectedHead.replace(u"%GENERATOR%"_qs, u"Korvane - Tesselet " TESSELET_VERSION_TEXT_U16 ""_qs);
    QString expectedSource = QStringView(source).toString();
    for (const char16_t unit : std::u16string_view(u" \r\n"))
        expectedSource.remove(QChar(unit));
    PrepareSourceAndTemplates(AppInfo("/nowhere"), source, head);
    Check(head == expectedHead.toStdU16String());
    Check(source == expectedSource.toStdU16String());
    return 0;
}
