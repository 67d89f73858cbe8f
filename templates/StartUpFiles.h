#pragma once

#include "AppInfo.h"
#include "ColorsAndPaths.h"

#include <array>
#include <string>
#include <vector>

/// The start-up files in the program's folder, in the order they are read.
inline constexpr std::array<const char*, 3> kStartUpFileNames = {"source.text", "template.1.html",
                                                                 "template.2.html"};

/// Their full paths for `app`.
inline std::vector<std::string> StartUpFilePaths(const AppInfo& app) {
    std::vector<std::string> paths;
    paths.reserve(kStartUpFileNames.size());
    for (const char* name : kStartUpFileNames)
        paths.push_back(BuildFileName(app.Path(), name));
    return paths;
}
