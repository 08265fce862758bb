// Collections: where each ringtone of a published text starts and ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/collection.h"

namespace {

struct Found {
    std::size_t line;
    std::string text;
    bool operator==(const Found&) const = default;
};

void PrintTo(const Found& found, std::ostream* out) { *out << found.line << ": " << found.text; }

std::vector<Found> Split(const std::string& text) {
    std::vector<Found> found;
    for (const tw::CollectedRingtone& ringtone : tw::SplitCollection(text))
        found.push_back({ringtone.line, ringtone.text});
    return found;
}

TEST(Collection, OneRingtoneALineWrappedLinesContinueIt) {
    const struct {
        const char* name;
        std::string text;
        std::vector<Found> ringtones;
    } rows[] = {
        {"one a line, CR LF and LF",
         "A:d=4,o=5,b=125:c,d\r\nB:b=90:e\nC::f",
         {{1, "A:d=4,o=5,b=125:c,d"}, {2, "B:b=90:e"}, {3, "C::f"}}},
        {"wrapped",
         "Long:d=8,o=6,b=140:c,d,\r  e,f,\n g\rNext:d=4:a",
         {{1, "Long:d=8,o=6,b=140:c,d,e,f,g"}, {4, "Next:d=4:a"}}},
        {"blank and comment lines", "# mine\n\n; old\n// new\nA:o=5:c,\n\n# between\nc6", {{5, "A:o=5:c,c6"}}},
        {"a heading before the first", "My tones\n-----\nA:d=4:c", {{3, "A:d=4:c"}}},
        {"a line that is no ringtone joins the one before",
         "A:d=4:c\nvisit my site\nB:d=4:d",
         {{1, "A:d=4:cvisit my site"}, {3, "B:d=4:d"}}},
        {"duplicate names stay apart", "A:d=4:c\nA:d=4:d", {{1, "A:d=4:c"}, {2, "A:d=4:d"}}},
        {"composer and keypresses headers",
         "Song (Tempo 120) 4c1\nTune:Tempo=125:55 8\nX Tempo=90: 4c1",
         {{1, "Song (Tempo 120) 4c1"}, {2, "Tune:Tempo=125:55 8"}, {3, "X Tempo=90: 4c1"}}},
        {"a colon in the name",
         "Star Wars: Theme:d=8:c\nArtist::Title:d=4:e",
         {{1, "Star Wars: Theme:d=8:c"}, {2, "Artist::Title:d=4:e"}}},
        {"nothing", "\n# only a comment\n", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Split(row.text), row.ringtones);
    }
}

TEST(Collection, ALineStartsARingtoneWithANameAndAControlPart) {
    for (const char* line :
         {"A:d=4,o=5,b=125:c", "a:D = 8; O=6 :c", "a:b63:c", "a:s=x,b=90:c", "a::c", "A:Tempo=120:4c1"})
        EXPECT_TRUE(tw::StartsRingtone(line)) << line;
    for (const char* line :
         {"c,d,e", "8c6,8d6", "A:c,d", "http://tones.example/a", "A:8c:d", "(Tempo 120) only", "A:x=1:c"})
        EXPECT_FALSE(tw::StartsRingtone(line)) << line;
}

}  // namespace
