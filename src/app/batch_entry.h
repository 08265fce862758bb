#pragma once

#include <iosfwd>
#include <string>

#include "engine/cnotes.h"
#include "session/list_snapshot.h"

namespace tw {

// Loads `entry` of `snapshot` into `ringtone` for a batch that writes one file
// per ringtone, named after the ringtone's own name, which `name` then holds
// (the entry's name until it is read). False, with the reason on `err`, when
// that name cannot be a file name: the batch skips the ringtone. A text the
// engine refuses throws as ListSnapshot::Load does.
bool LoadBatchEntry(const ListSnapshot& snapshot, const std::string& entry, CNotes& ringtone, std::string& name,
                    std::ostream& err);

}  // namespace tw
