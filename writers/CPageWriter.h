#pragma once

#include "COutputFile.h"
#include "IAnyPicture.h"
#include "KorvaneSupport.h"
#include "modSourceAndTemplates.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

/// What the three page writers share: the output file, the page frame (signature, head, tail)
/// and the colour digits.
class CPageWriter : public IAnyPicture {
public:
    /// `templates` frame every page this writer writes; they outlive it.
    explicit CPageWriter(const PageTemplates& templates) noexcept : mTemplates(templates) {}
    ~CPageWriter() override;

    void OpenFile(const std::u16string& FileName) override;
    void CloseFile() override;

    /// Writes the page's body alone, into memory: no signature, head or tail. The walk's OpenFile
    /// then finds the page open already and does nothing.
    void OpenBodyInMemory();
    /// Writes the page's body alone (the picture's markup) to the file the walk opens: no
    /// signature, head or tail, for a page that goes into another one.
    void SetBodyOnly() noexcept { mBodyOnly = true; }
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
    /// The signature, then the prepared head with every "%BODY_TAG_TAIL%" put in.
    void WritePageHead(std::u16string_view bodyTagTail);
    void WritePageTail();
    /// Appends one piece of text; fails when no file is open.
    void Append(std::u16string_view text);

    // A pixel's piece is put together as UTF-8 right in the output buffer: its text is ASCII
    // apart from SPAN's character, so converting it from UTF-16 and copying it would only cost.
    /// Room for a piece of at most `most` bytes; fails when no file is open.
    char* BeginPiece(std::size_t most) {
        if (mFileNo == 0) [[unlikely]]
            RaiseNoFile();
        return mFile.Reserve(most);
    }
    /// Appends the piece begun by BeginPiece, which ends at `end`.
    void EndPiece(const char* end) noexcept { mFile.Commit(end); }

    /// Writes the six colour digits of `Color` (red, green, blue) to `out`; returns their end.
    static char* ColourDigitsTo(PixelColor Color, char* out) {
        ksHex1(ksGetRedRGB(Color), out);
        ksHex1(ksGetGreenRGB(Color), out + 2);
        ksHex1(ksGetBlueRGB(Color), out + 4);
        return out + 6;
    }

    /// Number of the open output file (descriptor + 1); 0 means no file, kInMemory a body kept in
    /// memory, kCounting a page only counted.
    std::int32_t mFileNo = 0;
    static constexpr std::int32_t kInMemory = -1;
    static constexpr std::int32_t kCounting = -2;

private:
    [[noreturn]] static void RaiseNoFile();

    const PageTemplates& mTemplates;
    COutputFile mFile;
    bool mBodyOnly = false;
};
