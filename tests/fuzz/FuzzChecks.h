#pragma once

// What the fuzz targets share: a check that stops the run where an invariant fails, and the
// reading of fuzz bytes as UTF-16 text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

/// Aborts, so that libFuzzer keeps the input, when an invariant does not hold.
inline void Check(bool condition) {
    if (!condition)
        std::abort();
}

/// The bytes as UTF-16 code units, little-endian pairs; an odd last byte is left out. Every unit
/// is possible, lone surrogates included.
inline std::u16string UnitsFromBytes(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    text.reserve(size / 2);
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    return text;
}
