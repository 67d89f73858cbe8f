#pragma once

#include <functional>
#include <string>

class IAnyPicture;
class IGeneratorUi;
class IMessageBox;
class QImage;

/// Runs the walk it is given, perhaps on another thread, and returns once the walk has ended.
using WalkRunner = std::function<void(const std::function<void()>& walk)>;

/// Writes one page: repaints the window once and walks the picture, telling `ui` of every row (see
/// IGeneratorUi::RowWritten). The walk runs right here, or in `runWalk` when one is given; the
/// repaint stays on the caller's thread. Returns
/// true only when the page was written to the end and its file closed; every failure has been
/// reported by then.
bool CallPictureGenerator(IAnyPicture& writer, const std::string& fileName, const QImage& picture,
                          IGeneratorUi& ui, IMessageBox& messages, const WalkRunner& runWalk = {});

/// The walk itself: every pixel, row by row, through the writer contract. The picture is opaque
/// RGB32, as LoadPictureFile gives it, or ARGB32 (not premultiplied), whose alpha is passed on;
/// any other format is refused before the writer is touched.
/// `rows`, when given, hears of every row and may stop the walk between rows (then false, and
/// nothing reported).
bool GeneratePicture(IAnyPicture& writer, const std::string& fileName, const QImage& picture,
                     IMessageBox& messages, IGeneratorUi* rows = nullptr);
