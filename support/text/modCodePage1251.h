#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// Decodes Windows code page 1251 bytes; the one unassigned byte (0x98) becomes U+FFFD.
std::u16string CP1251Decode(std::string_view bytes);

/// Encodes a text in Windows code page 1251; a character the code page lacks becomes "?".
std::vector<std::uint8_t> CP1251Encode(std::u16string_view text);
