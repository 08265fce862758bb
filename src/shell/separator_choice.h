#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The note separator dialog (frmPreferences): the three separators it
// offers, which one it shows selected, and what its OK sets.
namespace tw {

// One entry of the dialog's list: the text shown and the separator it stands
// for. The entry is a display text only: "{space}" is never turned into a
// space; the separator is chosen by the entry's position.
struct SeparatorChoice {
    std::string_view Entry;
    std::string_view Separator;
};

inline constexpr std::array<SeparatorChoice, 3> SeparatorChoices{{
    {"{space}", " "},
    {",{space}", ", "},
    {",", ","},
}};

// The dialog's texts.
inline constexpr std::string_view PreferencesCaption = "Ringtone Note Separators";
inline constexpr std::string_view PreferencesFrameCaption = "Output Ringtone Note Separators";
inline constexpr std::string_view PreferencesListLabel = "Notes separated by:";
inline constexpr std::string_view PreferencesNote =
    "Converted ringtones are displayed using 'comma space' as a note separator or you can select your own.";
inline constexpr std::string_view PreferencesOkCaption = "&Ok";
inline constexpr std::string_view PreferencesCancelCaption = "&Cancel";

// The entry selected when the dialog opens: the one whose separator equals
// `outputSeparator` exactly; nothing for any other separator (such as "|"
// from a hand-edited setting).
std::optional<std::size_t> SelectedSeparatorChoice(std::string_view outputSeparator);

// The separator in force after OK: the selected entry's separator, or
// `current` unchanged when nothing (or no valid position) is selected. OK
// then saves it (SaveOutputSeparator) even when it did not change; Cancel
// changes and saves nothing.
std::string SeparatorAfterOk(std::optional<std::size_t> selected, std::string_view current);

}  // namespace tw
