#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/json_writer.h"
#include "engine/cnotes.h"

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

// A note's texts are written in place unless one needs an escape.
TEST(Json, NoteTextsWrittenInPlaceAreEscapedWhenTheyNeedIt) {
    tw::CNotes notes;
    notes.SetFull_RTTTL("x:d=4,o=5,b=100:8\"5, 4\\, 8c");
    std::ostringstream out;
    tw::WriteNotesJson(notes, out);
    const std::string json = out.str();
    EXPECT_NE(json.find(R"({"rtttl": "8\"", "composer": "8\"1")"), std::string::npos) << json;
    EXPECT_NE(json.find(R"({"rtttl": "\\", "composer": "4\\1")"), std::string::npos) << json;
    EXPECT_NE(json.find(R"({"rtttl": "8c", "composer": "8c1", "keypresses": "18")"), std::string::npos) << json;
}

// Notes of the same short form are written once and copied: every note's
// object must still be its own, among more kinds of notes than are kept and
// notes that differ in a single dot, sharp, octave or letter case.
TEST(Json, EachNoteIsWrittenAsItselfWhenObjectsAreCopied) {
    std::string text = "Kinds:d=4,o=5,b=125:";
    std::vector<std::string> tokens;
    for (const char* duration : {"", "1", "2", "8", "16", "32", "3"})
        for (const char* letter : {"c", "d", "e", "a", "b", "p", "C"})
            for (const char* sharp : {"", "#"})
                for (const char* dot : {"", "."})
                    for (const char* octave : {"", "4", "6", "7", "8"})
                        tokens.push_back(std::string(duration) + letter + sharp + dot + octave);
    for (int pass = 0; pass < 2; ++pass)
        for (std::size_t i = 0; i < tokens.size(); ++i) text += tokens[(i * 7 + pass) % tokens.size()] + ",";
    tw::CNotes notes;
    notes.SetFull_RTTTL(text);
    std::ostringstream out;
    tw::WriteNotesJson(notes, out);
    const std::string json = out.str();

    std::size_t at = json.find("\"notes\": [");
    ASSERT_NE(at, std::string::npos);
    std::size_t withProblem = 0;
    for (const tw::CNote& note : notes) {
        std::string object = "{\"rtttl\": \"" + note.RTTTLText() + "\", \"composer\": \"" + note.ComposerText() +
                             "\", \"keypresses\": \"" + note.Keypresses() +
                             "\", \"frequency_hz\": " + tw::JsonNumber(note.SoundFrequency()) +
                             ", \"length\": " + tw::JsonNumber(note.SoundDuration());
        if (!note.Problem().empty()) {
            object += ", \"problem\": " + tw::JsonString(note.Problem());
            ++withProblem;
        }
        object += "}";
        const std::size_t next = json.find("{", at + 1);
        ASSERT_NE(next, std::string::npos);
        ASSERT_EQ(json.substr(next, object.size()), object) << "note " << note.RTTTLText();
        at = next + object.size();
    }
    // Most notes keep nothing aside, so most objects were copied.
    EXPECT_LT(withProblem, notes.Notes().size() / 2);
}

}  // namespace
