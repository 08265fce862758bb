#pragma once

#include <optional>
#include <string_view>

#include "engine/written_ringtone.h"

// iMelody 1.2, class 1.0: the text object phones exchange as .imy files.
//
//   BEGIN:IMELODY
//   VERSION:1.2
//   FORMAT:CLASS1.0
//   NAME:Tune
//   BEAT:120
//   MELODY:*3c2*3d2*3e2r2(*3c3*3e3@2)
//   END:IMELODY
//
// The melody: "*0" ... "*8" chooses an octave (the a of octave n is 55 Hz x
// 2^n, so *3a is 440 Hz, RTTTL's a4; *4 before any prefix); notes c d e f g
// a b with "#" before the letter for a sharp ("#c", as the grammar has it;
// "c#" after it is read too) and "&" before it for a flat ("&b"); lengths 0
// (whole) to 5 (1/32); "." dotted, ":" double dotted, ";" 2/3 of the
// length; "r" and a length is a rest; "( ... @n)" plays the notes between n
// times; "ledon", "ledoff", "vibeon", "vibeoff", "backon", "backoff", "V+",
// "V-" and "Vn" are commands for the phone, which a ringtone does not keep.
//
// Writers disagree on how long an octave prefix holds: until the next one
// (as Android's player reads it), or for the one note it stands before, a
// note without one being in *4 (as Gammu writes it). Nothing in a file tells
// which, so the reader is told; the writer puts a prefix on every note, which
// both read alike.
namespace tw {

class CNotes;

enum class OctavePrefixes {
    UntilNext,  // a prefix holds until the next one
    OneNote,    // a prefix is for the note after it; a note without one is in *4
};

// "until-next" and "one-note", as the command line and the settings name
// them.
std::string_view OctavePrefixesWord(OctavePrefixes prefixes);
std::optional<OctavePrefixes> OctavePrefixesFromWord(std::string_view word);

// Reads an iMelody object into `ringtone`, as phones and collections write
// them: the lines between BEGIN:IMELODY and END:IMELODY in any order, ending
// in CR LF, LF or CR, blanks before a key skipped, a line starting with a
// blank and no key continuing the one before, keywords in any case, other
// lines skipped; BEAT 120 when missing; octave prefixes as `prefixes` says.
// A repeat is unrolled: "@n" plays its notes n times, "@0" (for ever on the
// phone) once. A double dot and a triplet whole note are read as the nearest
// dotted length and reported on their notes.
// Throws EngineError: TooLong when the text, or the melody with its
// repeats, is longer than the program reads; BadFile, saying what and
// where, for anything else it cannot read.
void ReadIMelody(CNotes& ringtone, std::string_view text, OctavePrefixes prefixes = OctavePrefixes::UntilNext);

// Whether the two readings of octave prefixes give the text different notes;
// false when either cannot read it.
bool OctavePrefixesMatter(std::string_view text);

// The ringtone as the oldest phones read it: VERSION:1.2, FORMAT:CLASS1.0,
// NAME, BEAT (the tempo, within 25 to 900), MELODY with an octave prefix on
// every note and sharps before the letter, END:IMELODY, each line ending in
// CR LF.
// A note iMelody cannot hold (outside *0 to *8, a length it has not) is
// written as the nearest it has and reported; a note that was misread is
// left out and reported. Throws EngineError (TooLong) for a text longer
// than the program reads again.
WrittenRingtone WriteIMelody(const CNotes& ringtone);

// Whether the bytes start (after blanks and a byte order mark) with
// BEGIN:IMELODY, in any case.
bool LooksLikeIMelody(std::string_view bytes);

}  // namespace tw
