#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cnotes.h"

namespace tw {

class Player;

// The files a ringtone's sound is saved as: the rendered sound as a WAV file,
// or the notes as a Standard MIDI File.
enum class SoundFileType { Wav, Midi };

// How the files of `type` are named in messages: "WAV", "MIDI".
std::string_view SoundFileKind(SoundFileType type);
// The extension of the files of `type`: ".wav", ".mid".
std::string_view SoundFileExtension(SoundFileType type);

// The sound file of `type` of the ringtone named `name` in `folder`.
std::filesystem::path SoundFileFor(const std::filesystem::path& folder, std::string_view name, SoundFileType type);

// Saves `ringtone` as the sound file `file` of `type`, replacing it whole
// through a temporary file beside it, or SessionError (Sound) with the reason
// it could not be made or written; the file is then as it was. A ringtone
// without a note to write as MIDI is refused (CannotHold) and nothing is
// written. A WAV save silences `player` first. Gives what a MIDI file could
// hold only as the nearest it has, one line each.
std::vector<std::string> SaveSoundFile(const CNotes& ringtone, const std::filesystem::path& file, SoundFileType type,
                                       Player& player);

// Saves `ringtone` in `folder` as the sound file of `type` named after the
// ringtone (SoundFileFor), as the batch commands write one for each entry of
// a list: SessionError (BadFileName, the reason as its text) when the name
// cannot be a file name; `beforeWriting` runs after that check and before the
// file is made. Otherwise as SaveSoundFile.
std::vector<std::string> SaveSoundFileNamed(const std::filesystem::path& folder, const CNotes& ringtone,
                                            SoundFileType type, Player& player,
                                            const std::function<void()>& beforeWriting = {});

}  // namespace tw
