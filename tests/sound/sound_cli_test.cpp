#include <sstream>

#include "cli.h"
#include "cli_run.h"
#include "fake_player.h"
#include "render.h"
#include "ringtone_input.h"
#include "sound_commands.h"
#include "sound_test_support.h"

namespace twtest {
namespace {

using tw::test::CliRun;
constexpr auto Tunewright = tw::test::RunTunewright;

Bytes ImageOf(const std::string& rtttl) {
    tw::CNotes notes;
    notes.SetOutputSeparator(", ");
    notes.SetFull_RTTTL(rtttl);
    return tw::RenderWave(notes);
}

const std::string Song = "Song:d=8,o=5,b=140:c,e,g,4p,c6";

TEST(WavCommand, WritesTheImageToStandardOutput) {
    const CliRun run = Tunewright({"wav", "--from", "rtttl", "-o", "-"}, Song);
    EXPECT_EQ(run.code, tw::ExitClean);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Bytes(run.out.begin(), run.out.end()), ImageOf(Song));
}

TEST(WavCommand, WritesTheImageToAFile) {
    TempFolder folder;
    const CliRun run = Tunewright({"wav", "--from=rtttl", "--output", folder.File("song.wav")}, Song);
    EXPECT_EQ(run.code, tw::ExitClean);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadBytes(folder.File("song.wav")), ImageOf(Song));
}

TEST(WavCommand, ReportsTheRingtonesProblemsAndStillMakesTheSound) {
    TempFolder folder;
    const CliRun run = Tunewright({"wav", "--from", "rtttl", "-o", folder.File("x.wav")}, "d=4,o=5,b=120:c,d");
    EXPECT_EQ(run.code, tw::ExitProblems);
    EXPECT_EQ(run.err, "Ringtone name is invalid.\n");
    EXPECT_EQ(ReadBytes(folder.File("x.wav")).size(), 44u + 2 * (1 + 4008 + 36 + 4007 + 36));
}

struct FailCase {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    int code;
    std::string err;
};

void PrintTo(const FailCase& c, std::ostream* os) { *os << c.name; }

class SoundCommandFailure : public ::testing::TestWithParam<FailCase> {};

TEST_P(SoundCommandFailure, WritesNothingToStandardOutputOrDisk) {
    TempFolder folder;
    std::vector<std::string> args = GetParam().args;
    for (std::string& arg : args)
        if (arg == "OUT") arg = folder.File("out.wav");
    const CliRun run = Tunewright(args, GetParam().input);
    EXPECT_EQ(run.code, GetParam().code);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.substr(0, GetParam().err.size()), GetParam().err);
    EXPECT_TRUE(folder.Entries().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cli, SoundCommandFailure,
    ::testing::Values(
        FailCase{"TempoZero", {"wav", "--from", "rtttl", "-o", "OUT"}, "T:d=4,o=5,b=0:c,d", tw::ExitSound,
                 "error: the tempo must be above 0, not 0\n"},
        FailCase{"TempoZeroToStdout", {"wav", "--from", "rtttl", "-o", "-"}, "T:d=4,o=5,b=0:c,d", tw::ExitSound,
                 "error: the tempo must be above 0, not 0\n"},
        FailCase{"BadNoteAfterItsProblem", {"wav", "--from", "rtttl", "-o", "OUT"}, "T:d=4,o=5,b=90:c,c99",
                 tw::ExitSound,
                 "The ringtone note format seems to be invalid.  Check the ringtone matches the source type in Box 1.\n"
                 "error: note 2: "},
        FailCase{"NoOutput", {"wav", "--from", "rtttl"}, Song, tw::ExitUsage, "error: wav needs --from and -o\n"},
        FailCase{"NoFrom", {"wav", "-o", "OUT"}, Song, tw::ExitUsage, "error: wav needs --from and -o\n"},
        FailCase{"NoText", {"wav", "--from", "rtttl", "-o", "OUT"}, "  ", tw::ExitNothingRead,
                 "error: no ringtone text\n"},
        FailCase{"PlayTakesNoOutput", {"play", "--from", "rtttl", "-o", "OUT"}, Song, tw::ExitUsage,
                 "error: unknown option '-o'\n"},
        FailCase{"PlayNeedsFrom", {"play"}, Song, tw::ExitUsage, "error: play needs --from\n"},
        FailCase{"PlayNothingRead", {"play", "--from", "composer"}, "", tw::ExitNothingRead,
                 "error: no ringtone text\n"}),
    [](const ::testing::TestParamInfo<FailCase>& info) { return std::string(info.param.name); });

TEST(PlayCommand, PlaysTheRenderedImageOnce) {
    tw::FakePlayer player;
    std::istringstream in(Song);
    std::ostringstream err;
    EXPECT_EQ(tw::PlayCommand({"--from", "rtttl"}, in, err, &player), tw::ExitClean);
    ASSERT_EQ(player.Played().size(), 1u);
    EXPECT_EQ(player.Played()[0], ImageOf(Song));
}

TEST(PlayCommand, APlayerFailureEndsWithExitCodeThree) {
    tw::FakePlayer player;
    player.FailWith("no sound output device is available");
    std::istringstream in(Song);
    std::ostringstream err;
    try {
        tw::PlayCommand({"--from", "rtttl"}, in, err, &player);
        ADD_FAILURE() << "the command did not fail";
    } catch (const tw::CommandFailure& failure) {
        EXPECT_EQ(failure.exitCode, tw::ExitSound);
        EXPECT_EQ(failure.text, "no sound output device is available");
    }
}

}  // namespace
}  // namespace twtest
