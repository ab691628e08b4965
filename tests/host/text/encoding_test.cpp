// Text boundary: GBK in memory, UTF-8 outside, strict in both directions.
#include "host/text/encoding.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/error_text.h"
#include "support/utf8_literal.h"

using testing::HasSubstr;

using ds_test::utf8;

namespace {
std::string conversion_message(auto convert) { return ds_test::error_text<ds_text::conversion_error>(convert); }
}  // namespace

TEST(Encoding, ChineseTextRoundTripsThroughUtf8)
{
    const CString narrow = "垫石_钢筋表";
#if DS_NARROW_IS_GBK
    EXPECT_STREQ(ds_text::narrow_charset(), "GBK");
    EXPECT_EQ(narrow.GetLength(), 11);
#endif
    EXPECT_EQ(ds_text::to_utf8(narrow), utf8(u8"垫石_钢筋表"));
    EXPECT_EQ(ds_text::from_utf8(utf8(u8"垫石_钢筋表")), narrow);
    EXPECT_EQ(ds_text::from_utf8(""), CString());
    // Long text crosses the converter's internal buffer.
    std::string long_utf8;
    CString long_narrow;
    for (int i = 0; i < 2000; ++i) {
        long_utf8 += utf8(u8"墩台a");
        long_narrow += "墩台a";
    }
    EXPECT_EQ(ds_text::from_utf8(long_utf8), long_narrow);
    EXPECT_EQ(ds_text::to_utf8(long_narrow), long_utf8);
}

TEST(Encoding, TextThatDoesNotConvertNamesCharacterAndOffset)
{
    // Invalid UTF-8: a stray continuation byte, an overlong "/", a surrogate, a cut character.
    EXPECT_THAT(conversion_message([] { ds_text::from_utf8("ab\x80"); }), HasSubstr("\\x80 at byte offset 2"));
    EXPECT_THAT(conversion_message([] { ds_text::from_utf8("\xC0\xAF"); }), HasSubstr("byte offset 0"));
    EXPECT_THAT(conversion_message([] { ds_text::from_utf8("x\xED\xA0\x80"); }), HasSubstr("byte offset 1"));
    EXPECT_THAT(conversion_message([] { ds_text::from_utf8(utf8(u8"垫").substr(0, 2)); }),
                HasSubstr("byte offset 0"));
#if DS_NARROW_IS_GBK
    // Characters GBK lacks are named, never dropped.
    const std::string message = conversion_message([] { ds_text::from_utf8(utf8(u8"面积 m²")); });
    const std::string named = utf8(u8"U+00B2 \"²\"");
    EXPECT_THAT(message, HasSubstr(named));
    EXPECT_THAT(message, HasSubstr("at byte offset 8"));
    const std::string empty_set = conversion_message([] { ds_text::from_utf8(utf8(u8"∅12")); });
    EXPECT_THAT(empty_set, HasSubstr("U+2205"));
    // iconv turns the tag characters into nothing without an error.
    EXPECT_THAT(conversion_message([] { ds_text::from_utf8(utf8(u8"垫石\U000E0041")); }),
                HasSubstr("U+E0041 \"" + utf8(u8"\U000E0041") + "\" at byte offset 6"));
    EXPECT_THAT(conversion_message([] { ds_text::from_utf8(utf8(u8"\U000E007F垫")); }), HasSubstr("U+E007F"));
    // Bytes that are not GBK.
    EXPECT_THAT(conversion_message([] { ds_text::to_utf8(std::string_view("ab\xFF", 3)); }),
                HasSubstr("\\xFF at byte offset 2"));
    EXPECT_THAT(conversion_message([] { ds_text::to_utf8(std::string_view("a\x81", 2)); }),
                HasSubstr("byte offset 1"));
    EXPECT_EQ(ds_text::to_utf8_for_display(std::string_view("垫\xFF石")), utf8(u8"垫\\xFF石"));
#endif
}

#if DS_NARROW_IS_GBK
TEST(Encoding, RepeatedTextsConvertAlikeEveryTime)
{
    // Converted results are kept for repeated words: far more words than
    // places to keep them, each converted three times in both directions,
    // must each give its own result every time.
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 1000; ++i) {
            const std::string number = std::to_string(i);
            const CString narrow = CString("桥墩") + number.c_str();
            const std::string wide = utf8(u8"桥墩") + number;
            ASSERT_EQ(ds_text::to_utf8(narrow), wide) << i;
            ASSERT_EQ(ds_text::from_utf8(wide), narrow) << i;
        }
    }
    // A text that failed fails again, also beside one that converted.
    const std::string lacking = utf8(u8"墩²");
    EXPECT_EQ(ds_text::from_utf8(utf8(u8"墩")), CString("墩"));
    for (int i = 0; i < 2; ++i)
        EXPECT_THAT(conversion_message([&] { ds_text::from_utf8(lacking); }), HasSubstr("U+00B2"));
}
#endif
