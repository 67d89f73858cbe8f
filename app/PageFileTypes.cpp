#include "PageFileTypes.h"

#include "Language.h"
#include "PageStyle.h"
#include "PictureFiles.h"

#include <QString>
#include <array>

namespace {

constexpr std::array<PageFileType, 6> kFileTypes = {{
    {"span", "SPAN Picture", QT_TRANSLATE_NOOP("Tesselet", "SPAN картинки")},
    {"table", "TABLE Picture", QT_TRANSLATE_NOOP("Tesselet", "TABLE картинки")},
    {"div", "DIV Picture", QT_TRANSLATE_NOOP("Tesselet", "DIV картинки")},
    {"compact", "COMPACT Picture", QT_TRANSLATE_NOOP("Tesselet", "Сжатые TABLE картинки")},
    {"compact-mail", "MAIL Picture", QT_TRANSLATE_NOOP("Tesselet", "TABLE картинки для писем")},
    {"web", "WEB Picture", QT_TRANSLATE_NOOP("Tesselet", "Быстрые веб-картинки")},
}};

constexpr const char* kPictures = QT_TRANSLATE_NOOP("Tesselet", "Картинки");
constexpr const char* kHtmlFiles = QT_TRANSLATE_NOOP("Tesselet", "HTML файлы");
constexpr const char* kAllFiles = QT_TRANSLATE_NOOP("Tesselet", "Все файлы");

FileType AllFiles() {
    return {Tr(kAllFiles), {QStringLiteral("*")}};
}

} // namespace

PageFileType FileTypeOf(const PageStyle& style) {
    for (const PageFileType& type : kFileTypes)
        if (type.style == style.name)
            return type;
    return {style.name, style.name, nullptr};
}

std::vector<FileType> SaveFileTypes(std::span<const PageStyle* const> styles) {
    std::vector<FileType> types;
    for (const PageStyle* style : styles) {
        const char* label = FileTypeOf(*style).label;
        types.push_back({label != nullptr ? Tr(label) : QString::fromLatin1(style->name),
                         {QStringLiteral("*") + QString::fromLatin1(style->extension)}});
    }
    types.push_back({Tr(kHtmlFiles), {QStringLiteral("*.HTM"), QStringLiteral("*.HTML")}});
    types.push_back(AllFiles());
    return types;
}

std::vector<FileType> PictureFileTypes() {
    return {{Tr(kPictures), PictureFilePatterns()}, AllFiles()};
}
