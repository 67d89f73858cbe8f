#pragma once

#include "IFileDialog.h"

#include <span>
#include <string_view>
#include <vector>

struct PageStyle;

/// How the window's save dialog offers a page style and where it remembers its folder.
struct PageFileType {
    std::string_view style;         ///< the style's name
    std::string_view rememberedKey; ///< key of its save folder under "OFN Paths"
    /// The name of its own file type in the dialog, marked for translation; nullptr for a style
    /// without one, which goes by its name.
    const char* label;
};

/// The file type of `style`, found by its name. A style without a button in the window has none
/// of its own: its name stands for both key and label.
PageFileType FileTypeOf(const PageStyle& style);

/// The save dialog's file types for `styles`: the own type of each style offered (its
/// extension), then "HTML файлы" and "Все файлы".
std::vector<FileType> SaveFileTypes(std::span<const PageStyle* const> styles);

/// The open dialog's file types: "Картинки" of every format the program reads, then "Все файлы".
std::vector<FileType> PictureFileTypes();
