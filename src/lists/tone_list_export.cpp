#include "lists/tone_list_export.h"

#include "engine/engine_error.h"
#include "engine/notation.h"
#include "lists/list_box.h"

namespace tw {
namespace {

constexpr Notation Notations[] = {Notation::RTTTL, Notation::Composer, Notation::Keypresses};
constexpr const char* OrderLines[] = {"- RTTTL/Chimekit Tones", "- Nokia Composer Tones", "- Nokia Keypresses"};
constexpr const char* TypePrefixes[] = {"RTTTL = ", "Composer = ", "Keypresses = "};

void AddLine(std::string& text, std::string_view line) {
    text += line;
    text += "\r\n";
}

void AddBlock(std::string& text, const CNotes& ringtone, const ExportChoices& choices) {
    if (!choices.RawCodeList) AddLine(text, ringtone.Name() + " (Tempo " + ringtone.Tempo() + ")");
    for (std::size_t i = 0; i < 3; ++i) {
        if (!choices.Export[i]) continue;
        const std::string prefix = choices.ShowRingtoneType ? TypePrefixes[i] : "";
        AddLine(text, prefix + (choices.RawCodeList ? ringtone.Full(Notations[i]) : ringtone.Only(Notations[i])));
    }
    if (!choices.RawCodeList) AddLine(text, "");
}

}  // namespace

std::string GeneralDateTime(const std::tm& when) {
    char buffer[64];
    const std::size_t length = std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &when);
    return std::string(buffer, length);
}

std::filesystem::path ToneListPath(const std::filesystem::path& programDirectory) {
    return programDirectory / "tonelist.txt";
}

std::string ToneListText(const CRingtoneList& list, const ExportChoices& choices, const std::tm& when,
                         std::vector<std::string>& problems) {
    const std::string hyphens(59, '-');
    std::string text;
    AddLine(text, hyphens);
    AddLine(text, "Ringtone List Export " + GeneralDateTime(when));
    AddLine(text, "Displayed in following order:");
    for (std::size_t i = 0; i < 3; ++i)
        if (choices.Export[i]) AddLine(text, OrderLines[i]);
    AddLine(text, hyphens);
    AddLine(text, "");

    const IniDocument file = list.ReadListFile();
    SortedNameList entries;
    for (std::string& name : file.SectionNames()) entries.AddItem(std::move(name));

    CNotes ringtone;
    ringtone.SetOutputSeparator(list.Ringtone().OutputSeparator());
    for (const std::string& name : entries.Items()) {
        ringtone.Clear();
        try {
            if (!CRingtoneList::LoadEntry(file, name, ringtone))
                problems.push_back(name + ": no ringtone text is stored");
            for (const std::string& line : ringtone.ErrorLines()) problems.push_back(name + ": " + line);
        } catch (const EngineError& e) {
            problems.push_back(name + ": " + e.what());
        }
        AddBlock(text, ringtone, choices);
    }
    return text;
}

}  // namespace tw
