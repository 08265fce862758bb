#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "sound/player.h"

namespace tw {

class SettingsStore;

// Runs `command` when it is one of the sound subcommands, "wav", "midi",
// "from-midi" or "play", and gives its exit code; gives nothing for any other command. Throws
// UsageError and CommandFailure as the other subcommands do.
std::optional<int> RunSoundCommand(const std::string& command, const std::vector<std::string>& args, std::istream& in,
                                   std::ostream& out, std::ostream& err);

// `tunewright wav --from F [--separator S] [FILE|-] -o OUT.wav`: renders the
// ringtone and writes its WAV image to OUT.wav, or to standard output for "-".
int WavCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

// `tunewright midi --from F [--separator S] [FILE|-] -o OUT.mid`: writes the
// ringtone as a Standard MIDI File to OUT.mid, or to standard output for "-".
int MidiCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

// `tunewright play --from F [--voice V] [FILE|-]`: renders the ringtone in
// the voice (without --voice the one saved for Play in `settings`, the
// user's settings when it is null; the beep when none is saved or the
// settings cannot be read) and plays it on `player`, or on the desktop's
// sound server when it is null, returning when the sound has ended.
int PlayCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& err, Player* player,
                const SettingsStore* settings = nullptr);

}  // namespace tw
