#pragma once

#include "CPageWriter.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>

/// The page styles and what the window and the command line need of each.
struct PageStyle {
    std::u16string_view name;          ///< "span", "table", "div", "compact", "compact-mail", "web"
    std::u16string_view extension;     ///< default extension of its pages, with the dot
    std::u16string_view rememberedKey; ///< key of its save folder under "OFN Paths"
    std::u16string_view filter;        ///< its save dialog's filter
    std::unique_ptr<CPageWriter> (*create)();
};

/// The three classic styles, one piece of HTML per pixel: what "--style all" writes.
const std::array<PageStyle, 3>& PageStyles();
/// The classic styles, then the compact ones (a cell per rectangle of one colour, or the web page).
const std::array<const PageStyle*, 6>& AllPageStyles();
const PageStyle& SpanStyle();
const PageStyle& TableStyle();
const PageStyle& DivStyle();
/// The TABLE page with a cell per rectangle of one colour: ".compact.htm".
const PageStyle& CompactStyle();
/// The compact page for e-mail: attributes only, stacked tables: ".mail.htm".
const PageStyle& CompactMailStyle();
/// An element per row, its runs as hard stops of CSS gradients, which browsers draw fastest:
/// ".web.htm".
const PageStyle& WebStyle();
/// Whether pages of `style` are compact ones (CCompactPicture).
bool IsCompactStyle(const PageStyle& style);
/// The style of that name among all of them, or nullptr.
const PageStyle* FindPageStyle(std::u16string_view name);

/// The page name proposed for a picture: its path with the extension replaced by the style's
/// (appended when it has none); empty when there is no picture.
std::u16string MakeOutputFileName(const std::u16string& sourceFileName,
                                  std::u16string_view extension);
