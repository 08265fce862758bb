// Every published ringtone (tests/data) that iMelody or a Smart Messaging
// ringing tone can hold goes there and back unchanged in pitch, length and dot.
// Of the 580, iMelody holds 572 and a ringing tone 555; the others have notes
// outside their octaves or lengths, or tokens that are no note.
#include <fstream>

#include "engine/imelody.h"
#include "engine/ott.h"
#include "handset_file_support.h"

namespace {

using namespace twtest;

// The ringtones of both samples: the hand-checked one and the larger one
// gathered from public collections.
std::vector<std::string> PublishedTexts() {
    std::vector<std::string> texts;
    for (const char* name : {"/published-ringtones.tsv", "/realworld-sample.tsv"}) {
        std::ifstream file(std::string(TW_TEST_DATA_DIR) + name);
        std::string line;
        std::getline(file, line);  // the column names
        while (std::getline(file, line)) {
            const std::string text = line.substr(line.find('\t') + 1);
            texts.push_back(tw::ReplaceAll(tw::ReplaceAll(text, "\\n", "\n"), "\\r", "\r"));
        }
    }
    return texts;
}

// Whether a format's report is about the ringtone alone (its tempo, its
// name), which no note depends on.
bool NoNoteProblem(const std::vector<std::string>& problems) {
    for (const std::string& problem : problems)
        if (problem.starts_with("note ")) return false;
    return true;
}

struct Format {
    tw::FileFormat format;
    std::size_t atLeast;  // how many of the published ringtones it holds
};
void PrintTo(const Format& f, std::ostream* out) { *out << tw::FileFormatName(f.format); }

class PublishedThroughFiles : public ::testing::TestWithParam<Format> {};

TEST_P(PublishedThroughFiles, KeepEveryNote) {
    std::size_t held = 0;
    for (const std::string& text : PublishedTexts()) {
        SCOPED_TRACE(text.substr(0, 60));
        const tw::CNotes first = ReadRTTTL(text);
        tw::WrittenRingtone written;
        try {
            written = tw::WriteRingtoneAs(first, GetParam().format);
        } catch (const tw::EngineError& e) {
            EXPECT_EQ(e.reason(), Reason::CannotWrite);
            continue;
        }
        if (!NoNoteProblem(written.problems)) continue;
        ++held;
        const tw::CNotes again = ReadRTTTL(ReadFile(GetParam().format, written.bytes).Full_RTTTL());
        EXPECT_EQ(NotesOf(again), NotesOf(first));
        ASSERT_EQ(again.Count(), first.Count());
        for (std::int32_t i = 1; i <= first.Count(); ++i) {
            EXPECT_EQ(again.Item(i).SoundFrequency(), first.Item(i).SoundFrequency()) << "note " << i;
            EXPECT_EQ(again.Item(i).SoundDuration(), first.Item(i).SoundDuration()) << "note " << i;
        }
    }
    EXPECT_GE(held, GetParam().atLeast);
}

INSTANTIATE_TEST_SUITE_P(Formats, PublishedThroughFiles,
                         ::testing::Values(Format{tw::FileFormat::IMelody, 572}, Format{tw::FileFormat::Ott, 555}));

}  // namespace
