#include "ui/save_entries.h"

namespace tw {
namespace {

FileTypeDialog SaveDialogOf(const FileFormatSpec& format) {
    return {format.saveTitle, format.filterDescription, format.extension};
}

const SaveEntry SoundEntries[] = {
    {"Save As &WAV file...", {"Save As WAV File", "|WAV Files (*", ".wav"}, SoundFileType::Wav},
    {"Save &As MIDI File...", {"Save As MIDI File", "|MIDI Files (*", ".mid", ".midi"}, SoundFileType::Midi},
};

}  // namespace

std::vector<SaveEntry> SaveEntries(FileFormatTable formats) {
    std::vector<SaveEntry> entries;
    for (const FileFormatSpec& format : formats)
        if (format.notation) entries.push_back({format.saveCaption, SaveDialogOf(format), format.format});
    entries.insert(entries.end(), std::begin(SoundEntries), std::end(SoundEntries));
    for (const FileFormatSpec& format : formats)
        if (!format.notation) entries.push_back({format.saveCaption, SaveDialogOf(format), format.format});
    return entries;
}

int SaveEntryIndex(const std::vector<SaveEntry>& entries, const SaveForm& form) {
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].form == form) return static_cast<int>(i);
    return -1;
}

FileTypeDialog OpenDialogOf(Notation notation) {
    const FileFormatSpec& format = FormatSpec(FormatOf(notation));
    return {format.openTitle, format.filterDescription, format.extension};
}

}  // namespace tw
