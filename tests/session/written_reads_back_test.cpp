// Whatever any writer writes, Tunewright reads back to the same name, tempo,
// pitches and lengths (or the nearest the format holds, reported), or it
// refuses before writing, says why and writes nothing: every writer against
// hard ringtones of our own and, when it is there, the public sample.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/text_rules.h"
#include "support/published_sample.h"
#include "support/temp_files.h"
#include "support/written_reads_back.h"

namespace {

using tw::Notation;
using tw::test::Writer;

struct Row {
    const char* what;
    Notation from;
    std::string text;
};

std::string Repeated(const std::string& note, int times) {
    std::string notes = note;
    for (int i = 1; i < times; ++i) notes += "," + note;
    return notes;
}

const Row Rows[] = {
    {"composer octaves 0 to 5", Notation::Composer, "Octaves:Tempo=100:4c0, 4c1, 8.g4, 4c5, 4d2, 16#a3, 4-0, 2#f0"},
    {"RTTTL octaves 0 to 9", Notation::RTTTL, "Octaves:d=4,o=5,b=125:c0,d1,e2,f3,g4,a5,b6,c7,d8,e9,g9,a9,b9"},
    {"default octave 4", Notation::RTTTL, "Low:d=8,o=4,b=100:c,d,e5,4f,g6"},
    {"a length the composer lacks, then halves", Notation::RTTTL, "Odd:d=4,o=6,b=100:64c,2d,2e"},
    {"every length and dot", Notation::RTTTL,
     "Lengths:d=4,o=5,b=125:1c,1.d,2e,2.f,4g,4.a,8b,8.c6,16d6,16.e6,32f6,32.g6,3a,3.b,6c,12d,24e,48f,64g,64.a,128b"},
    {"composer lengths it lacks", Notation::Composer, "Odd:Tempo=120:64c1, 2d2, 3e1, 12.f2, 4g1, 128a3, 4b2"},
    {"pauses", Notation::RTTTL, "Pauses:d=8,o=6,b=140:p,4p.,c,16p,32p.,1p,d,2p.,p"},
    {"composer pauses", Notation::Composer, "Pauses:Tempo=90:8-, 4.-, 8c2, 16.-, 2-1, 32-"},
    {"sharps on e and b", Notation::RTTTL, "Sharps:d=4,o=5,b=125:e#,b#,e#4,b#7,c#,d#6,f#,g#,a#,8b#5,16e_6"},
    {"composer sharps on e and b", Notation::Composer, "Sharps:Tempo=125:4#e1, 4#b1, 4#b3, 4#e3, 8.#c2, 4#b2"},
    {"keypresses", Notation::Keypresses, "Keys:Tempo=140:(hold 1)8*#, 08, 2, 39, 0, 7**#, 4998"},
    {"letters the composer lacks", Notation::Composer, "Letters:Tempo=100:4c1, 4h1, 4p1, 8.x2, 4d1"},
    {"a note of duration 0", Notation::RTTTL, "Zero:d=4,o=5,b=100:c,0d,e"},
    {"tokens that are no note", Notation::RTTTL, "Gaps:d=8,o=5,b=120:c,,d,4,e,x,16"},
    {"tempo 1", Notation::RTTTL, "Slow:d=4,o=5,b=1:c,d"},
    {"tempo 3", Notation::RTTTL, "Slow:d=4,o=5,b=3:c,d"},
    {"tempo 4", Notation::RTTTL, "Slow:d=4,o=5,b=4:c,8d"},
    {"tempo 25", Notation::Composer, "Slow:Tempo=25:4c1, 4d1"},
    {"tempo 900", Notation::Composer, "Fast:Tempo=900:4c1, 4d1"},
    {"tempo 7800", Notation::RTTTL, "Fast:d=4,o=5,b=7800:c,d"},
    {"tempo 32767", Notation::RTTTL, "Fast:d=4,o=5,b=32767:c,d"},
    {"a name longer than a ringing tone's", Notation::RTTTL, "A rather long ringtone name:d=4,o=5,b=125:c,d"},
    {"no note that reads", Notation::RTTTL, "None:d=4,o=5,b=125:x,y"},
    {"pauses alone", Notation::RTTTL, "Quiet:d=4,o=5,b=125:p,8p"},
    {"a colon in the name", Notation::RTTTL, "Synth: B3 Lead:d=4,o=5,b=90:c,8e6"},
    {"comment markers leading names", Notation::RTTTL, "#1 Hit:d=4,o=5,b=90:c,d"},
    {"a semicolon leading the name", Notation::Composer, ";Intro:Tempo=90:4c1, 4d1"},
    {"slashes leading the name", Notation::RTTTL, "//Outro:d=4,o=5,b=90:c"},
    {"a tab in the name", Notation::RTTTL, "Tab\tName:d=4,o=5,b=90:c"},
    {"UTF-8 and brackets in the name", Notation::Composer, "Ch\xC3\xA2teau (live) [2]:Tempo=90:4c1, 8d2"},
    {"51 notes", Notation::Composer, "Long:Tempo=160:" + Repeated("8c2, 16.#d3, 8-", 17)},
    {"300 notes in many octaves", Notation::RTTTL, "Longer:d=16,o=5,b=200:" + Repeated("c,e6,g7,p,8b4", 60)},
};

class WrittenReadsBack : public ::testing::TestWithParam<Writer> {
protected:
    // Reads `text` as the window gets a ringtone (into a list of its own) and
    // checks what the writer makes of it.
    void Check(Notation from, const std::string& text) {
        const tw::test::TempDir home(tw::test::MemoryTemporaryFolder());
        tw::RingtoneSession session(home.path());
        session.Ringtone().SetOutputSeparator(", ");
        session.OpenList("Fidelity");
        session.Get(from, text);
        const tw::test::RoundTrip trip = tw::test::WriteAndReadBack(session, from, GetParam(), home.path());
        EXPECT_EQ(tw::test::Fault(trip), "");
    }
};

TEST_P(WrittenReadsBack, HardRingtonesOfOurOwn) {
    for (const Row& row : Rows) {
        SCOPED_TRACE(row.what);
        Check(row.from, row.text);
    }
}

TEST_P(WrittenReadsBack, ThePublicSample) {
    const auto sample = tw::test::PublishedSample();
    if (!sample) GTEST_SKIP() << tw::test::kNoPublishedSample;
    for (const auto& [source, text] : *sample) {
        SCOPED_TRACE(text.substr(0, 70));
        Check(Notation::RTTTL, text);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWriter, WrittenReadsBack, ::testing::ValuesIn(tw::test::EveryWriter()));

}  // namespace
