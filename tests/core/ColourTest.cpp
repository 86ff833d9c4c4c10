#include "document/Conversions.h"
#include "document/Errors.h"

#include <gtest/gtest.h>

TEST(Colour, BGRHexSwapsFirstAndLastPair)
{
    EXPECT_EQ(bgrHexToRgbHex("1ABEF4"), "F4BE1A");
    EXPECT_EQ(bgrHexToRgbHex("ABCDEF"), "EFCDAB");
    EXPECT_EQ(bgrHexToRgbHex("ABCD"), "CDAB"); // a missing pair contributes nothing
    EXPECT_EQ(bgrHexToRgbHex("ABC"), "CAB");
    EXPECT_EQ(bgrHexToRgbHex("12345678"), "563412"); // characters after the sixth are ignored
    EXPECT_EQ(bgrHexToRgbHex(""), "");
}

TEST(Colour, ColorFromHexParsesBGRWithZeroTopByte)
{
    EXPECT_EQ(colorFromHex("F4BE1A"), 0x001ABEF4u);
    EXPECT_EQ(colorFromHex("FFFFFF"), 0x00FFFFFFu);
    EXPECT_EQ(colorFromHex("ffffff"), 0x00FFFFFFu);
    EXPECT_EQ(colorFromHex(""), 0u);
    EXPECT_EQ(colorFromHex("12345678"), 0x563412u);
}

TEST(Colour, ColorFromHexReportsTheParsedText)
{
    try {
        colorFromHex("GG0000");
        FAIL() << "no error raised";
    } catch (const EConvertError &error) {
        EXPECT_STREQ(error.what(), "'$000000GG' is not a valid integer value");
    }
    EXPECT_THROW(colorFromHex(" 12345"), EConvertError);
}

TEST(Colour, ColorToRGBHexKeepsSixDigits)
{
    EXPECT_EQ(hexFromColor(0x001ABEF4u), "F4BE1A");
    EXPECT_EQ(hexFromColor(0), "000000");
    EXPECT_EQ(hexFromColor(0x000000FFu), "FF0000");
    for (const char *text : {"F4BE1A", "000000", "0A0B0C", "FFFFFF"})
        EXPECT_EQ(hexFromColor(colorFromHex(text)), text);
}

TEST(Integer, ParseIntAcceptsPlainDecimalOnly)
{
    EXPECT_EQ(parseInt("0"), 0);
    EXPECT_EQ(parseInt("-20"), -20);
    EXPECT_EQ(parseInt("2147483647"), 2147483647);
    EXPECT_EQ(parseInt("-2147483648"), -2147483647 - 1);
    for (const char *bad : {"", "-", " 1", "1 ", "1a", "2147483648", "18446744073709551616"}) {
        try {
            parseInt(bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const EConvertError &error) {
            EXPECT_EQ(error.what(), invalidIntegerMessage(bad));
        }
    }
}
