#include "OutputGuard.h"
#include "NativeText.h"

#include "Failure.h"
#include "Language.h"
#include "OutputFile.h"
#include "Utf8.h"

#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using FileId = std::pair<unsigned long long, unsigned long long>;

// The picture that stands for standard input.
constexpr std::string_view kStandardInput = "-";

// Only a file can be lost; a device or a pipe may take any number of pages, and a picture read
// from one is never a page's file.
std::optional<FileId> IdOf(const struct stat& info) {
    if (!S_ISREG(info.st_mode))
        return std::nullopt;
    return std::make_pair(static_cast<unsigned long long>(info.st_dev),
                          static_cast<unsigned long long>(info.st_ino));
}

// The file behind `path`, links followed; nothing when there is none (yet).
std::optional<FileId> IdOfName(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return IdOf(info);
}

std::optional<FileId> IdOfStream(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return std::nullopt;
    return IdOf(info);
}

std::optional<FileId> IdOfOutput(const std::string& output) {
    return output == OutputFile::kStandardOutput ? IdOfStream(STDOUT_FILENO) : IdOfName(output);
}

} // namespace

void OutputGuard::Protect(const std::string& path, Kind kind) {
    mProtected.emplace_back(path, kind);
}

void OutputGuard::Check(const std::string& output, const std::string& picture) const {
    const auto target = IdOfOutput(output);
    if (!target)
        return;
    const auto source = picture == kStandardInput ? IdOfStream(STDIN_FILENO) : IdOfName(picture);
    if (source == target)
        throw Failure(Failure::kOutputIsInput,
                      Tr(QT_TRANSLATE_NOOP("Tesselet", "Страница заменила бы свою же картинку %1"),
                         PathForDisplay(picture)));
    for (const auto& [file, kind] : mProtected) {
        if (IdOfName(file) != target)
            continue;
        throw Failure(
            Failure::kOutputIsInput,
            kind == Kind::kStartUpFile
                ? Tr(QT_TRANSLATE_NOOP("Tesselet", "Страница заменила бы стартовый файл %1"),
                     PathForDisplay(file))
                : Tr(QT_TRANSLATE_NOOP("Tesselet", "Страница заменила бы файл программы %1"),
                     PathForDisplay(file)));
    }
    if (const auto earlier = mWritten.find(*target); earlier != mWritten.end())
        throw Failure(
            Failure::kOutputTwice,
            Tr(QT_TRANSLATE_NOOP("Tesselet",
                                 "В этот файл в этом запуске уже записана страница картинки %1"),
               PathForDisplay(earlier->second)));
}

void OutputGuard::Written(const std::string& output, const std::string& picture) {
    if (const auto id = IdOfOutput(output))
        mWritten.emplace(*id, picture);
}
