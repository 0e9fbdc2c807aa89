// The text forms of a colour, from the value through BgrHex to the HTML code, the components
// read back from that code, and the colour literal.
#include "sampling/colour_codes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using sampling::BgrHex;
using sampling::ComponentText;
using sampling::HtmlCode;
using sampling::RgbCode;
using sampling::VbCode;

struct ColourCase {
    sampling::ColourValue value;
    const char* bgrHex;
    const char* html;
    const char* red;
    const char* green;
    const char* blue;
    const char* literal;
    const char* rgb;
};

// Primaries, single-digit bytes that need padding, and bytes whose digits differ so that a
// swapped pair or a swapped digit shows.
constexpr ColourCase kColourCases[] = {
    {0x000000, "000000", "#000000", "0", "0", "0", "&H00000000&", "RGB(0, 0, 0)"},
    {0xFFFFFF, "FFFFFF", "#FFFFFF", "255", "255", "255", "&H00FFFFFF&", "RGB(255, 255, 255)"},
    {0x0000FF, "0000FF", "#FF0000", "255", "0", "0", "&H000000FF&", "RGB(255, 0, 0)"},
    {0x00FF00, "00FF00", "#00FF00", "0", "255", "0", "&H0000FF00&", "RGB(0, 255, 0)"},
    {0xFF0000, "FF0000", "#0000FF", "0", "0", "255", "&H00FF0000&", "RGB(0, 0, 255)"},
    {0x00000F, "00000F", "#0F0000", "15", "0", "0", "&H0000000F&", "RGB(15, 0, 0)"},
    {0x0F0000, "0F0000", "#00000F", "0", "0", "15", "&H000F0000&", "RGB(0, 0, 15)"},
    {0x0A0B0C, "0A0B0C", "#0C0B0A", "12", "11", "10", "&H000A0B0C&", "RGB(12, 11, 10)"},
    {0x563412, "563412", "#123456", "18", "52", "86", "&H00563412&", "RGB(18, 52, 86)"},
    {0xABCDEF, "ABCDEF", "#EFCDAB", "239", "205", "171", "&H00ABCDEF&", "RGB(239, 205, 171)"},
};

TEST(ColourCodes, EveryFormOfTheTableColours) {
    for (const ColourCase& c : kColourCases) {
        SCOPED_TRACE(c.bgrHex);
        const std::string hex = BgrHex(c.value);
        EXPECT_EQ(hex, c.bgrHex);
        const std::string html = HtmlCode(hex);
        EXPECT_EQ(html, c.html);
        EXPECT_EQ(ComponentText(html, 2), c.red);
        EXPECT_EQ(ComponentText(html, 4), c.green);
        EXPECT_EQ(ComponentText(html, 6), c.blue);
        EXPECT_EQ(VbCode(hex), c.literal);
        EXPECT_EQ(RgbCode(hex), c.rgb);
    }
}

TEST(ColourCodes, BgrHexFillsOutToSixDigits) {
    const struct {
        sampling::ColourValue value;
        const char* text;
    } cases[] = {
        {0x0, "000000"},     {0x1, "000001"},      {0x10, "000010"},
        {0xABC, "000ABC"},   {0x1000, "001000"},   {0x10000, "010000"},
        {0xFFFFF, "0FFFFF"}, {0x100000, "100000"}, {0xFFFFFE, "FFFFFE"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BgrHex(c.value), c.text) << std::hex << c.value;
    }
}

// A failed screen read (0xFFFFFFFF) has no defined text form; it must still give a plain
// hexadecimal text and not misbehave.
TEST(ColourCodes, BgrHexOfAnUnreadableValueKeepsAllItsDigits) {
    EXPECT_EQ(BgrHex(-1), "FFFFFFFF");
    EXPECT_EQ(BgrHex(0x01000000), "1000000");
    EXPECT_FALSE(sampling::IsReadableColour(-1));
    EXPECT_FALSE(sampling::IsReadableColour(0x01000000));
    EXPECT_TRUE(sampling::IsReadableColour(0xFFFFFF));
    EXPECT_TRUE(sampling::IsReadableColour(0));
}

TEST(ColourCodes, ComponentTextReadsOnlyTheCharactersThatExist) {
    // "#FF" ends after the red pair.
    EXPECT_EQ(ComponentText("#FF", 2), "255");
    EXPECT_EQ(ComponentText("#FF", 4), "0");
    EXPECT_EQ(ComponentText("#FF", 6), "0");
    // One digit left at the end of the text.
    EXPECT_EQ(ComponentText("#ABC", 4), "12");
    EXPECT_EQ(ComponentText("#12345", 6), "5");
    EXPECT_EQ(ComponentText("", 2), "0");
}

TEST(ColourCodes, ComponentTextOutsideTheTextIsZero) {
    const std::string html = "#123456";
    for (const int start : {0, -1, -2147483647 - 1, 8, 9, 2147483647}) {
        EXPECT_EQ(ComponentText(html, start), "0") << "start " << start;
    }
    // The last character alone.
    EXPECT_EQ(ComponentText(html, 7), "6");
    // Start 1 reads the '#', which is not a digit.
    EXPECT_EQ(ComponentText(html, 1), "0");
}

TEST(ColourCodes, ComponentTextStopsAtANonHexCharacter) {
    EXPECT_EQ(ComponentText("#G5", 2), "0");
    EXPECT_EQ(ComponentText("#5G", 2), "5");
    EXPECT_EQ(ComponentText("#ff", 2), "255");
    EXPECT_EQ(ComponentText("#\xff\x80", 2), "0");
}

TEST(ColourCodes, PairsOfAShortTextAreLeftOut) {
    EXPECT_EQ(HtmlCode("ABCD"), "#CDAB");
    EXPECT_EQ(HtmlCode(""), "#");
    EXPECT_EQ(HtmlCode("12345"), "#53412");
}

} // namespace
