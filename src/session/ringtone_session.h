#pragma once

#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/cnotes.h"
#include "engine/file_format.h"
#include "engine/notation.h"
#include "files/file_stamp.h"
#include "lists/ini_document.h"
#include "lists/list_box.h"
#include "lists/ringtone_list.h"
#include "lists/tone_list_export.h"
#include "session/collection_import.h"
#include "session/list_snapshot.h"
#include "session/session_error.h"
#include "session/sound_file.h"

namespace tw {

class Player;

// What showing a row of the current list found.
enum class EntryState {
    Stored,      // the entry was read into the current ringtone
    Missing,     // the list holds no such entry; the ringtone is empty but for the row's name
    Unreadable,  // the stored text could not be read; the ringtone is empty but for the row's name
};

struct EntryLoad {
    EntryState state = EntryState::Stored;
    // The engine's words for an unreadable entry.
    std::string problem;
};

// What a ringtone is saved as: its text in a notation or a handset file
// (iMelody, Smart Messaging), or a sound file.
using SaveForm = std::variant<FileFormat, SoundFileType>;

// How a new name for the current ringtone stands against the list.
enum class RenameCheck {
    Unchanged,      // it is the ringtone's name already
    Free,           // no other entry has it
    ReplacesOther,  // storing under it replaces another entry
};

// The work on ringtone lists that the window and the command line share: the
// session owns the current ringtone, the current list (its name and file in
// the program directory) and which entry of it is shown, and carries the rules
// of getting, storing, renaming and deleting ringtones and of the whole-list
// commands. Nothing here asks the user anything: a front end asks first, then
// calls. Every failure is a SessionError; a list file that could not be
// written is as it was, and a failed rename or tempo change puts the
// ringtone's name or tempo back.
class RingtoneSession {
public:
    explicit RingtoneSession(std::filesystem::path programDirectory);
    // The list holds a reference to the ringtone: a session stays where it is made.
    RingtoneSession(const RingtoneSession&) = delete;
    RingtoneSession& operator=(const RingtoneSession&) = delete;

    CNotes& Ringtone() { return ringtone_; }
    const CNotes& Ringtone() const { return ringtone_; }
    RingtoneListFile& List() { return list_; }
    const RingtoneListFile& List() const { return list_; }
    const std::string& ListName() const { return list_.ListName(); }
    const std::string& ListFileName() const { return list_.ListFileName(); }
    const std::filesystem::path& ProgramDirectory() const { return list_.ProgramDirectory(); }

    // ---- Whole lists.

    // Fills `lists` with the usable list names of the program directory, or
    // the default list when there is none.
    void ScanLists(ListBox& lists) const;
    // The lists that have a file, in the order the window shows them.
    std::vector<std::string> ListsWithFiles() const;
    // Makes `name` (trimmed) the current list; no file is read or made.
    void OpenList(std::string_view name);
    // As OpenList, for a list that must have its file already (NoList).
    void OpenExistingList(std::string_view name);
    // Fills `rows` with the entries of the current list.
    void LoadRows(ListBox& rows) const;
    // The trimmed name for a new list, refused (ListExists) when `known`
    // holds it or anything of that file name is in the program directory.
    std::string CheckNewListName(std::string_view name, const std::vector<std::string>& known) const;
    // Makes `name` the current list and creates its file empty; a list that
    // exists already keeps its ringtones (false). When the file cannot be
    // made the previous list stays current.
    bool NewList(std::string_view name);
    // Renames the current list and its file; onto another list is refused.
    void RenameList(std::string_view newName);
    // Empties the current list's file; nothing is shown any more.
    void ClearList();
    // Deletes the current list's file; false when it had none.
    bool DeleteList();
    // Deletes the current list's file as DeleteList does and makes current the
    // list that stood just above it among the lists of the program directory
    // (the first one when it stood first); nothing is shown any more.
    bool DeleteListAndOpenNeighbour();

    // ---- The current ringtone.

    // Empties the current ringtone; no entry is shown.
    void Clear();
    // Reads `text` (lines already joined) in the `from` notation whatever its
    // problems, and stores the ringtone under its name in the current list,
    // replacing an entry of that name. An empty text (NoText) or one the
    // engine refuses (TooLong, Unreadable) leaves the ringtone empty; a store
    // that fails (ListIo, NotStorable) keeps it as read. Nothing is shown
    // afterwards: the ringtone holds what was read, problems included.
    void Get(Notation from, std::string_view text);
    // Reads the bytes of a whole ringtone in `from` as Get does and stores
    // it: a notation's text with its lines joined first, an iMelody or Smart
    // Messaging file as it is. The list keeps its RTTTL text, as for any
    // ringtone, so older versions read the list. A file the reader refuses
    // is Unreadable, with the reader's reason. `options` says how a handset
    // file is read where its format leaves a choice.
    void GetAs(FileFormat from, std::string_view bytes, const FileReadOptions& options = {});
    // Stores the current ringtone under its name.
    void Store();
    // Reads every ringtone of the collection `text` (see SplitCollection) in
    // the `from` notation and stores them all in the current list, in one
    // replacement of its file. A ringtone that the list held before, with the
    // same name and text (or under the number an earlier import gave it), is
    // left out and counted as already there, so that importing a collection
    // again adds nothing twice. Any other name the list or the collection has
    // already gets " (2)", " (3)" ...; a ringtone that cannot be read or
    // stored is skipped and named in the result. `progress` may cancel: nothing is
    // stored then, and the result is empty. The current ringtone stays.
    std::optional<ImportResult> Import(Notation from, std::string_view text, const ImportProgress& progress = {});
    // Loads the entry `row` of the current list (from the held snapshot while
    // there is one) and makes it the entry shown. ListIo when the list cannot
    // be read; nothing is shown then.
    EntryLoad Show(std::string_view row);
    // Whether the current ringtone is the entry of ShownRow, as loaded by Show.
    bool Showing() const { return shown_.has_value(); }
    // The row shown; empty while none is.
    std::string ShownRow() const { return shown_.value_or(std::string()); }
    // Whether the list held the shown entry when it was loaded last.
    bool ShownStored() const { return shownStored_; }
    // Loads the shown entry again from the list file, after work that went
    // through the list; a list that cannot be read leaves the ringtone as it is.
    void ReloadShown();
    // Whether the current list's file changed (another program wrote,
    // renamed or deleted it) since this session last read or wrote it.
    bool ListChangedOnDisk() const { return StampOf(ListFileName()) != seen_; }
    // Whether the rows last loaded (LoadRows) may no longer be the file's:
    // another program wrote it since, even just before a write of this
    // session's own.
    bool RowsChangedOnDisk() const { return StampOf(ListFileName()) != rowsSeen_; }

    // How `newName`, made fit for a ringtone (FitRingtoneName), stands as
    // the current ringtone's new name: BadRingtoneName when that is empty,
    // ListIo when the list cannot be read to tell.
    RenameCheck CheckRename(std::string_view newName) const;
    // Stores the current ringtone under `newName`, made fit for a ringtone
    // (the ringtone reports what was replaced), in place of its entry
    // (StoredEntry), and removes any other entry of that name, in one
    // replacement of the file; the shown row takes the new name. On failure
    // the name is put back.
    // When the list file changed since the entry was shown, the entry is read
    // again first, so that what another program stored is kept; EntryGone
    // when another program removed it meanwhile.
    void Rename(std::string_view newName);
    // Stores the current ringtone with `tempo` in place of its entry
    // (StoredEntry); on failure the tempo is put back. An entry stored under
    // a name that was made fit on loading is stored under the fit name now,
    // and the shown row takes it, unless another entry has that name. A
    // changed list file is read first, as for Rename.
    void SetTempo(std::string_view tempo);
    // Reads the entry `entry` of the current list into the current ringtone,
    // changes it by `change` and, when that says so (true), stores it in
    // place of the entry (under its name, as SetTempo stores), with the
    // lists' lock held from the reading to the writing so that what another
    // program stored is what changes: one replacement of the list file.
    // Gives the name it is stored under (`entry` when nothing was stored).
    // NoRingtone when the list holds no such entry, Unreadable when its text
    // cannot be read, TooLong when `change` throws the engine's TooLong (any
    // other engine failure as Unreadable), ListIo and NotStorable as a store;
    // the file is then unchanged.
    std::string ChangeEntry(std::string_view entry, const std::function<bool(CNotes&)>& change);
    // ChangeEntry on the entry shown (StoredEntry), which the shown row then
    // names. EntryGone when another program removed it; on any failure the
    // ringtone is put back as it was.
    void ChangeShown(const std::function<bool(CNotes&)>& change);
    // The entry the current ringtone is stored under: the row shown when the
    // ringtone's name is that row made fit for a ringtone (a list written
    // before names were made fit, holding "[A:b]", shows it as "A-b"), else
    // the ringtone's name.
    std::string StoredEntry() const;
    // Deletes the entry `name` from the current list; the current ringtone
    // takes that name. False when there was no such entry.
    bool DeleteRingtone(std::string_view name);

    // ---- Export, ringtone and sound files.

    // Unnamed ("Please type in a Ringtone name and Tempo.") while the current
    // ringtone lacks a name or a tempo: only a whole ringtone goes to a file.
    void CheckSavable() const;
    // Saves the current ringtone in `form`, as a text file in a notation
    // (TooLong, FileIo), a handset file or a MIDI file (also CannotHold,
    // nothing written: a ringtone without a note to write) or a sound file
    // (Sound), after CheckSavable. Gives what a handset or MIDI file could
    // hold only as the nearest it has, one line each.
    std::vector<std::string> SaveRingtone(SaveForm form, const std::filesystem::path& file, Player& player) const;

    // The list export of the current list, written with the current ringtone's
    // separator; each ringtone that did not read cleanly adds to `problems`.
    std::string ExportText(const ExportChoices& choices, const std::tm& when, std::vector<std::string>& problems) const;
    // Where the export goes: tonelist.txt in the program directory.
    std::filesystem::path ExportPath() const;
    // The current list's file as read now (ListIo).
    ListSnapshot ReadSnapshot() const;
    // Holds the list file as read now, so that Show loads rows from this one
    // reading, until ReleaseSnapshot; a list that cannot be read is left to
    // each Show to report.
    void HoldSnapshot();
    void ReleaseSnapshot() { snapshot_.reset(); }
    // Saves the shown ringtone as a WAV file in `folder`, named after it:
    // BadFileName when its name cannot be a file name, EntryGone when the list
    // no longer held it, Sound when the file could not be made. Gives the file.
    std::filesystem::path SaveShownWav(const std::filesystem::path& folder, Player& player) const;

private:
    // Get and GetAs once the text or file is ready: reads it whatever its
    // problems and stores the ringtone.
    void ReadAndStore(FileFormat from, std::string_view bytes, const FileReadOptions& options = {});
    // Notes the list file as this session has just read or written it.
    void Saw() const { seen_ = StampOf(ListFileName()); }
    // After a write of this session's own: the rows are still the file's when
    // they were just before it. Work that wrote nothing finds an earlier
    // write, which rows loaded since no longer match (at worst they are read
    // again).
    void SawOwnWrite() const {
        Saw();
        const auto& write = list_.LastWrite();
        if (write && write->before == rowsSeen_) rowsSeen_ = write->after;
    }
    // Reads the shown entry again when another program changed the list file.
    void CatchUpShown();

    CNotes ringtone_;
    RingtoneListFile list_;
    // The row whose entry the current ringtone is, while it is shown.
    std::optional<std::string> shown_;
    bool shownStored_ = false;
    std::optional<ListSnapshot> snapshot_;
    mutable std::optional<FileStamp> seen_;
    mutable std::optional<FileStamp> rowsSeen_;
};

// A tempo the handset and the header can hold: the integer value of a number
// from 1 to 32767, or nothing.
std::optional<int> TempoValue(std::string_view text);

}  // namespace tw
