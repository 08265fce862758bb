// Every published ringtone (kept beside the project, skipped when absent)
// that iMelody or a Smart Messaging ringing tone can hold goes there and back
// unchanged in pitch, length and dot. Of the 519, iMelody holds 512 and a
// ringing tone 501; the others have notes outside their octaves or lengths,
// or tokens that are no note.
#include "engine/imelody.h"
#include "engine/ott.h"
#include "handset_file_support.h"
#include "support/published_sample.h"

namespace {

using namespace twtest;

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
    const auto sample = tw::test::PublishedSample();
    if (!sample) GTEST_SKIP() << tw::test::kNoPublishedSample;
    std::size_t held = 0;
    for (const auto& [source, text] : *sample) {
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
                         ::testing::Values(Format{tw::FileFormat::IMelody, 512}, Format{tw::FileFormat::Ott, 501}));

}  // namespace
