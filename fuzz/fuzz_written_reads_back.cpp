// Builds a ringtone from the input (its notation, note separator and tempo,
// then note after note: every length and dot, letters, sharps, octaves 0 to
// 9, pauses and the odd token that is no note) and writes it with every
// writer: what each writes must read back as the ringtone, or as the nearest
// its format holds and says so, or be refused before anything is written.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>

#include "session/ringtone_session.h"
#include "support/temp_files.h"
#include "support/written_reads_back.h"

namespace {

// The input, read a byte at a time; zeros once it is used up.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool More() const { return at_ < size_; }
    unsigned Next() { return at_ < size_ ? data_[at_++] : 0; }
    template <std::size_t N>
    const char* Pick(const char* const (&choices)[N]) {
        return choices[Next() % N];
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

constexpr std::size_t MostNotes = 300;

const char* const Durations[] = {"1", "2", "4", "8", "16", "32", "3", "6", "12", "24", "48", "64", "128"};
const char* const Letters[] = {"c", "d", "e", "f", "g", "a", "b", "p", "C", "h"};
const char* const Tempos[] = {"1", "3", "4", "25", "63", "100", "125", "140", "900", "7800", "32767", "0", "40000"};
const char* const Oddities[] = {"", "x", "4", "8#", "0c"};

// [duration] letter [#] [.] [octave], or now and then a token that is no note.
std::string RTTTLNote(Bytes& in) {
    const unsigned shape = in.Next();
    if (shape % 29 == 0) return in.Pick(Oddities);
    std::string note = shape & 1 ? in.Pick(Durations) : "";
    note += in.Pick(Letters);
    if (shape & 2) note += '#';
    if (shape & 4) note += '.';
    if (shape & 8) note += std::to_string(in.Next() % 10);
    return note;
}

// duration [.] [#] letter octave, or a pause; now and then a letter the
// composer lacks or a duration of 0.
std::string ComposerNote(Bytes& in) {
    static const char* const letters[] = {"c", "d", "e", "f", "g", "a", "b", "C", "h"};
    const unsigned shape = in.Next();
    std::string note = shape % 31 == 0 ? "0" : in.Pick(Durations);
    if (shape & 1) note += '.';
    if (shape & 2) note += '#';
    if (shape & 4) return note + "-" + (shape & 8 ? std::to_string(in.Next() % 4) : "");
    note += in.Pick(letters);
    return note + std::to_string(in.Next() % 6);
}

// A note key (held or not), duration keys, octave keys, a sharp.
std::string KeypressNote(Bytes& in) {
    const unsigned shape = in.Next();
    const char key = static_cast<char>('0' + shape % 8);
    std::string note = shape & 8 ? std::string("(hold ") + key + ")" : std::string(1, key);
    note.append(in.Next() % 4, shape & 16 ? '8' : '9');
    note.append((shape >> 5) % 3, '*');
    if (shape & 128) note += '#';
    return note;
}

std::string RingtoneText(Bytes& in, tw::Notation& notation) {
    notation = static_cast<tw::Notation>(in.Next() % 3);
    const char* separator = in.Pick({", ", ",", " "});
    std::string text = "Fuzz:";
    if (notation == tw::Notation::RTTTL)
        text +=
            std::string("d=") + in.Pick({"4", "8", "16", "1", "32"}) + ",o=" + std::to_string(in.Next() % 10) + ",b=";
    else text += "Tempo=";
    text += in.Pick(Tempos);
    text += ':';
    for (std::size_t count = 0; count == 0 || (in.More() && count < MostNotes); ++count) {
        if (count != 0) text += separator;
        text += notation == tw::Notation::RTTTL      ? RTTTLNote(in)
                : notation == tw::Notation::Composer ? ComposerNote(in)
                                                     : KeypressNote(in);
    }
    return text;
}

// A folder for the files written, in memory where the system has one.
const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        std::string pattern = (tw::test::MemoryTemporaryFolder() / "tw-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) __builtin_trap();
        std::atexit([] { std::filesystem::remove_all(Folder()); });
        return std::filesystem::path(pattern);
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in(data, size);
    tw::Notation notation = tw::Notation::RTTTL;
    const std::string text = RingtoneText(in, notation);
    tw::RingtoneSession session(Folder());
    session.Ringtone().SetOutputSeparator(", ");
    session.OpenList("Fuzz");
    try {
        session.ClearList();
        session.Get(notation, text);
    } catch (const tw::SessionError& e) {
        std::fprintf(stderr, "%s\nnot read: %s\n", text.c_str(), e.what());
        __builtin_trap();
    }
    for (const tw::test::Writer& writer : tw::test::EveryWriter()) {
        const std::string fault = tw::test::Fault(tw::test::WriteAndReadBack(session, notation, writer, Folder()));
        if (fault.empty()) continue;
        std::ostringstream name;
        tw::test::PrintTo(writer, &name);
        std::fprintf(stderr, "%s\nwritten as %s:\n%s", text.c_str(), name.str().c_str(), fault.c_str());
        __builtin_trap();
    }
    return 0;
}
