#include "modPageStyle.h"

#include "CCompactPicture.h"
#include "CDivPicture.h"
#include "CSpanPicture.h"
#include "CTablePicture.h"
#include "KorvaneSupport.h"

#include <QtGlobal>

namespace {

template <class Writer> std::unique_ptr<CPageWriter> Create(const PageTemplates& templates) {
    return std::make_unique<Writer>(templates);
}

std::unique_ptr<CPageWriter> CreateMail(const PageTemplates& templates) {
    return std::make_unique<CCompactPicture>(templates, CCompactPicture::kMail);
}

// The names of the compact styles' file types, marked for the translations; the window translates
// a filter's names where it becomes the dialog's (as it does the classic ones').
[[maybe_unused]] constexpr const char* kCompactFilterNames[] = {
    QT_TRANSLATE_NOOP("Tesselet", "Сжатые TABLE картинки"),
    QT_TRANSLATE_NOOP("Tesselet", "TABLE картинки для писем"),
};

// The classic styles, in the order "--style all" writes them.
const std::array<PageStyle, 3> kStyles = {{
    {u"span", u".span.htm", u"SPAN Picture",
     u"SPAN картинки|*.span.htm|HTML файлы|*.HTM;*.HTML|Все файлы|*.*", &Create<CSpanPicture>},
    {u"table", u".table.htm", u"TABLE Picture",
     u"TABLE картинки|*.table.htm|HTML файлы|*.HTM;*.HTML|Все файлы|*.*", &Create<CTablePicture>},
    {u"div", u".div.htm", u"DIV Picture",
     u"DIV картинки|*.div.htm|HTML файлы|*.HTM;*.HTML|Все файлы|*.*", &Create<CDivPicture>},
}};

const std::array<PageStyle, 2> kCompactStyles = {{
    {u"compact", u".compact.htm", u"COMPACT Picture",
     u"Сжатые TABLE картинки|*.compact.htm|HTML файлы|*.HTM;*.HTML|Все файлы|*.*",
     &Create<CCompactPicture>},
    {u"compact-mail", u".mail.htm", u"MAIL Picture",
     u"TABLE картинки для писем|*.mail.htm|HTML файлы|*.HTM;*.HTML|Все файлы|*.*", &CreateMail},
}};

const std::array<const PageStyle*, 5> kAllStyles = {&kStyles[0], &kStyles[1], &kStyles[2],
                                                    &kCompactStyles[0], &kCompactStyles[1]};

} // namespace

const std::array<PageStyle, 3>& PageStyles() {
    return kStyles;
}
const std::array<const PageStyle*, 5>& AllPageStyles() {
    return kAllStyles;
}
const PageStyle& SpanStyle() {
    return kStyles[0];
}
const PageStyle& TableStyle() {
    return kStyles[1];
}
const PageStyle& DivStyle() {
    return kStyles[2];
}
const PageStyle& CompactStyle() {
    return kCompactStyles[0];
}
const PageStyle& CompactMailStyle() {
    return kCompactStyles[1];
}
bool IsCompactStyle(const PageStyle& style) {
    return &style == &kCompactStyles[0] || &style == &kCompactStyles[1];
}

const PageStyle* FindPageStyle(std::u16string_view name) {
    for (const PageStyle* style : kAllStyles)
        if (style->name == name)
            return style;
    return nullptr;
}

std::u16string MakeOutputFileName(const std::u16string& sourceFileName,
                                  std::u16string_view extension) {
    if (sourceFileName.empty())
        return {};
    const std::u16string pictureExtension = ksGetFileExtension(sourceFileName);
    if (pictureExtension.empty())
        return sourceFileName + std::u16string(extension);
    const auto cut = static_cast<std::int32_t>(pictureExtension.size()) + 1;
    return ksCutRight(sourceFileName, cut) + std::u16string(extension);
}
