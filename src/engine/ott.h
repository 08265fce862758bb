#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/written_ringtone.h"

// Smart Messaging ringing tones (.ott): bit-packed binary, most significant
// bit first. The layout read and written here:
//
//   8  command-part count                     00000010 when written
//   7  ringing-tone programming command       0100101
//      filler to the octet                    0
//   7  sound command                          0011101
//   3  song type                              001 basic (010 temporary: no title)
//   4  title length n, at most 15
//   8n title, one ISO-8859-1 byte a character (16 bits after a unicode
//      command 0100010)
//   8  song sequence length: how many patterns follow
//   each pattern:
//     3  pattern header id                    000
//     2  pattern id                           00 A, 01 B, 10 C, 11 D
//     4  loop value                           0 played once ... 14 played 15
//                                             times, 15 for ever (kept once)
//     8  instruction count                    0: play pattern `id` again
//     each instruction, 3 bits of id first:
//       001 note   4 bits note value (0 pause, 1 C, 2 C#, ... 12 B),
//                  3 bits duration (0 whole ... 5 1/32),
//                  2 bits specifier (0 none, 1 dotted, 2 double dotted, 3 2/3)
//       010 scale  2 bits: a = 440, 880 (until one is given), 1760, 3520 Hz
//       011 style  2 bits (0 natural, 1 continuous, 2 staccato)
//       100 tempo  5 bits: index into OttTempos (63 until one is given)
//       101 volume 4 bits
//   filler to the octet, then the command end  00000000
//
// The scale whose a is 440 Hz is RTTTL's octave 4, so notes of RTTTL octaves
// 4 to 7 can be written.
namespace tw {

class CNotes;

// The tempos a ringing tone can have, in beats a minute.
inline constexpr std::array<std::int32_t, 32> OttTempos = {25,  28,  31,  35,  40,  45,  50,  56,  63,  70,  80,
                                                           90,  100, 112, 125, 140, 160, 180, 200, 225, 250, 285,
                                                           320, 355, 400, 450, 500, 565, 635, 715, 800, 900};

// Reads a ringing tone into `ringtone`: every pattern in order, a pattern
// played again by its id, loops unrolled; volume and style are skipped. The
// first tempo is the ringtone's; a later change is reported on the note it
// comes before. A double dot and a triplet whole note are read as the
// nearest dotted length and reported. Anything after the song is ignored.
// Throws EngineError: BadFile, saying what and where, for data that ends
// inside the song, an unknown command, song type or instruction, a note
// value or duration that does not exist, a pattern used before it is
// defined, a song without notes; TooLong for a song whose loops would pass
// the program's limit on a ringtone.
void ReadOtt(CNotes& ringtone, std::string_view bytes);

// The ringtone as one pattern: style natural, its tempo (the nearest of
// OttTempos, reported when it is not one of them), a scale before the first
// note and where the octave changes, its notes. A name past 15 characters is
// cut; a character beyond ISO-8859-1 becomes '?'; a note outside the four
// scales is written in the nearest; a length the format has not is written
// as the nearest; a misread note is left out: each is reported. Throws
// EngineError (CannotWrite) when the notes need more than the 255
// instructions of one pattern.
WrittenRingtone WriteOtt(const CNotes& ringtone);

// Whether the bytes start as a ringing-tone message does: a command-part
// count of 1 to 15, then the ringing tone programming, unicode or sound
// command.
bool LooksLikeOtt(std::string_view bytes);

}  // namespace tw
