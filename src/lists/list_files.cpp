#include "lists/list_files.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "engine/text_rules.h"
#include "files/safe_file.h"
#include "lists/list_error.h"
#include "lists/list_names.h"

namespace tw {
namespace {

constexpr std::string_view ListSuffix = ".dat";

[[noreturn]] void FailIo(std::string_view what, const std::filesystem::path& path, int error) {
    throw ListError(ListError::Reason::Io, FileErrorText(what, path, error));
}

bool Exists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::symlink_status(path, error).type() != std::filesystem::file_type::not_found && !error;
}

// Moves `from` to `to` unless `to` exists; the kernel checks and moves in one
// step where the file system allows it.
void MoveWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return;
    if (errno == EEXIST) throw ListError(ListError::Reason::Exists, "there is a list file " + to.string() + " already");
    if (errno != EINVAL && errno != ENOSYS) FailIo("rename", from, errno);
    if (Exists(to)) throw ListError(ListError::Reason::Exists, "there is a list file " + to.string() + " already");
    if (std::rename(from.c_str(), to.c_str()) != 0) FailIo("rename", from, errno);
}

}  // namespace

void ScanListFiles(ListBox& cboList, const std::filesystem::path& programDirectory) {
    cboList.Clear();
    bool any = false;
    std::error_code error;
    std::filesystem::directory_iterator entries(programDirectory, error);
    for (; !error && entries != std::filesystem::directory_iterator{}; entries.increment(error)) {
        const std::string file = entries->path().filename().string();
        if (file.size() <= ListSuffix.size() ||
            file.compare(file.size() - ListSuffix.size(), ListSuffix.size(), ListSuffix) != 0)
            continue;
        std::error_code typeError;
        if (!entries->is_regular_file(typeError)) continue;
        std::string name = file.substr(0, file.size() - ListSuffix.size());
        if (ListNameProblem(name) || name != TrimSpaces(name)) continue;
        cboList.AddItem(std::move(name));
        any = true;
    }
    if (error && error != std::errc::no_such_file_or_directory)
        throw ListError(ListError::Reason::Io,
                        "could not list the folder " + programDirectory.string() + ": " + error.message());
    if (!any) cboList.AddItem(std::string(DefaultListName));
}

bool NewList(RingtoneListFile& list, std::string_view name) {
    list.SetListName(name);
    const FileLock lock = LockLists(list.ProgramDirectory());
    if (!ListFileIo([&] { return CreateEmptyFile(list.ListFileName()); })) return false;
    SyncFolderOf(list.ListFileName());
    return true;
}

void RenameList(RingtoneListFile& list, std::string_view newName) {
    const std::string name = CheckListName(newName);
    if (name == list.ListName()) return;
    const FileLock lock = LockLists(list.ProgramDirectory());
    const std::filesystem::path from = list.ListFileName();
    const std::filesystem::path to = list.ProgramDirectory() / (name + ".dat");

    std::error_code error;
    if (!Exists(from)) {
        if (!ListFileIo([&] { return CreateEmptyFile(to); }))
            throw ListError(ListError::Reason::Exists, "there is a list named '" + name + "' already");
    } else if (Exists(to) && std::filesystem::equivalent(from, to, error)) {
        // Only the letter case changes, on a file system that ignores it.
        if (std::rename(from.c_str(), to.c_str()) != 0) FailIo("rename", from, errno);
    } else {
        try {
            MoveWithoutReplacing(from, to);
        } catch (const ListError& e) {
            if (e.reason() != ListError::Reason::Exists) throw;
            throw ListError(ListError::Reason::Exists, "there is a list named '" + name + "' already");
        }
    }
    SyncFolderOf(to);
    list.SetListName(name);
}

void ClearList(RingtoneListFile& list) {
    if (list.ListFileName().empty()) throw ListError(ListError::Reason::BadName, "no ringtone list has been chosen");
    const FileLock lock = LockLists(list.ProgramDirectory());
    list.ReplaceListFile(IniDocument{});
}

bool DeleteList(const RingtoneListFile& list) {
    const std::filesystem::path path = list.ListFileName();
    std::error_code error;
    if (std::filesystem::symlink_status(path, error).type() == std::filesystem::file_type::not_found) return false;
    const FileLock lock = LockLists(list.ProgramDirectory());
    const auto status = std::filesystem::symlink_status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return false;
    if (status.type() == std::filesystem::file_type::directory) FailIo("delete the list file", path, EISDIR);
    if (::unlink(path.c_str()) != 0) {
        if (errno == ENOENT) return false;
        FailIo("delete the list file", path, errno);
    }
    SyncFolderOf(path);
    return true;
}

}  // namespace tw
