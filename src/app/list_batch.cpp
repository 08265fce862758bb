#include "app/list_batch.h"

#include <exception>
#include <ostream>
#include <vector>

#include "lists/list_names.h"

namespace tw {

BatchCounts WriteEachRingtone(const ListSnapshot& snapshot, std::ostream& err,
                              const std::function<std::filesystem::path(const std::string& name)>& pathOf,
                              const std::function<void(const CNotes& ringtone, const std::string& name,
                                                       std::size_t place, std::size_t count)>& write) {
    const std::vector<std::string> entries = snapshot.Entries();
    BatchCounts counts;
    std::size_t place = 0;
    for (const std::string& entry : entries) {
        ++place;
        CNotes ringtone;
        std::string name = entry;
        try {
            snapshot.Load(entry, ringtone);
            name = ringtone.Name();
            if (const auto problem = FileNameProblem(name)) {
                err << "error: the ringtone '" << Printable(name) << "' was skipped: its name cannot be a file name ("
                    << *problem << ")\n";
                ++counts.failed;
                continue;
            }
            write(ringtone, name, place, entries.size());
            ++counts.written;
        } catch (const std::exception& e) {
            err << "error: An error occurred trying to create " << pathOf(name).string() << ". [" << e.what() << "]\n";
            ++counts.failed;
        }
    }
    return counts;
}

}  // namespace tw
