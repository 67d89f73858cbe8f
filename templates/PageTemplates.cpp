#include "PageTemplates.h"
#include "FileMessages.h"
#include "TextReplace.h"

#include "StartUpFiles.h"

#include "AppInfo.h"
#include "ColorsAndPaths.h"
#include "Failure.h"
#include "IMessageBox.h"
#include "TextFileReader.h"

#include <string>
#include <vector>

void PrepareSourceAndTemplates(const AppInfo& app, std::u16string& sourceText,
                               std::u16string& head) {
    // All three go in one pass: removing them one at a time moved the rest of the text at each,
    // which made a source text full of blanks cost seconds before every page.
    std::erase_if(sourceText,
                  [](char16_t unit) { return unit == u' ' || unit == u'\r' || unit == u'\n'; });
    const std::u16string generator =
        (app.Title() + u' ' + FormatVersion(AppInfo::kMajor, AppInfo::kMinor, AppInfo::kRevision))
            .toStdU16String();
    ReplaceAll(head, u"%GENERATOR%", generator);
}

std::optional<PageTemplates> LoadSourceAndTemplates(const AppInfo& app, IMessageBox& messages) {
    std::string currentPath;
    try {
        PageTemplates templates;
        // In the order of kStartUpFileNames.
        std::u16string* const values[] = {&templates.sourceText, &templates.head, &templates.tail};
        static_assert(std::size(values) == kStartUpFileNames.size());
        const std::vector<std::string> paths = StartUpFilePaths(app);
        for (std::size_t i = 0; i < paths.size(); ++i) {
            currentPath = paths[i];
            *values[i] = TextFileReader::ReadAll(currentPath);
        }
        PrepareSourceAndTemplates(app, templates.sourceText, templates.head);
        return templates;
    } catch (...) {
        const Failure pending = Failure::FromCurrentException();
        messages.ShowError(pending, FileMessage(currentPath, Tr(kTemplateFailed)));
        return std::nullopt;
    }
}
