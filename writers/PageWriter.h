#pragma once

#include "ColorsAndPaths.h"
#include "HtmlText.h"
#include "IAnyPicture.h"
#include "OutputFile.h"
#include "PageTemplates.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

/// How a page is to be written beyond its picture, for the styles that take it (PageStyle says
/// which); a writer passes over what its style does not take.
struct PageSettings {
    /// Neighbouring pixels whose colours differ by at most this (CIE76) may share a cell; no pixel
    /// is then shown further than that from its own colour. 0 shares exact colours only.
    double tolerance = 0;
    /// What partly transparent pixels are composited over.
    PixelColor background = 0xFFFFFFFFu;
};

/// What the three page writers share: the output file, the page frame (signature, head, tail)
/// and the colour digits.
class PageWriter : public IAnyPicture {
public:
    /// `templates` frame every page this writer writes; they outlive it.
    explicit PageWriter(const PageTemplates& templates) noexcept : mTemplates(templates) {}
    /// The writer keeps a reference: templates that die with the statement would leave it dangling.
    explicit PageWriter(PageTemplates&&) = delete;
    ~PageWriter() override;

    void OpenFile(const std::string& fileName) override;
    void CloseFile() override;

    /// Writes the page's body alone, into memory: no signature, head or tail (as SetBodyOnly).
    /// The walk's OpenFile then finds the page open already and does nothing.
    void OpenBodyInMemory();
    /// Writes the page's body alone (the picture's markup) to the file the walk opens: no
    /// signature, head or tail, for a page that goes into another one.
    void SetBodyOnly() noexcept { mBodyOnly = true; }
    /// Settles how the next page is written, before the walk.
    void SetSettings(const PageSettings& settings) noexcept { mSettings = settings; }
    /// The largest difference (CIE76) between a pixel and the colour it is shown in, in the last
    /// page written whole; nothing for a style that shows every pixel in its own colour.
    std::optional<double> LargestDeltaE() const noexcept { return mLargestDeltaE; }
    /// Counts the page's bytes instead of keeping them: nothing reaches a disk or memory. The
    /// walk's OpenFile then finds the page open already and does nothing; BodySize() tells the
    /// bytes, the signature, head and tail included.
    void OpenCounter();
    /// The body's bytes so far (UTF-8), buffered ones included; every byte of a counted page.
    std::size_t BodySize() const noexcept { return mFile.MemorySize(); }
    /// The body once the page is closed.
    const std::string& Body() const noexcept { return mFile.Memory(); }

protected:
    const PageTemplates& Templates() const noexcept { return mTemplates; }
    const PageSettings& Settings() const noexcept { return mSettings; }
    /// What the page reached, told by a writer that may show a pixel in another colour.
    void SetLargestDeltaE(double deltaE) noexcept { mLargestDeltaE = deltaE; }
    /// The signature, then the prepared head with every "%BODY_TAG_TAIL%" put in.
    void WritePageHead(std::u16string_view bodyTagTail);
    void WritePageTail();
    /// Appends one piece of text; fails when no file is open.
    void Append(std::u16string_view text);

    // A pixel's piece is put together as UTF-8 right in the output buffer: its text is ASCII
    // apart from SPAN's character, so converting it from UTF-16 and copying it would only cost.
    /// Room for a piece of at most `most` bytes; fails when no file is open.
    char* BeginPiece(std::size_t most) {
        if (!mFile.IsOpen()) [[unlikely]]
            RaiseNoFile();
        return mFile.Reserve(most);
    }
    /// Appends the piece begun by BeginPiece, which ends at `end`.
    void EndPiece(const char* end) noexcept { mFile.Commit(end); }
    /// Appends a string literal of ASCII text.
    template <std::size_t N> void AppendText(const char (&text)[N]) {
        EndPiece(PutText(BeginPiece(N - 1), text));
    }
    /// The most bytes a colour's digits and a decimal int take in a piece.
    static constexpr std::size_t kColourDigits = 6;
    static constexpr std::size_t kMostIntDigits = std::numeric_limits<std::int32_t>::digits10 + 2;

    /// Writes the six colour digits of `Color` (red, green, blue) to `out`; returns their end.
    static char* ColourDigitsTo(PixelColor color, char* out) {
        WriteTwoHexDigits(RedOf(color), out);
        WriteTwoHexDigits(GreenOf(color), out + 2);
        WriteTwoHexDigits(BlueOf(color), out + 4);
        return out + kColourDigits;
    }

private:
    [[noreturn]] static void RaiseNoFile();

    const PageTemplates& mTemplates;
    /// The page being written (a file, memory or a count), kept after it is closed for Body().
    OutputFile mFile;
    bool mBodyOnly = false;
    PageSettings mSettings;
    std::optional<double> mLargestDeltaE;
};
