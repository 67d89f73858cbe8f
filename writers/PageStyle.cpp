#include "PageStyle.h"

#include "CDivPicture.h"
#include "CSpanPicture.h"
#include "CTablePicture.h"
#include "ColorsAndPaths.h"
#include "CompactPicture.h"

namespace {

template <class Writer> std::unique_ptr<PageWriter> Create(const PageTemplates& templates) {
    return std::make_unique<Writer>(templates);
}

std::unique_ptr<PageWriter> CreateMail(const PageTemplates& templates) {
    return std::make_unique<CompactPicture>(templates, CompactPicture::kMail);
}

std::unique_ptr<PageWriter> CreateWeb(const PageTemplates& templates) {
    return std::make_unique<CompactPicture>(templates, CompactPicture::kWeb);
}

// The classic styles, in the order "--style all" writes them.
const auto kStyles = std::to_array<PageStyle>({
    {.name = "span", .extension = ".span.htm", .create = &Create<CSpanPicture>},
    {.name = "table", .extension = ".table.htm", .create = &Create<CTablePicture>},
    {.name = "div", .extension = ".div.htm", .create = &Create<CDivPicture>},
});

// A cell per rectangle of one colour: transparency, a tolerance, fragments, and a size that
// goes up and down with the width.
const auto kCompactStyles = std::to_array<PageStyle>({
    {.name = "compact",
     .extension = ".compact.htm",
     .create = &Create<CompactPicture>,
     .keepsTransparency = true,
     .takesTolerance = true,
     .writesFragment = true,
     .sizeGrowsWithWidth = false},
    {.name = "compact-mail",
     .extension = ".mail.htm",
     .create = &CreateMail,
     .keepsTransparency = true,
     .takesTolerance = true,
     .writesFragment = true,
     .sizeGrowsWithWidth = false},
    {.name = "web",
     .extension = ".web.htm",
     .create = &CreateWeb,
     .keepsTransparency = true,
     .takesTolerance = true,
     .writesFragment = true,
     .sizeGrowsWithWidth = false},
});

/// The classic styles, then the compact ones: every name a style is found by.
const auto kAllStyles =
    std::to_array<const PageStyle*>({&kStyles[0], &kStyles[1], &kStyles[2], &kCompactStyles[0],
                                     &kCompactStyles[1], &kCompactStyles[2]});

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
const PageStyle& CompactStyle() {
    return kCompactStyles[0];
}
const PageStyle& CompactMailStyle() {
    return kCompactStyles[1];
}
const PageStyle& WebStyle() {
    return kCompactStyles[2];
}

const PageStyle* FindPageStyle(std::string_view name) {
    for (const PageStyle* style : kAllStyles)
        if (style->name == name)
            return style;
    return nullptr;
}

std::string MakeOutputFileName(const std::string& sourceFileName, std::string_view extension) {
    if (sourceFileName.empty())
        return {};
    const std::string pictureExtension = GetFileExtension(sourceFileName);
    if (pictureExtension.empty())
        return sourceFileName + std::string(extension);
    // The extension and its dot are the name's last characters.
    return sourceFileName.substr(0, sourceFileName.size() - pictureExtension.size() - 1) +
           std::string(extension);
}
