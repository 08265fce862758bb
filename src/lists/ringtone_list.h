#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "engine/cnotes.h"
#include "engine/size_limits.h"
#include "files/file_lock.h"
#include "files/file_stamp.h"
#include "lists/ini_document.h"
#include "lists/list_box.h"

namespace tw {

// The current ringtone list: its name, its file, and the members that store
// the current ringtone object in it, load entries into it and delete them.
// A list file holds one section per ringtone, headed by the ringtone's name,
// with its whole RTTTL text under the key "RTTTL":
//   [Test]
//   RTTTL=Test:d=4,o=5,b=125:c, 8d
// Every member opens what it needs and is done with it before returning;
// every write replaces the whole file through a temporary file, so the list
// file always holds either its old or its new content.
class RingtoneListFile {
public:
    // Works on `ringtone`, which must outlive this object, with its list files
    // in `programDirectory`.
    RingtoneListFile(CNotes& ringtone, std::filesystem::path programDirectory);

    const std::string& ListName() const { return listName_; }
    // Checks and trims the name (ListError, BadName, when it cannot be used),
    // then sets ListFileName to the program directory, "/", the name and
    // ".dat", and forgets LastWrite. No file is read, created or changed.
    void SetListName(std::string_view newName);
    // The full path of the current list file; empty until a list name is set.
    const std::string& ListFileName() const { return listFileName_; }
    const std::filesystem::path& ProgramDirectory() const { return directory_; }
    CNotes& Ringtone() const { return ringtone_; }

    // Fills `box` with the section names of the list file, in file order
    // (the box sorts them). A missing file gives no entries.
    void LoadList(ListBox& box) const;

    // Loads the whole RTTTL text stored under `title` into the ringtone
    // object; a missing file, section or key loads empty text. False when
    // there was no such entry. A text the engine refuses throws EngineError.
    bool LoadFromFile(std::string_view title);

    // Stores the ringtone object under its Name: the entry of that name
    // (whatever its letter case) gets the new text and the Name's letter
    // case in place, or a new entry is added at the end. Creates the file when missing. Throws ListError
    // when the list cannot be read or written; the file is then unchanged.
    void SaveToFile();

    // Removes the entry of the ringtone object's Name (whatever its letter
    // case). False, and no file touched or created, when there is no such
    // entry or no list file. Throws ListError when the list cannot be read
    // or rewritten; the file is then unchanged.
    bool DeleteFromFile();

    // Replaces the list file with `list` (WriteListFile) and notes the
    // stamps around the write as LastWrite. The caller holds the lists' lock
    // from its reading of the file on, so that no other program's write
    // falls between that reading and the write.
    void ReplaceListFile(const IniDocument& list);

    // The list file's stamps around the last ReplaceListFile since the list
    // was set (every store, delete or change of an entry goes through it),
    // both taken under the lists' lock: as it was before the write (nothing
    // when there was no file) and as the write left it. A window that had
    // seen the first has seen the second too; otherwise another program
    // changed the file before the write.
    struct WriteStamps {
        std::optional<FileStamp> before, after;
    };
    const std::optional<WriteStamps>& LastWrite() const { return lastWrite_; }

    // The list file read once, for commands that go through every entry; an
    // empty document when the file does not exist.
    IniDocument ReadListFile() const;

    // Loads entry `title` of an already read list into `ringtone`, as
    // LoadFromFile does.
    static bool LoadEntry(const IniDocument& list, std::string_view title, CNotes& ringtone);

private:
    void RequireListName() const;

    CNotes& ringtone_;
    std::filesystem::path directory_;
    std::string listName_;
    std::string listFileName_;
    std::optional<WriteStamps> lastWrite_;
};

// The lock that every change of a list file in `programDirectory` holds for
// its whole read-change-write cycle, so that programs and windows working on
// the lists at once lose none of each other's changes; one lock for the
// folder covers new lists, renames and deletes too. It is the lock of the
// file ".lists.lock" there and of the folder itself (see FileLock), so that
// removing that file lets no second writer in. ListError (Io) when it cannot
// be had.
FileLock LockLists(const std::filesystem::path& programDirectory);

// Replaces the list file `path` with `list`, refused (BadText) when it would
// be larger than MaxListFileSize so that every list written can be read.
void WriteListFile(const std::filesystem::path& path, const IniDocument& list);

// The text stored for `ringtone`: its RTTTL text, refused (BadText, with the
// engine's reason) when it would be too long to be read back.
std::string StoredText(const CNotes& ringtone);

// The key under which a ringtone's text is stored.
inline constexpr std::string_view RingtoneKey = "RTTTL";

// The message shown when a ringtone could not be deleted, naming the list file.
std::string DeleteRingtoneErrorText(std::string_view listFileName);
inline constexpr std::string_view DeleteRingtoneErrorTitle = "Delete Ringtone Error";

}  // namespace tw
