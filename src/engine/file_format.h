#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/arduino_sketch.h"
#include "engine/imelody.h"
#include "engine/notation.h"
#include "engine/written_ringtone.h"

// The formats a ringtone is read from and written to: the three handset
// notations, which the window shows and lists store, and two handset file
// formats, iMelody and Smart Messaging, which are only read and written
// whole; and the Arduino sketch, which is only written. Notation stays the three notations; a file format is either one
// of them or a file of its own.
//
// One table describes them all (FileFormats()); the command line's words,
// its help and errors, the window's save entries and dialogs and the
// recognition of a handset file are all read from it. A new format is a new
// enumerator and its row.
namespace tw {

class CNotes;

enum class FileFormat { RTTTL, Composer, Keypresses, IMelody, Ott, Fmf, Arduino };

// How a handset file is read where its format leaves a choice.
struct FileReadOptions {
    OctavePrefixes octavePrefixes = OctavePrefixes::UntilNext;  // iMelody
    // The name of a ringtone whose file holds none (Flipper Music Format):
    // the file's name without its extension; empty for "No name".
    std::string fileName;
};

// How a file is written where its format leaves a choice.
struct FileWriteOptions {
    SketchOptions sketch;  // Arduino: the buzzer's pin
};

// One format's row.
struct FileFormatSpec {
    FileFormat format;
    std::string_view word;  // on the command line, any case: "rtttl"
    std::string_view name;  // as shown: "RTTTL", "Smart Messaging"
    // The window's save entry and its dialog: the entry's caption, the
    // dialog's title and the description of the format's files up to the
    // extension ("|Composer Files (*"), and the extension (".321").
    std::string_view saveCaption;
    std::string_view saveTitle;
    std::string_view filterDescription;
    std::string_view extension;
    // The title of the dialog that opens a file of it to read (Get It...),
    // for the notations; empty for a file read only as what it is.
    std::string_view openTitle;
    // The notation it is, for the three notations: these are text a list
    // stores and the window shows. Nothing for a file of its own.
    std::optional<Notation> notation;
    bool binary;  // not text, not for a terminal (Smart Messaging)
    // Reads a whole ringtone's bytes (throws EngineError as the readers do);
    // nothing for a format that is only written (Arduino).
    void (*read)(CNotes& ringtone, std::string_view bytes, const FileReadOptions& options);
    // Writes a whole ringtone (throws EngineError as the writers do).
    WrittenRingtone (*write)(const CNotes& ringtone, const FileWriteOptions& options);
    // Whether bytes look like a file of this format; nothing for the
    // notations, whose text is read as the notation chosen.
    bool (*looksLike)(std::string_view bytes);
};

using FileFormatTable = std::span<const FileFormatSpec>;

// The formats, one row per enumerator in its order.
FileFormatTable FileFormats();

// The row of `format`.
const FileFormatSpec& FormatSpec(FileFormat format);

// Command-line words: "rtttl", "composer", "keypresses", "imelody", "ott"
// (any case).
std::optional<FileFormat> FileFormatFromWord(std::string_view word, FileFormatTable formats = FileFormats());

// The words of the formats that are notations ("rtttl, composer or
// keypresses"), or of the files read that are not ("imelody, ott or fmf"), or of
// all that are read, or of all.
enum class FormatKinds { Notations, Files, Read, All };
std::string FileFormatWords(FormatKinds kinds, FileFormatTable formats = FileFormats());

// "RTTTL", "Composer", "Keypresses", "iMelody", "Smart Messaging".
std::string_view FileFormatName(FileFormat format);

FileFormat FormatOf(Notation notation);
// The notation a format is, when it is one.
std::optional<Notation> NotationOf(FileFormat format);

// Whether a ringtone can be read from the format (all but Arduino).
bool CanRead(FileFormat format);

// Whether the format's files are binary (Smart Messaging): not text, not
// for a terminal.
bool IsBinary(FileFormat format);

// Reads the bytes of a whole ringtone in `format` into `ringtone`: a
// notation as given by a person (ReadGivenRingtone), or a file format's
// reader. Throws EngineError as they do, and for a format that is only
// written.
void ReadRingtoneAs(CNotes& ringtone, FileFormat format, std::string_view bytes, const FileReadOptions& options = {});

// The whole ringtone in `format`: a notation's text with no problems (the
// ringtone's own are in its ErrorLines), or a file format's bytes and what
// it could not hold. Throws EngineError as the writers do.
// `options` are for the formats that take them (the Arduino sketch's pin).
WrittenRingtone WriteRingtoneAs(const CNotes& ringtone, FileFormat format, const FileWriteOptions& options = {});

// The first format of `formats` whose files the bytes look like (IMelody,
// Ott); nothing for anything else (a notation's text).
std::optional<FileFormat> RecogniseRingtoneFile(std::string_view bytes, FileFormatTable formats = FileFormats());

}  // namespace tw
