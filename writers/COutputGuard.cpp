#include "COutputGuard.h"
#include "modNativeText.h"

#include "CError.h"
#include "modLanguage.h"
#include "modUTF8.h"

#include <optional>
#include <sys/stat.h>

namespace {

// The file behind `path`, links followed; nothing when there is none (yet).
std::optional<std::pair<unsigned long long, unsigned long long>> IdOf(const std::u16string& path,
                                                                      bool regularOnly = false) {
    struct stat info {};
    if (::stat(NativeFromPath(path).c_str(), &info) != 0)
        return std::nullopt;
    if (regularOnly && !S_ISREG(info.st_mode))
        return std::nullopt;
    return std::make_pair(static_cast<unsigned long long>(info.st_dev),
                          static_cast<unsigned long long>(info.st_ino));
}

} // namespace

void COutputGuard::Protect(const std::u16string& path) {
    mProtected.push_back(path);
}

void COutputGuard::Check(const std::u16string& output, const std::u16string& picture) const {
    // Only a file can be lost; a device or a pipe may take any number of pages.
    const auto target = IdOf(output, true);
    if (!target)
        return;
    if (IdOf(picture) == target)
        throw CError(
            CError::kOutputIsInput,
            Tr(QT_TRANSLATE_NOOP("Tesselet", "Страница заменила бы свою же картинку %1"), picture));
    for (const std::u16string& file : mProtected)
        if (IdOf(file) == target)
            throw CError(
                CError::kOutputIsInput,
                Tr(QT_TRANSLATE_NOOP("Tesselet", "Страница заменила бы стартовый файл %1"), file));
    if (const auto earlier = mWritten.find(*target); earlier != mWritten.end())
        throw CError(
            CError::kOutputTwice,
            Tr(QT_TRANSLATE_NOOP("Tesselet",
                                 "В этот файл в этом запуске уже записана страница картинки %1"),
               earlier->second));
}

void COutputGuard::Written(const std::u16string& output, const std::u16string& picture) {
    if (const auto id = IdOf(output, true))
        mWritten.emplace(*id, picture);
}
