// Names that once broke the text they were written into, through the
// command line: each comes out as its look-alike with the right tempo and
// every note, and what was replaced is said on standard error.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/cnotes.h"
#include "engine/file_format.h"
#include "support/cli_run.h"
#include "support/midi_bytes.h"
#include "support/temp_files.h"

namespace {

using tw::test::CliRun;
using tw::test::ExpectConverts;
using tw::test::RunTunewright;
namespace midi = tw::test::midi;

std::string Colons(const std::string& name) {
    return "name \"" + name + "\": \":\" replaced by \"-\" (a colon ends the name in a ringtone text)\n";
}
std::string Guarded(const std::string& name, const std::string& marker) {
    return "name \"" + name + "\": \"_\" put before the leading \"" + marker +
           "\" (a collection takes a line starting with \"" + marker + "\" for a comment)\n";
}

// A ringing tone of c6 and 8d6 at tempo 90 titled "Bass: O2", as another
// program may write it.
std::string TitledOtt() {
    tw::CNotes notes;
    notes.SetFull_RTTTL("x:d=4,o=5,b=90:c6,8d6");
    notes.SetName("Bass: O2");
    return tw::WriteRingtoneAs(notes, tw::FileFormat::Ott).bytes;
}

class NamesCli : public tw::test::FreshHomeTest {
protected:
    CliRun List(std::vector<std::string> args, const std::string& input = {}) {
        args.insert(args.begin(), "list");
        return RunTunewright(args, input);
    }
};

// Read with a name that cannot stay: the look-alike, the report on standard
// error and exit 1; what was written reads back cleanly.
TEST_F(NamesCli, ConvertWritesTheLookAlikeAndReportsIt) {
    ExpectConverts({
        {{"--from", "rtttl", "--to", "composer"}, "A:b:d=4,o=5,b=90:c,d", 1, "A-b:Tempo=90:4c1, 4d1\n", Colons("A-b")},
        {{"--from", "composer", "--to", "rtttl"}, "A-b:Tempo=90:4c1, 4d1", 0, "A-b:d=4,o=5,b=90:c, d\n", ""},
        {{"--from", "rtttl", "--to", "keypresses"},
         "#hash:d=4,o=5,b=90:c,d",
         1,
         "_#hash:Tempo=90:1, 2\n",
         Guarded("_#hash", "#")},
        {{"--from", "keypresses", "--to", "rtttl"}, "_#hash:Tempo=90:1, 2", 0, "_#hash:d=4,o=5,b=90:c, d\n", ""},
        {{"--from", "imelody", "--to", "rtttl"},
         "BEGIN:IMELODY\r\nNAME:Bass: O2\r\nBEAT:90\r\nMELODY:*5c2d3\r\nEND:IMELODY\r\n",
         1,
         "Bass- O2:d=4,o=5,b=90:c6, 8d6\n",
         Colons("Bass- O2")},
        {{"--from", "ott", "--to", "rtttl"}, TitledOtt(), 1, "Bass- O2:d=4,o=5,b=90:c6, 8d6\n", Colons("Bass- O2")},
    });
}

// The track "Synth: B3 Lead" (tempo 100, c5 and d5 as quarter notes) and a
// name given with --name.
TEST_F(NamesCli, FromMidiNamesTheRingtoneWithTheLookAlike) {
    const std::string song = midi::File(
        0, {midi::Name("Synth: B3 Lead") + midi::Tempo(0, 600000) + midi::Note(72, 480) + midi::Note(74, 480)});
    CliRun run = RunTunewright({"from-midi", "-"}, song);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "Synth- B3 Lead:d=4,o=5,b=100:c, d\n");
    EXPECT_EQ(run.err, "The ringtone is named \"Synth- B3 Lead\" after the song's title.\n" + Colons("Synth- B3 Lead"));
    run = RunTunewright({"from-midi", "-", "--name", "A:b", "--to", "composer"}, song);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "A-b:Tempo=100:4c1, 4d1\n");
    EXPECT_EQ(run.err, "The ringtone is named \"A-b\" as given.\n" + Colons("A-b"));
}

// Entries of an older list stored under such names load, convert and export
// under the look-alike, and the export imports back whole.
TEST_F(NamesCli, OldEntriesExportAndImportWhole) {
    std::filesystem::create_directories(home / "lists");
    tw::test::WriteBytes(home / "lists" / "Old.dat",
                         "[#hash]\r\nRTTTL=#hash:d=4,o=5,b=90:c, d\r\n"
                         "[A:b]\r\nRTTTL=A:b:d=4,o=5,b=90:c, d\r\n"
                         "[//x]\r\nRTTTL=//x:d=4,o=5,b=90:c, d\r\n");
    CliRun run = List({"get", "Old", "#hash", "--to", "composer"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "_#hash:Tempo=90:4c1, 4d1\n");
    EXPECT_EQ(run.err, Guarded("_#hash", "#"));

    run = List({"export", "Old", "--raw", "--types", "rtttl", "-o", (home / "raw.txt").string()});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "#hash: " + Guarded("_#hash", "#") + "//x: " + Guarded("_//x", "//") + "A:b: " + Colons("A-b"));
    run = List({"import", "New", "--from", "rtttl", (home / "raw.txt").string()});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "imported 3, skipped 0\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(List({"show", "New"}).out, "_#hash\n_//x\nA-b\n");
    EXPECT_EQ(List({"get", "New", "A-b", "--to", "rtttl"}).out, "A-b:d=4,o=5,b=90:c, d\n");

    run = RunTunewright({"convert", "--each", "--from", "rtttl", "--to", "composer", (home / "raw.txt").string()});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "_#hash:Tempo=90:4c1, 4d1\n_//x:Tempo=90:4c1, 4d1\nA-b:Tempo=90:4c1, 4d1\n");
}

}  // namespace
