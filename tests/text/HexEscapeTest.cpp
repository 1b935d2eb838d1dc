#include <gtest/gtest.h>

#include "text/HexEscape.h"

using namespace varnel::text;

TEST(HexEscape, DecodesPairsAndKeepsBadEscapes) {
    struct Case {
        const char* in;
        char escape;
        const char* out;
    } cases[] = {
        {"%41%62c", '%', "Abc"}, {"%4g%", '%', "%4g%"},
        {"100%", '%', "100%"},   {"=E3=81=82", '=', "\xE3\x81\x82"},
        {"a=\r", '=', "a=\r"},   {"=3d=3D", '=', "=="},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeHexEscapes(c.in, c.escape), c.out) << c.in;
    EXPECT_EQ(HexPairAt("xFf", 1), 255);
    EXPECT_EQ(HexPairAt("xF", 1), -1);
    EXPECT_EQ(HexDigitValue('G'), -1);
}
