#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/file_format.h"

namespace tw {

class CNotes;

// The text of a ringtone file with its lines joined, ready for
// RingtoneSession::Get; nothing when the file cannot be opened or read or is
// no ordinary file. SessionError (TooLong, with the size and the limit) when
// it is larger than a ringtone text file may be (MaxRingtoneTextFile); the
// text itself is held to MaxRingtoneText as it is read.
std::optional<std::string> ReadRingtoneFile(const std::filesystem::path& path);

// Writes `text` to `path` as one line ending in CR LF, the form of a saved
// ringtone file: a regular file is replaced whole, a FIFO or a device written
// to (WriteOutputFile); SessionError (FileIo) with the reason when it cannot.
void SaveRingtoneText(const std::filesystem::path& path, std::string_view text);

// The bytes of a ringtone file as they are, for RingtoneSession::GetAs and
// RecogniseRingtoneFile (an .imy or .ott file) or a MIDI file; nothing as
// ReadRingtoneFile, SessionError (TooLong) when it is larger than a file of
// any kind may be (MaxRingtoneFile). The limit of its kind holds once it is
// known by its content.
std::optional<std::string> ReadRingtoneBytes(const std::filesystem::path& path);

// Writes `ringtone` to `path` in `format`: a notation as SaveRingtoneText
// writes it, an iMelody or Smart Messaging file byte for byte. Gives what
// the format could not hold (WrittenRingtone::problems). SessionError:
// NotStorable when the format cannot hold the ringtone at all, TooLong,
// FileIo.
std::vector<std::string> SaveRingtoneAs(const std::filesystem::path& path, const CNotes& ringtone, FileFormat format);

}  // namespace tw
