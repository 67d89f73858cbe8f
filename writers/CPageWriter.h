#pragma once

#include "COutputFile.h"
#include "IAnyPicture.h"

#include <cstdint>
#include <string>
#include <string_view>

/// What the three page writers share: the output file, the page frame (signature, head, tail)
/// and the colour digits.
class CPageWriter : public IAnyPicture {
public:
    ~CPageWriter() override;

    void OpenFile(const std::u16string& FileName) override;
    void CloseFile() override;

protected:
    /// The signature, then the prepared head with every "%BODY_TAG_TAIL%" put in.
    void WritePageHead(std::u16string_view bodyTagTail);
    void WritePageTail();
    /// Appends one piece of text; fails when no file is open.
    void Append(std::u16string_view text);
    /// Writes the six colour digits of `Color` (red, green, blue) to `out`.
    static void ColourDigitsTo(PixelColor Color, char16_t* out);

    /// Number of the open output file (descriptor + 1); 0 means no file.
    std::int32_t mFileNo = 0;

private:
    COutputFile mFile;
};
