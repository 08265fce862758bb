#pragma once

#include <string_view>

#include "web/program_version.h"

namespace tw {

// Opens a page of the web in the user's browser: adds the query item that
// names the program (AddressToOpen), finds the first browser candidate on
// PATH and starts it detached with the address as its one argument, never
// through a shell. An address that is not an absolute http: or https:
// address with a host is never opened. True when a browser was started;
// the windows ignore the answer and show nothing either way.
bool OpenWebPage(std::string_view address, ProgramVersion version = ThisProgramVersion);

}  // namespace tw
