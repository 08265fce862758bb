// Starting the tunewright program as a shell does: each iteration spawns the
// built program with posix_spawn and waits for it to end. A bare start
// (--version) shows what loading the program costs; converting a 50-note
// ringtone file in each direction shows a whole command. Both are measured
// for `tunewright`, the front without Qt, and for `tunewright-desktop`, the
// program with Qt that runs the window (Desktop*), to show what loading Qt
// costs. Wall-clock time per process.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "bench/bench_support.h"

extern char** environ;

namespace {

const char* const Program = TW_PROGRAM;
const char* const DesktopProgram = TW_DESKTOP_PROGRAM;

// A private folder for the program's data, settings and the ringtone files,
// removed at exit.
class Scratch {
public:
    Scratch() {
        Write("song.rtttl", tw::bench::BenchRtttl(50) + "\n");
        Write("song.keys", "Bench:Tempo=125:" + Converted("keypresses") + "\n");
        Write("big.rtttl", tw::bench::BenchRtttl(200'000) + "\n");  // about 900 KB
        std::string collection;
        for (int i = 0; i < 10'000; ++i)
            collection += "Tone" + std::to_string(i) + tw::bench::BenchRtttl(18).substr(5) + "\n";  // about 1 MB
        Write("collection.rtttl", collection);
    }
    std::string Path(const char* name) const { return (directory_.path() / name).string(); }

    // The environment of the spawned program: this one's, with the program
    // folder and the settings pointed into the scratch folder.
    std::vector<std::string> Environment() const {
        std::vector<std::string> variables;
        for (char** v = environ; *v != nullptr; ++v) {
            const std::string variable = *v;
            if (variable.rfind("TUNEWRIGHT_HOME=", 0) != 0 && variable.rfind("XDG_CONFIG_HOME=", 0) != 0 &&
                variable.rfind("XDG_DATA_HOME=", 0) != 0)
                variables.push_back(variable);
        }
        variables.push_back("TUNEWRIGHT_HOME=" + Path("home"));
        variables.push_back("XDG_CONFIG_HOME=" + Path("config"));
        variables.push_back("XDG_DATA_HOME=" + Path("data"));
        return variables;
    }

private:
    void Write(const char* name, const std::string& text) const {
        std::ofstream file(Path(name), std::ios::binary);
        file << text;
        if (!file.flush()) std::abort();
    }

    // The notes of song.rtttl in another notation, without the header,
    // written by the program itself.
    std::string Converted(const char* to) const {
        const std::string command =
            std::string(Program) + " convert --notes-only --from rtttl --to " + to + " '" + Path("song.rtttl") + "'";
        FILE* pipe = ::popen(command.c_str(), "r");
        if (pipe == nullptr) std::abort();
        std::string text;
        char buffer[4096];
        while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) text.append(buffer, got);
        if (::pclose(pipe) != 0 || text.empty()) std::abort();
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        return text;
    }

    tw::test::TempDir directory_;
};

const Scratch& TheScratch() {
    static const Scratch scratch;
    return scratch;
}

// Runs the program with `args`, standard input from /dev/null and its output
// thrown away; the exit status, or an explanation when it did not run.
struct Run {
    int status = -1;
    std::string failure;
};

Run RunProgram(const std::vector<std::string>& args, const std::vector<std::string>& environment,
               const char* program = Program) {
    std::vector<char*> argv;
    std::string name = program;
    argv.push_back(name.data());
    std::vector<std::string> words = args;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    std::vector<std::string> variables = environment;
    std::vector<char*> envp;
    for (std::string& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int error = ::posix_spawn(&pid, program, &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) return {-1, std::string("could not start ") + program + ": " + std::strerror(error)};
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return {-1, std::string("waitpid: ") + std::strerror(errno)};
    if (!WIFEXITED(status)) return {-1, std::string(program) + " did not exit normally"};
    return {WEXITSTATUS(status), {}};
}

// Runs `program` with `args` until the timing is done; an argument "@NAME"
// stands for the file NAME in the scratch folder.
void Start(benchmark::State& state, const char* program, std::vector<std::string> args) {
    const Scratch& scratch = TheScratch();
    for (std::string& arg : args)
        if (arg.rfind("@", 0) == 0) arg = scratch.Path(arg.c_str() + 1);
    const std::vector<std::string> environment = scratch.Environment();
    for (auto _ : state) {
        const Run run = RunProgram(args, environment, program);
        // Exit 1: done, with problems to report (a ringtone over 50 notes).
        if (!run.failure.empty() || run.status > 1) {
            state.SkipWithError(run.failure.empty() ? ("exit status " + std::to_string(run.status)).c_str()
                                                    : run.failure.c_str());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("processes");
}

void StartProgram(benchmark::State& state, std::vector<std::string> args) { Start(state, Program, std::move(args)); }

void StartDesktopProgram(benchmark::State& state, std::vector<std::string> args) {
    Start(state, DesktopProgram, std::move(args));
}

}  // namespace

// Importing the 10,000 ringtones of collection.rtttl into a list: an empty
// one (a new list each time), or one that holds their names already (its file
// put back before each run, outside the timing). There the same ringtones
// stand written with another note separator, so that no text is the same and
// every ringtone is stored again under a number: the same ringtones with the
// same texts would be left out as already there.
void ImportCollection(benchmark::State& state) {
    const Scratch& scratch = TheScratch();
    const std::vector<std::string> environment = scratch.Environment();
    const bool intoFull = state.range(0) == 1;
    const std::filesystem::path home = scratch.Path("home");
    std::filesystem::create_directories(home);
    std::string full;
    if (intoFull) {
        RunProgram({"list", "import", "Full", "--from", "rtttl", "--separator", "|", scratch.Path("collection.rtttl")},
                   environment);
        std::ifstream file(home / "Full.dat", std::ios::binary);
        full.assign(std::istreambuf_iterator<char>(file), {});
    }
    int next = 0;
    for (auto _ : state) {
        std::string list = "Fresh" + std::to_string(next++);
        if (intoFull) {
            state.PauseTiming();
            list = "Full";
            std::ofstream(home / "Full.dat", std::ios::binary) << full;
            state.ResumeTiming();
        }
        const Run run =
            RunProgram({"list", "import", list, "--from", "rtttl", scratch.Path("collection.rtttl")}, environment);
        if (!run.failure.empty() || run.status != 0) {
            state.SkipWithError(run.failure.empty() ? "import failed" : run.failure.c_str());
            break;
        }
    }
    state.SetLabel(intoFull ? "into 10,000" : "into an empty list");
}
BENCHMARK(ImportCollection)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_CAPTURE(StartProgram, Version, std::vector<std::string>{"--version"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(StartProgram, ConvertRtttlToComposer50,
                  std::vector<std::string>{"convert", "--from", "rtttl", "--to", "composer", "@song.rtttl"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(StartDesktopProgram, DesktopVersion, std::vector<std::string>{"--version"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(StartDesktopProgram, DesktopConvertRtttlToComposer50,
                  std::vector<std::string>{"convert", "--from", "rtttl", "--to", "composer", "@song.rtttl"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(StartProgram, ConvertKeypressesToRtttl50,
                  std::vector<std::string>{"convert", "--from", "keypresses", "--to", "rtttl", "@song.keys"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(StartProgram, ConvertRtttlToComposer900KB,
                  std::vector<std::string>{"convert", "--from", "rtttl", "--to", "composer", "@big.rtttl"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(StartProgram, ConvertEach10000,
                  std::vector<std::string>{"convert", "--each", "--from", "rtttl", "--to", "composer",
                                           "@collection.rtttl"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
