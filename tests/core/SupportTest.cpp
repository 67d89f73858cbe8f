#include "CError.h"
#include "KorvaneSupport.h"
#include "modCommon.h"
#include "modPageStyle.h"
#include "modText.h"

#include <cstdio>
#include <gtest/gtest.h>

TEST(Support, ColourComponentsAndDigits) {
    // Colours as an RGB32 scan line holds them: alpha, red, green, blue from the top byte down.
    const struct {
        PixelColor color;
        std::uint8_t red, green, blue;
    } colours[] = {
        {0xFF123456, 0x12, 0x34, 0x56},
        {0x00123456, 0x12, 0x34, 0x56}, // alpha never leaks into a component
        {0xFFFFFFFF, 0xFF, 0xFF, 0xFF},
        {0xFF000000, 0x00, 0x00, 0x00},
        {0xFF0000FF, 0x00, 0x00, 0xFF},
    };
    for (const auto& c : colours) {
        EXPECT_EQ(ksGetRedRGB(c.color), c.red) << std::hex << c.color;
        EXPECT_EQ(ksGetGreenRGB(c.color), c.green) << std::hex << c.color;
        EXPECT_EQ(ksGetBlueRGB(c.color), c.blue) << std::hex << c.color;
    }
    for (int value = 0; value < 256; ++value) {
        char pair[2];
        ksHex1(static_cast<std::uint8_t>(value), pair);
        char expected[3];
        std::snprintf(expected, sizeof expected, "%02X", value);
        EXPECT_EQ(std::string(pair, 2), expected);
    }
}

TEST(Support, FileNames) {
    EXPECT_EQ(ksBuildFileName(u"/opt/t", u"source.text"), u"/opt/t/source.text");
    EXPECT_EQ(ksBuildFileName(u"/opt/t/", u"source.text"), u"/opt/t/source.text");
    EXPECT_EQ(ksBuildFileName(u"/", u"a"), u"/a");
    EXPECT_EQ(ksGetFilePath(u"/home/u/pics/cat.png"), u"/home/u/pics");
    EXPECT_EQ(ksGetFilePath(u"/cat.png"), u"/");
    EXPECT_EQ(ksGetFilePath(u"cat.png"), u"");
    EXPECT_EQ(ksGetFileExtension(u"/p/cat.png"), u"png");
    EXPECT_EQ(ksGetFileExtension(u"/p/cat.tar.gz"), u"gz");
    EXPECT_EQ(ksGetFileExtension(u"/p.d/cat"), u"");
    EXPECT_EQ(ksGetFileExtension(u"/p/.hidden"), u"");
    EXPECT_EQ(ksCutRight(u"cat.png", 4), u"cat");
    EXPECT_EQ(ksCutRight(u"cat", 9), u"");
    EXPECT_THROW(ksCutRight(u"cat", -1), CError);
    EXPECT_EQ(ksFormatVersion(1, 1, 17), u"1.1.17");
}

TEST(Support, ProposedPageNames) {
    EXPECT_EQ(MakeOutputFileName(u"/pics/cat.png", TableStyle().extension), u"/pics/cat.table.htm");
    EXPECT_EQ(MakeOutputFileName(u"/pics/cat", SpanStyle().extension), u"/pics/cat.span.htm");
    EXPECT_EQ(MakeOutputFileName(u"/pics.v2/cat", DivStyle().extension), u"/pics.v2/cat.div.htm");
    EXPECT_EQ(MakeOutputFileName(u"/pics/a.b.jpeg", DivStyle().extension), u"/pics/a.b.div.htm");
    EXPECT_EQ(MakeOutputFileName(u"", DivStyle().extension), u"");
    EXPECT_EQ(FindPageStyle(u"span"), &SpanStyle());
    EXPECT_EQ(FindPageStyle(u"TABLE"), nullptr);
}

TEST(Support, HtmlEscapeAndReplace) {
    const struct {
        std::u16string_view text, escaped;
    } escapes[] = {
        {u"a&b<c>d\"e'f", u"a&amp;b&lt;c&gt;d&quot;e'f"},
        {u"&lt;", u"&amp;lt;"}, // an entity in the text is escaped, not kept
        {u"&&", u"&amp;&amp;"},
        {u"", u""},
        {u"\u0436\U0001F600", u"\u0436\U0001F600"},
    };
    for (const auto& e : escapes) {
        char16_t out[64];
        EXPECT_EQ(std::u16string_view(out, HtmlEscape(e.text, out)), e.escaped);
    }
    std::u16string text = u"%X%%X%%x%";
    ReplaceAll(text, u"%X%", u"%X%%X%");
    EXPECT_EQ(text, u"%X%%X%%X%%X%%x%");
    // The shortest decimal form: no leading zeros, a minus sign only for negative values.
    for (const std::int32_t value : {0, 7, 9, 10, 99, 100, 640, 4007, 99999, 999999999, 1000000000,
                                     2147483647, -1, -10, -2147483647 - 1}) {
        char bytes[12];
        EXPECT_EQ(std::string(bytes, DecimalTo(value, bytes)), std::to_string(value)) << value;
    }
}
