#include "app/sound_commands.h"

#include <memory>
#include <ostream>
#include <string_view>

#include "app/cli.h"
#include "app/cli_options.h"
#include "app/ringtone_input.h"
#include "files/safe_file.h"
#include "sound/qt/qt_player.h"
#include "sound/render.h"
#include "sound/sound_error.h"

namespace tw {
namespace {

// Reads the ringtone, or ends the command as reading does.
CNotes ReadForSound(const RingtoneOptions& options, std::istream& in) {
    CNotes notes;
    ReadRingtone(options, in, notes);
    return notes;
}

// The problems of the read go to standard error whether or not the sound
// is made; a sound failure then ends the command with exit code 3.
template <class Make>
int MakeSound(const CNotes& notes, std::ostream& err, Make&& make) {
    const int status = ReportProblems(notes, err);
    try {
        make();
    } catch (const SoundError& e) {
        throw CommandFailure{ExitSound, e.what()};
    }
    return status;
}

}  // namespace

int WavCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    const RingtoneOptions options = ParseRingtoneOptions(args, {"from", "separator", "o"});
    if (!options.from || !options.output) throw UsageError{"wav needs --from and -o"};
    const CNotes notes = ReadForSound(options, in);
    return MakeSound(notes, err, [&] {
        const std::vector<std::uint8_t> image = RenderWave(notes);
        const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
        if (*options.output != "-") {
            try {
                WriteOutputFile(*options.output, bytes);
            } catch (const FileError& e) {
                throw SoundError(SoundError::Reason::WriteFailed, e.what());
            }
            return;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush())
            throw SoundError(SoundError::Reason::WriteFailed, "could not write the sound to standard output");
    });
}

int PlayCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& err, Player* player) {
    const RingtoneOptions options = ParseRingtoneOptions(args, {"from"});
    if (!options.from) throw UsageError{"play needs --from"};
    const CNotes notes = ReadForSound(options, in);
    std::unique_ptr<Player> systemPlayer;
    if (player == nullptr) {
        systemPlayer = MakeSystemPlayer();
        player = systemPlayer.get();
    }
    return MakeSound(notes, err, [&] { PlayWave(notes, *player); });
}

std::optional<int> RunSoundCommand(const std::string& command, const std::vector<std::string>& args, std::istream& in,
                                   std::ostream& out, std::ostream& err) {
    if (command == "wav") return WavCommand(args, in, out, err);
    if (command == "play") return PlayCommand(args, in, err, nullptr);
    return std::nullopt;
}

}  // namespace tw
