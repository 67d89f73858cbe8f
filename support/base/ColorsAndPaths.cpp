#include "ColorsAndPaths.h"

std::string BuildFileName(const std::string& folder, std::string_view name) {
    if (folder.empty())
        return std::string(name);
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (path.back() != '/')
        path.push_back('/');
    path.append(name);
    return path;
}

QString FormatVersion(std::int32_t major, std::int32_t minor, std::int32_t revision) {
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

std::string GetFilePath(std::string_view path) {
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return {};
    if (slash == 0)
        return "/";
    return std::string(path.substr(0, slash));
}

std::string GetFileExtension(std::string_view path) {
    const auto slash = path.rfind('/');
    const auto name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return {};
    return std::string(name.substr(dot + 1));
}
