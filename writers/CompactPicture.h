#pragma once

#include "DeltaE.h"
#include "PageWriter.h"

#include <cstddef>
#include <string>
#include <vector>

/// TABLE page with a cell per rectangle of one colour (COLSPAN, ROWSPAN), the picture at the same
/// size and place as the TABLE page's. Rectangles are chosen greedily in reading order: at the
/// first pixel no cell holds, as far right as its colour goes, then down while the whole run
/// matches. The writer keeps the picture's colours and writes the page at EndPicture.
///
/// A fully transparent pixel (alpha 0) gets no colour, so the page's background shows through;
/// a partly transparent one is composited over the settings' background colour.
class CompactPicture final : public PageWriter {
public:
    enum Profile {
        kPage, ///< one table, the common cell style said once on it
        kMail, ///< for e-mail: attributes and inline styles only, stacked tables of kMailRows
        kWeb,  ///< an element per row, its runs of one colour as hard stops of CSS gradients
    };

    /// Browsers clamp COLSPAN, ROWSPAN and a COL's SPAN to 1000: longer runs are split.
    static constexpr std::int32_t kMaxSpan = 1000;
    /// Rows of one table of a mail page, so that a long picture shows while it arrives.
    static constexpr std::int32_t kMailRows = 64;
    /// Width of one gradient tile of a web row: 100 pixels, so that a stop's percentage is its
    /// offset in pixels.
    static constexpr std::int32_t kWebTile = 100;

    explicit CompactPicture(const PageTemplates& templates, Profile profile = kPage) noexcept
        : PageWriter(templates), mProfile(profile) {}
    explicit CompactPicture(PageTemplates&&, Profile = kPage) = delete;

    void BeginPicture(std::int32_t width, std::int32_t height) override;
    void EndPicture() override;
    void WritePixel(PixelColor color, std::int32_t x, std::int32_t y) override;

private:
    /// The compact page's table, or the mail page's stacked tables.
    void WriteTables(bool mail);
    /// The web profile's rows: written, or only counted when `write` is false. Returns their bytes.
    std::size_t WriteWebRows(bool write);
    /// The runs of one colour of row `y`, as they end: mRunColours, mRunEnds.
    void FindRuns(std::int32_t y);
    /// The style of the row whose runs FindRuns found, into `out` (empty: nothing to draw).
    void WebRowStyle(std::string& out) const;
    /// The cells of rows [top, bottom): one table row each, a cell per rectangle.
    void WriteRows(std::int32_t top, std::int32_t bottom, bool mail);
    void WriteColumns();
    void WriteCell(PixelColor colour, std::int32_t columns, std::int32_t rows, bool mail);
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
    std::vector<PixelColor> mRunColours;  ///< web rows: each run's colour
    std::vector<std::int32_t> mRunEnds;   ///< web rows: the column after each run
};
