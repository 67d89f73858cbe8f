#include "CError.h"
#include "KorvaneSupport.h"
#include "modCommon.h"
#include "modPageStyle.h"
#include "modText.h"

#include <gtest/gtest.h>

TEST(Support, ColourComponentsAndDigits) {
    const PixelColor color = 0x00563412; // red 0x12, green 0x34, blue 0x56
    EXPECT_EQ(ksGetRedRGB(color), 0x12);
    EXPECT_EQ(ksGetGreenRGB(color), 0x34);
    EXPECT_EQ(ksGetBlueRGB(color), 0x56);
    EXPECT_EQ(ksGetRedRGB(0xFFFFFFFF), 255); // the top byte never leaks into a component
    EXPECT_EQ(ksHex1(0), u"00");
    EXPECT_EQ(ksHex1(0x0A), u"0A");
    EXPECT_EQ(ksHex1(0xFF), u"FF");
    EXPECT_EQ(ksToByte(255), 255);
    try {
        ksToByte(256);
        FAIL() << "no overflow";
    } catch (const CError& error) {
        EXPECT_EQ(error.Number(), CError::kOverflow);
        EXPECT_EQ(error.Description(), u"Overflow");
    }
    EXPECT_THROW(ksToByte(-1), CError);
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
    EXPECT_EQ(HtmlEscape(u"a&b<c>d\"e'f"), u"a&amp;b&lt;c&gt;d&quot;e'f");
    EXPECT_EQ(HtmlEscape(u"&lt;"), u"&amp;lt;");
    // The one-pass form used per pixel gives the same text as the four replacements.
    for (const std::u16string text : {u"&", u"<", u">", u"\"", u"'", u"x", u"", u"&<>\"'"}) {
        char16_t out[64];
        EXPECT_EQ(std::u16string(out, HtmlEscapeTo(text, out)), HtmlEscape(text));
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
    for (int value = 0; value < 256; ++value) {
        char pair[2];
        ksHex1To(static_cast<std::uint8_t>(value), pair);
        const std::u16string text = ksHex1(static_cast<std::uint8_t>(value));
        EXPECT_EQ(std::string(pair, 2), std::string(text.begin(), text.end()));
    }
}
