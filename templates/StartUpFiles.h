#pragma once

#include "AppInfo.h"
#include "ColorsAndPaths.h"

#include <array>
#include <string>
#include <vector>

/// The start-up files in the program's folder, in the order they are read.
inline constexpr std::array<const char16_t*, 3> kStartUpFileNames = {
    u"source.text", u"template.1.html", u"template.2.html"};

/// Their full paths for `app`.
inline std::vector<std::u16string> StartUpFilePaths(const AppInfo& app) {
    std::vector<std::u16string> paths;
    paths.reserve(kStartUpFileNames.size());
    for (const char16_t* name : kStartUpFileNames)
        paths.push_back(BuildFileName(app.Path(), name));
    return paths;
}
