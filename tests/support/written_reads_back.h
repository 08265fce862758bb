#pragma once

// Whatever Tunewright writes, it reads back to the same name, tempo, pitches
// and lengths, or refuses before writing with a message and writes nothing.
// Where a format holds only the nearest of something, the nearest is written
// and reported, and what is read back is compared with that nearest. Shared
// by the round-trip test and the fuzz target that checks the same promise.
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/notation.h"
#include "session/ringtone_session.h"

namespace tw::test {

// One writer of the program, paired with the reader that reads what it writes.
struct Writer {
    enum class Kind {
        Text,        // a ringtone file in a notation, as the window saves it
        IMelody,     // an iMelody file
        Ott,         // a Smart Messaging ringing tone
        Fmf,         // a Flipper Music Format file, read back under the ringtone's name
        Midi,        // a Standard MIDI File, read back as from-midi reads it
        ListEntry,   // the ringtone stored in a list file
        ListExport,  // a raw list export in a notation, read back as a collection
    };
    Kind kind = Kind::Text;
    Notation notation = Notation::RTTTL;  // Text, ListExport
    std::string separator = ", ";         // Text, ListEntry, ListExport
};
void PrintTo(const Writer& writer, std::ostream* out);

// Every writer: the notations and the list export with each note separator
// the window offers, the handset files, MIDI and a list entry.
std::vector<Writer> EveryWriter();

// A ringtone as it sounds: its name and tempo, and each note's pitch and
// length. A note read as no note is kept in its place but not compared.
struct HeardNote {
    double frequency = 0;  // hertz; 0 for silence
    double length = 0;     // of a whole note
    bool misread = false;
    bool operator==(const HeardNote&) const = default;
};
struct Heard {
    std::string name, tempo;
    std::vector<HeardNote> notes;
};

// What a writer made of a ringtone and what was read back.
struct RoundTrip {
    Heard expected;  // the ringtone, or the nearest the writer holds of it
    bool mustRefuse = false;
    bool changed = false;  // the nearest differs from the ringtone: a report is due
    bool compareNotes = true;
    std::optional<std::string> refusal;  // the writer's message, when it refused
    bool leftAFile = false;              // something was written although it refused
    std::optional<std::string> readFailure;
    Heard readBack;
    std::vector<std::string> reports;  // the ringtone's problems, the writer's and the reader's
};

// Writes the current ringtone of `session` (read in `readFrom` and stored in
// its list, which holds nothing else) with `writer` into `folder`, through
// the session as the window and the command line write, and reads it back as
// they read it. The session's ringtone and list are left as they were.
RoundTrip WriteAndReadBack(RingtoneSession& session, Notation readFrom, const Writer& writer,
                           const std::filesystem::path& folder);

// What breaks the promise, one fault a line; empty when it holds.
std::string Fault(const RoundTrip& trip);

}  // namespace tw::test
