#pragma once

#include <cstddef>
#include <string_view>

/// One piece of page text put together in a fixed array, so that a pixel costs no allocation.
template <std::size_t Capacity> class CPiece {
public:
    CPiece& operator<<(std::u16string_view text) noexcept {
        for (const char16_t unit : text)
            mText[mLength++] = unit;
        return *this;
    }
    /// Room for `count` code units at the end, to be filled by the caller.
    char16_t* Reserve(std::size_t count) noexcept {
        char16_t* place = mText + mLength;
        mLength += count;
        return place;
    }
    void Shrink(std::size_t count) noexcept { mLength -= count; }
    std::u16string_view View() const noexcept { return {mText, mLength}; }

private:
    char16_t mText[Capacity];
    std::size_t mLength = 0;
};
