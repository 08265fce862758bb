#pragma once

#include <string_view>

#include "engine/written_ringtone.h"

// The Flipper Music Format: the .fmf text files the Flipper Zero's music
// player plays.
//
//   Filetype: Flipper Music Format
//   Version: 0
//   BPM: 120
//   Duration: 4
//   Octave: 5
//   Notes: 4E6, 8P, 8D#6., 16C7, 2A5
//
// Each line is "Key: value"; a line starting with '#' is a comment. A note
// is [duration] letter [sharp] [octave] [dots]: the duration 1 to 128 (a
// 1/duration of a whole note), the letter A to G or P for a pause in any
// case, '#' (or '_') for a sharp, the octave 0 to 16 with C4 at 261.63 Hz and
// A4 at 440 Hz (so the octave numbers are RTTTL's), and any number of dots,
// each adding half of what the note was. A missing duration or octave, or a
// zero, is the header's Duration or Octave. The format has no name.
namespace tw {

class CNotes;

// Reads a file as the Flipper's music player reads it (a UTF-8 byte order
// mark before it passed over): the header's keys in
// that order, each the first of its name after the one before, matched in
// their case, lines before, between and after them skipped; "Filetype"
// exactly "Flipper Music Format", "Version" 0, and numbers after them as the
// player reads them (a sign, "0x" or a leading zero skipped, whatever
// follows the digits ignored); the notes separated by commas, blanks before
// a note skipped and anything after a note up to the next comma ignored.
// The notes are read as RTTTL, so every check and report of a ringtone
// applies. Durations and octaves are kept; a note with more than one dot is
// read as the nearest one-dot or plain length and reported. `name` names the
// ringtone (the file's name; "No name" when empty).
// Throws EngineError: TooLong for a file larger than a handset file;
// BadFile, saying what, for anything the player refuses (a missing key,
// another file type or version, a note without a letter, a duration outside
// 1 to 128, an octave above 16, more than 16 dots) or a file with no notes.
void ReadFmf(CNotes& ringtone, std::string_view text, std::string_view name = {});

// The ringtone as a file the Flipper plays as it sounds: the header as the
// Flipper writes its files (BPM the tempo, within 1 to 32767), then every
// note with its duration, letter, sharp, octave and dot. A note the format
// cannot hold (a length outside 1/1 to 1/128, an octave outside 0 to 16) is
// written as the nearest it has and reported; a note that was misread is left
// out and reported. Throws EngineError: CannotWrite for a ringtone without a
// note, TooLong for a file its reader would refuse as too large.
WrittenRingtone WriteFmf(const CNotes& ringtone);

// Whether the first line (after a byte order mark) is "Filetype: Flipper
// Music Format".
bool LooksLikeFmf(std::string_view bytes);

}  // namespace tw
