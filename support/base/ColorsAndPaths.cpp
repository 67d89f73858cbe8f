#include "ColorsAndPaths.h"

#include "Failure.h"
#include "Language.h"

std::u16string BuildFileName(const std::u16string& folder, const std::u16string& name) {
    if (folder.empty())
        return name;
    std::u16string path = folder;
    while (path.size() > 1 && path.back() == u'/')
        path.pop_back();
    std::size_t start = 0;
    while (start < name.size() && name[start] == u'/')
        ++start;
    if (path.back() != u'/')
        path.push_back(u'/');
    path.append(name, start);
    return path;
}

QString FormatVersion(std::int32_t major, std::int32_t minor, std::int32_t revision) {
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

std::u16string GetFilePath(std::u16string_view path) {
    const auto slash = path.rfind(u'/');
    if (slash == std::u16string_view::npos)
        return {};
    if (slash == 0)
        return u"/";
    return std::u16string(path.substr(0, slash));
}

std::u16string GetFileExtension(std::u16string_view path) {
    const auto slash = path.rfind(u'/');
    const auto name = slash == std::u16string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind(u'.');
    if (dot == std::u16string_view::npos || dot == 0)
        return {};
    return std::u16string(name.substr(dot + 1));
}

std::u16string CutRight(std::u16string_view text, std::int32_t count) {
    if (count < 0)
        throw Failure(
            Failure::kInvalidCall,
            Tr(QT_TRANSLATE_NOOP("Tesselet", "Недопустимый вызов процедуры или аргумент")));
    const auto drop = static_cast<std::size_t>(count);
    if (drop >= text.size())
        return {};
    return std::u16string(text.substr(0, text.size() - drop));
}
