#include "lists/ringtone_list.h"

#include "engine/engine_error.h"
#include "engine/ringtone_text.h"
#include "files/safe_file.h"
#include "lists/list_error.h"
#include "lists/list_names.h"

namespace tw {

RingtoneListFile::RingtoneListFile(CNotes& ringtone, std::filesystem::path programDirectory)
    : ringtone_(ringtone), directory_(std::move(programDirectory)) {}

void RingtoneListFile::SetListName(std::string_view newName) {
    std::string name = CheckListName(newName);
    listFileName_ = (directory_ / (name + ".dat")).string();
    listName_ = std::move(name);
    lastWrite_.reset();
}

void RingtoneListFile::RequireListName() const {
    if (listName_.empty()) throw ListError(ListError::Reason::BadName, "no ringtone list has been chosen");
}

IniDocument RingtoneListFile::ReadListFile() const {
    RequireListName();
    const auto bytes = ListFileIo([&] { return ReadWholeFile(listFileName_, MaxListFileSize); });
    return bytes ? IniDocument::Parse(std::move(*bytes)) : IniDocument{};
}

void RingtoneListFile::LoadList(ListBox& box) const {
    box.Clear();
    for (std::string& name : ReadListFile().SectionNames()) box.AddItem(std::move(name));
}

bool RingtoneListFile::LoadEntry(const IniDocument& list, std::string_view title, CNotes& ringtone) {
    const auto text = list.Value(title, RingtoneKey);
    ringtone.SetFull_RTTTL(text.value_or(std::string{}));
    return text.has_value();
}

bool RingtoneListFile::LoadFromFile(std::string_view title) { return LoadEntry(ReadListFile(), title, ringtone_); }

void RingtoneListFile::SaveToFile() {
    RequireListName();
    const FileLock lock = LockLists(directory_);
    IniDocument list = ReadListFile();
    // An entry stored under the name in another letter case takes the new
    // case where it stands, so that its header and its text name it alike.
    list.RenameSection(ringtone_.Name(), ringtone_.Name());
    list.SetValue(ringtone_.Name(), RingtoneKey, StoredText(ringtone_));
    ReplaceListFile(list);
}

bool RingtoneListFile::DeleteFromFile() {
    RequireListName();
    const FileLock lock = LockLists(directory_);
    IniDocument list = ReadListFile();
    if (!list.RemoveSection(ringtone_.Name())) return false;
    ReplaceListFile(list);
    return true;
}

void RingtoneListFile::ReplaceListFile(const IniDocument& list) {
    RequireListName();
    const std::optional<FileStamp> before = StampOf(listFileName_);
    WriteListFile(listFileName_, list);
    lastWrite_ = WriteStamps{before, StampOf(listFileName_)};
}

std::string StoredText(const CNotes& ringtone) {
    std::string text = ringtone.Full_RTTTL();
    try {
        CheckWritable(text);
    } catch (const EngineError& e) {
        throw ListError(ListError::Reason::BadText, e.what());
    }
    return text;
}

void WriteListFile(const std::filesystem::path& path, const IniDocument& list) {
    const std::string text = list.Text();
    if (text.size() > MaxListFileSize)
        throw ListError(ListError::Reason::BadText, TooLargeText("the list " + path.string() + " would be", text.size(),
                                                                 MaxListFileSize, "a list"));
    ListFileIo([&] { ReplaceFile(path, text); });
}

FileLock LockLists(const std::filesystem::path& programDirectory) {
    return ListFileIo([&] { return FileLock(programDirectory / ".lists.lock"); });
}

std::string DeleteRingtoneErrorText(std::string_view listFileName) {
    return "Could not delete ringtone from file!  Your list is stored in " + std::string(listFileName) +
           "  Open this in notepad and remove the ringtone entry yourself.  There might have been some sort of "
           "sharing violation or disk write error to cause this problem.";
}

}  // namespace tw
