#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sound/player.h"

namespace tw {

class SettingsStore;

// Runs `command` when it is one of the sound subcommands that need no Qt,
// "wav", "midi" or "from-midi", and gives its exit code; gives nothing for any
// other command ("play" is run by RunQtCommand). Throws
// UsageError and CommandFailure as the other subcommands do.
std::optional<int> RunSoundCommand(const std::string& command, const std::vector<std::string>& args, std::istream& in,
                                   std::ostream& out, std::ostream& err);

// `tunewright wav --from F [--separator S] [FILE|-] -o OUT.wav`: renders the
// ringtone and writes its WAV image to OUT.wav, or to standard output for "-".
int WavCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

// `tunewright midi --from F [--separator S] [FILE|-] -o OUT.mid`: writes the
// ringtone as a Standard MIDI File to OUT.mid, or to standard output for "-".
int MidiCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

// Makes the player that `play` plays on, once the ringtone has been read.
using PlayerMaker = std::function<std::unique_ptr<Player>()>;

// `tunewright play --from F [--voice V] [FILE|-]`: renders the ringtone in
// the voice (without --voice the one saved for Play in `settings`; the beep
// when none is saved) and plays it on the player `makePlayer` makes (the
// desktop's sound server in the program), returning when the sound has ended.
int PlayCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& err,
                const PlayerMaker& makePlayer, const SettingsStore& settings);

}  // namespace tw
