#include <gtest/gtest.h>

#include <string>

#include "platform/text_encoding.h"

namespace {

TEST(TextEncoding, GameTextsBecomeUtf8) {
    EXPECT_EQ(plat::Cp1252ToUtf8("This game doesn\xb4t support"), "This game doesn\u00b4t support");
    EXPECT_EQ(plat::Cp1252ToUtf8("Stra\xdf"
                                 "e \x80 \x84\x93"),
              "Stra\u00dfe \u20ac \u201e\u201c");
    EXPECT_EQ(plat::Cp1252ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(TextEncoding, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(plat::Utf8ToCp1252(plat::Cp1252ToUtf8(all)), all);
}

TEST(TextEncoding, TypedTextKeepsWhatTheCodePageCanShow) {
    EXPECT_EQ(plat::Utf8ToCp1252("M\u00fcller \u20ac"), "M\xfcller \x80");
    // Characters outside the code page and broken sequences are dropped.
    EXPECT_EQ(plat::Utf8ToCp1252("a\u4e2d\U0001F600b"), "ab");
    EXPECT_EQ(plat::Utf8ToCp1252("a\xc3"), "a");  // cut short
    EXPECT_EQ(plat::Utf8ToCp1252("a\xbf\xff"
                                 "b"),
              "ab");                                // stray bytes
    EXPECT_EQ(plat::Utf8ToCp1252("\xc3(x"), "(x");  // lead without continuation
}

}  // namespace
