#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "lists/ringtone_list.h"

namespace tw {

// Whether the list file holds an entry named `newName` (without regard to
// ASCII case, as entries are found) that is not the entry `oldName` itself.
bool HasOtherEntry(const RingtoneListFile& list, std::string_view oldName, std::string_view newName);

// Stores the list's ringtone under its Name and removes the entries `oldName`
// and any other entry of the new name, all in one replacement of the list
// file (ReplaceListFile, which notes its stamps), so the file holds either
// the old list or the renamed one. Throws ListError when the list cannot be
// read or written; the file is then unchanged.
void StoreRenamed(RingtoneListFile& list, std::string_view oldName);

// Stores the list's ringtone in place of the entry `entry`, under its Name,
// in one replacement of the list file; under `entry` still when another
// entry has that Name already, so that nothing else is replaced. Gives the
// name it is stored under. ListError as StoreRenamed.
std::string StoreInPlace(RingtoneListFile& list, std::string_view entry);

// Reads the entry `entry` into the list's ringtone, gives the ringtone to
// `change` and, when it says so (true), stores it as StoreInPlace does, with
// the lists' lock held from the reading to the writing, so that no other
// program's change falls between them: one replacement of the list file.
// Gives the name it is stored under (`entry` when `change` stored nothing);
// nothing, and the file untouched, when the list holds no such entry.
// ListError as StoreRenamed, EngineError when the entry's text cannot be
// read, and whatever `change` throws; the file is then unchanged.
std::optional<std::string> ChangeInPlace(RingtoneListFile& list, std::string_view entry,
                                         const std::function<bool(CNotes&)>& change);

}  // namespace tw
