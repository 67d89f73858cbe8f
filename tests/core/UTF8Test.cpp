#include "modUTF8.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> bytes;
    for (int value : values)
        bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

} // namespace

TEST(UTF8, EncodesEveryLengthAndSurrogates) {
    EXPECT_TRUE(StringToUTF8(u"").empty());
    EXPECT_EQ(StringToUTF8(u"п"), Bytes({0xD0, 0xBF}));
    EXPECT_EQ(StringToUTF8(u"\r\n"), Bytes({0x0D, 0x0A}));
    EXPECT_EQ(StringToUTF8(u"\u007F\u0080\u07FF\u0800\uFFFF"),
              Bytes({0x7F, 0xC2, 0x80, 0xDF, 0xBF, 0xE0, 0xA0, 0x80, 0xEF, 0xBF, 0xBF}));
    // U+1F600 as a surrogate pair, and the highest code point.
    EXPECT_EQ(StringToUTF8(u"\U0001F600"), Bytes({0xF0, 0x9F, 0x98, 0x80}));
    EXPECT_EQ(StringToUTF8(u"\U0010FFFF"), Bytes({0xF4, 0x8F, 0xBF, 0xBF}));
    // Lone halves, in every position, become U+FFFD.
    const std::u16string lone = {u'a', 0xD83D, u'b', 0xDE00, 0xDE00, 0xD83D};
    EXPECT_EQ(StringToUTF8(lone), Bytes({0x61, 0xEF, 0xBF, 0xBD, 0x62, 0xEF, 0xBF, 0xBD, 0xEF, 0xBF,
                                         0xBD, 0xEF, 0xBF, 0xBD}));
    // UTF8Encode empties the array it is given.
    std::vector<std::uint8_t> out = Bytes({1, 2, 3});
    UTF8Encode(u"", out);
    EXPECT_TRUE(out.empty());
    UTF8Encode(u"ї", out);
    EXPECT_EQ(out, Bytes({0xD1, 0x97}));
    EXPECT_EQ(UTF8Length(lone), 14u);
}
