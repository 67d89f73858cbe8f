#include "CallPictureGenerator.h"

#include "Failure.h"
#include "FileMessages.h"
#include "IAnyPicture.h"
#include "IGeneratorUi.h"
#include "IMessageBox.h"

#include <QImage>
#include <QRgb>
#include <cstdint>
#include <type_traits>

// A pixel goes to the writer in the layout of its scan line.
static_assert(std::is_same_v<PixelColor, QRgb>);

bool GeneratePicture(IAnyPicture& writer, const std::string& fileName, const QImage& picture,
                     IMessageBox& messages, IGeneratorUi* rows) {
    // The walk reads every scan line as one QRgb a pixel; a picture laid out any other way would
    // be read as noise, so it is refused before anything is written. An empty picture has no scan
    // line to misread and makes an empty page.
    const bool withAlpha = picture.format() == QImage::Format_ARGB32;
    if (!picture.isNull() && picture.format() != QImage::Format_RGB32 && !withAlpha) {
        messages.ShowFailure(kNotPixels);
        return false;
    }

    try {
        writer.Init();
    } catch (...) {
        messages.ShowError(Failure::FromCurrentException(), Tr(kWriterInitFailed));
        return false;
    }

    try {
        writer.OpenFile(fileName);
        // Each index stays below its side, an int itself, so counting it up cannot overflow.
        const std::int32_t width = picture.width();
        const std::int32_t height = picture.height();
        writer.BeginPicture(width, height);
        for (std::int32_t y = 0; y < height; ++y) {
            writer.BeginNewLine(y);
            // constScanLine reads the shared pixels in place; nothing is copied.
            const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            // Qt takes an RGB32 pixel as opaque whatever its top byte holds, and some of its
            // readers leave that byte 0; the writer is given the colour as QImage::pixel() gives
            // it. An ARGB32 pixel keeps its alpha, for the writers that show transparency.
            const PixelColor opaque = withAlpha ? 0u : 0xFF000000u;
            for (std::int32_t x = 0; x < width; ++x)
                writer.WritePixel(line[x] | opaque, x, y);
            writer.EndNewLine(y);
            if (rows != nullptr && !rows->RowWritten(y + 1, height)) {
                // Closed without its tail, the page is discarded.
                writer.CloseFile();
                return false;
            }
        }
        writer.EndPicture();
        writer.CloseFile();
        return true;
    } catch (...) {
        messages.ShowError(Failure::FromCurrentException(), FileMessage(fileName, Tr(kSaveFailed)));
        writer.CloseFile();
        return false;
    }
}

bool CallPictureGenerator(IAnyPicture& writer, const std::string& fileName, const QImage& picture,
                          IGeneratorUi& ui, IMessageBox& messages) {
    return GeneratePicture(writer, fileName, picture, messages, &ui);
}
