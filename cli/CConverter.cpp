#include "CConverter.h"
#include "modMessages.h"
#include "modNativeText.h"

#include "CConsoleReporter.h"
#include "CError.h"
#include "COutputFile.h"
#include "CProgressWriter.h"
#include "KorvaneSupport.h"
#include "modCallPictureGenerator.h"
#include "modPictureFiles.h"
#include "modUTF8.h"

#include <unistd.h>

namespace {

std::u16string FileNameOf(const std::u16string& path) {
    const auto slash = path.rfind(u'/');
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

// The window always says the format may be at fault; here the sentence says so only when no
// reader could make sense of the file, and the error line beneath tells every other cause.
std::u16string LoadFailedSentence(const CError& error) {
    if (error.Number() == CError::kInvalidPicture)
        return Tr(kLoadFailed);
    return Tr(kLoadFailedUnreadable);
}

} // namespace

CConverter::CConverter(const CliOptions& options, CConsoleReporter& reporter, std::FILE* info,
                       const std::vector<std::u16string>& startUpFiles)
    : mOptions(options), mReporter(reporter), mInfo(info) {
    for (const auto& file : startUpFiles)
        mGuard.Protect(file);
}

std::u16string CConverter::OutputPath(const std::u16string& picture, const PageStyle& style) const {
    if (!mOptions.output.empty())
        return mOptions.output;
    // A picture from standard input has no name of its own to put the page beside.
    std::u16string beside = picture == kStandardInput
                                ? u"stdin" + std::u16string(style.extension)
                                : MakeOutputFileName(picture, style.extension);
    if (mOptions.outDir.empty())
        return beside;
    return ksBuildFileName(mOptions.outDir, FileNameOf(beside));
}

QImage CConverter::Load(const std::u16string& picture) const {
    const PictureScale scale{mOptions.width, mOptions.height};
    if (picture == kStandardInput)
        return LoadPictureStream(STDIN_FILENO, scale);
    return LoadPictureFile(picture, scale);
}

bool CConverter::Write(const std::u16string& picture, const PageStyle& style, const QImage& image) {
    const std::u16string path = OutputPath(picture, style);
    try {
        mGuard.Check(path, picture);
    } catch (const CError& refused) {
        mReporter.ShowError(refused, FileMessage(path, Tr(kSaveFailed)));
        return false;
    }
    const auto writer = style.create();
    bool written;
    if (!mOptions.quiet && ::isatty(fileno(stderr)) == 1) {
        CProgressWriter progress(*writer, NativeFromPath(FileNameOf(path)), stderr);
        written = CallPictureGenerator(progress, path, image, mReporter, mReporter);
    } else {
        written = CallPictureGenerator(*writer, path, image, mReporter, mReporter);
    }
    if (!written)
        return false;
    mGuard.Written(path, picture);
    if (!mOptions.quiet && mInfo != nullptr && path != COutputFile::kStandardOutput) {
        const std::string native = NativeFromPath(path);
        std::fwrite(native.data(), 1, native.size(), mInfo);
        std::fputc('\n', mInfo);
    }
    return true;
}

bool CConverter::Convert(const std::u16string& picture) {
    QImage image;
    try {
        image = Load(picture);
    } catch (...) {
        const CError pending = CError::FromCurrentException();
        mReporter.ShowError(pending, FileMessage(picture, LoadFailedSentence(pending)));
        return false;
    }
    bool allWritten = true;
    for (const PageStyle* style : mOptions.styles)
        allWritten = Write(picture, *style, image) && allWritten;
    return allWritten;
}

int CConverter::Run() {
    bool allWritten = true;
    for (const auto& picture : mOptions.pictures)
        allWritten = Convert(picture) && allWritten;
    return allWritten ? 0 : 1;
}
