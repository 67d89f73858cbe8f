#pragma once

#include <optional>
#include <string>

class AppInfo;
class IMessageBox;

/// The prepared templates and source text every page is written with: made once at start-up and
/// handed to whoever writes a page, which reads it and never changes it.
///
/// Plain UTF-16 code units rather than QString, as the rest of the page stream (Utf8.h): the SPAN
/// writer takes a character of the source text for every pixel and the writers encode straight
/// into the output buffer, so a read is a pointer and an index, with no implicit sharing to check
/// (bench: `tesselet-bench --benchmark_filter=span` times that walk).
struct PageTemplates {
    std::u16string head;       ///< "template.1.html", its "%GENERATOR%" filled
    std::u16string tail;       ///< "template.2.html"
    std::u16string sourceText; ///< "source.text" without spaces and line breaks
};

/// Reads "source.text", "template.1.html" and "template.2.html" from the program's folder and
/// prepares them. On failure reports it (path, blank line, sentence) and returns nothing.
std::optional<PageTemplates> LoadSourceAndTemplates(const AppInfo& app, IMessageBox& messages);

/// Removes spaces and line breaks from the source text and fills "%GENERATOR%" in the head.
void PrepareSourceAndTemplates(const AppInfo& app, std::u16string& sourceText,
                               std::u16string& head);
