// The INI reader takes any list file; storing and deleting a section in what
// it read must behave whatever the file held.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "lists/ini_document.h"

namespace {

std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string TrimBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

void Check(bool holds) {
    if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string name = OneLine(input.ConsumeRandomLengthString(64));
    const std::string value = OneLine(input.ConsumeRandomLengthString(256));
    const std::string file = input.ConsumeRemainingBytesAsString();

    tw::IniDocument document = tw::IniDocument::Parse(file);
    // Writing and reading again keeps every line and section.
    const tw::IniDocument reread = tw::IniDocument::Parse(document.Text());
    Check(reread.Lines() == document.Lines());
    const auto sections = document.SectionNames();
    Check(reread.SectionNames() == sections);
    for (std::size_t i = 0; i < sections.size() && i < 64; ++i) {
        Check(document.HasSection(sections[i]));
        (void)document.Value(sections[i], "RTTTL");
    }

    // A stored value is found again, also after a round trip through text.
    document.SetValue(name, "RTTTL", value);
    Check(document.Value(name, "RTTTL") == TrimBlanks(value));
    tw::IniDocument stored = tw::IniDocument::Parse(document.Text());
    Check(stored.Value(name, "RTTTL") == TrimBlanks(value));

    // Renaming gives that one section the new name (here the value's text,
    // brackets and all), where it stands, also after a round trip through text.
    const std::string newName = value.substr(0, 64);
    tw::IniDocument renamed = stored;
    const auto namesBefore = renamed.SectionNames();
    Check(renamed.RenameSection(name, newName));
    const auto namesAfter = renamed.SectionNames();
    Check(namesAfter.size() == namesBefore.size());
    std::size_t changed = 0;
    for (std::size_t i = 0; i < namesAfter.size(); ++i)
        if (namesAfter[i] != namesBefore[i]) {
            Check(namesAfter[i] == newName);
            ++changed;
        }
    Check(changed <= 1);
    Check(tw::IniDocument::Parse(renamed.Text()).SectionNames() == namesAfter);

    // Deleting removes exactly one section.
    const std::size_t before = stored.SectionNames().size();
    Check(stored.RemoveSection(name));
    Check(stored.SectionNames().size() == before - 1);
    return 0;
}
