#include "lists/tone_list_export.h"

#include "engine/engine_error.h"
#include "engine/notation.h"
#include "engine/size_limits.h"
#include "lists/list_box.h"
#include "lists/list_error.h"

namespace tw {
namespace {

constexpr Notation Notations[] = {Notation::RTTTL, Notation::Composer, Notation::Keypresses};
constexpr const char* OrderLines[] = {"- RTTTL/Chimekit Tones", "- Nokia Composer Tones", "- Nokia Keypresses"};
constexpr const char* TypePrefixes[] = {"RTTTL = ", "Composer = ", "Keypresses = "};

void AddLine(std::string& text, std::string_view line) {
    text += line;
    text += "\r\n";
}

// Every ringtone line is one ringtone's text, which is read again as one:
// refused (BadText, with the size and the limit) when it is longer than a
// ringtone text may be.
void AddBlock(std::string& text, const CNotes& ringtone, const ExportChoices& choices) {
    if (!choices.RawCodeList) AddLine(text, ringtone.Name() + " (Tempo " + ringtone.Tempo() + ")");
    for (std::size_t i = 0; i < 3; ++i) {
        if (!choices.Export[i]) continue;
        const std::string prefix = choices.ShowRingtoneType ? TypePrefixes[i] : "";
        const std::string line =
            prefix + (choices.RawCodeList ? ringtone.Full(Notations[i]) : ringtone.Only(Notations[i]));
        if (line.size() > MaxRingtoneText)
            throw ListError(ListError::Reason::BadText, TooLargeText("the " + std::string(NotationName(Notations[i])) +
                                                                         " line of '" + ringtone.Name() + "' would be",
                                                                     line.size(), MaxRingtoneText, "a ringtone text"));
        AddLine(text, line);
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

std::string ToneListText(const RingtoneListFile& list, const ExportChoices& choices, const std::tm& when,
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

    // The export is read again as a collection: past MaxCollectionText only
    // its size is counted, for the message that refuses it.
    std::uint64_t size = text.size();
    std::string block;
    CNotes ringtone;
    ringtone.SetOutputSeparator(list.Ringtone().OutputSeparator());
    for (const std::string& name : entries.Items()) {
        ringtone.Clear();
        try {
            if (!RingtoneListFile::LoadEntry(file, name, ringtone))
                problems.push_back(name + ": no ringtone text is stored");
            for (const std::string& line : ringtone.ErrorLines()) problems.push_back(name + ": " + line);
        } catch (const EngineError& e) {
            problems.push_back(name + ": " + e.what());
        }
        block.clear();
        AddBlock(block, ringtone, choices);
        size += block.size();
        if (size <= MaxCollectionText) text += block;
    }
    if (size > MaxCollectionText)
        throw ListError(ListError::Reason::BadText,
                        TooLargeText("the export would be", size, MaxCollectionText, "a collection"));
    return text;
}

}  // namespace tw
