#pragma once

#include <optional>
#include <string_view>

#include "engine/imelody.h"
#include "engine/notation.h"
#include "engine/written_ringtone.h"

// The formats a ringtone is read from and written to: the three handset
// notations, which the window shows and lists store, and two handset file
// formats, iMelody and Smart Messaging, which are only read and written
// whole. Notation stays the three notations; a file format is either one of
// them or a file of its own.
namespace tw {

class CNotes;

enum class FileFormat { RTTTL, Composer, Keypresses, IMelody, Ott };

// Command-line words: "rtttl", "composer", "keypresses", "imelody", "ott"
// (any case).
std::optional<FileFormat> FileFormatFromWord(std::string_view word);

// "RTTTL", "Composer", "Keypresses", "iMelody", "Smart Messaging".
std::string_view FileFormatName(FileFormat format);

FileFormat FormatOf(Notation notation);
// The notation a format is, when it is one.
std::optional<Notation> NotationOf(FileFormat format);

// Whether the format's files are binary (Smart Messaging): not text, not
// for a terminal.
bool IsBinary(FileFormat format);

// How a handset file is read where its format leaves a choice.
struct FileReadOptions {
    OctavePrefixes octavePrefixes = OctavePrefixes::UntilNext;  // iMelody
};

// Reads the bytes of a whole ringtone in `format` into `ringtone`: a
// notation as given by a person (ReadGivenRingtone), or a file format's
// reader. Throws EngineError as they do.
void ReadRingtoneAs(CNotes& ringtone, FileFormat format, std::string_view bytes, const FileReadOptions& options = {});

// The whole ringtone in `format`: a notation's text with no problems (the
// ringtone's own are in its ErrorLines), or a file format's bytes and what
// it could not hold. Throws EngineError as the writers do.
WrittenRingtone WriteRingtoneAs(const CNotes& ringtone, FileFormat format);

// IMelody or Ott when the bytes look like one of these files; nothing for
// anything else (a notation's text).
std::optional<FileFormat> RecogniseRingtoneFile(std::string_view bytes);

}  // namespace tw
