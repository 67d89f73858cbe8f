#pragma once

#include <cstdint>
#include <string>

class CAppObject;
class IMessageBox;

/// The prepared templates and source text: empty until LoadSourceAndTemplates fills them at
/// start-up, read-only afterwards.
extern std::u16string gSourceText;
extern std::int32_t gSourceTextLength;
extern std::u16string gTemplateHead;
extern std::u16string gTemplateTail;

/// Reads "source.text", "template.1.html" and "template.2.html" from the program's folder and
/// prepares them. On failure reports it (path, blank line, sentence) and returns false.
bool LoadSourceAndTemplates(const CAppObject& app, IMessageBox& messages);

/// Removes spaces and line breaks from the source text and fills "%GENERATOR%" in the head.
void PrepareSourceAndTemplates(const CAppObject& app, std::u16string& sourceText,
                               std::u16string& head);
