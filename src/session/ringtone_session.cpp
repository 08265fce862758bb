#include "session/ringtone_session.h"

#include <algorithm>
#include <optional>

#include "engine/engine_error.h"
#include "engine/format_tempo.h"
#include "engine/ringtone_name.h"
#include "engine/ringtone_text.h"
#include "engine/text_rules.h"
#include "files/safe_file.h"
#include "lists/list_files.h"
#include "lists/list_names.h"
#include "session/ringtone_file.h"
#include "session/ringtone_rename.h"

namespace tw {
namespace {

bool AnythingAt(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::symlink_status(path, error).type() != std::filesystem::file_type::not_found;
}

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

RingtoneSession::RingtoneSession(std::filesystem::path programDirectory)
    : list_(ringtone_, std::move(programDirectory)) {}

void RingtoneSession::ScanLists(ListBox& lists) const {
    ListCall([&] { ScanListFiles(lists, ProgramDirectory()); });
}

std::vector<std::string> RingtoneSession::ListsWithFiles() const {
    SortedNameList names;
    ScanLists(names);
    std::vector<std::string> lists;
    for (const std::string& name : names.Items())
        if (IsFile(ProgramDirectory() / (name + ".dat"))) lists.push_back(name);
    return lists;
}

void RingtoneSession::OpenList(std::string_view name) {
    ListCall([&] { list_.SetListName(name); });
}

void RingtoneSession::OpenExistingList(std::string_view name) {
    OpenList(name);
    if (IsFile(ListFileName())) return;
    // Something else of that name (a FIFO, a folder) is named for what it is.
    try {
        CheckRegularFile(ListFileName());
    } catch (const FileError& e) {
        throw SessionError(SessionError::Reason::ListIo, e.what());
    }
    throw SessionError(SessionError::Reason::NoList,
                       "there is no list '" + ListName() + "' (no file " + ListFileName() + ")");
}

void RingtoneSession::LoadRows(ListBox& rows) const {
    Saw();
    rowsSeen_ = seen_;
    ListCall([&] { list_.LoadList(rows); });
}

std::string RingtoneSession::CheckNewListName(std::string_view name, const std::vector<std::string>& known) const {
    std::string checked = ListCall([&] { return CheckListName(name); });
    if (std::find(known.begin(), known.end(), checked) != known.end() ||
        AnythingAt(ProgramDirectory() / (checked + ".dat")))
        throw SessionError(SessionError::Reason::ListExists, "there is a list named '" + checked + "' already");
    return checked;
}

bool RingtoneSession::NewList(std::string_view name) {
    const std::string previous = ListName();
    try {
        const bool made = ListCall([&] { return tw::NewList(list_, name); });
        // The rows loaded are another list's: they stay to be loaded again.
        Saw();
        return made;
    } catch (const SessionError&) {
        if (!previous.empty()) list_.SetListName(previous);
        throw;
    }
}

void RingtoneSession::RenameList(std::string_view newName) {
    // The file moves with its inode and time of change, so the rows stay
    // seen unless another program wrote the file before it moved.
    ListCall([&] { tw::RenameList(list_, newName); });
    Saw();
}

void RingtoneSession::ClearList() {
    ListCall([&] { tw::ClearList(list_); });
    SawOwnWrite();
    Clear();
}

bool RingtoneSession::DeleteList() {
    const bool hadFile = ListCall([&] { return tw::DeleteList(list_); });
    // The rows loaded are the deleted file's: they stay to be loaded again.
    Saw();
    return hadFile;
}

bool RingtoneSession::DeleteListAndOpenNeighbour() {
    const std::string deleted = ListName();
    const bool hadFile = DeleteList();
    Clear();
    SortedNameList names;
    ScanLists(names);
    // The scan names the default list when there is no other.
    const std::vector<std::string>& lists = names.Items();
    const auto after = std::lower_bound(lists.begin(), lists.end(), deleted,
                                        [](const std::string& a, const std::string& b) { return ListEntryLess(a, b); });
    OpenList(after == lists.begin() ? lists.front() : *std::prev(after));
    return hadFile;
}

void RingtoneSession::Clear() {
    ringtone_.Clear();
    shown_.reset();
}

void RingtoneSession::Get(Notation from, std::string_view text) { ReadAndStore(FormatOf(from), text); }

void RingtoneSession::GetAs(FileFormat from, std::string_view bytes, const FileReadOptions& options) {
    if (NotationOf(from)) ReadAndStore(from, JoinLines(bytes));
    else ReadAndStore(from, bytes, options);
}

void RingtoneSession::ReadAndStore(FileFormat from, std::string_view bytes, const FileReadOptions& options) {
    if (NotationOf(from) ? TrimSpaces(bytes).empty() : bytes.empty())
        throw SessionError(SessionError::Reason::NoText, "no ringtone text");
    Clear();
    try {
        ReadRingtoneAs(ringtone_, from, bytes, options);
    } catch (const EngineError& e) {
        ringtone_.Clear();
        throw SessionError(e.reason() == EngineError::Reason::TooLong ? SessionError::Reason::TooLong
                                                                      : SessionError::Reason::Unreadable,
                           e.what());
    }
    Store();
}

void RingtoneSession::Store() {
    ListCall([&] { list_.SaveToFile(); });
    SawOwnWrite();
}

EntryLoad RingtoneSession::Show(std::string_view row) {
    shown_ = std::string(row);
    shownStored_ = false;
    if (!snapshot_) Saw();
    try {
        // An entry missing from the file reads as empty text; the ringtone
        // keeps the row's name so that a delete acts on the row shown.
        shownStored_ = snapshot_ ? snapshot_->Load(row, ringtone_) : list_.LoadFromFile(row);
        if (!shownStored_) ringtone_.SetName(std::string(row));
        return {shownStored_ ? EntryState::Stored : EntryState::Missing, {}};
    } catch (const EngineError& e) {
        // The stored text cannot be read; the row can still be renamed or deleted.
        shownStored_ = true;
        ringtone_.Clear();
        ringtone_.SetName(std::string(row));
        return {EntryState::Unreadable, e.what()};
    } catch (const ListError& e) {
        shown_.reset();
        throw SessionError(SessionReason(e.reason()), e.what());
    }
}

void RingtoneSession::ReloadShown() {
    if (!shown_) return;
    Saw();
    try {
        shownStored_ = list_.LoadFromFile(*shown_);
        if (!shownStored_) ringtone_.SetName(*shown_);
    } catch (const EngineError&) {
        ringtone_.Clear();
        ringtone_.SetName(*shown_);
    } catch (const ListError&) {
        // The list cannot be read now; the ringtone stays as it was shown.
    }
}

RenameCheck RingtoneSession::CheckRename(std::string_view newName) const {
    const std::string name = FitRingtoneName(newName).name;
    if (name == ringtone_.Name()) return RenameCheck::Unchanged;
    if (name.empty()) throw SessionError(SessionError::Reason::BadRingtoneName, "A ringtone needs a name.");
    const bool other = ListCall([&] { return HasOtherEntry(list_, StoredEntry(), name); });
    return other ? RenameCheck::ReplacesOther : RenameCheck::Free;
}

std::string RingtoneSession::StoredEntry() const {
    if (shown_ && *shown_ != ringtone_.Name() && FitRingtoneName(*shown_).name == ringtone_.Name()) return *shown_;
    return ringtone_.Name();
}

void RingtoneSession::CatchUpShown() {
    if (!shown_ || !ListChangedOnDisk()) return;
    const bool wasStored = shownStored_;
    ReloadShown();
    if (wasStored && !shownStored_)
        throw SessionError(SessionError::Reason::EntryGone,
                           "another program removed the ringtone '" + *shown_ + "' from the '" + ListName() + "' list");
}

void RingtoneSession::Rename(std::string_view newName) {
    CatchUpShown();
    const std::string oldName = ringtone_.Name();
    const std::string entry = StoredEntry();
    ringtone_.SetGivenName(newName);
    try {
        ListCall([&] { StoreRenamed(list_, entry); });
        SawOwnWrite();
    } catch (const SessionError&) {
        ringtone_.SetName(oldName);
        throw;
    }
    if (shown_) shown_ = ringtone_.Name();
}

void RingtoneSession::SetTempo(std::string_view tempo) {
    CatchUpShown();
    const std::string oldTempo = ringtone_.Tempo();
    const std::string entry = StoredEntry();
    ringtone_.SetTempo(std::string(tempo));
    try {
        if (entry == ringtone_.Name()) {
            Store();
        } else {
            const std::string stored = ListCall([&] { return StoreInPlace(list_, entry); });
            SawOwnWrite();
            shown_ = stored;
        }
    } catch (const SessionError&) {
        ringtone_.SetTempo(oldTempo);
        throw;
    }
}

std::string RingtoneSession::ChangeEntry(std::string_view entry, const std::function<bool(CNotes&)>& change) {
    std::optional<std::string> stored;
    try {
        stored = ListCall([&] { return ChangeInPlace(list_, entry, change); });
    } catch (const EngineError& e) {
        throw SessionError(e.reason() == EngineError::Reason::TooLong ? SessionError::Reason::TooLong
                                                                      : SessionError::Reason::Unreadable,
                           e.what());
    }
    if (!stored)
        throw SessionError(SessionError::Reason::NoRingtone,
                           "there is no ringtone '" + std::string(entry) + "' in the '" + ListName() + "' list");
    SawOwnWrite();
    return *stored;
}

void RingtoneSession::ChangeShown(const std::function<bool(CNotes&)>& change) {
    if (!shown_) throw SessionError(SessionError::Reason::NoRingtone, "no ringtone is shown");
    const std::string before = ringtone_.Full_RTTTL();
    const std::string entry = StoredEntry();
    const auto putBack = [&] {
        try {
            ringtone_.SetFull_RTTTL(before);
        } catch (const EngineError&) {
            // It was read from this text; it reads again.
        }
    };
    try {
        shown_ = ChangeEntry(entry, change);
        shownStored_ = true;
    } catch (const SessionError& e) {
        putBack();
        if (e.reason() == SessionError::Reason::NoRingtone)
            throw SessionError(SessionError::Reason::EntryGone, "another program removed the ringtone '" + entry +
                                                                    "' from the '" + ListName() + "' list");
        throw;
    } catch (...) {
        putBack();
        throw;
    }
}

bool RingtoneSession::DeleteRingtone(std::string_view name) {
    ringtone_.SetName(std::string(name));
    const bool deleted = ListCall([&] { return list_.DeleteFromFile(); });
    SawOwnWrite();
    return deleted;
}

std::string RingtoneSession::ExportText(const ExportChoices& choices, const std::tm& when,
                                        std::vector<std::string>& problems) const {
    return ListCall([&] { return ToneListText(list_, choices, when, problems); });
}

std::filesystem::path RingtoneSession::ExportPath() const { return ToneListPath(ProgramDirectory()); }

ListSnapshot RingtoneSession::ReadSnapshot() const {
    return ListSnapshot(ListCall([&] { return list_.ReadListFile(); }));
}

void RingtoneSession::HoldSnapshot() {
    try {
        snapshot_ = ReadSnapshot();
    } catch (const SessionError&) {
        snapshot_.reset();
    }
}

void RingtoneSession::CheckSavable() const {
    if (ringtone_.Tempo().empty() || ringtone_.Name().empty())
        throw SessionError(SessionError::Reason::Unnamed, "Please type in a Ringtone name and Tempo.");
}

std::vector<std::string> RingtoneSession::SaveRingtone(SaveForm form, const std::filesystem::path& file,
                                                       Player& player) const {
    CheckSavable();
    if (const FileFormat* format = std::get_if<FileFormat>(&form)) return SaveRingtoneAs(file, ringtone_, *format);
    return SaveSoundFile(ringtone_, file, std::get<SoundFileType>(form), player);
}

std::filesystem::path RingtoneSession::SaveShownWav(const std::filesystem::path& folder, Player& player) const {
    SaveSoundFileNamed(folder, ringtone_, SoundFileType::Wav, player, [this] {
        if (!shownStored_)
            throw SessionError(SessionError::Reason::EntryGone,
                               "the ringtone is no longer in the '" + ListName() + "' list");
    });
    return SoundFileFor(folder, ringtone_.Name(), SoundFileType::Wav);
}

std::optional<int> TempoValue(std::string_view text) {
    const std::optional<std::int64_t> value = ReadTempo(text);
    if (value && *value >= 1 && *value <= 32767) return static_cast<int>(*value);
    return std::nullopt;
}

}  // namespace tw
