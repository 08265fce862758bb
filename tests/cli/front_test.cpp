// The two programs: `tunewright`, the front without Qt, and
// `tunewright-desktop`, which it hands the window and the commands that need
// Qt. Both run as processes here, in a fresh folder for lists and settings.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "support/temp_files.h"

extern char** environ;

namespace {

const std::string Front = TW_TUNEWRIGHT;
const std::string Desktop = TW_TUNEWRIGHT_DESKTOP;

// How one process ended and what it wrote.
struct Outcome {
    int status = -1;
    std::string out, err;
};

// Changes to this process's environment for a run: a value, or nothing to
// leave the variable out.
using Environment = std::map<std::string, std::optional<std::string>>;

// Runs `program` with `args` (argv[0] is `name`), `input` on standard input
// and `changes` made to the environment, and waits for it.
Outcome RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& input = {},
                   const Environment& changes = {}, const std::string& name = "tunewright") {
    const tw::test::TempDir files;
    tw::test::WriteBytes(files / "in", input);
    std::vector<std::string> words{name};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<std::string> variables;
    for (char** v = environ; *v != nullptr; ++v) {
        const std::string variable = *v;
        if (!changes.contains(variable.substr(0, variable.find('=')))) variables.push_back(variable);
    }
    for (const auto& [key, value] : changes)
        if (value) variables.push_back(key + "=" + *value);
    std::vector<char*> argv, envp;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    for (std::string& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, (files / "in").c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, (files / "out").c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, (files / "err").c_str(), O_WRONLY | O_CREAT, 0600);
    pid_t pid = 0;
    const int error = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) return {-1, "", "posix_spawn: " + std::to_string(error)};
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return {-1, "", "waitpid failed"};
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), tw::test::ReadBytes(files / "out"),
            tw::test::ReadBytes(files / "err")};
}

// Lists and settings of every run in a fresh folder.
class FrontTest : public ::testing::Test {
protected:
    Environment Home() const {
        return {{"TUNEWRIGHT_HOME", (home / "lists").string()}, {"XDG_CONFIG_HOME", (home / "config").string()}};
    }
    tw::test::TempDir home;
};

// A command line handed to the desktop program: the front gives what the
// desktop program gives run directly, and that is `status` with `expected`
// in its output or errors. (The stand-in below shows that every word and
// byte reaches it; these show that the environment and standard input do.)
struct HandedCase {
    const char* what;
    std::vector<std::string> args;
    std::string input;
    Environment changes;
    int status;
    std::string expected;
};

void PrintTo(const HandedCase& c, std::ostream* os) { *os << c.what; }

const Environment NoDisplay{
    {"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}, {"QT_QPA_PLATFORM", std::nullopt}};

const std::vector<HandedCase> HandedCases = {
    {"the window without a display", {}, "", NoDisplay, tw::ExitUsage, "work without one\nUsage: tunewright [local]\n"},
    {"play reads standard input",
     {"play", "--from", "composer"},
     "Tune 9",
     {},
     tw::ExitSound,
     "error: note 1, Tune: a note without a length\n"},
    {"the environment",
     {"web", "menus"},
     "",
     {{"TUNEWRIGHT_BASE_URL", "ftp://nowhere"}},
     tw::ExitNothingRead,
     "TUNEWRIGHT_BASE_URL is not an http or https address with a host and without query or fragment: "
     "ftp://nowhere\n"},
};

class HandedTest : public FrontTest, public ::testing::WithParamInterface<HandedCase> {};

TEST_P(HandedTest, TheFrontGivesWhatTheDesktopProgramGives) {
    const HandedCase& c = GetParam();
    Environment changes = Home();
    changes.insert(c.changes.begin(), c.changes.end());
    const Outcome front = RunProgram(Front, c.args, c.input, changes);
    const Outcome desktop = RunProgram(Desktop, c.args, c.input, changes);
    EXPECT_EQ(front.status, c.status);
    EXPECT_NE((front.out + front.err).find(c.expected), std::string::npos) << front.out << front.err;
    EXPECT_EQ(front.status, desktop.status);
    EXPECT_EQ(front.out, desktop.out);
    EXPECT_EQ(front.err, desktop.err);
}

INSTANTIATE_TEST_SUITE_P(Cases, HandedTest, ::testing::ValuesIn(HandedCases));

// Every command of the usage, given an option no command has, says the same
// in both programs: each runs where it belongs.
TEST_F(FrontTest, EveryCommandAnswersAsInTheDesktopProgram) {
    std::istringstream usage(RunProgram(Front, {"--help"}).out);
    std::set<std::string> commands;
    for (std::string line; std::getline(usage, line);) {
        std::istringstream words(line);
        std::string word;
        while (words >> word && word != "tunewright") {
        }
        if (!(words >> word) || word.starts_with("-") || word.starts_with("[") || !commands.insert(word).second)
            continue;
        SCOPED_TRACE(word);
        const std::vector<std::string> args{word, "--no-such-option"};
        const Outcome front = RunProgram(Front, args, {}, Home());
        const Outcome desktop = RunProgram(Desktop, args, {}, Home());
        EXPECT_EQ(front.status, tw::ExitUsage);
        EXPECT_EQ(front.status, desktop.status);
        EXPECT_EQ(front.out, desktop.out);
        EXPECT_EQ(front.err, desktop.err);
    }
    EXPECT_GE(commands.size(), 9u);
}

// What the dynamic loader loads for a command line run by the front: no Qt
// library for the commands without a window that need none of it, and Qt for
// one it hands on (which shows that the loader's report names them).
struct LibraryCase {
    const char* what;
    std::vector<std::string> args;
    std::string input;
    bool qt;
};

void PrintTo(const LibraryCase& c, std::ostream* os) { *os << c.what; }

const std::vector<LibraryCase> LibraryCases = {
    {"--version", {"--version"}, "", false},
    {"convert", {"convert", "--from", "rtttl", "--to", "composer"}, "Tune:d=4,o=5,b=125:8c,8d,4e", false},
    {"notes", {"notes", "--from", "rtttl"}, "Tune:d=4,o=5,b=125:8c", false},
    {"midi", {"midi", "--from", "rtttl", "-o", "-"}, "Tune:d=4,o=5,b=125:8c", false},
    {"list lists", {"list", "lists"}, "", false},
    {"settings, handed on", {"settings", "show"}, "", true},
};

class LibraryTest : public FrontTest, public ::testing::WithParamInterface<LibraryCase> {};

TEST_P(LibraryTest, QtIsLoadedOnlyWhereItIsNeeded) {
    const LibraryCase& c = GetParam();
    Environment changes = Home();
    changes["LD_DEBUG"] = "libs";
    const Outcome run = RunProgram(Front, c.args, c.input, changes);
    EXPECT_EQ(run.status, tw::ExitClean) << run.err.substr(run.err.rfind('\n', run.err.size() - 2));
    EXPECT_NE(run.err.find("calling init: "), std::string::npos) << "the loader said nothing";
    if (c.qt) EXPECT_NE(run.err.find("libQt6Core.so"), std::string::npos);
    else EXPECT_EQ(run.err.find("libQt6"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Cases, LibraryTest, ::testing::ValuesIn(LibraryCases));

// The front beside a stand-in for the desktop program that shows what it was
// given: the command lines for the desktop program reach it with every word,
// argv[0] first, and the bytes of standard input as they are, and its output,
// errors and exit status are the command's; the others never reach it.
struct StandInCase {
    const char* what;
    std::vector<std::string> args;
    std::string input;
    bool handed;
};

void PrintTo(const StandInCase& c, std::ostream* os) { *os << c.what; }

const std::vector<StandInCase> StandInCases = {
    {"the window", {}, "", true},
    {"the window, 'local'", {"local"}, "", true},
    {"settings with odd words", {"settings", "a b", "", "\xff", "--help"}, "", true},
    {"play with binary input", {"play", "--from", "ott"}, std::string("\0\x01\xff\r\n", 5), true},
    {"web", {"web", "menus", "local"}, "", true},
    {"'local' with more words", {"local", "more"}, "", false},
    {"convert", {"convert", "--from", "rtttl", "--to", "composer"}, "Tune:d=4,o=5,b=125:c", false},
    {"--version", {"--version"}, "", false},
};

class StandInTest : public FrontTest, public ::testing::WithParamInterface<StandInCase> {
protected:
    void SetUp() override {
        const std::filesystem::path standIn = (home / "bin" / TW_DESKTOP_PROGRAM).lexically_normal();
        std::filesystem::create_directories(standIn.parent_path());
        std::filesystem::create_directories(home / "bin");
        std::filesystem::copy_file(Front, home / "bin" / "tunewright");
        std::filesystem::copy_file(TW_STAND_IN_DESKTOP, standIn);
    }
};

TEST_P(StandInTest, HandsTheCommandLineOnUnchanged) {
    const StandInCase& c = GetParam();
    const Outcome run = RunProgram((home / "bin" / "tunewright").string(), c.args, c.input, Home(), "tw-name");
    if (!c.handed) {
        EXPECT_NE(run.status, 42);
        EXPECT_EQ(run.err.find("stand-in"), std::string::npos);
        return;
    }
    std::string words = "[tw-name]\n";
    for (const std::string& arg : c.args) words += "[" + arg + "]\n";
    EXPECT_EQ(run.status, 42);
    EXPECT_EQ(run.out, words + c.input);
    EXPECT_EQ(run.err, "stand-in\n");
}

INSTANTIATE_TEST_SUITE_P(Cases, StandInTest, ::testing::ValuesIn(StandInCases));

// The front finds the desktop program from where it lies itself, through a
// symbolic link to it; a copy with nothing beside it runs what needs no Qt
// and says which program it could not start for the rest.
TEST_F(FrontTest, FindsTheDesktopProgramBesideItself) {
    std::filesystem::create_directories(home / "bin");
    std::filesystem::create_symlink(Front, home / "bin" / "linked");
    std::filesystem::copy_file(Front, home / "bin" / "alone");
    const Outcome linked = RunProgram((home / "bin" / "linked").string(), {"settings", "show"}, {}, Home());
    EXPECT_EQ(linked.status, tw::ExitClean) << linked.err;
    EXPECT_NE(linked.out.find("CurrentList=Favtones\n"), std::string::npos);

    const std::string alone = (home / "bin" / "alone").string();
    EXPECT_EQ(RunProgram(alone, {"--version"}, {}, Home()).out, RunProgram(Desktop, {"--version"}).out);
    const Outcome handed = RunProgram(alone, {"settings", "show"}, {}, Home());
    EXPECT_EQ(handed.status, tw::ExitSoftware);
    EXPECT_EQ(handed.out, "");
    EXPECT_EQ(handed.err, "error: the desktop program " +
                              (home / "bin" / TW_DESKTOP_PROGRAM).lexically_normal().string() +
                              " could not be started: No such file or directory\n");
}

}  // namespace
