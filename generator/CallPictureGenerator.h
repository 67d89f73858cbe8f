#pragma once

#include <string>

class IAnyPicture;
class IGeneratorUi;
class IMessageBox;
class QImage;

/// Writes one page: walks the picture, telling `ui` of every row (see IGeneratorUi::RowWritten).
/// Returns true only when the page was written to the end and its file closed; every failure has
/// been reported by then.
bool CallPictureGenerator(IAnyPicture& writer, const std::string& fileName, const QImage& picture,
                          IGeneratorUi& ui, IMessageBox& messages);

/// The walk itself: every pixel, row by row, through the writer contract. The picture is opaque
/// RGB32, as LoadPictureFile gives it, or ARGB32 (not premultiplied), whose alpha is passed on;
/// any other format is refused before the writer is touched.
/// `rows`, when given, hears of every row and may stop the walk between rows (then false, and
/// nothing reported).
bool GeneratePicture(IAnyPicture& writer, const std::string& fileName, const QImage& picture,
                     IMessageBox& messages, IGeneratorUi* rows = nullptr);
