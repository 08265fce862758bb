#include "engine/file_format.h"

#include <array>
#include <cstddef>
#include <vector>

#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/fmf.h"
#include "engine/imelody.h"
#include "engine/ott.h"
#include "engine/ringtone_text.h"
#include "engine/text_rules.h"

namespace tw {
namespace {

template <Notation N>
void ReadNotation(CNotes& ringtone, std::string_view bytes, const FileReadOptions&) {
    ReadGivenRingtone(ringtone, N, bytes);
}

template <Notation N>
WrittenRingtone WriteNotation(const CNotes& ringtone, const FileWriteOptions&) {
    return {ringtone.Full(N), {}};
}

void ReadIMelodyFile(CNotes& ringtone, std::string_view bytes, const FileReadOptions& options) {
    ReadIMelody(ringtone, bytes, options.octavePrefixes);
}

WrittenRingtone WriteIMelodyFile(const CNotes& ringtone, const FileWriteOptions&) { return WriteIMelody(ringtone); }

WrittenRingtone WriteArduinoFile(const CNotes& ringtone, const FileWriteOptions& options) {
    return WriteArduinoSketch(ringtone, options.sketch);
}

void ReadOttFile(CNotes& ringtone, std::string_view bytes, const FileReadOptions&) { ReadOtt(ringtone, bytes); }

WrittenRingtone WriteOttFile(const CNotes& ringtone, const FileWriteOptions&) { return WriteOtt(ringtone); }

WrittenRingtone WriteFmfFile(const CNotes& ringtone, const FileWriteOptions&) { return WriteFmf(ringtone); }

void ReadFmfFile(CNotes& ringtone, std::string_view bytes, const FileReadOptions& options) {
    ReadFmf(ringtone, bytes, options.fileName);
}

constexpr std::array Formats = {
    FileFormatSpec{FileFormat::RTTTL, "rtttl", "RTTTL", "Save As &RTTTL File...",
                   "Save As RTTTL/Chimekit RingTone File", "|Chimekit/RTTTL Files (*", ".txt",
                   "Select RTTTL/Chimekit RingTone File", Notation::RTTTL, false, ReadNotation<Notation::RTTTL>,
                   WriteNotation<Notation::RTTTL>, nullptr},
    FileFormatSpec{FileFormat::Composer, "composer", "Composer", "Save As &Composer File...",
                   "Save As Nokia Composer RingTone File", "|Composer Files (*", ".321",
                   "Select Nokia Composer RingTone File", Notation::Composer, false, ReadNotation<Notation::Composer>,
                   WriteNotation<Notation::Composer>, nullptr},
    FileFormatSpec{FileFormat::Keypresses, "keypresses", "Keypresses", "Save As &Keypress File...",
                   "Save As Keypress File", "|Keypress Files (*", ".key", "Select Keypress File", Notation::Keypresses,
                   false, ReadNotation<Notation::Keypresses>, WriteNotation<Notation::Keypresses>, nullptr},
    FileFormatSpec{FileFormat::IMelody, "imelody", "iMelody", "Save As iMelod&y File...", "Save As iMelody File",
                   "|iMelody Files (*", ".imy", "", std::nullopt, false, ReadIMelodyFile, WriteIMelodyFile,
                   LooksLikeIMelody},
    FileFormatSpec{FileFormat::Ott, "ott", "Smart Messaging", "Save As &OTA Ringtone File...",
                   "Save As OTA Ringtone File", "|OTA Ringtone Files (*", ".ott", "", std::nullopt, true, ReadOttFile,
                   WriteOttFile, LooksLikeOtt},
    FileFormatSpec{FileFormat::Fmf, "fmf", "Flipper Music Format", "Save As &Flipper Music File...",
                   "Save As Flipper Music File", "|Flipper Music Files (*", ".fmf", "", std::nullopt, false,
                   ReadFmfFile, WriteFmfFile, LooksLikeFmf},
    FileFormatSpec{FileFormat::Arduino, "arduino", "Arduino Sketch", "Save As Arduino &Sketch...",
                   "Save As Arduino Sketch", "|Arduino Sketches (*", ".ino", "", std::nullopt, false, nullptr,
                   WriteArduinoFile, nullptr},
};

// How many enumerators FileFormat has. No default: a new enumerator fails to
// compile here until it is counted, and then until it has its row.
#pragma GCC diagnostic push
#pragma GCC diagnostic error "-Wswitch"
constexpr std::size_t EnumeratorCount(FileFormat any) {
    switch (any) {
    case FileFormat::RTTTL:
    case FileFormat::Composer:
    case FileFormat::Keypresses:
    case FileFormat::IMelody:
    case FileFormat::Ott:
    case FileFormat::Fmf:
    case FileFormat::Arduino: return 7;
    }
    return 0;
}
#pragma GCC diagnostic pop

constexpr bool OneRowPerEnumeratorInOrder() {
    if (Formats.size() != EnumeratorCount(FileFormat::RTTTL)) return false;
    for (std::size_t i = 0; i < Formats.size(); ++i) {
        const FileFormatSpec& row = Formats[i];
        if (static_cast<std::size_t>(row.format) != i || row.write == nullptr) return false;
        // A notation is recognised by being chosen; a file read by its
        // contents; a file only written not at all.
        if (row.read == nullptr && (row.notation || row.looksLike != nullptr)) return false;
        if (row.read != nullptr && row.notation.has_value() == (row.looksLike != nullptr)) return false;
    }
    return true;
}
static_assert(OneRowPerEnumeratorInOrder(), "FileFormats needs one row per FileFormat, in its order");

}  // namespace

FileFormatTable FileFormats() { return Formats; }

const FileFormatSpec& FormatSpec(FileFormat format) { return Formats[static_cast<std::size_t>(format)]; }

std::optional<FileFormat> FileFormatFromWord(std::string_view word, FileFormatTable formats) {
    const std::string lower = ToLowerAscii(word);
    for (const FileFormatSpec& row : formats)
        if (row.word == lower) return row.format;
    return std::nullopt;
}

std::string FileFormatWords(FormatKinds kinds, FileFormatTable formats) {
    std::vector<std::string_view> words;
    for (const FileFormatSpec& row : formats)
        if (kinds == FormatKinds::All ||
            (row.read != nullptr &&
             (kinds == FormatKinds::Read || (kinds == FormatKinds::Notations) == row.notation.has_value())))
            words.push_back(row.word);
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0) text += i + 1 == words.size() ? " or " : ", ";
        text += words[i];
    }
    return text;
}

std::string_view FileFormatName(FileFormat format) { return FormatSpec(format).name; }

FileFormat FormatOf(Notation notation) {
    switch (notation) {
    case Notation::RTTTL: return FileFormat::RTTTL;
    case Notation::Composer: return FileFormat::Composer;
    case Notation::Keypresses: return FileFormat::Keypresses;
    }
    return FileFormat::RTTTL;
}

std::optional<Notation> NotationOf(FileFormat format) { return FormatSpec(format).notation; }

bool CanRead(FileFormat format) { return FormatSpec(format).read != nullptr; }

bool IsBinary(FileFormat format) { return FormatSpec(format).binary; }

void ReadRingtoneAs(CNotes& ringtone, FileFormat format, std::string_view bytes, const FileReadOptions& options) {
    const FileFormatSpec& row = FormatSpec(format);
    if (row.read == nullptr)
        throw EngineError(EngineError::Reason::BadFile, std::string(row.name) + " files are written, not read");
    row.read(ringtone, bytes, options);
}

WrittenRingtone WriteRingtoneAs(const CNotes& ringtone, FileFormat format, const FileWriteOptions& options) {
    return FormatSpec(format).write(ringtone, options);
}

std::optional<FileFormat> RecogniseRingtoneFile(std::string_view bytes, FileFormatTable formats) {
    for (const FileFormatSpec& row : formats)
        if (row.looksLike != nullptr && row.looksLike(bytes)) return row.format;
    return std::nullopt;
}

}  // namespace tw
