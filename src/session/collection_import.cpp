// Importing a collection: every ringtone read and stored in one write.
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

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

// The ringtones a list held before an import, by name and text, so that an
// import run again leaves out what the first run stored. A ringtone counts as
// there when an entry of its very name holds its very text, or when an entry
// that an import numbered ("Song (2)") holds its text under that name. Made
// on first need: an import into a list that has none of its names reads no
// entry.
class StoredBefore {
public:
    explicit StoredBefore(const IniDocument& list) : list_(list), sections_(list.SectionCount()) {}

    // Whether the list held `ringtone`, by its name and stored text, before
    // the import.
    bool Has(const CNotes& ringtone) {
        const std::string& name = ringtone.Name();
        if (!list_.HasSection(name)) return false;
        if (!indexed_) Index();
        const std::string text = StoredText(ringtone);  // which begins with the name
        return keys_.contains(Key(name, std::string_view(text).substr(name.size())));
    }

private:
    static std::string Key(std::string_view name, std::string_view afterName) {
        std::string key(name);
        key += '\n';
        key += afterName;
        return key;
    }

    // "Song" for "Song (2)"; nothing for a name that no import numbered.
    static std::optional<std::string_view> Unnumbered(std::string_view name) {
        if (!name.ends_with(')')) return std::nullopt;
        const std::size_t open = name.rfind(" (");
        if (open == std::string_view::npos || open == 0) return std::nullopt;
        const std::string_view digits = name.substr(open + 2, name.size() - open - 3);
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
        return name.substr(0, open);
    }

    // The entries the list had: those before the first one the import added,
    // which all go at the end.
    void Index() {
        indexed_ = true;
        const std::vector<std::string> names = list_.SectionNames();
        for (std::size_t i = 0; i < sections_; ++i) {
            const std::string& name = names[i];
            const std::optional<std::string> text = list_.Value(name, RingtoneKey);
            if (!text || !text->starts_with(name) || text->compare(name.size(), 1, ":") != 0) continue;
            const std::string_view afterName = std::string_view(*text).substr(name.size());
            keys_.insert(Key(name, afterName));
            if (const auto unnumbered = Unnumbered(name)) keys_.insert(Key(*unnumbered, afterName));
        }
    }

    const IniDocument& list_;
    std::size_t sections_;
    bool indexed_ = false;
    std::unordered_set<std::string> keys_;
};

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
    StoredBefore before(list);
    for (std::size_t i = 0; i < ringtones.size(); ++i) {
        if (progress && i % ProgressStep == 0 && !progress(i, ringtones.size())) return std::nullopt;
        const CollectedRingtone& ringtone = ringtones[i];
        try {
            ReadGivenRingtone(notes, from, ringtone.text);
            if (before.Has(notes)) {
                ++result.alreadyThere;
                continue;
            }
            notes.SetName(FreeName(list, notes.Name(), next));
            list.SetValue(notes.Name(), RingtoneKey, StoredText(notes));
            ++result.imported;
            for (const std::string& change : notes.NameChanges()) result.renamed.push_back({ringtone.line, change});
        } catch (const EngineError& e) {
            result.skipped.push_back({ringtone.line, e.what()});
        } catch (const ListError& e) {
            result.skipped.push_back({ringtone.line, e.what()});
        }
    }
    if (progress && !progress(ringtones.size(), ringtones.size())) return std::nullopt;
    if (result.imported > 0) {
        ListCall([&] { list_.ReplaceListFile(list); });
        SawOwnWrite();
    }
    return result;
}

}  // namespace tw
