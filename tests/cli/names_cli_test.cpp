// Names that once broke the text they were written into, stored by an older
// program: the command line gets, exports and imports them under their
// look-alike, and says on standard error what was replaced. (The readers fit
// the names they find in the engine's tests; from-midi in the session's.)
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/temp_files.h"

namespace {

using tw::test::CliRun;
using tw::test::RunTunewright;

std::string Colons(const std::string& name) {
    return "name \"" + name + "\": \":\" replaced by \"-\" (a colon ends the name in a ringtone text)\n";
}
std::string Guarded(const std::string& name, const std::string& marker) {
    return "name \"" + name + "\": \"_\" put before the leading \"" + marker +
           "\" (a collection takes a line starting with \"" + marker + "\" for a comment)\n";
}

class NamesCli : public tw::test::FreshHomeTest {
protected:
    CliRun List(std::vector<std::string> args, const std::string& input = {}) {
        args.insert(args.begin(), "list");
        return RunTunewright(args, input);
    }
};

// Entries of an older list stored under such names load, convert and export
// under the look-alike, and the export imports back whole.
TEST_F(NamesCli, OldEntriesExportAndImportWhole) {
    std::filesystem::create_directories(home / "lists");
    tw::test::WriteBytes(home / "lists" / "Old.dat",
                         "[#hash]\r\nRTTTL=#hash:d=4,o=5,b=90:c, d\r\n"
                         "[A:b]\r\nRTTTL=A:b:d=4,o=5,b=90:c, d\r\n"
                         "[//x]\r\nRTTTL=//x:d=4,o=5,b=90:c, d\r\n");
    CliRun run = List({"get", "Old", "#hash", "--to", "composer"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "_#hash:Tempo=90:4c1, 4d1\n");
    EXPECT_EQ(run.err, Guarded("_#hash", "#"));

    run = List({"export", "Old", "--raw", "--types", "rtttl", "-o", (home / "raw.txt").string()});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "#hash: " + Guarded("_#hash", "#") + "//x: " + Guarded("_//x", "//") + "A:b: " + Colons("A-b"));
    run = List({"import", "New", "--from", "rtttl", (home / "raw.txt").string()});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "imported 3, skipped 0\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(List({"show", "New"}).out, "_#hash\n_//x\nA-b\n");
    EXPECT_EQ(List({"get", "New", "A-b", "--to", "rtttl"}).out, "A-b:d=4,o=5,b=90:c, d\n");

    run = RunTunewright({"convert", "--each", "--from", "rtttl", "--to", "composer", (home / "raw.txt").string()});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "_#hash:Tempo=90:4c1, 4d1\n_//x:Tempo=90:4c1, 4d1\nA-b:Tempo=90:4c1, 4d1\n");
}

}  // namespace
