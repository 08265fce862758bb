#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "session/ringtone_session.h"
#include "support/temp_files.h"

namespace tw::test {

// A session on a program directory of its own, on the list "Favtones",
// writing notes with ", " between them.
class SessionTest : public ::testing::Test {
protected:
    SessionTest() {
        session.Ringtone().SetOutputSeparator(", ");
        session.OpenList("Favtones");
    }

    std::filesystem::path ListPath(const std::string& list = "Favtones") const { return home / (list + ".dat"); }
    std::string ListFile(const std::string& list = "Favtones") const { return ReadBytes(ListPath(list)); }
    void WriteList(const std::string& bytes, const std::string& list = "Favtones") const {
        WriteBytes(ListPath(list), bytes);
    }
    // Puts a folder in the list file's place, so that it can be neither read nor replaced.
    void BreakList(const std::string& list = "Favtones") const {
        std::filesystem::remove(ListPath(list));
        std::filesystem::create_directories(ListPath(list) / "inside");
    }

    TempDir home;
    RingtoneSession session{home.path()};
};

inline const std::string Tune = "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:c, d\r\n";
inline const std::string Other = "[Other]\r\nRTTTL=Other:d=8,o=6,b=200:e, 4f\r\n";

}  // namespace tw::test
