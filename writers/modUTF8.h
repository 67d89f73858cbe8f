#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// The UTF-8 bytes of a UTF-16 text; empty for the empty text.
std::vector<std::uint8_t> StringToUTF8(std::u16string_view text);

/// Replaces the contents of `output` with the UTF-8 bytes of `text`. A surrogate pair becomes its
/// four-byte sequence; a lone surrogate becomes U+FFFD.
void UTF8Encode(std::u16string_view text, std::vector<std::uint8_t>& output);

/// Bytes that `text` takes in UTF-8.
std::size_t UTF8Length(std::u16string_view text) noexcept;

/// Writes the UTF-8 bytes of `text` to `out`, which must hold at least 3 bytes per code unit.
/// Returns the number of bytes written.
std::size_t UTF8EncodeTo(std::u16string_view text, char* out) noexcept;

/// True when `bytes` is well-formed UTF-8 (no overlongs, no surrogates, nothing above U+10FFFF).
bool IsValidUTF8(std::string_view bytes) noexcept;

/// Decodes UTF-8; every ill-formed sequence becomes U+FFFD.
std::u16string UTF8Decode(std::string_view bytes);

/// A file name as the system gives it (bytes) turned into text without losing any: UTF-8 is
/// decoded, and every byte that is not part of well-formed UTF-8 becomes one of the lone code
/// units U+DC80 to U+DCFF, which NativeFromPath turns back into that byte.
std::u16string PathFromNative(std::string_view bytes);

/// The bytes of a file name made by PathFromNative (or typed as text): the same bytes as UTF-8
/// for well-formed text, the original byte for each of U+DC80 to U+DCFF that stands alone.
std::string NativeFromPath(std::u16string_view path);
