#pragma once

#include <array>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "lists/ringtone_list.h"

// The list export: every ringtone of a list in one text file, tonelist.txt,
// in the notations and the layout the user picks.
namespace tw {

struct ExportChoices {
    // chkExport(0..2): the notations written, always in the order RTTTL,
    // Composer, Keypresses.
    std::array<bool, 3> Export{false, false, true};
    // optFormat(0): each ringtone as whole texts, one line per notation, with
    // no empty lines. Otherwise formatted for viewing: a title line
    // "Name (Tempo T)", the notes alone in each notation, an empty line.
    bool RawCodeList = false;
    // chkShowType: "RTTTL = ", "Composer = " or "Keypresses = " in front of
    // every ringtone line.
    bool ShowRingtoneType = false;
};

// The export's date and time: "2001-12-05 21:56:40".
std::string GeneralDateTime(const std::tm& when);

// The text of the export file, every line ending in CR LF: the header with
// `when`, then one block per ringtone of `list`, in the order the window's
// ringtone list shows them. Each ringtone is read again from the list file,
// which is read once, and written with the note separator of the list's
// ringtone object; that object itself is not changed. Each problem of a
// ringtone that did not read cleanly is added to `problems` as
// "Name: message"; the ringtone is written as far as it was read. The export
// is read again as a collection, its lines as ringtone texts: ListError
// (BadText, with the size and the limit) when a line would be longer than
// MaxRingtoneText or the whole longer than MaxCollectionText.
std::string ToneListText(const RingtoneListFile& list, const ExportChoices& choices, const std::tm& when,
                         std::vector<std::string>& problems);

// The export file of the program directory: tonelist.txt.
std::filesystem::path ToneListPath(const std::filesystem::path& programDirectory);

}  // namespace tw
