#include "modPageStyle.h"

#include "CCompactPicture.h"
#include "CDivPicture.h"
#include "CSpanPicture.h"
#include "CTablePicture.h"
#include "KorvaneSupport.h"

#include <QtGlobal>

namespace {

template <class Writer> std::unique_ptr<CPageWriter> Create() {
    return std::make_unique<Writer>();
}

std::unique_ptr<CPageWriter> CreateMail() {
    return std::make_unique<CCompactPicture>(CCompactPicture::kMail);
}

std::unique_ptr<CPageWriter> CreateWeb() {
    return std::make_unique<CCompactPicture>(CCompactPicture::kWeb);
}

// The names of the compact styles' file types, marked for the translations; the window translates
// a filter's names where it becomes the dialog's (as it does the classic ones').
[[maybe_unused]] constexpr const char* kCompactFilterNames[] = {
    QT_TRANSLATE_NOOP("Tesselet", "Сжатые TABLE картинки"),
    QT_TRANSLATE_NOOP("Tesselet", "TABLE картинки для писем"),
    QT_TRANSLATE_NOOP("Tesselet", "Быстрые веб-картинки"),
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

// The styles that keep transparency and take the compact options; "--style all" leaves them out.
const std::array<PageStyle, 3> kCompactStyles = {{
    {u"compact", u".compact.htm", u"COMPACT Picture",
     u"Сжатые TABLE картинки|*.compact.htm|HTML файлы|*.HTM;*.HTML|Все файлы|*.*",
     &Create<CCompactPicture>},
    {u"compact-mail", u".mail.htm", u"MAIL Picture",
     u"TABLE картинки для писем|*.mail.htm|HTML файлы|*.HTM;*.HTML|Все файлы|*.*", &CreateMail},
    {u"web", u".web.htm", u"WEB Picture",
     u"Быстрые веб-картинки|*.web.htm|HTML файлы|*.HTM;*.HTML|Все файлы|*.*", &CreateWeb},
}};

const std::array<const PageStyle*, 6> kAllStyles = {&kStyles[0],        &kStyles[1],
                                                    &kStyles[2],        &kCompactStyles[0],
                                                    &kCompactStyles[1], &kCompactStyles[2]};

} // namespace

const std::array<PageStyle, 3>& PageStyles() {
    return kStyles;
}
const std::array<const PageStyle*, 6>& AllPageStyles() {
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
const PageStyle& WebStyle() {
    return kCompactStyles[2];
}
bool IsCompactStyle(const PageStyle& style) {
    return &style >= kCompactStyles.data() &&
           &style < kCompactStyles.data() + kCompactStyles.size();
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
