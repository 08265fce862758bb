#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "app/cli_options.h"

namespace tw {

class RingtoneSession;

// `tunewright phone --to ogg|m4r --from F [--voice V] [--repeat N] [--gap MS]
// [--separator S] [--imelody-prefix P] [FILE|-] -o OUT`: the ringtone as a
// phone's ringtone file, to OUT or to standard output for "-" (never a
// terminal). What was made (plays and length) goes to standard error.
int PhoneCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

// `tunewright list phone-all LIST --to ogg|m4r [--voice V] [--repeat N]
// [--gap MS] -o DIR`: one phone file per ringtone of the session's list in
// `folder`, named after the ringtone as wav-all names its files, with a
// line of progress for each on standard error. `args` are the list
// command's, its options checked already.
int PhoneAllCommand(const CommandArgs& args, RingtoneSession& session, const std::filesystem::path& folder,
                    std::ostream& err);

// The options phone and list phone-all take besides their own.
inline const std::vector<std::string_view> PhoneOptionNames{"to", "voice", "repeat", "gap"};

}  // namespace tw
