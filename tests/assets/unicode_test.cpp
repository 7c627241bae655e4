#include "assets/unicode.h"

#include <gtest/gtest.h>

namespace kt {
namespace {

TEST(Unicode, RoundTripsCyrillicSignsAndAstralCharacters) {
    const std::string texts[] = {"", "v = 2 – t?", "Тест по кинематике", "м/с²",
                                 "\xF0\x9D\x91\xA3"};
    for (const auto& text : texts) {
        const auto utf16 = utf16FromUtf8(text);
        ASSERT_TRUE(utf16.has_value()) << text;
        EXPECT_EQ(utf8FromUtf16(*utf16), text);
        EXPECT_EQ(utf8FromUtf32(decodeUtf8(text).value()), text);
    }
    EXPECT_EQ(utf16FromUtf8("\xF0\x9D\x91\xA3").value(), std::u16string(u"\xD835\xDC63"));
    EXPECT_EQ(utf16FromUtf8("Б").value(), std::u16string(u"\x0411"));
}

TEST(Unicode, IllFormedUtf8IsRefused) {
    const char* const bad[] = {
        "\x80",             // a continuation byte with no lead
        "\xD0",             // a lead byte at the end
        "\xD0\x41",         // a lead byte followed by no continuation
        "\xC0\xAF",         // an overlong slash
        "\xE0\x80\xAF",     // another overlong form
        "\xED\xA0\x80",     // a surrogate
        "\xF4\x90\x80\x80", // past U+10FFFF
        "\xFF",             // never a UTF-8 byte
    };
    for (const char* text : bad) {
        EXPECT_FALSE(decodeUtf8(text).has_value()) << testing::PrintToString(text);
        EXPECT_FALSE(utf16FromUtf8(text).has_value());
    }
}

TEST(Unicode, LoneSurrogatesBecomeReplacementCharacters) {
    EXPECT_EQ(utf8FromUtf16(u"a\xD800"
                            "b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(utf8FromUtf16(u"\xDC00"), "\xEF\xBF\xBD");
    EXPECT_EQ(utf8FromUtf16(u"\xD835"), "\xEF\xBF\xBD");
}

} // namespace
} // namespace kt
