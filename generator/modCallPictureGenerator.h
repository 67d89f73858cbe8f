#pragma once

#include <string>

class IAnyPicture;
class IGeneratorUi;
class IMessageBox;
class QImage;

/// Writes one page: shows the busy pointer, repaints the window once and walks the picture.
/// Returns true only when the page was written to the end and its file closed; every failure has
/// been reported by then.
bool CallPictureGenerator(IAnyPicture& writer, const std::u16string& FileName,
                          const QImage& picture, IGeneratorUi& ui, IMessageBox& messages);

/// The walk itself: every pixel, row by row, through the writer contract. The picture is opaque
/// RGB32, as LoadPictureFile gives it; any other format is refused before the writer is touched.
bool GeneratePicture(IAnyPicture& writer, const std::u16string& FileName, const QImage& picture,
                     IMessageBox& messages);
