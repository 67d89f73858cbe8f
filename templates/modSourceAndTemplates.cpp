#include "modSourceAndTemplates.h"

#include "support/CAppObject.h"
#include "support/CError.h"
#include "support/IErrorReporter.h"
#include "support/ITextFileReader.h"
#include "support/KorvaneSupport.h"
#include "writers/modCommon.h"

#include <limits>

std::u16string gSourceText;
std::int32_t gSourceTextLength = 0;
std::u16string gTemplateHead;
std::u16string gTemplateTail;

void PrepareSourceAndTemplates(const CAppObject& app, std::u16string& sourceText,
                               std::u16string& head, const std::u16string& /*tail*/) {
    ReplaceAll(sourceText, u" ", u"");
    ReplaceAll(sourceText, u"\r", u"");
    ReplaceAll(sourceText, u"\n", u"");
    const std::u16string generator =
        app.Title() + u" " + ksFormatVersion(app.Major(), app.Minor(), app.Revision());
    ReplaceAll(head, u"%GENERATOR%", generator);
}

bool LoadSourceAndTemplates(const CAppObject& app, ITextFileReader& reader,
                            IErrorReporter& reporter) {
    std::u16string currentPath;
    try {
        const struct {
            const char16_t* name;
            std::u16string* value;
        } files[] = {{u"source.text", &gSourceText},
                     {u"template.1.html", &gTemplateHead},
                     {u"template.2.html", &gTemplateTail}};
        for (const auto& file : files) {
            const std::u16string folder = app.Path();
            currentPath = ksBuildFileName(folder, file.name);
            *file.value = reader.ReadAll(currentPath);
        }
        PrepareSourceAndTemplates(app, gSourceText, gTemplateHead, gTemplateTail);
        if (gSourceText.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
            throw CError::Overflow();
        gSourceTextLength = static_cast<std::int32_t>(gSourceText.size());
        return true;
    } catch (...) {
        const CError pending = CError::FromCurrentException();
        reporter.ShowError(pending, IErrorReporter::kStopIcon, 0,
                           currentPath + u"\r\n\r\n" +
                               u"Не удалось загрузить файл шаблона. "
                               u"Продолжение невозможно.");
        return false;
    }
}
