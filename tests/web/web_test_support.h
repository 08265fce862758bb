#pragma once

#include <string>

#include "support/temp_files.h"

namespace tw::test {

// A menu.dat text with the given version and one ringtone and one link.
inline std::string SimpleMenuFile(const std::string& version) {
    return "[Menu]\r\nVersion=" + version +
           "\r\n[Ringtones]\r\nTotal=1\r\n1=Top 40,http://rings.test/top40.html\r\n"
           "[Links]\r\nTotal=1\r\n1=Phones,https://links.test/\r\n";
}

}  // namespace tw::test
