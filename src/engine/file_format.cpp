#include "engine/file_format.h"

#include "engine/cnotes.h"
#include "engine/imelody.h"
#include "engine/ott.h"
#include "engine/ringtone_text.h"
#include "engine/text_rules.h"

namespace tw {

std::optional<FileFormat> FileFormatFromWord(std::string_view word) {
    if (const std::optional<Notation> notation = NotationFromWord(word)) return FormatOf(*notation);
    const std::string lower = ToLowerAscii(word);
    if (lower == "imelody") return FileFormat::IMelody;
    if (lower == "ott") return FileFormat::Ott;
    return std::nullopt;
}

std::string_view FileFormatName(FileFormat format) {
    if (const std::optional<Notation> notation = NotationOf(format)) return NotationName(*notation);
    return format == FileFormat::IMelody ? "iMelody" : "Smart Messaging";
}

FileFormat FormatOf(Notation notation) {
    switch (notation) {
    case Notation::RTTTL: return FileFormat::RTTTL;
    case Notation::Composer: return FileFormat::Composer;
    case Notation::Keypresses: return FileFormat::Keypresses;
    }
    return FileFormat::RTTTL;
}

std::optional<Notation> NotationOf(FileFormat format) {
    switch (format) {
    case FileFormat::RTTTL: return Notation::RTTTL;
    case FileFormat::Composer: return Notation::Composer;
    case FileFormat::Keypresses: return Notation::Keypresses;
    case FileFormat::IMelody:
    case FileFormat::Ott: return std::nullopt;
    }
    return std::nullopt;
}

bool IsBinary(FileFormat format) { return format == FileFormat::Ott; }

void ReadRingtoneAs(CNotes& ringtone, FileFormat format, std::string_view bytes, const FileReadOptions& options) {
    switch (format) {
    case FileFormat::IMelody: ReadIMelody(ringtone, bytes, options.octavePrefixes); return;
    case FileFormat::Ott: ReadOtt(ringtone, bytes); return;
    default: ReadGivenRingtone(ringtone, *NotationOf(format), bytes); return;
    }
}

WrittenRingtone WriteRingtoneAs(const CNotes& ringtone, FileFormat format) {
    switch (format) {
    case FileFormat::IMelody: return WriteIMelody(ringtone);
    case FileFormat::Ott: return WriteOtt(ringtone);
    default: return {ringtone.Full(*NotationOf(format)), {}};
    }
}

std::optional<FileFormat> RecogniseRingtoneFile(std::string_view bytes) {
    if (LooksLikeIMelody(bytes)) return FileFormat::IMelody;
    if (LooksLikeOtt(bytes)) return FileFormat::Ott;
    return std::nullopt;
}

}  // namespace tw
