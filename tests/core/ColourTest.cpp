#include "document/Errors.h"
#include "document/qarUtility.h"

#include <gtest/gtest.h>

TEST(Colour, BGRHexSwapsFirstAndLastPair)
{
    EXPECT_EQ(BGRHexToRGBHex("1ABEF4"), "F4BE1A");
    EXPECT_EQ(BGRHexToRGBHex("ABCDEF"), "EFCDAB");
    EXPECT_EQ(BGRHexToRGBHex("ABCD"), "CDAB"); // a missing pair contributes nothing
    EXPECT_EQ(BGRHexToRGBHex("ABC"), "CAB");
    EXPECT_EQ(BGRHexToRGBHex("12345678"), "563412"); // characters after the sixth are ignored
    EXPECT_EQ(BGRHexToRGBHex(""), "");
}

TEST(Colour, RGBHexToColorParsesBGRWithZeroTopByte)
{
    EXPECT_EQ(RGBHexToColor("F4BE1A"), 0x001ABEF4u);
    EXPECT_EQ(RGBHexToColor("FFFFFF"), 0x00FFFFFFu);
    EXPECT_EQ(RGBHexToColor("ffffff"), 0x00FFFFFFu);
    EXPECT_EQ(RGBHexToColor(""), 0u);
    EXPECT_EQ(RGBHexToColor("12345678"), 0x563412u);
}

TEST(Colour, RGBHexToColorReportsTheParsedText)
{
    try {
        RGBHexToColor("GG0000");
        FAIL() << "no error raised";
    } catch (const EConvertError &error) {
        EXPECT_STREQ(error.what(), "'$000000GG' is not a valid integer value");
    }
    EXPECT_THROW(RGBHexToColor(" 12345"), EConvertError);
}

TEST(Colour, ColorToRGBHexKeepsSixDigits)
{
    EXPECT_EQ(ColorToRGBHex(0x001ABEF4u), "F4BE1A");
    EXPECT_EQ(ColorToRGBHex(0), "000000");
    EXPECT_EQ(ColorToRGBHex(0x000000FFu), "FF0000");
    for (const char *text : {"F4BE1A", "000000", "0A0B0C", "FFFFFF"})
        EXPECT_EQ(ColorToRGBHex(RGBHexToColor(text)), text);
}

TEST(Integer, StrToIntAcceptsPlainDecimalOnly)
{
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("-20"), -20);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    for (const char *bad : {"", "-", " 1", "1 ", "1a", "2147483648", "18446744073709551616"}) {
        try {
            StrToInt(bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const EConvertError &error) {
            EXPECT_EQ(error.what(), invalidIntegerMessage(bad));
        }
    }
}
