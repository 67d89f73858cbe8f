#pragma once

#include "IAnyPicture.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>

/// The three page styles and what the window and the command line need of each.
struct PageStyle {
    std::u16string_view name;          ///< "span", "table", "div"
    std::u16string_view extension;     ///< default extension of its pages, with the dot
    std::u16string_view rememberedKey; ///< key of its save folder under "OFN Paths"
    std::u16string_view filter;        ///< its save dialog's filter
    std::unique_ptr<IAnyPicture> (*create)();
};

const std::array<PageStyle, 3>& PageStyles();
const PageStyle& SpanStyle();
const PageStyle& TableStyle();
const PageStyle& DivStyle();
/// The style of that name, or nullptr.
const PageStyle* FindPageStyle(std::u16string_view name);

/// The page name proposed for a picture: its path with the extension replaced by the style's
/// (appended when it has none); empty when there is no picture.
std::u16string MakeOutputFileName(const std::u16string& sourceFileName,
                                  std::u16string_view extension);
