#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Every size the program reads or writes, in bytes, named in one place.
// What a reader accepts as input (a file, standard input) is kept apart from
// the limit on one ringtone's text, and every writer keeps its output within
// the limit that the reader of that output applies, so that whatever the
// program writes, it reads again.
namespace tw {

inline constexpr std::size_t MiB = std::size_t{1} << 20;

// One ringtone's text in any notation, its lines joined: a text given, a
// list entry, a converted text. A text written is refused beyond it.
inline constexpr std::size_t MaxRingtoneText = 4 * MiB;

// A file or standard input holding one ringtone's text, with the line
// breaks that are dropped when its lines are joined: room for a text of
// MaxRingtoneText broken over lines, and for the CR LF that a saved ringtone
// file ends with.
inline constexpr std::size_t MaxRingtoneTextFile = 2 * MaxRingtoneText;

// An iMelody or Smart Messaging file: in proportion to the ringtone text it
// becomes, which is held to MaxRingtoneText as it is read.
inline constexpr std::size_t MaxHandsetFile = 4 * MaxRingtoneText;

// A list file: about 500,000 ringtones of an ordinary length.
inline constexpr std::size_t MaxListFileSize = 64 * MiB;

// A collection (many ringtones, one a line) and a list export, which is
// read back as one: as much as a list may hold.
inline constexpr std::size_t MaxCollectionText = MaxListFileSize;

// A MIDI file read as a ringtone.
inline constexpr std::size_t MaxMidiFile = 64 * MiB;

// The largest file read as one ringtone whatever its kind, as the window
// reads a file it knows by its content; then the limit of its kind holds.
inline constexpr std::size_t MaxRingtoneFile = MaxMidiFile > MaxHandsetFile ? MaxMidiFile : MaxHandsetFile;
static_assert(MaxRingtoneFile >= MaxRingtoneTextFile);

// "4 MiB (4194304 bytes)", or "4194306 bytes" for a limit of no whole MiB.
std::string LimitText(std::size_t limit);

// The reason a size is refused: "the ringtone text is 4194305 bytes, more
// than the 4 MiB (4194304 bytes) a ringtone text may be" for `subject` "the
// ringtone text is" and `kind` "a ringtone text"; without `size` (standard
// input, of which no more was read) "standard input holds more than the ...".
// Refuses (EngineError, TooLong) a handset file that its reader would refuse:
// `fileSize` larger than a handset file may be, or notes that would read back
// as a longer ringtone text (`readBack`) than the program reads. `file` names
// it in the message ("The iMelody file").
void CheckHandsetFileReadsBack(std::string_view file, std::size_t readBack, std::size_t fileSize);

std::string TooLargeText(std::string_view subject, std::optional<std::uint64_t> size, std::size_t limit,
                         std::string_view kind);

}  // namespace tw
