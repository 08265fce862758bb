#pragma once

#include <string_view>
#include <vector>

#include "engine/file_format.h"
#include "session/ringtone_session.h"
#include "ui/toolkit.h"

// The window's Save As entries, made from the table of file formats: the
// notations, then the sound files (WAV, MIDI), then the handset files, in the
// File menu's order.
namespace tw {

struct SaveEntry {
    std::string_view caption;  // "Save As &RTTTL File..."
    FileTypeDialog dialog;
    SaveForm form;
};

std::vector<SaveEntry> SaveEntries(FileFormatTable formats = FileFormats());

// The entry that saves `form`; -1 when there is none.
int SaveEntryIndex(const std::vector<SaveEntry>& entries, const SaveForm& form);

// The dialog that opens a file of a notation to read it (Get It...).
FileTypeDialog OpenDialogOf(Notation notation);

}  // namespace tw
