#pragma once

#include <string>

/// Reads a whole text file; a missing or unreadable file throws CError.
class ITextFileReader {
public:
    virtual ~ITextFileReader() = default;
    virtual std::u16string ReadAll(const std::u16string& path) = 0;
};
