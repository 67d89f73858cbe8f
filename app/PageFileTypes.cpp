#include "PageFileTypes.h"

#include "modPageStyle.h"

#include <array>

namespace {

// The labels are translated where the filter becomes the dialog's.
constexpr std::array<PageFileType, 6> kFileTypes = {{
    {u"span", u"SPAN Picture", u"SPAN картинки"},
    {u"table", u"TABLE Picture", u"TABLE картинки"},
    {u"div", u"DIV Picture", u"DIV картинки"},
    {u"compact", u"COMPACT Picture", u"Сжатые TABLE картинки"},
    {u"compact-mail", u"MAIL Picture", u"TABLE картинки для писем"},
    {u"web", u"WEB Picture", u"Быстрые веб-картинки"},
}};

constexpr std::u16string_view kOtherTypes = u"HTML файлы|*.HTM;*.HTML|Все файлы|*.*";

} // namespace

PageFileType FileTypeOf(const PageStyle& style) {
    for (const PageFileType& type : kFileTypes)
        if (type.style == style.name)
            return type;
    return {style.name, style.name, style.name};
}

std::u16string SaveFilter(std::span<const PageStyle* const> styles) {
    std::u16string filter;
    for (const PageStyle* style : styles) {
        filter += FileTypeOf(*style).label;
        filter += u"|*";
        filter += style->extension;
        filter += u'|';
    }
    filter += kOtherTypes;
    return filter;
}
