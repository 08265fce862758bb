// Getting a ringtone: pasted or from a file in each notation, a MIDI file's
// track, an iMelody file's reading, and a get that ends early.
#include "engine/size_limits.h"
#include "support/midi_bytes.h"
#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

const std::string OneTune = "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:c, d\r\n";

// A get in each notation, pasted or from a file; then the list file and what is shown:
// the row selected, the name, tempo and note count, the keypresses.
struct Got {
    const char* name;
    int source;
    bool fromFile;
    std::string text, stored;
    test::Seen shown;
};
const Got Gets[] = {
    {"RTTTL from a file",
     0,
     true,
     "Tune:d=4,o=5,b=125:8c,8d,8e",
     "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:8c, 8d, 8e\r\n",
     {"Tune", "Tune", "125", "3", "18, 2, 3"}},
    {"Composer pasted",
     1,
     false,
     "Song (Tempo 120) 4c1 8d1 4.#f3",
     "[Song]\r\nRTTTL=Song:d=4,o=5,b=120:c, 8d, f#.7\r\n",
     {"Song", "Song", "120", "3", "1, 28, (hold 4)9**#"}},
    {"keypresses from a file",
     2,
     true,
     "Tune:Tempo=125:55 8, 6(hold 0)",
     "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:g, 8g, 8a, 8p\r\n",
     {"Tune", "Tune", "125", "4", "5, 58, 6, 0"}},
};

// How a get ends early: "file" (no file named: none chosen; no content: missing) or the
// paste box's button ("close": its close box); then the boxes, "@" for the file's path.
struct Nothing {
    const char* name;
    const char* how;
    const char* file;
    std::string content;
    test::BoxList boxes;
};
const test::Box NoRingtone{"No RingTone Available", "information", "ok",
                           "No source ringtone has been selected.  Please add a new ringtone from a webpage or file."};
const test::Box Unreadable{"Tunewright", "exclamation", "ok", "The ringtone header could not be read."};
const Nothing Nothings[] = {
    {"file dialog cancelled", "file", "", "", {}},
    {"paste cancelled", "cmdCancel", "", "Tune:d=4,o=5,b=125:c", {}},
    {"paste box closed", "close", "", "Tune:d=4,o=5,b=125:c", {}},
    {"pasted spaces", "cmdOk", "", "   ", {NoRingtone}},
    {"missing file", "file", "gone.txt", "", {{"Tunewright", "none", "ok", "Could not open file @"}, NoRingtone}},
    {"header unreadable", "cmdOk", "", "Tune:d=4", {Unreadable}},
    {"file too large",
     "file",
     "big.txt",
     std::string(MaxRingtoneTextFile + 1, ' '),
     {{"Tunewright", "exclamation", "ok",
       "Could not read the ringtone file:\r\n\r\nthe file @ is 8388609 bytes, more than the 8 MiB (8388608 bytes) a "
       "ringtone text file may be"}}},
};

// The boxes with "@" in their texts replaced by `path`.
test::BoxList At(test::BoxList boxes, const std::string& path) {
    for (test::Box& box : boxes)
        if (const std::size_t at = box.text.find('@'); at != std::string::npos) box.text.replace(at, 1, path);
    return boxes;
}

// A song of three tracks: the tempo, a lead with a chord, a bass line.
std::string ThreeTracks() {
    using namespace test::midi;
    return File(1, {Name("Song") + Tempo(0, 600'000),
                    Name("Lead") + On(0, 76) + On(0, 79) + Off(480, 76) + Off(0, 79) + Note(74, 240),
                    Name("Bass") + Note(48, 960)});
}

// A MIDI file got whatever box 1 says: the track row chosen (-1: the dialog
// cancelled), the fit box; then the tracks offered, the list file and the boxes.
// How a song is named and what its report says are tested with the session.
struct MidiGot {
    const char* name;
    std::string file;
    int row;
    bool fit;
    std::string offered, stored;
    test::BoxList boxes;
};
test::Box FromMidi(const std::string& text) { return {"Ringtone from a MIDI File", "information", "ok", text}; }
const std::string NamedSong = "The ringtone is named \"Song\" after the song's title.";
const MidiGot MidiGets[] = {
    {"first track",
     ThreeTracks(),
     0,
     false,
     "Track 2: Lead (3 notes),Track 3: Bass (1 note)",
     "[Song]\r\nRTTTL=Song:d=4,o=5,b=100:g, 8d\r\n",
     {FromMidi(NamedSong + "\r\nChords were reduced to their highest note: 1 note was left out.")}},
    {"bass fitted",
     ThreeTracks(),
     1,
     true,
     "Track 2: Lead (3 notes),Track 3: Bass (1 note)",
     "[Song]\r\nRTTTL=Song:d=4,o=5,b=100:2c\r\n",
     {FromMidi(NamedSong + "\r\nThe melody was moved 2 octaves up to fit the composer's octaves.")}},
    {"cancelled", ThreeTracks(), -1, false, "Track 2: Lead (3 notes),Track 3: Bass (1 note)", "", {}},
    {"truncated",
     ThreeTracks().substr(0, 40),
     0,
     false,
     "",
     "",
     {{"MIDI File", "exclamation", "ok",
       "Could not make a ringtone of @:\r\n\r\nnot a MIDI file that can be read: a chunk declares 19 bytes where 18 "
       "are left"}}},
};

// An iMelody file whose prefixes read two ways: the reading saved before
// (empty: none), the answer (-1 cancel, 0 or 1 the box left so); then the
// box offered, the list file and the reading kept.
const std::string TwoWays = "BEGIN:IMELODY\r\nNAME:Two\r\nBEAT:125\r\nMELODY:*5c3d3\r\nEND:IMELODY\r\n";
struct PrefixGot {
    const char* name;
    std::string saved;
    int answer;
    bool offered;
    std::string stored, kept;
};
const PrefixGot PrefixGets[] = {
    {"first time, one note", "", 1, false, "[Two]\r\nRTTTL=Two:d=4,o=5,b=125:8c6, 8d\r\n", "one-note"},
    {"first time, until the next", "", 0, false, "[Two]\r\nRTTTL=Two:d=4,o=5,b=125:8c6, 8d6\r\n", "until-next"},
    {"offered as kept", "one-note", 1, true, "[Two]\r\nRTTTL=Two:d=4,o=5,b=125:8c6, 8d\r\n", "one-note"},
    {"cancelled", "one-note", -1, true, "", "one-note"},
};

}  // namespace

// "&Get It...".
class GetTest : public QObject {
    Q_OBJECT

private slots:
    void eachNotation_data() { test::AddRows(Gets); }
    void eachNotation() {
        const Got& row = test::TheRow(Gets);
        Harness h("");
        test::TempDir tones;
        // A file's lines, whatever ends them, are joined with nothing between.
        const std::size_t third = row.text.size() / 3;
        test::WriteBytes(tones / "tone.x", row.text.substr(0, third) + "\r\n" + row.text.substr(third, third) + "\n" +
                                               row.text.substr(2 * third) + "\r");
        h.Get(row.source, row.text, row.fromFile ? (tones / "tone.x").string() : std::string());
        QCOMPARE(h.Boxes(), test::BoxList{});
        QCOMPARE(h.window->SourceText(), row.text);
        QCOMPARE(h.ListFile(), row.stored);
        QCOMPARE(
            (test::Seen{h.SelectedRow(), h.Name(), h.TempoField()->currentText().toStdString(),
                        h.Find<QLabel>("lblNoteCount")->text().toStdString(), h.Text("txtRingtone").toStdString()}),
            row.shown);
        QVERIFY(!h.Shown("txtMessage") && h.Enabled("cmdPlaySound"));
        if (row.fromFile) {
            QCOMPARE(h.window->RingToneDirectory(), tones.path().string());
            QCOMPARE(h.window->ChosenFileName(), std::string("tone.x"));
        }
    }

    // A MIDI file is known by its content: the track and fit are asked, the
    // ringtone stored and shown, and what was lost said.
    void midiFile_data() { test::AddRows(MidiGets); }
    void midiFile() {
        const MidiGot& row = test::TheRow(MidiGets);
        Harness h("");
        test::TempDir tones;
        const std::string path = (tones / "song.txt").string();
        test::WriteBytes(path, row.file);
        std::string offered;
        h.toolkit.QueueForm([&](ModalForm& form) {
            auto* tracks = test::Child<QListWidget>(form, "lstTracks");
            for (int i = 0; i < tracks->count(); ++i) offered += (i ? "," : "") + tracks->item(i)->text().toStdString();
            if (row.row < 0) return form.reject();
            tracks->setCurrentRow(row.row);
            test::Child<QCheckBox>(form, "chkFit")->setChecked(row.fit);
            test::Click(form, "cmdOk");
        });
        h.Get(1, "", path);
        QCOMPARE(h.Boxes(), At(row.boxes, path));
        QCOMPARE(offered, row.offered);
        QCOMPARE(h.ListFile(), row.stored);
        QCOMPARE(h.SelectedRow(),
                 row.stored.empty() ? std::string("<none>") : row.stored.substr(1, row.stored.find(']') - 1));
        QVERIFY(h.toolkit.FileDialogs().at(0).Filter.ends_with("|MIDI Files (*.mid *.midi)|*.mid;*.midi"));
    }

    // An iMelody file that reads two ways asks how, offering the last answer,
    // which it keeps; one that reads one way asks nothing.
    void imelodyPrefixes_data() { test::AddRows(PrefixGets); }
    void imelodyPrefixes() {
        const PrefixGot& row = test::TheRow(PrefixGets);
        Harness h;
        if (!row.saved.empty()) h.settings.SaveSetting(SettingKey::IMelodyPrefix, row.saved);
        h.Open();
        test::TempDir tones;
        const std::string path = (tones / "two.imy").string();
        test::WriteBytes(path, TwoWays);
        bool offered = false;
        h.toolkit.QueueForm([&](ModalForm& form) {
            auto* oneNote = test::Child<QCheckBox>(form, "chkOneNote");
            offered = oneNote->isChecked();
            if (row.answer < 0) return form.reject();
            oneNote->setChecked(row.answer == 1);
            test::Click(form, "cmdOk");
        });
        h.Get(0, "", path);
        QCOMPARE(test::Join(h.toolkit.FormsShown()), std::string("iMelody File"));
        QCOMPARE(h.Boxes(), test::BoxList{});
        QCOMPARE(offered, row.offered);
        QCOMPARE(h.ListFile(), row.stored);
        QCOMPARE(h.settings.GetSetting(SettingKey::IMelodyPrefix, "until-next"), row.kept);

        Harness same;
        same.Open();
        test::WriteBytes(path, test::FileOf("Tune:d=4,o=5,b=125:c, 8d", FileFormat::IMelody));
        same.Get(0, "", path);
        QVERIFY(same.toolkit.FormsShown().empty() && same.toolkit.Unexpected().empty());
        QCOMPARE(same.SelectedRow(), std::string("Tune"));
    }

    // A Flipper Music Format file is known by its first line whatever the
    // notation chosen, and named after its file.
    void flipperMusicFile() {
        Harness h;
        h.Open();
        test::TempDir tones;
        const std::string path = (tones / "Airwolf.fmf").string();
        test::WriteBytes(path,
                         "Filetype: Flipper Music Format\nVersion: 0\nBPM: 125\nDuration: 8\nOctave: "
                         "6\nNotes: C, 4D#5.\n");
        h.Get(1, "", path);
        QCOMPARE(h.Boxes(), test::BoxList{});
        QCOMPARE(h.SelectedRow(), std::string("Airwolf"));
        QCOMPARE(h.ListFile(), std::string("[Airwolf]\r\nRTTTL=Airwolf:d=4,o=5,b=125:8c6, d#.\r\n"));
    }

    // The list stays as it was; only an unreadable header empties the display.
    void nothingGot_data() { test::AddRows(Nothings); }
    void nothingGot() {
        const Nothing& row = test::TheRow(Nothings);
        Harness h(OneTune, "Tune");
        const std::string how = row.how, path = (h.home / row.file).string();
        if (how == "file") {
            if (!row.content.empty()) test::WriteBytes(path, row.content);
            h.toolkit.QueueFile(*row.file ? std::optional(path) : std::nullopt);
        } else h.QueueForm("txtSource", row.content, how == "close" ? "" : how);
        h.Option(how == "file" ? "optFile0" : "optFile1")->setChecked(true);
        h.Do("cmdGet");
        const test::BoxList boxes = At(row.boxes, path);
        QCOMPARE(h.Boxes(), boxes);
        QVERIFY(h.window->DialogAccepted() == !boxes.empty() && h.toolkit.ScriptUsed());
        const bool emptied = boxes == test::BoxList{Unreadable};
        QCOMPARE(h.ListFile(), OneTune);
        QCOMPARE(h.Name(), std::string(emptied ? "" : "Tune"));
        QCOMPARE(h.SelectedRow(), std::string(emptied ? "<none>" : "Tune"));
        QCOMPARE(h.Enabled("cmdDelete"), !emptied);
    }

    // A new name gets one row at its sorted place, a known name its row
    // again with the entry replaced; a store that fails adds no row.
    void rowsOfTheList() {
        Harness h("[alpha]\r\nRTTTL=alpha:d=4,o=5,b=125:c, d\r\n[Charlie]\r\nRTTTL=Charlie:d=4,o=5,b=125:c, d\r\n");
        h.Get(0, "bravo:d=4,o=5,b=125:c,d");
        QCOMPARE(h.ListRows(), (test::Seen{"alpha,bravo,Charlie", "bravo"}));
        h.Rows()->SelectText("alpha");
        h.Get(0, "bravo:d=4,o=5,b=90:e,f");
        QCOMPARE(h.ListRows(), (test::Seen{"alpha,bravo,Charlie", "bravo"}));
        QCOMPARE(h.TempoField()->currentText(), QStringLiteral("90"));
        QVERIFY(h.ListFile().find("[bravo]\r\nRTTTL=bravo:d=4,o=5,b=90:e, f\r\n") != std::string::npos);
        std::filesystem::remove(h.ListPath("Favtones"));
        std::filesystem::create_directory(h.ListPath("Favtones"));  // the list file cannot be read
        h.Get(0, "Tune:d=4,o=5,b=125:c,d");
        const test::BoxList boxes = h.Boxes();
        QCOMPARE(boxes.at(0).Head(), (test::Box{"Store Ringtone Error", "critical", "ok", ""}));
        QVERIFY(boxes[0].text.starts_with("Could not store the ringtone 'Tune' in the 'Favtones' list!\r\n\r\n"));
        QVERIFY(h.RowTexts() == "alpha,bravo,Charlie" && h.Name().empty());
    }
};

TW_UI_TEST_MAIN(GetTest)
#include "get_test.moc"
