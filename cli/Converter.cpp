#include "Converter.h"
#include "FileMessages.h"
#include "NativeText.h"

#include "CallPictureGenerator.h"
#include "ColorsAndPaths.h"
#include "ConsoleReporter.h"
#include "Failure.h"
#include "Language.h"
#include "OutputFile.h"
#include "PageBudget.h"
#include "PictureFiles.h"
#include "ProgressWriter.h"
#include "StandardStreams.h"
#include "Utf8.h"

#include <algorithm>

#include <unistd.h>

namespace {

std::string FileNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

Converter::Converter(const CliOptions& options, const PageTemplates& templates,
                     ConsoleReporter& reporter, std::FILE* info,
                     const std::vector<std::string>& startUpFiles,
                     const std::vector<std::string>& programFiles)
    : mOptions(options), mTemplates(templates), mReporter(reporter), mInfo(info) {
    for (const auto& file : startUpFiles)
        mGuard.Protect(file);
    for (const auto& file : programFiles)
        mGuard.Protect(file, OutputGuard::Kind::kProgramFile);
}

std::string Converter::OutputPath(const std::string& picture, const PageStyle& style) const {
    if (!mOptions.output.empty())
        return mOptions.output;
    // A picture from standard input has no name of its own to put the page beside.
    std::string beside = picture == kStandardInput ? "stdin" + std::string(style.extension)
                                                   : MakeOutputFileName(picture, style.extension);
    if (mOptions.outDir.empty())
        return beside;
    return BuildFileName(mOptions.outDir, FileNameOf(beside));
}

QImage Converter::Load(const std::string& picture) const {
    const PictureScale scale{mOptions.width, mOptions.height};
    // The compact pages show transparency; the classic ones get the picture over white.
    const bool keep = std::any_of(mOptions.styles.begin(), mOptions.styles.end(),
                                  [](const PageStyle* style) { return style->keepsTransparency; });
    const PictureAlpha alpha = keep ? PictureAlpha::kKeep : PictureAlpha::kFlatten;
    if (picture == kStandardInput) {
        // Closed, it holds no picture; and nothing else is read in its place.
        StandardStreams::ExpectOpen(STDIN_FILENO);
        return LoadPictureStream(STDIN_FILENO, scale, alpha);
    }
    return LoadPictureFile(picture, scale, alpha);
}

std::unique_ptr<PageWriter> Converter::MakeWriter(const PageStyle& style) const {
    std::unique_ptr<PageWriter> writer = style.create(mTemplates);
    writer->SetSettings({std::max(mOptions.tolerance, 0.0), mOptions.background});
    if (mOptions.fragment)
        writer->SetBodyOnly();
    return writer;
}

void Converter::Note(const QString& text) const {
    if (mOptions.quiet)
        return;
    mReporter.Console().EndLine();
    // The name in it as the bytes it is, as a failure's report shows it.
    const std::string bytes = NativeFromDisplay(text) + '\n';
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
}

bool Converter::Write(const std::string& picture, const PageStyle& style, const QImage& loaded) {
    const std::string path = OutputPath(picture, style);
    bool toStandardOutput = false;
    try {
        mGuard.Check(path, picture);
        toStandardOutput = OutputFile::StandardStream(path) == STDOUT_FILENO;
    } catch (const Failure& refused) {
        mReporter.ShowError(refused, FileMessage(path, Tr(kSaveFailed)));
        return false;
    }
    QImage image = style.keepsTransparency ? loaded : FlattenOverWhite(loaded);
    const QString name = PathForDisplay(FileNameOf(path));
    if (mOptions.maxBytes > 0) {
        // The page at each width is made as --width makes it, so that the page written is the
        // page --width would write at the width chosen.
        std::optional<PageFit> fit;
        try {
            fit = FitPageToBudget([this, &style] { return MakeWriter(style); },
                                  style.sizeGrowsWithWidth, image.width(),
                                  [&image](int width, int rows) {
                                      return ScalePicture(image, {width, 0}, rows);
                                  },
                                  mOptions.maxBytes, mReporter);
        } catch (...) {
            mReporter.ShowError(Failure::FromCurrentException(),
                                FileMessage(path, Tr(kSaveFailed)));
            return false;
        }
        if (!fit)
            return false;
        if (fit->picture.isNull()) {
            const QString sentence =
                Tr(QT_TRANSLATE_NOOP("Tesselet", "Страница не умещается в %1 байт даже шириной в "
                                                 "1 пиксель: ей нужно %2 байт."))
                    .arg(mOptions.maxBytes)
                    .arg(fit->bytes);
            mReporter.ShowFailure(FileMessage(path, sentence));
            return false;
        }
        image = fit->picture;
        Note(Tr(QT_TRANSLATE_NOOP("Tesselet", "%1: %2 x %3 пикселей, %4 байт — самая большая "
                                              "ширина, при которой страница не больше %5 байт"))
                 .arg(name)
                 .arg(image.width())
                 .arg(image.height())
                 .arg(fit->bytes)
                 .arg(mOptions.maxBytes));
    }
    const auto writer = MakeWriter(style);
    bool written;
    if (!mOptions.quiet && ::isatty(fileno(stderr)) == 1) {
        ProgressWriter progress(*writer, FileNameOf(path), mReporter.Console());
        written = CallPictureGenerator(progress, path, image, mReporter, mReporter);
    } else {
        written = CallPictureGenerator(*writer, path, image, mReporter, mReporter);
    }
    if (!written)
        return false;
    if (const std::optional<double> deltaE = writer->LargestDeltaE();
        deltaE && mOptions.tolerance >= 0)
        Note(Tr(QT_TRANSLATE_NOOP("Tesselet", "%1: наибольшее отличие цвета ΔE = %2"))
                 .arg(name, QString::number(*deltaE, 'f', 2)));
    mGuard.Written(path, picture);
    // A page on standard output is not followed there by its name.
    if (!mOptions.quiet && mInfo != nullptr && !toStandardOutput) {
        std::fwrite(path.data(), 1, path.size(), mInfo);
        std::fputc('\n', mInfo);
    }
    return true;
}

bool Converter::Convert(const std::string& picture) {
    QImage image;
    try {
        image = Load(picture);
    } catch (...) {
        const Failure pending = Failure::FromCurrentException();
        mReporter.ShowError(pending, FileMessage(picture, LoadFailedSentence(pending)));
        return false;
    }
    bool allWritten = true;
    for (const PageStyle* style : mOptions.styles)
        allWritten = Write(picture, *style, image) && allWritten;
    return allWritten;
}

int Converter::Run() {
    bool allWritten = true;
    for (const auto& picture : mOptions.pictures)
        allWritten = Convert(picture) && allWritten;
    return allWritten ? 0 : 1;
}
