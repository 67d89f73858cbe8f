#pragma once

#include "TesseletVersion.h"

#include <cstdint>
#include <string>

/// What the program says of itself: its title, its version numbers and the folder that holds its
/// start-up files.
class AppInfo {
public:
    static constexpr std::int32_t kMajor = TESSELET_VERSION_MAJOR;
    static constexpr std::int32_t kMinor = TESSELET_VERSION_MINOR;
    static constexpr std::int32_t kRevision = TESSELET_VERSION_PATCH;

    explicit AppInfo(std::u16string folder) : mFolder(std::move(folder)) {}

    std::u16string Title() const { return u"Korvane - Tesselet"; }
    std::u16string Path() const { return mFolder; }

private:
    std::u16string mFolder;
};
