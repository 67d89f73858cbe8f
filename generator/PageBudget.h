#pragma once

#include <QImage>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class PageWriter;
class IMessageBox;

/// Makes a fresh writer for one page, set up as the page is to be written.
using PageWriterMaker = std::function<std::unique_ptr<PageWriter>()>;

/// The bytes of the page that `make`'s writer writes for `picture`: counted as the walk makes
/// them, never kept or written. Empty when the walk failed; `messages` was told why.
std::optional<std::uint64_t> MeasurePage(const PageWriterMaker& make, const QImage& picture,
                                         IMessageBox& messages);

/// The top `rows` rows (all of them when there are fewer) of the picture scaled to `width` pixels,
/// as the page at that width is made of: the same rows as those of the whole picture at that
/// width. What it throws (Failure) leaves FitPageToBudget to the caller.
using PictureAtWidth = std::function<QImage(int width, int rows)>;

/// What fitting a page into a budget found.
struct PageFit {
    QImage picture;          ///< the picture at the largest width whose page fits; null if none
    std::uint64_t bytes = 0; ///< that page's bytes; when none fits, the 1 pixel wide page's
};

/// The largest width, from 1 to `fullWidth`, at which the page of `pictureAt(width, all)` fits
/// into `budget` bytes: no wider page fits. A page that `growsWithWidth` (a piece per pixel) is
/// found by halving. Another (a compact page) may shrink as the picture grows, so every width
/// from the widest down is tried until one fits; a width is passed over as soon as the page of
/// the picture's top rows alone (which is never larger than the whole page's) is over the
/// budget. Empty when a walk failed (`messages` was told).
std::optional<PageFit> FitPageToBudget(const PageWriterMaker& make, bool growsWithWidth,
                                       int fullWidth, const PictureAtWidth& pictureAt,
                                       std::uint64_t budget, IMessageBox& messages);
