#include "app/phone_commands.h"

#include <charconv>
#include <cmath>
#include <ostream>

#include "app/checked_output.h"
#include "app/cli.h"
#include "app/list_batch.h"
#include "app/ringtone_input.h"
#include "app/voice_option.h"
#include "files/safe_file.h"
#include "session/phone_ringtone_file.h"
#include "session/ringtone_session.h"
#include "session/session_error.h"
#include "sound/phone_ringtone.h"
#include "sound/sound_error.h"
#include "sound/sound_numbers.h"

namespace tw {
namespace {

std::string PhoneFileWords() {
    std::string words;
    for (const PhoneFileSpec& spec : PhoneFiles()) words += (words.empty() ? "" : " or ") + std::string(spec.word);
    return words;
}

PhoneFile PhoneFileOption(const CommandArgs& args) {
    const auto word = args.Value("to");
    if (!word) throw UsageError{"phone ringtones need --to " + PhoneFileWords()};
    for (const PhoneFileSpec& spec : PhoneFiles())
        if (*word == spec.word) return spec.kind;
    throw UsageError{"--to takes " + PhoneFileWords() + " for a phone ringtone, not '" + *word + "'"};
}

int NumberOption(const CommandArgs& args, std::string_view name, int lowest, int highest, int otherwise) {
    const auto word = args.Value(name);
    if (!word) return otherwise;
    int number = 0;
    const auto [end, error] = std::from_chars(word->data(), word->data() + word->size(), number);
    if (word->empty() || error != std::errc() || end != word->data() + word->size() || number < lowest ||
        number > highest)
        throw UsageError{"--" + std::string(name) + " takes a whole number from " + std::to_string(lowest) + " to " +
                         std::to_string(highest) + ", not '" + *word + "'"};
    return number;
}

PhoneRingtoneOptions PhoneOptions(const CommandArgs& args) {
    PhoneRingtoneOptions options;
    options.kind = PhoneFileOption(args);
    if (const auto voice = args.Value("voice")) options.voice = VoiceWordOption("--voice", *voice);
    if (args.Value("repeat")) options.plays = NumberOption(args, "repeat", 1, MostPlays, 1);
    options.gapMilliseconds = NumberOption(args, "gap", 0, LongestGapMilliseconds, DefaultGapMilliseconds);
    return options;
}

// "3 plays, 25.3 s"
std::string MadeText(const PhoneRingtone& made) {
    return (made.plays == 1 ? std::string("1 play") : std::to_string(made.plays) + " plays") + ", " +
           NumberText(std::round(made.seconds * 10) / 10) + " s";
}

// FFmpeg loaded, or the command ended with the reason.
AudioEncoder LoadEncoder() {
    try {
        return AudioEncoder();
    } catch (const SoundError& e) {
        throw CommandFailure{ExitSound, e.what()};
    }
}

}  // namespace

int PhoneCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    std::vector<std::string_view> names{"from", "separator", "imelody-prefix", "o"};
    names.insert(names.end(), PhoneOptionNames.begin(), PhoneOptionNames.end());
    const CommandArgs parsed = ParseCommandArgs(args, names, {});
    if (parsed.words.size() > 1) throw UsageError{"only one input file may be given"};
    const PhoneRingtoneOptions phone = PhoneOptions(parsed);
    RingtoneOptions reading;
    if (const auto from = parsed.Value("from")) reading.from = ReadFormatWord("from", *from);
    const auto output = parsed.Value("o");
    if (!reading.from || !output) throw UsageError{"phone needs --to, --from and -o"};
    if (output->empty()) throw UsageError{"-o needs a file name"};
    if (*output == "-" && WritesToTerminal(out))
        throw UsageError{std::string(PhoneFileSpecOf(phone.kind).word) +
                         " output is binary: give -o FILE, or send standard output to a file or a pipe"};
    if (!parsed.words.empty()) reading.input = parsed.words.front();
    if (const auto separator = parsed.Value("separator")) reading.separator = UsableSeparatorOption(*separator);
    reading.read = IMelodyPrefixOption(parsed.Value("imelody-prefix"), reading.from);

    CNotes notes;
    ReadRingtone(reading, in, notes);
    const int status = ReportProblems(notes, err);
    const AudioEncoder encoder = LoadEncoder();
    PhoneRingtone made;
    try {
        made = MakePhoneRingtone(notes, phone, encoder);
    } catch (const SoundError& e) {
        throw CommandFailure{ExitSound, e.what()};
    }
    try {
        WriteToTarget(*output, std::string_view(reinterpret_cast<const char*>(made.bytes.data()), made.bytes.size()),
                      out);
    } catch (const FileError& e) {
        throw CommandFailure{ExitSound, e.what()};
    }
    err << (*output == "-" ? std::string("standard output") : *output) << ": " << MadeText(made) << '\n';
    return status;
}

int PhoneAllCommand(const CommandArgs& args, RingtoneSession& session, const std::filesystem::path& folder,
                    std::ostream& err) {
    const PhoneRingtoneOptions phone = PhoneOptions(args);
    const std::string_view extension = PhoneFileSpecOf(phone.kind).extension;
    const AudioEncoder encoder = LoadEncoder();
    const auto pathOf = [&](const std::string& name) { return PhoneRingtoneFor(folder, name, phone.kind); };
    const BatchCounts counts = WriteEachRingtone(
        session.ReadSnapshot(), err, pathOf,
        [&](const CNotes& ringtone, const std::string& name, std::size_t place, std::size_t count) {
            err << "Generating '" << name << extension << "' (" << place << " of " << count << ")...\n";
            SavePhoneRingtone(ringtone, pathOf(name), phone, encoder);
        });
    if (counts.failed == 0) return ExitClean;
    return counts.written > 0 ? ExitProblems : ExitSound;
}

}  // namespace tw
