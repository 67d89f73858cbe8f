#include "PageBudget.h"

#include "CallPictureGenerator.h"
#include "PageWriter.h"

#include <algorithm>
#include <limits>

std::optional<std::uint64_t> MeasurePage(const PageWriterMaker& make, const QImage& picture,
                                         IMessageBox& messages) {
    const std::unique_ptr<PageWriter> writer = make();
    writer->OpenCounter();
    if (!GeneratePicture(*writer, {}, picture, messages))
        return std::nullopt;
    return writer->BodySize();
}

namespace {
constexpr int kAllRows = std::numeric_limits<int>::max();
} // namespace

std::optional<PageFit> FitPageToBudget(const PageWriterMaker& make, bool growsWithWidth,
                                       int fullWidth, const PictureAtWidth& pictureAt,
                                       std::uint64_t budget, IMessageBox& messages) {
    const auto measure = [&](int width, int rows = kAllRows) -> std::optional<PageFit> {
        PageFit fit;
        fit.picture = pictureAt(width, rows);
        const auto bytes = MeasurePage(make, fit.picture, messages);
        if (!bytes)
            return std::nullopt;
        fit.bytes = *bytes;
        return fit;
    };
    const int full = std::max(fullWidth, 1);
    auto whole = measure(full);
    if (!whole || whole->bytes <= budget)
        return whole;
    // The cells of a compact page are rectangles of one colour, which a picture scaled to another
    // width may break up or join: its size goes up and down with the width, and only trying each
    // width tells the widest that fits.
    if (!growsWithWidth) {
        // The rows that told the last width apart: the next, narrower, seldom needs fewer.
        int start = 16;
        for (int width = full - 1; width >= 1; --width) {
            // The cells begun in the top rows are the whole page's, but for ROWSPANs cut short at
            // its bottom; with its rows, columns and table fewer or shorter, the page of the top
            // rows is never larger than the whole one, and many rows are seldom needed to show
            // that a width is too wide.
            for (int rows = start;; rows = rows > kAllRows / 2 ? kAllRows : rows * 2) {
                auto tried = measure(width, rows);
                if (!tried)
                    return std::nullopt;
                const bool all = tried->picture.height() < rows || rows == kAllRows;
                if (all && tried->bytes <= budget)
                    return tried;
                if (tried->bytes > budget) {
                    start = rows;
                    break;
                }
            }
        }
        // Not even 1 pixel wide: the bytes that page needs, whole.
        auto narrowest = measure(1);
        if (narrowest)
            narrowest->picture = QImage();
        return narrowest;
    }
    auto smallest = measure(1);
    if (!smallest)
        return std::nullopt;
    if (smallest->bytes > budget) {
        smallest->picture = QImage();
        return smallest;
    }
    // The page of any other style is a piece per pixel and grows with the width (and the height,
    // which never shrinks as the width grows): the page at `fits` fits and the page at `tooWide`
    // does not; halved until they touch.
    int fits = 1;
    int tooWide = full;
    PageFit best = std::move(*smallest);
    while (tooWide - fits > 1) {
        const int middle = fits + (tooWide - fits) / 2;
        auto tried = measure(middle);
        if (!tried)
            return std::nullopt;
        if (tried->bytes <= budget) {
            fits = middle;
            best = std::move(*tried);
        } else {
            tooWide = middle;
        }
    }
    return best;
}
