#pragma once

#include "ITextFileReader.h"

#include <string_view>

/// Reads text files: a byte-order mark (UTF-8, UTF-16 LE or BE) selects the encoding and is not
/// part of the text; without one, valid UTF-8 is read as UTF-8 and anything else as code page 1251.
class CTextFileReader final : public ITextFileReader {
public:
    std::u16string ReadAll(const std::u16string& path) override;

    /// The decoding of ReadAll, for bytes already in memory.
    static std::u16string Decode(std::string_view bytes);
};
