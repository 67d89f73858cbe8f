#include "modPageBudget.h"

#include "CPageWriter.h"
#include "modCallPictureGenerator.h"

#include <algorithm>

std::optional<std::uint64_t> MeasurePage(const PageWriterMaker& make, const QImage& picture,
                                         IMessageBox& messages) {
    const std::unique_ptr<CPageWriter> writer = make();
    writer->OpenCounter();
    if (!GeneratePicture(*writer, u"", picture, messages))
        return std::nullopt;
    return writer->BodySize();
}

QImage ScaleToWidth(const QImage& picture, int width) {
    if (picture.isNull() || width == picture.width())
        return picture;
    const qint64 w = picture.width(), h = picture.height();
    const qint64 height = std::max<qint64>(1, (2 * h * width + w) / (2 * w));
    QImage scaled = picture.scaled(width, static_cast<int>(height), Qt::IgnoreAspectRatio,
                                   Qt::SmoothTransformation);
    // Smooth scaling works on premultiplied pixels and may hand them back so.
    if (!scaled.isNull() && scaled.format() != picture.format())
        scaled.convertTo(picture.format());
    return scaled;
}

std::optional<PageFit> FitPageToBudget(const PageWriterMaker& make, const QImage& picture,
                                       std::uint64_t budget, IMessageBox& messages) {
    const auto measure = [&](int width) -> std::optional<PageFit> {
        PageFit fit;
        fit.picture = ScaleToWidth(picture, width);
        const auto bytes = MeasurePage(make, fit.picture, messages);
        if (!bytes)
            return std::nullopt;
        fit.bytes = *bytes;
        return fit;
    };
    const int full = std::max(picture.width(), 1);
    auto whole = measure(full);
    if (!whole || whole->bytes <= budget)
        return whole;
    auto smallest = measure(1);
    if (!smallest)
        return std::nullopt;
    if (smallest->bytes > budget) {
        smallest->picture = QImage();
        return smallest;
    }
    // The page at `fits` fits and the page at `tooWide` does not; halved until they touch.
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
