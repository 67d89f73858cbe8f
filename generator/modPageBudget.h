#pragma once

#include <QImage>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class CPageWriter;
class IMessageBox;

/// Makes a fresh writer for one page, set up as the page is to be written.
using PageWriterMaker = std::function<std::unique_ptr<CPageWriter>()>;

/// The bytes of the page that `make`'s writer writes for `picture`: counted as the walk makes
/// them, never kept or written. Empty when the walk failed; `messages` was told why.
std::optional<std::uint64_t> MeasurePage(const PageWriterMaker& make, const QImage& picture,
                                         IMessageBox& messages);

/// `picture` at `width` pixels, its height keeping the aspect ratio (rounded half up, at least
/// 1), by Qt's smooth scaling; RGB32 stays RGB32 and ARGB32 stays ARGB32.
QImage ScaleToWidth(const QImage& picture, int width);

/// What fitting a page into a budget found.
struct PageFit {
    QImage picture;          ///< the picture at the largest width whose page fits; null if none
    std::uint64_t bytes = 0; ///< that page's bytes; when none fits, the 1 pixel wide page's
};

/// The largest width, up to the picture's own, at which the page fits into `budget` bytes: the
/// page at that width fits and the page one pixel wider does not (found by bisection). Empty when
/// a walk failed (`messages` was told).
std::optional<PageFit> FitPageToBudget(const PageWriterMaker& make, const QImage& picture,
                                       std::uint64_t budget, IMessageBox& messages);
