// `tunewright play` in a voice: --voice, else the voice saved for Play, else
// the beep; played on a recording player.

#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <sstream>

#include "app/cli.h"
#include "app/cli_options.h"
#include "app/ringtone_input.h"
#include "app/sound_commands.h"
#include "shell/saved_settings.h"
#include "shell/settings_store.h"
#include "sound/voice_play.h"
#include "sound_test_support.h"
#include "support/fake_player.h"

namespace twtest {
namespace {

const std::string Song = "Song:d=8,o=5,b=140:c,e,g,4p,c6";

// The player `play` makes: hands every call on to the test's recording one.
class HandOn final : public tw::Player {
public:
    explicit HandOn(tw::Player& to) : to_(to) {}
    void PlayImage(std::span<const std::uint8_t> image) override { to_.PlayImage(image); }
    void Stop() override { to_.Stop(); }

private:
    tw::Player& to_;
};

tw::PlayerMaker MakerOf(tw::Player& player) {
    return [&player] { return std::make_unique<HandOn>(player); };
}

struct PlayRow {
    std::string name;
    std::vector<std::string> args;     // after "play"
    std::optional<std::string> saved;  // the PlayVoice setting
    std::optional<tw::Voice> played;   // nothing: nothing is played
    int code;
    std::string err;
};
void PrintTo(const PlayRow& row, std::ostream* out) { *out << row.name; }

class PlayVoiceCommand : public ::testing::TestWithParam<PlayRow> {};

TEST_P(PlayVoiceCommand, PlaysTheVoiceGivenElseTheSavedOne) {
    const PlayRow& row = GetParam();
    tw::MemorySettingsStore settings;
    if (row.saved) settings.SaveSetting(tw::SettingKey::PlayVoice, *row.saved);
    tw::FakePlayer player;
    std::istringstream in(Song);
    std::ostringstream err;
    int code = 0;
    try {
        code = tw::PlayCommand(row.args, in, err, MakerOf(player), settings);
    } catch (const tw::UsageError& e) {
        code = tw::ExitUsage;
        err << e.what();
    } catch (const tw::CommandFailure& e) {
        code = e.exitCode;
        err << e.what();
    }
    EXPECT_EQ(code, row.code);
    EXPECT_EQ(err.str(), row.err);
    std::vector<Bytes> expected;
    if (row.played) {
        tw::CNotes notes;
        notes.SetFull_RTTTL(Song);
        expected.push_back(tw::VoiceWaveImage(notes, *row.played));
    }
    EXPECT_EQ(player.Played(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PlayVoiceCommand,
    ::testing::Values(
        PlayRow{"nothing_saved_plays_the_beep", {"--from", "rtttl"}, std::nullopt, tw::Voice{}, tw::ExitClean, ""},
        PlayRow{"the_saved_voice", {"--from", "rtttl"}, "marimba", tw::Voice{12}, tw::ExitClean, ""},
        PlayRow{"a_saved_program", {"--from", "rtttl"}, "74", tw::Voice{73}, tw::ExitClean, ""},
        PlayRow{"an_unusable_saved_voice_is_the_beep", {"--from", "rtttl"}, "harp", tw::Voice{}, tw::ExitClean, ""},
        PlayRow{"voice_over_the_saved_one",
                {"--from", "rtttl", "--voice", "beep"},
                "marimba",
                tw::Voice{},
                tw::ExitClean,
                ""},
        PlayRow{"no_such_voice",
                {"--from", "rtttl", "--voice", "0"},
                std::nullopt,
                std::nullopt,
                tw::ExitUsage,
                "--voice takes beep, piano, music-box, vibraphone, marimba, guitar, or a General MIDI program 1 to "
                "128, not '0'"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace twtest
