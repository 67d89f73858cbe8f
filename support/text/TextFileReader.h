#pragma once

#include <cstddef>
#include <string>
#include <string_view>

/// Reads text files: a byte-order mark (UTF-8, UTF-16 LE or BE) selects the encoding and is not
/// part of the text; without one, valid UTF-8 is read as UTF-8 and anything else as code page 1251.
/// In UTF-16, a surrogate without its other half and an odd last byte each become U+FFFD.
///
/// Only the start-up files are read this way, and they are read whole before the first page, so
/// a file above kMaxStartUpFileBytes (64 MiB) is refused with Failure::kStartUpFileTooLarge: the
/// shipped files are a few kilobytes, and a larger one would only cost memory and time before
/// each page. Only regular files are read; a FIFO, device or socket is refused with
/// Failure::kNotRegularFile rather than waited on.
///
/// The text comes back as UTF-16 code units: it is the page stream's source (PageTemplates.h says
/// why that stays std::u16string).
class TextFileReader final {
public:
    static constexpr std::size_t kMaxStartUpFileBytes = std::size_t{64} << 20;

    /// The whole text of the file; a missing, unreadable, irregular or too large file throws
    /// Failure.
    static std::u16string ReadAll(const std::string& path);

    /// The decoding of ReadAll, for bytes already in memory.
    static std::u16string Decode(std::string_view bytes);
};
