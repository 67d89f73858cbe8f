#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The page stream's encoder. The text it takes (templates, source text, the writers' own pieces)
// stays UTF-16 code units from start-up to here: it is encoded a piece per pixel, right into the
// output buffer, and a string view costs nothing to hand on.

/// The UTF-8 bytes of a UTF-16 text; empty for the empty text. A surrogate pair becomes its
/// four-byte sequence; a lone surrogate becomes U+FFFD.
std::vector<std::uint8_t> StringToUTF8(std::u16string_view text);

/// Bytes that `text` takes in UTF-8.
std::size_t UTF8Length(std::u16string_view text) noexcept;

/// Writes the UTF-8 bytes of `text` to `out`, which must hold at least 3 bytes per code unit.
/// Returns the number of bytes written.
std::size_t UTF8EncodeTo(std::u16string_view text, char* out) noexcept;
