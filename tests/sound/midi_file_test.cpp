// The ringtone as a Standard MIDI File.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/cnotes.h"
#include "sound/midi_file.h"
#include "sound/sound_error.h"

namespace {

std::vector<std::uint8_t> Midi(const std::string& rtttl) {
    tw::CNotes ringtone;
    ringtone.SetFull_RTTTL(rtttl);
    return tw::WriteMidi(ringtone);
}

// Worked out by hand: a4 is key 69 for a quarter note (480 ticks); an eighth
// pause delays the next note by 240; a dotted quarter c6 (84) lasts 720 in
// two-byte lengths; a sixteenth e5 (76) 120; the track ends after it.
TEST(MidiFile, WritesFormatZeroWithExactTicks) {
    // clang-format off
    const std::vector<std::uint8_t> expected = {
        'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0,   // format 0, 1 track, 480
        'M', 'T', 'r', 'k', 0, 0, 0, 0x31,                        // 49 bytes follow
        0x00, 0xFF, 0x03, 0x04, 'T', 'u', 'n', 'e',               // track name
        0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,                 // 500,000 us: 120 a minute
        0x00, 0xC0, 0x50,                                         // square lead
        0x00, 0x90, 69, 100, 0x83, 0x60, 0x80, 69, 0,             // a4, 480
        0x81, 0x70, 0x90, 84, 100, 0x85, 0x50, 0x80, 84, 0,       // 240 later, c6 for 720
        0x00, 0x90, 76, 100, 0x78, 0x80, 76, 0,                   // e5 for 120
        0x00, 0xFF, 0x2F, 0x00};
    // clang-format on
    EXPECT_EQ(Midi("Tune:d=4,o=5,b=120:a4,8p,c6.,16e"), expected);
}

TEST(MidiFile, KeysAreTruePitches) {
    const std::pair<double, int> rows[] = {{440.0, 69}, {523.0, 72}, {880.0, 81}, {27.5, 21}, {4186.0, 108}};
    for (const auto& [frequency, key] : rows) EXPECT_EQ(tw::MidiKey(frequency), key) << frequency;
}

// The tempo event holds 24 bits of microseconds: a tempo below 4 does not fit.
TEST(MidiFile, TempoOutOfItsRangeIsRefused) {
    for (const char* tempo : {"3", "0", "fast"}) {
        tw::CNotes ringtone;
        ringtone.SetFull_RTTTL(std::string("Slow:d=4,o=5,b=") + tempo + ":c");
        EXPECT_THROW(tw::WriteMidi(ringtone), tw::SoundError) << tempo;
    }
    EXPECT_NO_THROW(Midi("Slow:d=4,o=5,b=4:c"));
}

}  // namespace
