#pragma once

#include "PageWriter.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>

/// The page styles: what makes their pages and what they can do. How the window offers them
/// (dialog file types, remembered keys) is the window's own business.
struct PageStyle {
    std::string_view name;      ///< "span", "table", "div", "compact", "compact-mail", "web"
    std::string_view extension; ///< default extension of its pages, with the dot
    /// A fresh writer of the style, framing its page with `templates` (which outlive it).
    std::unique_ptr<PageWriter> (*create)(const PageTemplates& templates);
    /// Its pages show transparency, partly transparent pixels over the settings' background;
    /// the pictures of the others are flattened over white first.
    bool keepsTransparency = false;
    /// Near colours may share a cell within the settings' tolerance; the writer then tells the
    /// largest difference it reached (PageWriter::LargestDeltaE).
    bool takesTolerance = false;
    /// Its page's body alone can go into another page (the converter's --fragment).
    bool writesFragment = false;
    /// Its page never shrinks as the picture widens (a piece per pixel), so the largest width
    /// that fits a byte budget is found by halving; otherwise every width is tried.
    bool sizeGrowsWithWidth = true;
};

/// The three classic styles, one piece of HTML per pixel: what "--style all" writes.
const std::array<PageStyle, 3>& PageStyles();
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
/// The style of that name among all of them, or nullptr.
const PageStyle* FindPageStyle(std::string_view name);

/// The page name proposed for a picture: its path with the extension replaced by the style's
/// (appended when it has none); empty when there is no picture.
std::string MakeOutputFileName(const std::string& sourceFileName, std::string_view extension);
