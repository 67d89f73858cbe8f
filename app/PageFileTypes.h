#pragma once

#include <span>
#include <string>
#include <string_view>

struct PageStyle;

/// How the window's save dialog offers a page style and where it remembers its folder.
struct PageFileType {
    std::u16string_view style;         ///< the style's name
    std::u16string_view rememberedKey; ///< key of its save folder under "OFN Paths"
    std::u16string_view label;         ///< the name of its own file type in the dialog
};

/// The file type of `style`, found by its name. A style without a button in the window has none
/// of its own: its name stands for both key and label.
PageFileType FileTypeOf(const PageStyle& style);

/// The save dialog's filter for `styles` ("label|patterns|..."): the own file type of each style
/// offered (its extension), then "HTML файлы" and "Все файлы".
std::u16string SaveFilter(std::span<const PageStyle* const> styles);
