#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/written_ringtone.h"

// An Arduino sketch that plays a ringtone once on a buzzer: the melody as two
// arrays in program memory (pitch in whole hertz, 0 for a pause; length in
// whole milliseconds at the ringtone's tempo) and a setup() that walks them
// with tone(), noTone() and delay(). Each note sounds for the first nine
// tenths of its length and is silent for the last tenth, so repeated notes
// are heard apart and the whole lasts exactly the ringtone's time.
namespace tw {

class CNotes;

inline constexpr int DefaultBuzzerPin = 8;
inline constexpr int HighestBuzzerPin = 255;
// A length an array entry holds (uint16_t); a longer note is written as
// several entries of the same pitch.
inline constexpr std::uint32_t LongestSketchNoteMs = 65535;
// tone() on a 16 MHz board sounds from 31 Hz; an uint16_t holds to 65535.
inline constexpr std::uint32_t LowestTonePitch = 31;
inline constexpr std::uint32_t HighestTonePitch = 65535;
// An Uno has 32 KB of flash, 0.5 KB of it the bootloader's; the core, tone()
// and the playing loop take about 2 KB. The melody may have 28 KB of it.
inline constexpr std::size_t SketchMelodyBytesLimit = 28 * 1024;
inline constexpr std::size_t SketchBytesPerNote = 4;

struct SketchOptions {
    int pin = DefaultBuzzerPin;
};

// The sketch of `ringtone`. What it cannot hold as the ringtone has it goes
// to problems ("note 3, 1c: 240000 ms, longer than an entry's 65535 ms,
// written as 4 notes of the same pitch"); a ringtone with no note, a tempo
// that is no number above 0, or a melody over SketchMelodyBytesLimit throws
// EngineError (CannotWrite) with the figures.
WrittenRingtone WriteArduinoSketch(const CNotes& ringtone, const SketchOptions& options = {});

// The start of the identifiers made from a ringtone's name: ASCII letters,
// digits and single underscores, never empty, never starting with a digit or
// an underscore, at most 32 characters ("Happy_Birthday", "tune_007",
// "melody").
std::string SketchIdentifier(std::string_view name);

// `text` made safe inside a /* */ comment on one line: "*/" and "/*" broken
// apart ("* /", "/ *"), and "??", which an older compiler warns of as a
// trigraph ("? ?"); line breaks and other control characters as spaces.
std::string CommentSafe(std::string_view text);

}  // namespace tw
