#include <gtest/gtest.h>

#include <string>

#include "json_writer.h"

namespace {

TEST(Json, Utf8Validation) {
    struct Case {
        std::string bytes;
        bool valid;
    };
    const Case cases[] = {
        {"plain", true},          {"caf\xC3\xA9", true},     {"\xE2\x82\xAC", true},
        {"\xF0\x9F\x8E\xB5", true}, {"\xE9", false},          {"\xC0\xAF", false},
        {"\xE0\x80\xAF", false},  {"\xED\xA0\x80", false},   {"\xF4\x90\x80\x80", false},
        {"\xC3", false},          {"\x80", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(tw::IsValidUtf8(c.bytes), c.valid);
    }
}

TEST(Json, StringsAreEscapedAndAlwaysUtf8) {
    EXPECT_EQ(tw::JsonString("a\"b\\c\r\n\t\x01"), "\"a\\\"b\\\\c\\r\\n\\t\\u0001\"");
    EXPECT_EQ(tw::JsonString("caf\xC3\xA9"), "\"caf\xC3\xA9\"");
    // Not UTF-8: every byte is taken as Latin-1.
    EXPECT_EQ(tw::JsonString("caf\xE9 \xC3"), "\"caf\xC3\xA9 \xC3\x83\"");
}

TEST(Json, NumbersReadBackExactly) {
    EXPECT_EQ(tw::JsonNumber(0.25), "0.25");
    EXPECT_EQ(tw::JsonNumber(1.0), "1");
    EXPECT_EQ(tw::JsonNumber(1.5 / 32), "0.046875");
    EXPECT_EQ(tw::JsonNumber(1.0 / 3), "0.3333333333333333");
}

}  // namespace
