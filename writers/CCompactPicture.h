#pragma once

#include "CPageWriter.h"
#include "modDeltaE.h"

#include <cstddef>
#include <vector>

/// TABLE page with a cell per rectangle of one colour (COLSPAN, ROWSPAN), the picture at the same
/// size and place as the TABLE page's. Rectangles are chosen greedily in reading order: at the
/// first pixel no cell holds, as far right as its colour goes, then down while the whole run
/// matches. The writer keeps the picture's colours and writes the page at EndPicture.
///
/// A fully transparent pixel (alpha 0) gets no colour, so the page's background shows through;
/// a partly transparent one is composited over the settings' background colour.
class CCompactPicture final : public CPageWriter {
public:
    enum Profile {
        kPage, ///< one table, the common cell style said once on it
        kMail, ///< for e-mail: attributes and inline styles only, stacked tables of kMailRows
    };

    /// Browsers clamp COLSPAN, ROWSPAN and a COL's SPAN to 1000: longer runs are split.
    static constexpr std::int32_t kMaxSpan = 1000;
    /// Rows of one table of a mail page, so that a long picture shows while it arrives.
    static constexpr std::int32_t kMailRows = 64;

    explicit CCompactPicture(const PageTemplates& templates, Profile profile = kPage) noexcept
        : CPageWriter(templates), mProfile(profile) {}

    void BeginPicture(std::int32_t Width, std::int32_t Height) override;
    void EndPicture() override;
    void WritePixel(PixelColor Color, std::int32_t X, std::int32_t Y) override;

private:
    /// The cells of rows [top, bottom): one table row each, a cell per rectangle.
    void WriteRows(std::int32_t top, std::int32_t bottom);
    void WriteColumns();
    void WriteCell(PixelColor colour, std::int32_t columns, std::int32_t rows);
    /// Whether `pixel` may be shown in the colour `cell`; `deltaE` is raised to their difference.
    bool Matches(PixelColor cell, const LabColour& cellLab, PixelColor pixel, float& deltaE) const;

    Profile mProfile;
    float mTolerance = 0;
    PixelColor mBackground = 0xFFFFFFFFu;
    double mLargestDeltaE = 0;
    std::int32_t mWidth = 0;
    std::int32_t mHeight = 0;
    std::vector<PixelColor> mPixels;      ///< row by row; a transparent pixel is 0
    std::vector<std::int32_t> mCoveredTo; ///< per column: the first row no cell above holds
};
