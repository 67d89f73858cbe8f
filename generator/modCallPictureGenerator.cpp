#include "modCallPictureGenerator.h"

#include "CError.h"
#include "IAnyPicture.h"
#include "IErrorReporter.h"
#include "IGeneratorUi.h"
#include "IPictureSource.h"

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>

std::int32_t RoundToInt32(double value) {
    // nearbyint follows the current rounding mode, which is round-half-even unless changed.
    const int savedMode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(savedMode);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max()))
        throw CError::Overflow();
    return static_cast<std::int32_t>(rounded);
}

namespace {

void Increment(std::int32_t& counter) {
    if (counter == std::numeric_limits<std::int32_t>::max())
        throw CError::Overflow();
    ++counter;
}

} // namespace

bool GeneratePicture(IAnyPicture& writer, const std::u16string& FileName,
                     const IPictureSource& picture, IGeneratorUi& ui, IErrorReporter& reporter) {
    if (picture.ScaleMode() != IPictureSource::kPixels) {
        ui.MsgBox(u"Picture.ScaleMode != vbPixels", IGeneratorUi::kStopIcon);
        return false;
    }

    try {
        writer.Init();
    } catch (...) {
        reporter.ShowError(CError::FromCurrentException(), IErrorReporter::kStopIcon, 0,
                           u"Не удалось инициализировать кодек.");
        return false;
    }

    try {
        writer.OpenFile(FileName);
        const std::int32_t Width = RoundToInt32(picture.ScaleWidth());
        const std::int32_t Height = RoundToInt32(picture.ScaleHeight());
        writer.BeginPicture(Width, Height);

        const std::int32_t lastRow = RoundToInt32(picture.ScaleHeight() - 1.0f);
        if (lastRow >= 0) {
            for (std::int32_t Y = 0;; Increment(Y)) {
                writer.BeginNewLine(Y);
                const std::int32_t lastColumn = RoundToInt32(picture.ScaleWidth() - 1.0f);
                if (lastColumn >= 0) {
                    for (std::int32_t X = 0;; Increment(X)) {
                        writer.WritePixel(picture.Point(float(X), float(Y)), X, Y);
                        if (X == lastColumn)
                            break;
                    }
                }
                writer.EndNewLine(Y);
                if (Y == lastRow)
                    break;
            }
        }
        writer.EndPicture();
        writer.CloseFile();
        return true;
    } catch (...) {
        reporter.ShowError(CError::FromCurrentException(), IErrorReporter::kStopIcon, 0,
                           FileName + u"\r\n\r\n" + u"Не удалось сохранить файл.");
        writer.CloseFile();
        return false;
    }
}

bool CallPictureGenerator(IAnyPicture& writer, const std::u16string& FileName,
                          const IPictureSource& picture, IGeneratorUi& ui,
                          IErrorReporter& reporter) {
    ui.SetMousePointer(IGeneratorUi::kBusyPointer);
    ui.RepaintMainWindow();
    bool result = false;
    try {
        result = GeneratePicture(writer, FileName, picture, ui, reporter);
    } catch (...) {
        // Only a failure of the report itself or of the closing after it lands here; the pointer
        // must not stay busy because of it.
        ui.SetMousePointer(IGeneratorUi::kDefaultPointer);
        throw;
    }
    ui.SetMousePointer(IGeneratorUi::kDefaultPointer);
    return result;
}
