// `tunewright convert -o FILE`: the converted text written to a file as the
// window's save commands write it, one line ending in CR LF.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli_run.h"

namespace {

using tw::test::CliRun;
using tw::test::RunTunewright;

std::string Read(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct OutputCase {
    const char* name;
    std::vector<std::string> options;  // after --from and the input
    std::string input;
    int code;
    std::string file;  // also what "-o -" writes to standard output
    std::string err;
};

TEST(ConvertOutput, WritesOneLineEndingInCrLfReplacingTheFile) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tw-cli-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const std::filesystem::path folder = pattern, target = folder / "old";
    const OutputCase cases[] = {
        {"Composer", {"rtttl", "--to", "composer"}, "Tune:d=4,o=5,b=125:c,8d", 0, "Tune:Tempo=125:4c1, 8d1\r\n", ""},
        {"notes only", {"rtttl", "--to", "composer", "--notes-only"}, "Tune:d=4,o=5,b=125:c,8d", 0, "4c1, 8d1\r\n", ""},
        {"problems on stderr", {"composer", "--to", "composer"}, "4c1 8d1", 1, "No name:Tempo=125:4c1, 8d1\r\n",
         "Ringtone name is invalid.\nThe tempo is invalid.\n"},
    };
    for (const OutputCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(target, std::ios::binary) << std::string(1000, 'x');
        std::vector<std::string> args{"convert", "--from"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        for (const std::string& output : {target.string(), std::string("-")}) {
            std::vector<std::string> withOutput = args;
            withOutput.insert(withOutput.end(), {"-o", output});
            const CliRun run = RunTunewright(withOutput, c.input);
            EXPECT_EQ(run.code, c.code);
            EXPECT_EQ(run.out, output == "-" ? c.file : "");
            EXPECT_EQ(run.err, c.err);
        }
        EXPECT_EQ(Read(target), c.file);
    }

    // A file that cannot be written: exit 2, and what was in the way stays.
    std::filesystem::create_directories(folder / "folder" / "inside");
    for (const std::filesystem::path& bad : {folder / "missing" / "t.txt", folder / "folder"}) {
        const CliRun run = RunTunewright({"convert", "--from", "rtttl", "--to", "rtttl", "-o", bad.string()},
                                         "Tune:d=4,o=5,b=125:c,8d");
        EXPECT_EQ(run.code, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("error: could not ", 0), 0u) << run.err;
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder / "folder" / "inside"));
    EXPECT_EQ(RunTunewright({"convert", "--from", "rtttl", "--to", "rtttl", "-o", ""}, "T:d=4,o=5,b=125:c,d").code, 64);
    std::filesystem::remove_all(folder);
}

}  // namespace
