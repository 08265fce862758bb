#include "session/list_snapshot.h"

#include "lists/list_box.h"
#include "lists/ringtone_list.h"

namespace tw {

std::vector<std::string> ListSnapshot::Entries() const {
    SortedNameList entries;
    for (std::string& name : file_.SectionNames()) entries.AddItem(std::move(name));
    return entries.Items();
}

bool ListSnapshot::Load(std::string_view entry, CNotes& ringtone) const {
    return RingtoneListFile::LoadEntry(file_, entry, ringtone);
}

}  // namespace tw
