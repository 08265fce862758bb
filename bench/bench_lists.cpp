// A list of 10,000 ringtones: storing one ringtone in it (the whole file is
// read, changed and written through a temporary file, flushed to disk),
// loading one, listing the names, and exporting the whole list.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "files/safe_file.h"
#include "lists/ini_document.h"
#include "lists/list_box.h"
#include "lists/ringtone_list.h"
#include "lists/tone_list_export.h"

namespace {

constexpr int ListSize = 10'000;

std::string ToneText(int number) {
    return "Tone" + std::to_string(number) + ":d=4,o=5,b=125:8c#.6, 4p, 16g, 2a#, 8e., c, 32f6, 8p., 4d#, b";
}

// A program directory holding Big.dat with ListSize ringtones, removed at exit.
class BigList {
public:
    BigList() {
        tw::IniDocument list;
        for (int i = 0; i < ListSize; ++i) list.SetValue("Tone" + std::to_string(i), "RTTTL", ToneText(i));
        tw::ReplaceFile(scratch_.path() / "Big.dat", list.Text());
    }
    const std::filesystem::path& directory() const { return scratch_.path(); }

private:
    tw::test::TempDir scratch_;
};

const BigList& TheList() {
    static const BigList list;
    return list;
}

void BM_StoreIn10000List(benchmark::State& state) {
    tw::CNotes ringtone;
    ringtone.SetOutputSeparator(", ");
    tw::RingtoneListFile list(ringtone, TheList().directory());
    list.SetListName("Big");
    int next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ringtone.SetFull_RTTTL(ToneText(next));
        next = (next + 997) % ListSize;
        state.ResumeTiming();
        list.SaveToFile();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("stores");
}
BENCHMARK(BM_StoreIn10000List)->Unit(benchmark::kMillisecond);

void BM_LoadFrom10000List(benchmark::State& state) {
    tw::CNotes ringtone;
    tw::RingtoneListFile list(ringtone, TheList().directory());
    list.SetListName("Big");
    int next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(list.LoadFromFile("TONE" + std::to_string(next)));
        next = (next + 997) % ListSize;
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("loads");
}
BENCHMARK(BM_LoadFrom10000List)->Unit(benchmark::kMillisecond);

void BM_LoadListOf10000(benchmark::State& state) {
    tw::CNotes ringtone;
    tw::RingtoneListFile list(ringtone, TheList().directory());
    list.SetListName("Big");
    for (auto _ : state) {
        tw::SortedNameList names;
        list.LoadList(names);
        benchmark::DoNotOptimize(names.Items().data());
    }
    state.SetItemsProcessed(state.iterations() * ListSize);
    state.SetLabel("names");
}
BENCHMARK(BM_LoadListOf10000)->Unit(benchmark::kMillisecond);

void BM_Export10000(benchmark::State& state) {
    tw::CNotes ringtone;
    ringtone.SetOutputSeparator(", ");
    tw::RingtoneListFile list(ringtone, TheList().directory());
    list.SetListName("Big");
    tw::ExportChoices choices;
    choices.Export = {true, true, true};
    const std::tm when{};
    for (auto _ : state) {
        std::vector<std::string> problems;
        benchmark::DoNotOptimize(tw::ToneListText(list, choices, when, problems).size());
    }
    state.SetItemsProcessed(state.iterations() * ListSize);
    state.SetLabel("ringtones");
}
BENCHMARK(BM_Export10000)->Unit(benchmark::kMillisecond);

// What reading a list costs in memory, per byte of its file: the document
// alone, and with the names of its rows as `list show` holds them. Ordinary
// entries, and a file of blank lines (the worst for a document of line
// objects).
void BM_ListMemoryPerFileByte(benchmark::State& state) {
    std::string text;
    if (state.range(0) == 0) {
        for (int i = 0; i < ListSize * 10; ++i)
            text += "[Tone" + std::to_string(i) + "]\r\nRTTTL=" + ToneText(i) + "\r\n";
    } else {
        text.assign(std::size_t{16} << 20, '\n');
    }
    double document = 0;
    double withNames = 0;
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        tw::IniDocument list = tw::IniDocument::Parse(text);
        const std::size_t parsed = mallinfo2().uordblks;
        tw::SortedNameList names;
        for (std::string& name : list.SectionNames()) names.AddItem(std::move(name));
        benchmark::DoNotOptimize(names.Items().data());
        document = static_cast<double>(parsed - before) / static_cast<double>(text.size());
        withNames = static_cast<double>(mallinfo2().uordblks - before) / static_cast<double>(text.size());
    }
    state.counters["document_x"] = document;
    state.counters["with_names_x"] = withNames;
    state.SetLabel(state.range(0) == 0 ? "100,000 entries" : "16 MiB of blank lines");
}
BENCHMARK(BM_ListMemoryPerFileByte)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
