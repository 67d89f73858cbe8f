#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

/// Replaces every occurrence of `what` in `text` by `with`, searching from the first character
/// and going on after each replacement (exact, case-sensitive match).
void ReplaceAll(std::u16string& text, std::u16string_view what, std::u16string_view with);

/// Escapes "&", "<", ">" and "\"" for HTML, in that order; the apostrophe stays as it is.
std::u16string HtmlEscape(std::u16string_view text);

/// HtmlEscape written to `out`, which must hold 6 code units per code unit of `text`.
/// Returns the number of code units written.
std::size_t HtmlEscapeTo(std::u16string_view text, char16_t* out) noexcept;

/// The shortest decimal form of `value` written to `out` (at most 11 code units).
/// Returns the number of code units written.
std::size_t DecimalTo(std::int32_t value, char16_t* out) noexcept;

/// The same decimal form as ASCII bytes, for text that goes straight into UTF-8 output.
std::size_t DecimalTo(std::int32_t value, char* out) noexcept;

/// Copies a string literal of ASCII text without its terminating zero; returns the end. The length
/// is known when compiling, so the copy is a few moves.
template <std::size_t N> char* PutText(char* out, const char (&text)[N]) noexcept {
    std::memcpy(out, text, N - 1);
    return out + (N - 1);
}
