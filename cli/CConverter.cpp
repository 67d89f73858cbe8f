#include "CConverter.h"

#include "CConsoleReporter.h"
#include "CProgressWriter.h"
#include "generator/modCallPictureGenerator.h"
#include "support/CImagePictureSource.h"
#include "support/KorvaneSupport.h"
#include "support/modPictureFiles.h"
#include "writers/modUTF8.h"

#include <unistd.h>

namespace {

std::string Native(const std::u16string& text) {
    const auto bytes = StringToUTF8(text);
    return std::string(bytes.begin(), bytes.end());
}

std::u16string FileNameOf(const std::u16string& path) {
    const auto slash = path.rfind(u'/');
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

} // namespace

CConverter::CConverter(const CliOptions& options, CConsoleReporter& reporter, std::FILE* info)
    : mOptions(options), mReporter(reporter), mInfo(info) {}

std::u16string CConverter::OutputPath(const std::u16string& picture, const PageStyle& style) const {
    if (!mOptions.output.empty())
        return mOptions.output == u"-" ? u"/dev/stdout" : mOptions.output;
    const std::u16string beside = MakeOutputFileName(picture, style.extension);
    if (mOptions.outDir.empty())
        return beside;
    return ksBuildFileName(mOptions.outDir, FileNameOf(beside));
}

QImage CConverter::Scaled(QImage image) const {
    if (mOptions.width > 0 && mOptions.height > 0)
        return image.scaled(mOptions.width, mOptions.height, Qt::IgnoreAspectRatio,
                            Qt::SmoothTransformation);
    if (mOptions.width > 0)
        return image.scaledToWidth(mOptions.width, Qt::SmoothTransformation);
    if (mOptions.height > 0)
        return image.scaledToHeight(mOptions.height, Qt::SmoothTransformation);
    return image;
}

bool CConverter::Convert(const std::u16string& picture) {
    QImage image;
    try {
        image = Scaled(LoadPictureFile(picture));
    } catch (...) {
        mReporter.ShowError(CError::FromCurrentException(), IErrorReporter::kStopIcon, 0,
                            picture + u"\r\n\r\n" +
                                u"Не удалось загрузить файл. Формат не поддерживается, либо это "
                                u"не картинка.");
        return false;
    }
    const CImagePictureSource source(std::move(image));
    const bool terminal = !mOptions.quiet && ::isatty(fileno(stderr)) == 1;

    bool allWritten = true;
    for (const PageStyle* style : mOptions.styles) {
        const std::u16string path = OutputPath(picture, *style);
        const auto writer = style->create();
        bool written;
        if (terminal) {
            CProgressWriter progress(*writer, Native(FileNameOf(path)), stderr);
            written = CallPictureGenerator(progress, path, source, mReporter, mReporter);
        } else {
            written = CallPictureGenerator(*writer, path, source, mReporter, mReporter);
        }
        allWritten = allWritten && written;
        if (written && !mOptions.quiet && mInfo != nullptr && mOptions.output != u"-")
            std::fprintf(mInfo, "%s\n", Native(path).c_str());
    }
    return allWritten;
}

int CConverter::Run() {
    bool allWritten = true;
    for (const auto& picture : mOptions.pictures)
        allWritten = Convert(picture) && allWritten;
    return allWritten ? 0 : 1;
}
