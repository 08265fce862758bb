#include "files/temporary_files.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/safe_file.h"

namespace tw {
namespace {

// The names of the temporary files being written, where a signal handler
// can read them: fixed buffers, claimed and given back through the state.
enum SlotState : int { Free, Filling, Ready };

struct Slot {
    std::atomic<int> state{Free};
    char path[PATH_MAX];
};

std::array<Slot, 64> registry;

// The slot now holding `path`, or -1 when the name is too long or every slot
// is taken; the file is then only removed by the next write into its folder.
int Register(const std::filesystem::path& path) {
    const std::string& text = path.native();
    if (text.size() >= PATH_MAX) return -1;
    for (std::size_t i = 0; i < registry.size(); ++i) {
        int expected = Free;
        if (!registry[i].state.compare_exchange_strong(expected, Filling)) continue;
        std::memcpy(registry[i].path, text.c_str(), text.size() + 1);
        registry[i].state.store(Ready);
        return static_cast<int>(i);
    }
    return -1;
}

void Unregister(int slot) {
    if (slot >= 0) registry[static_cast<std::size_t>(slot)].state.store(Free);
}

// Only async-signal-safe calls: unlink, and raise with the default action
// back in place (SA_RESETHAND), so that the process ends as the signal says.
extern "C" void RemoveTemporaryFilesAndEnd(int signal) {
    for (Slot& slot : registry)
        if (slot.state.load() == Ready) ::unlink(slot.path);
    ::raise(signal);
}

bool AllDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The process that wrote a file named ".NAME.PID-N.tmp"; nothing for any
// other name.
std::optional<pid_t> WriterOf(std::string_view name) {
    constexpr std::string_view Suffix = ".tmp";
    if (name.size() <= Suffix.size() || name.front() != '.' || name.substr(name.size() - Suffix.size()) != Suffix)
        return std::nullopt;
    name.remove_suffix(Suffix.size());
    const std::size_t dash = name.rfind('-');
    if (dash == std::string_view::npos || !AllDigits(name.substr(dash + 1))) return std::nullopt;
    const std::size_t dot = name.rfind('.', dash);
    if (dot == std::string_view::npos || dot < 2) return std::nullopt;
    const std::string_view digits = name.substr(dot + 1, dash - dot - 1);
    pid_t pid = 0;
    if (!AllDigits(digits) || std::from_chars(digits.begin(), digits.end(), pid).ec != std::errc{} || pid <= 0)
        return std::nullopt;
    return pid;
}

bool ProcessIsGone(pid_t pid) { return pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH; }

}  // namespace

void InstallTemporaryFileCleanup() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
            struct sigaction old {};
            if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
            struct sigaction action {};
            action.sa_handler = RemoveTemporaryFilesAndEnd;
            sigemptyset(&action.sa_mask);
            action.sa_flags = SA_RESETHAND;
            ::sigaction(signal, &action, nullptr);
        }
        ::signal(SIGXFSZ, SIG_IGN);
    });
}

std::filesystem::path TemporaryPathFor(const std::filesystem::path& target, unsigned number) {
    const std::string suffix = "." + std::to_string(::getpid()) + "-" + std::to_string(number) + ".tmp";
    std::string name = target.filename().string();
    const std::size_t room = NAME_MAX - 1 - suffix.size();
    if (name.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        name.resize(cut);
    }
    return target.parent_path() / ("." + name + suffix);
}

void RemoveStaleTemporaryFiles(const std::filesystem::path& target) {
    // The stale files of each folder, by the name they were written for:
    // found by one look through the folder, removed as their targets are
    // written. Files of other programs that happen to look alike stay.
    using Stale = std::map<std::string, std::vector<std::filesystem::path>, std::less<>>;
    static std::mutex mutex;
    static std::map<std::filesystem::path, Stale> byFolder;
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    const std::lock_guard lock(mutex);
    auto [found, isNew] = byFolder.try_emplace(folder);
    Stale& stale = found->second;
    if (isNew) {
        std::error_code error;
        std::filesystem::directory_iterator entry(folder, error);
        for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
            const std::string name = entry->path().filename().string();
            const std::optional<pid_t> writer = WriterOf(name);
            if (!writer || !ProcessIsGone(*writer)) continue;
            // ".NAME.PID-N.tmp": NAME, perhaps cut short.
            const std::size_t pidDot = name.rfind('.', name.rfind('-'));
            stale[name.substr(1, pidDot - 1)].push_back(entry->path());
        }
    }
    // A long name may have been cut at another length for another PID.
    const std::string targetName = target.filename().string();
    for (auto each = stale.begin(); each != stale.end();) {
        const bool mine =
            each->first == targetName || (each->first.size() >= NAME_MAX - 32 && targetName.starts_with(each->first));
        if (!mine) {
            ++each;
            continue;
        }
        for (const std::filesystem::path& file : each->second) ::unlink(file.c_str());
        each = stale.erase(each);
    }
}

TemporaryFile::TemporaryFile(const std::filesystem::path& target) : target_(target) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = TemporaryPathFor(target, counter.fetch_add(1));
        // Known to the handlers before it exists, so that no moment is left
        // in which a signal would leave it behind.
        slot_ = Register(path_);
        fd_ = FileDescriptor(::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd_.IsOpen()) return;
        const int error = errno;
        Unregister(slot_);
        slot_ = -1;
        if (error != EEXIST) throw FileError(FileErrorText("write", target, error));
    }
    throw FileError(FileErrorText("write", target, EEXIST));
}

TemporaryFile::~TemporaryFile() {
    if (fd_.IsOpen()) fd_.Close();
    if (!renamed_) ::unlink(path_.c_str());
    Unregister(slot_);
}

bool TemporaryFile::RenameOverTarget() {
    if (::rename(path_.c_str(), target_.c_str()) != 0) return false;
    renamed_ = true;
    Unregister(std::exchange(slot_, -1));
    return true;
}

}  // namespace tw
