// Importing a collection: every ringtone read and stored in one write.
#include <string>
#include <unordered_map>

#include "engine/collection.h"
#include "engine/engine_error.h"
#include "engine/ringtone_text.h"
#include "engine/size_limits.h"
#include "engine/text_rules.h"
#include "lists/list_error.h"
#include "session/ringtone_session.h"

namespace tw {
namespace {

// How often progress is told, in ringtones.
constexpr std::size_t ProgressStep = 64;

// A name no entry of `list` has: `name`, else `name (2)`, `name (3)` ...;
// `next` remembers where each name's count stands, so that many ringtones of
// one name cost no more than a few.
std::string FreeName(const IniDocument& list, const std::string& name, std::unordered_map<std::string, int>& next) {
    if (!list.HasSection(name)) return name;
    int& count = next.try_emplace(ToLowerAscii(name), 2).first->second;
    std::string candidate;
    do candidate = name + " (" + std::to_string(count++) + ")";
    while (list.HasSection(candidate));
    return candidate;
}

}  // namespace

std::optional<ImportResult> RingtoneSession::Import(Notation from, std::string_view text,
                                                    const ImportProgress& progress) {
    if (text.size() > MaxCollectionText)
        throw SessionError(SessionError::Reason::TooLong,
                           TooLargeText("the collection is", text.size(), MaxCollectionText, "a collection"));
    const std::vector<CollectedRingtone> ringtones = SplitCollection(text);
    if (ringtones.empty()) throw SessionError(SessionError::Reason::NoText, "no ringtone text");
    const FileLock lock = ListCall([&] { return LockLists(ProgramDirectory()); });
    IniDocument list = ListCall([&] { return list_.ReadListFile(); });

    ImportResult result;
    CNotes notes;
    notes.SetOutputSeparator(ringtone_.OutputSeparator());
    std::unordered_map<std::string, int> next;
    for (std::size_t i = 0; i < ringtones.size(); ++i) {
        if (progress && i % ProgressStep == 0 && !progress(i, ringtones.size())) return std::nullopt;
        const CollectedRingtone& ringtone = ringtones[i];
        try {
            ReadGivenRingtone(notes, from, ringtone.text);
            notes.SetName(FreeName(list, notes.Name(), next));
            list.SetValue(notes.Name(), RingtoneKey, StoredText(notes));
            ++result.imported;
        } catch (const EngineError& e) {
            result.skipped.push_back({ringtone.line, e.what()});
        } catch (const ListError& e) {
            result.skipped.push_back({ringtone.line, e.what()});
        }
    }
    if (progress && !progress(ringtones.size(), ringtones.size())) return std::nullopt;
    if (result.imported > 0) {
        ListCall([&] { WriteListFile(ListFileName(), list); });
        Saw();
    }
    return result;
}

}  // namespace tw
