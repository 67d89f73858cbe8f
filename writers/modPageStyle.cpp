#include "modPageStyle.h"

#include "CDivPicture.h"
#include "CSpanPicture.h"
#include "CTablePicture.h"
#include "KorvaneSupport.h"

namespace {

template <class Writer> std::unique_ptr<IAnyPicture> Create() {
    return std::make_unique<Writer>();
}

const std::array<PageStyle, 3> kStyles = {{
    {u"span", u".span.htm", u"SPAN Picture",
     u"SPAN картинки|*.span.htm|HTML файлы|*.HTM;*.HTML|Все файлы|*.*", &Create<CSpanPicture>},
    {u"table", u".table.htm", u"TABLE Picture",
     u"TABLE картинки|*.table.htm|HTML файлы|*.HTM;*.HTML|Все файлы|*.*", &Create<CTablePicture>},
    {u"div", u".div.htm", u"DIV Picture",
     u"DIV картинки|*.div.htm|HTML файлы|*.HTM;*.HTML|Все файлы|*.*", &Create<CDivPicture>},
}};

} // namespace

const std::array<PageStyle, 3>& PageStyles() {
    return kStyles;
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

const PageStyle* FindPageStyle(std::u16string_view name) {
    for (const auto& style : kStyles)
        if (style.name == name)
            return &style;
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
