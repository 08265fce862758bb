#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/imelody.h"
#include "lists/list_names.h"
#include "shell/settings_store.h"
#include "shell/twips.h"
#include "sound/voice.h"

// The settings the program keeps between runs: the main window's place and
// state, the ringtone folder, the chosen notations, the note separator, the
// current list, how iMelody octave prefixes are read and the voice Play
// plays in. Read once at start-up, written at shutdown (the note separator
// and the voice by the preferences dialog instead, the iMelody reading when
// it is chosen).
namespace tw {

// The per-user store the settings live in: application and section.
inline constexpr std::string_view SettingsApplication = "Tunewright";
inline constexpr std::string_view SettingsSection = "Settings";

// The keys of the settings store.
namespace SettingKey {
inline constexpr std::string_view Top = "Top";
inline constexpr std::string_view Left = "Left";
inline constexpr std::string_view Width = "Width";
inline constexpr std::string_view Height = "Height";
inline constexpr std::string_view Maximized = "Maximized";
inline constexpr std::string_view RingToneDirectory = "RingToneDirectory";
inline constexpr std::string_view SourceType = "SourceType";
inline constexpr std::string_view FromFile = "FromFile";
inline constexpr std::string_view ShowType = "ShowType";
inline constexpr std::string_view OutputSep = "OutputSep";
inline constexpr std::string_view CurrentList = "CurrentList";
inline constexpr std::string_view IMelodyPrefix = "IMelodyPrefix";
inline constexpr std::string_view PlayVoice = "PlayVoice";
}  // namespace SettingKey

// Every key, in the order the settings are listed.
inline constexpr std::string_view AllSettingKeys[] = {
    SettingKey::Top,        SettingKey::Left,        SettingKey::Width,
    SettingKey::Height,     SettingKey::Maximized,   SettingKey::RingToneDirectory,
    SettingKey::SourceType, SettingKey::FromFile,    SettingKey::ShowType,
    SettingKey::OutputSep,  SettingKey::CurrentList, SettingKey::IMelodyPrefix,
    SettingKey::PlayVoice,
};

// Window states as the Maximized setting holds them.
inline constexpr int WindowStateNormal = 0;
inline constexpr int WindowStateMaximized = 2;

// The note separator when none is saved or the saved one cannot be used.
inline constexpr std::string_view DefaultOutputSeparator = ", ";

// Notation indexes of SourceType and ShowType: 0 RTTTL, 1 Composer,
// 2 Keypresses.
inline constexpr int NotationIndexCount = 3;

struct SavedSettings {
    float Top = 0;   // twips
    float Left = 0;  // twips
    float Width = 10155;
    float Height = 6840;
    int Maximized = WindowStateNormal;  // 0 or 2
    std::string RingToneDirectory;      // empty: the program has not run before
    int SourceType = 0;                 // optSource index
    // True selects optFile(0) "a File on this Computer", false optFile(1)
    // "the Web or Clipboard"; nothing leaves both options as they are.
    std::optional<bool> FromFile = false;
    int ShowType = 2;  // optShowAs index
    std::string OutputSep{DefaultOutputSeparator};
    std::string CurrentList{DefaultListName};
    OctavePrefixes IMelodyPrefix = OctavePrefixes::UntilNext;
    Voice PlayVoice;  // the beep

    bool operator==(const SavedSettings&) const = default;
};

// A stored value that could not be used; its setting took its default.
struct SettingProblem {
    std::string Key;
    std::string Reason;  // "Top: 'abc' is not a number"
};

// What start-up reads from the store.
struct SettingsReading {
    SavedSettings Settings;
    std::vector<SettingProblem> Problems;
    std::vector<std::string> Defaulted;  // keys that were missing or unusable

    bool WasDefaulted(std::string_view key) const;
};

// The settings of a first start on a screen of `screen` (twips): the window
// at its design size, centred by that size.
SavedSettings DefaultSettings(TwipSize screen);

// Reads every setting. A missing key gives its default; so does a value that
// cannot be read or used, without spoiling the others:
//  - Top, Left, Width, Height: decimal numbers (Width and Height above 0);
//  - Maximized: 0 or 2; SourceType, ShowType: 0 to 2;
//  - FromFile: "True" or "False" exactly; any other text (such as "true")
//    leaves the options as they are (FromFile empty), reported as a problem;
//  - OutputSep: a separator that the note reader finds again, else ", ";
//  - CurrentList: a usable list name (trimmed), else "Favtones";
//  - IMelodyPrefix: "until-next" or "one-note", else "until-next";
//  - PlayVoice: a voice's name or a General MIDI program 1 to 128
//    (ParsePlayVoice), else the beep;
//  - RingToneDirectory: kept without a final "/" ("/" for the root).
SettingsReading ReadSettings(const SettingsStore& store, TwipSize screen);

// Writes the settings at shutdown, in this order: RingToneDirectory,
// CurrentList, SourceType, ShowType, FromFile, then either Maximized "2"
// alone, or Maximized "0", Left, Top, Width and Height. OutputSep,
// IMelodyPrefix and PlayVoice are not written. A value that cannot be written is skipped and the rest go on;
// the result says which failed and why (empty when all were written).
std::vector<std::string> WriteSettings(SettingsStore& store, const SavedSettings& settings);

// Writes the note separator, as the separator dialog's OK does. Throws
// SettingsError when it cannot be written.
void SaveOutputSeparator(SettingsStore& store, std::string_view separator);

// Writes how iMelody octave prefixes are read, when it is chosen in the
// window. Throws SettingsError when it cannot be written.
void SaveIMelodyPrefix(SettingsStore& store, OctavePrefixes prefixes);

// Writes the voice Play plays in, as the preferences dialog's OK and
// `tunewright settings voice` do. Throws SettingsError when it cannot be
// written.
void SavePlayVoice(SettingsStore& store, const Voice& voice);

// The program has not run before (or its ringtone folder was never saved):
// start-up shows the About box, then uses FirstRunRingToneDirectory.
bool IsFirstRun(const SavedSettings& settings);

// The ringtone folder of a first start: the user's home folder, "/" when
// there is none.
std::string FirstRunRingToneDirectory(std::string_view homeFolder);

// Which entry of the list chooser to select at start-up: the first entry
// equal to `listName` (exact, case-sensitive), else the first entry, else
// none.
std::optional<std::size_t> CurrentListIndex(const std::vector<std::string>& entries, std::string_view listName);

}  // namespace tw
