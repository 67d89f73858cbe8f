#pragma once

#include "TesseletVersion.h"

#include <QString>
#include <cstdint>
#include <string>

/// What the program says of itself: its title, its version numbers and the folder that holds its
/// start-up files.
class AppInfo {
public:
    static constexpr std::int32_t kMajor = TESSELET_VERSION_MAJOR;
    static constexpr std::int32_t kMinor = TESSELET_VERSION_MINOR;
    static constexpr std::int32_t kRevision = TESSELET_VERSION_PATCH;

    explicit AppInfo(std::string folder) : mFolder(std::move(folder)) {}

    QString Title() const { return QStringLiteral("Korvane - Tesselet"); }
    const std::string& Path() const { return mFolder; }

private:
    std::string mFolder;
};
