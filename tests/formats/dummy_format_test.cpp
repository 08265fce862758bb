// A format added to the table reaches everything made from it: the command
// line's help, its option parser and errors, the window's Save As entries and
// Get It...'s recognition of a file. The dummy format lives in this test only.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "app/cli_options.h"
#include "engine/file_format.h"
#include "ui/save_entries.h"

namespace {

using tw::FileFormat;
using tw::FileFormatTable;

const FileFormat Dummy = static_cast<FileFormat>(tw::FileFormats().size());

std::vector<tw::FileFormatSpec> WithDummy() {
    std::vector<tw::FileFormatSpec> rows(tw::FileFormats().begin(), tw::FileFormats().end());
    rows.push_back({Dummy, "dummy", "Dummy", "Save As &Dummy File...", "Save As Dummy File", "|Dummy Files (*", ".dum",
                    "", std::nullopt, true, [](tw::CNotes&, std::string_view, const tw::FileReadOptions&) {},
                    [](const tw::CNotes&, const tw::FileWriteOptions&) {
                        return tw::WrittenRingtone{"DUMMY:", {}};
                    },
                    [](std::string_view bytes) { return bytes.starts_with("DUMMY:"); }});
    return rows;
}

bool Refused(const std::function<void()>& action, const std::string& part) {
    try {
        action();
    } catch (const tw::UsageError& e) {
        return std::string(e.what()).find(part) != std::string::npos;
    }
    return false;
}

struct Place {
    const char* name;
    std::function<bool(FileFormatTable)> showsDummy;
};

void PrintTo(const Place& place, std::ostream* out) { *out << place.name; }

class DummyFormatTest : public ::testing::TestWithParam<Place> {};

TEST_P(DummyFormatTest, AppearsWhenInTheTableOnly) {
    const std::vector<tw::FileFormatSpec> withDummy = WithDummy();
    EXPECT_TRUE(GetParam().showsDummy(withDummy));
    EXPECT_FALSE(GetParam().showsDummy(tw::FileFormats()));
}

INSTANTIATE_TEST_SUITE_P(
    Places, DummyFormatTest,
    ::testing::Values(
        Place{"help",
              [](FileFormatTable formats) {
                  return tw::HelpText(formats).find("handset file: imelody, ott, fmf or dummy (") != std::string::npos;
              }},
        Place{"option parser",
              [](FileFormatTable formats) {
                  try {
                      return tw::FormatWord("to", "Dummy", formats) == Dummy;
                  } catch (const tw::UsageError&) {
                      return false;
                  }
              }},
        Place{"option error",
              [](FileFormatTable formats) {
                  return Refused(
                      [&] { tw::FormatWord("to", "nope", formats); },
                      "--to takes rtttl, composer, keypresses, imelody, ott, fmf, arduino or dummy, not 'nope'");
              }},
        Place{"Save As entries",
              [](FileFormatTable formats) {
                  const std::vector<tw::SaveEntry> entries = tw::SaveEntries(formats);
                  return std::any_of(entries.begin(), entries.end(), [](const tw::SaveEntry& entry) {
                      return entry.caption == "Save As &Dummy File..." && entry.dialog.extension == ".dum" &&
                             entry.form == tw::SaveForm(Dummy);
                  });
              }},
        Place{"Get It recognition",
              [](FileFormatTable formats) { return tw::RecogniseRingtoneFile("DUMMY:1", formats) == Dummy; }}));

// The real entries keep the File menu's order: the notations, the sound
// files, the handset files.
TEST(SaveEntriesTest, SoundFilesStandBetweenTheNotationsAndTheHandsetFiles) {
    const std::vector<tw::SaveEntry> entries = tw::SaveEntries();
    std::vector<std::string> captions;
    for (const tw::SaveEntry& entry : entries) captions.emplace_back(entry.caption);
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Save As &RTTTL File...", "Save As &Composer File...",
                                        "Save As &Keypress File...", "Save As &WAV file...", "Save &As MIDI File...",
                                        "Save As iMelod&y File...", "Save As &OTA Ringtone File...",
                                        "Save As &Flipper Music File...", "Save As Arduino &Sketch..."}));
    EXPECT_EQ(tw::SaveEntryIndex(entries, tw::SoundFileType::Wav), 3);
}

}  // namespace
