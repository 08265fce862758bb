#include "session/ringtone_rename.h"

#include "engine/text_rules.h"
#include "files/safe_file.h"
#include "lists/list_error.h"

namespace tw {

bool HasOtherEntry(const RingtoneListFile& list, std::string_view oldName, std::string_view newName) {
    if (SameIgnoringCase(oldName, newName)) return false;
    return list.ReadListFile().HasSection(newName);
}

void StoreRenamed(RingtoneListFile& list, std::string_view oldName) {
    const CNotes& ringtone = list.Ringtone();
    const FileLock lock = LockLists(list.ProgramDirectory());
    IniDocument file = list.ReadListFile();
    file.RemoveSection(oldName);
    if (!SameIgnoringCase(oldName, ringtone.Name())) file.RemoveSection(ringtone.Name());
    file.SetValue(ringtone.Name(), RingtoneKey, StoredText(ringtone));
    list.ReplaceListFile(file);
}

namespace {

// Puts the list's ringtone in place of `entry` in the read list file.
std::string PlaceEntry(IniDocument& file, const CNotes& ringtone, std::string_view entry) {
    std::string stored = ringtone.Name();
    if (!SameIgnoringCase(entry, stored) && file.HasSection(stored)) stored = entry;
    else file.RemoveSection(entry);
    file.SetValue(stored, RingtoneKey, StoredText(ringtone));
    return stored;
}

}  // namespace

std::string StoreInPlace(RingtoneListFile& list, std::string_view entry) {
    const FileLock lock = LockLists(list.ProgramDirectory());
    IniDocument file = list.ReadListFile();
    const std::string stored = PlaceEntry(file, list.Ringtone(), entry);
    list.ReplaceListFile(file);
    return stored;
}

std::optional<std::string> ChangeInPlace(RingtoneListFile& list, std::string_view entry,
                                         const std::function<bool(CNotes&)>& change) {
    const FileLock lock = LockLists(list.ProgramDirectory());
    IniDocument file = list.ReadListFile();
    if (!file.HasSection(entry)) return std::nullopt;
    RingtoneListFile::LoadEntry(file, entry, list.Ringtone());
    if (!change(list.Ringtone())) return std::string(entry);
    const std::string stored = PlaceEntry(file, list.Ringtone(), entry);
    list.ReplaceListFile(file);
    return stored;
}

}  // namespace tw
