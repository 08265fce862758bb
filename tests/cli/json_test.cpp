#include <gtest/gtest.h>

#include <string>

#include "app/json_writer.h"

namespace {

TEST(Json, Utf8ValidationAndEscapes) {
    for (const char* valid : {"plain", "caf\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x8E\xB5"})
        EXPECT_TRUE(tw::IsValidUtf8(valid)) << valid;
    // Latin-1, overlong forms, a surrogate, above U+10FFFF, cut short, a lone continuation byte.
    for (const char* invalid : {"\xE9", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC3", "\x80"})
        EXPECT_FALSE(tw::IsValidUtf8(invalid)) << testing::PrintToString(std::string(invalid));
    EXPECT_EQ(tw::JsonString("a\"b\\c\r\n\t\x01"), "\"a\\\"b\\\\c\\r\\n\\t\\u0001\"");
    EXPECT_EQ(tw::JsonString("caf\xC3\xA9"), "\"caf\xC3\xA9\"");
    EXPECT_EQ(tw::JsonString("caf\xE9 \xC3"), "\"caf\xC3\xA9 \xC3\x83\"");  // not UTF-8: every byte read as Latin-1
}

TEST(Json, NumbersReadBackExactly) {
    EXPECT_EQ(tw::JsonNumber(1.0) + " " + tw::JsonNumber(1.5 / 32), "1 0.046875");
    EXPECT_EQ(tw::JsonNumber(1.0 / 3), "0.3333333333333333");
}

}  // namespace
