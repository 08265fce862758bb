#include "app/batch_entry.h"

#include <ostream>

#include "lists/list_names.h"

namespace tw {

bool LoadBatchEntry(const ListSnapshot& snapshot, const std::string& entry, CNotes& ringtone, std::string& name,
                    std::ostream& err) {
    name = entry;
    snapshot.Load(entry, ringtone);
    name = ringtone.Name();
    const auto problem = FileNameProblem(name);
    if (!problem) return true;
    err << "error: the ringtone '" << Printable(name) << "' was skipped: its name cannot be a file name (" << *problem
        << ")\n";
    return false;
}

}  // namespace tw
