// What the command line writes for inputs made to hold every kind of token
// the readers meet, compared byte for byte with the outputs recorded in
// golden/outputs.txt. A change that is meant to change an output records
// them again: TW_WRITE_GOLDEN=1 ./cli_tests --gtest_filter='GoldenOutputs.*'
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/cli_run.h"

namespace {

const std::filesystem::path Golden = TW_GOLDEN_DIR;

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// One input, the notation it is read as, and whether it is a collection.
struct GoldenInput {
    std::string file;
    std::string from;
    bool collection;
};

// Every run of one input, in a fixed order: each notation with the default
// and two other separators, the note-only texts, the handset files written
// as text, and the notes described as JSON; a collection through --each.
std::vector<std::vector<std::string>> RunsOf(const GoldenInput& input) {
    std::vector<std::vector<std::string>> runs;
    for (const char* to : {"rtttl", "composer", "keypresses"}) {
        if (input.collection) {
            runs.push_back({"convert", "--each", "--from", input.from, "--to", to});
            runs.push_back({"convert", "--each", "--from", input.from, "--to", to, "--separator", " "});
            continue;
        }
        runs.push_back({"convert", "--from", input.from, "--to", to});
        runs.push_back({"convert", "--from", input.from, "--to", to, "--separator", "|"});
        runs.push_back({"convert", "--from", input.from, "--to", to, "--separator", " "});
        runs.push_back({"convert", "--from", input.from, "--to", to, "--notes-only"});
    }
    if (!input.collection) {
        for (const char* to : {"imelody", "fmf", "arduino"})
            runs.push_back({"convert", "--from", input.from, "--to", to});
        runs.push_back({"notes", "--from", input.from});
    }
    return runs;
}

std::string Transcript(const GoldenInput& input) {
    const std::string text = ReadFile(Golden / input.file);
    std::string transcript;
    std::string lastErr;
    for (const std::vector<std::string>& args : RunsOf(input)) {
        const tw::test::CliRun run = tw::test::RunTunewright(args, text);
        transcript += "$";
        for (const std::string& arg : args) transcript += " " + arg;
        transcript += " < " + input.file + "\nexit " + std::to_string(run.code) + "\n--- stdout\n" + run.out;
        // The problems of one input are the same for most runs: said once.
        transcript += run.err == lastErr ? "\n--- stderr as above\n" : "\n--- stderr\n" + run.err + "\n";
        lastErr = run.err;
    }
    return transcript;
}

// The first line where two transcripts part, with both versions of it.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
    std::istringstream a(expected), b(actual);
    std::string x, y;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, x));
        const bool moreB = static_cast<bool>(std::getline(b, y));
        if (!moreA && !moreB) return "the same lines, other line ends";
        if (x != y || moreA != moreB)
            return "line " + std::to_string(line) + "\n  recorded: " + x.substr(0, 300) +
                   "\n  written:  " + y.substr(0, 300);
    }
}

TEST(GoldenOutputs, EveryOutputAsRecorded) {
    const std::vector<GoldenInput> inputs = {
        {"tokens.rtttl", "rtttl", false},    {"defaults.rtttl", "rtttl", false},
        {"composer.txt", "composer", false}, {"keypresses.txt", "keypresses", false},
        {"collection.rtttl", "rtttl", true},
    };
    std::string transcript;
    for (const GoldenInput& input : inputs) transcript += Transcript(input);
    const std::filesystem::path recorded = Golden / "outputs.txt";
    if (std::getenv("TW_WRITE_GOLDEN")) {
        std::ofstream(recorded, std::ios::binary) << transcript;
        GTEST_SKIP() << "recorded " << recorded;
    }
    const std::string expected = ReadFile(recorded);
    ASSERT_FALSE(expected.empty()) << recorded << " is missing";
    EXPECT_TRUE(transcript == expected) << FirstDifference(expected, transcript);
}

}  // namespace
