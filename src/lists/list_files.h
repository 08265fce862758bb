#pragma once

#include <filesystem>
#include <string_view>

#include "lists/list_box.h"
#include "lists/ringtone_list.h"

// The file side of the commands that work on whole lists. Every list name
// that enters here is checked (CheckListName); none of these commands ever
// empties or replaces a list other than the one it is asked to change. Each
// change holds the lists' lock (LockLists) and puts the folder on disk once
// a file was made, renamed or removed there.
namespace tw {

// Fills `cboList` with the lists of the program directory: every ordinary,
// not hidden file named NAME.dat whose NAME is a usable list name (so never
// menu.dat, nor a temporary file). When there is none, the one entry is
// DefaultListName. Throws ListError (Io) when the folder cannot be listed.
void ScanListFiles(ListBox& cboList, const std::filesystem::path& programDirectory);

// New list: makes `name` the current list and creates its file empty. A list
// of that name that exists already just becomes the current list and keeps
// its ringtones. True when the file was created.
bool NewList(RingtoneListFile& list, std::string_view name);

// Renames the current list to `newName`, moving its file in one step; a list
// without a file gets an empty file of the new name. Renaming to its own name
// does nothing; renaming onto another existing list is refused (ListError,
// Exists) and changes nothing.
void RenameList(RingtoneListFile& list, std::string_view newName);

// Empties the current list: its file becomes an empty file (created when
// missing), through ReplaceListFile.
void ClearList(RingtoneListFile& list);

// Deletes the file of the current list. False when it had no file; ListError
// (Io) when the file is there but cannot be removed.
bool DeleteList(const RingtoneListFile& list);

}  // namespace tw
