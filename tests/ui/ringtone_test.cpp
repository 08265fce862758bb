// The ringtone shown: got, edited in place, saved and copied.
#include "engine/size_limits.h"
#include "support/midi_bytes.h"
#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

const std::string OneTune = "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:c, d\r\n";

// The ringtone shown: the row selected, the name, tempo and note count, the keypresses.
struct GotShown {
    std::string selected, name, tempo, notes, keypresses;
    bool operator==(const GotShown&) const = default;
    friend char* toString(const GotShown& g) {
        return test::Described({{"selected", g.selected},
                                {"name", g.name},
                                {"tempo", g.tempo},
                                {"notes", g.notes},
                                {"keypresses", g.keypresses}});
    }
};

// A get in each notation, pasted or from a file; then the list file and what is shown.
struct Got {
    const char* name;
    int source;
    bool fromFile;
    std::string text, stored;
    GotShown shown;
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

// Entry A is not written as the program writes it, so any rewrite shows.
const std::string AB = "[A]\r\nRTTTL=A:d=4,o=5,b=125:c,d\r\n[B]\r\nRTTTL=B:d=4,o=5,b=125:e\r\n";
const std::string B = "[B]\r\nRTTTL=B:d=4,o=5,b=125:e\r\n";
const test::Box ReplaceB{
    "Ringtone Name", "question", "yesno",
    "There is already a ringtone named 'b' in the 'Favtones' list.\r\n\r\nDo you want to replace it?"};

// The name field, the rows, the row selected and the ringtone's name.
struct NameShown {
    std::string name, rows, selected, ringtone;
    bool operator==(const NameShown&) const = default;
    friend char* toString(const NameShown& n) {
        return test::Described(
            {{"name", n.name}, {"rows", n.rows}, {"selected", n.selected}, {"ringtone", n.ringtone}});
    }
};

// A name typed over A's, the replace question's answer (0 none, 1 Yes, 2 No); then
// the list file, the name shown (also the row selected and the ringtone's) and the rows.
struct NameEdit {
    const char* name;
    const char* typed;
    int answer;
    std::string file;
    const char *shown, *rows;
    test::BoxList boxes;
};
const NameEdit NameEdits[] = {
    {"only spaces added", " A ", 0, AB, "A", "A,B", {}},
    {"renamed and trimmed", "  C  ", 0, B + "[C]\r\nRTTTL=C:d=4,o=5,b=125:c, d\r\n", "C", "B,C", {}},
    {"empty",
     "   ",
     0,
     AB,
     "A",
     "A,B",
     {{"Ringtone Name", "exclamation", "ok", "A ringtone needs a name.  The name has been put back."}}},
    {"replace another, Yes", "b", 1, "[b]\r\nRTTTL=b:d=4,o=5,b=125:c, d\r\n", "b", "b", {ReplaceB}},
    {"replace another, No", "b", 2, AB, "A", "A,B", {ReplaceB}},
    {"a colon replaced and said",
     "C:d",
     0,
     B + "[C-d]\r\nRTTTL=C-d:d=4,o=5,b=125:c, d\r\n",
     "C-d",
     "B,C-d",
     {{"Ringtone Name", "information", "ok",
       "The ringtone is stored as 'C-d':\r\nname \"C-d\": \":\" replaced by \"-\" (a colon ends the name in a "
       "ringtone text)"}}},
    {"a comment marker guarded",
     " ;x",
     0,
     B + "[_;x]\r\nRTTTL=_;x:d=4,o=5,b=125:c, d\r\n",
     "_;x",
     "_;x,B",
     {{"Ringtone Name", "information", "ok",
       "The ringtone is stored as '_;x':\r\nname \"_;x\": \"_\" put before the leading \";\" (a collection takes a "
       "line starting with \";\" for a comment)"}}},
};

// An entry of an older list stored under a name with a colon.
const std::string OldAB = "[A:b]\r\nRTTTL=A:b:d=4,o=5,b=125:c, d\r\n" + B;

const std::string Tune = "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:c, 8d\r\n";
// The save dialog of each save command: its title and filter (pairs of a
// description and its patterns, "|" between all), the folder and the file proposed.
struct SaveDialog {
    std::string title, filter, folder, file;
    bool operator==(const SaveDialog&) const = default;
    friend char* toString(const SaveDialog& d) {
        return test::Described({{"title", d.title}, {"filter", d.filter}, {"folder", d.folder}, {"file", d.file}});
    }
};
const std::pair<const char*, const char*> Dialogs[] = {
    {"Save As RTTTL/Chimekit RingTone File", "All Files (*.*)|*.*|Chimekit/RTTTL Files (*.txt)|*.txt"},
    {"Save As Nokia Composer RingTone File", "All Files (*.*)|*.*|Composer Files (*.321)|*.321"},
    {"", ""},
    {"Save As WAV File", "All Files (*.*)|*.*|WAV Files (*.wav)|*.wav"},
    {"Save As MIDI File", "All Files (*.*)|*.*|MIDI Files (*.mid *.midi)|*.mid;*.midi"},
    {"Save As iMelody File", "All Files (*.*)|*.*|iMelody Files (*.imy)|*.imy"},
    {"Save As OTA Ringtone File", "All Files (*.*)|*.*|OTA Ringtone Files (*.ott)|*.ott"}};
const char* const TuneTexts[] = {"Tune:d=4,o=5,b=125:c, 8d\r\n", "Tune:Tempo=125:4c1, 8d1\r\n"};

void Save(Harness& h, int index) { h.Do("mnuRingtoneSave" + std::to_string(index)); }

// The Tune ringtone as an iMelody or Smart Messaging file.
std::string HandsetFile(FileFormat format) {
    CNotes ringtone;
    ringtone.SetFull_RTTTL("Tune:d=4,o=5,b=125:c, 8d");
    return WriteRingtoneAs(ringtone, format).bytes;
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
    {"one track, nothing lost",
     test::midi::File(0, {test::midi::Note(72, 480)}),
     0,
     false,
     "Track 1: (no name) (1 note)",
     "[song]\r\nRTTTL=song:d=4,o=5,b=120:c\r\n",
     {FromMidi("The ringtone is named \"song\" after the file, as the song has no title.")}},
    {"controller values above 127",
     test::midi::File(
         0, {test::midi::Name("Arabic") + test::midi::Event(0, {0xB0, 0x5D, 0xFF}) + test::midi::Note(72, 480)}),
     0,
     false,
     "Track 1: Arabic (1 note)",
     "[Arabic]\r\nRTTTL=Arabic:d=4,o=5,b=120:c\r\n",
     {FromMidi("The ringtone is named \"Arabic\" after the song's title.\r\nRead leniently: skipped 1 broken "
               "controller event; no note was at stake.")}},
    {"a colon in the track's name",
     test::midi::File(0, {test::midi::Name("Synth: B3 Lead") + test::midi::Note(72, 480)}),
     0,
     false,
     "Track 1: Synth: B3 Lead (1 note)",
     "[Synth- B3 Lead]\r\nRTTTL=Synth- B3 Lead:d=4,o=5,b=120:c\r\n",
     {FromMidi("The ringtone is named \"Synth- B3 Lead\" after the song's title.\r\nname \"Synth- B3 Lead\": \":\" "
               "replaced by \"-\" (a colon ends the name in a ringtone text)")}},
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
        QCOMPARE((GotShown{h.SelectedRow(), h.Name(), h.TempoField()->currentText().toStdString(),
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
        test::WriteBytes(path, HandsetFile(FileFormat::IMelody));
        same.Get(0, "", path);
        QVERIFY(same.toolkit.FormsShown().empty() && same.toolkit.Unexpected().empty());
        QCOMPARE(same.SelectedRow(), std::string("Tune"));
    }

    // The notes the handset cannot take are named under the ringtone got,
    // pasted as collections print them: upper-case controls, a line break,
    // a trailing comma.
    void pastedRingtoneWithProblems() {
        Harness h("");
        h.Get(0, "Low:b=400,O=4,d=32:\n4b,p,4e5,", "");
        QVERIFY(h.Shown("txtMessage"));
        QCOMPARE(h.Text("txtMessage"), QString("Some notes cannot be entered on the handset as written.\n"
                                               "note 1, 4b: below the composer's octaves\n"));
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
        QCOMPARE(h.ListRows(), (test::RowsShown{"alpha,bravo,Charlie", "bravo"}));
        h.Rows()->SelectText("alpha");
        h.Get(0, "bravo:d=4,o=5,b=90:e,f");
        QCOMPARE(h.ListRows(), (test::RowsShown{"alpha,bravo,Charlie", "bravo"}));
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

// The name and tempo fields.
class EditTest : public QObject {
    Q_OBJECT

private slots:
    void nameEdit_data() { test::AddRows(NameEdits); }
    void nameEdit() {
        const NameEdit& row = test::TheRow(NameEdits);
        Harness h(AB, "A");
        if (row.answer != 0) h.Answer(row.answer == 1);
        h.NameField()->setText(QString::fromLatin1(row.typed));
        h.window->txtName_LostFocus();
        QCOMPARE(h.ListFile(), row.file);
        QCOMPARE(h.Boxes(), row.boxes);
        QCOMPARE((NameShown{h.Name(), h.RowTexts(), h.SelectedRow(), h.window->Ringtone().Name()}),
                 (NameShown{row.shown, row.rows, row.shown, row.shown}));
        QVERIFY(h.toolkit.ScriptUsed());
    }

    // A tempo the session takes is stored and shown as stored; any other is put back.
    void tempoEdit() {
        const char* const rows[][2] = {{"140", "140"}, {"112.5", "112"}, {"fast", ""}, {"0", ""}};
        for (const auto& [typed, stored] : rows) {
            Harness h(AB, "A");
            h.TempoField()->setEditText(QString::fromLatin1(typed));
            h.window->txtTempo_LostFocus();
            const std::string value = *stored ? stored : "";
            QCOMPARE(h.ListFile(), value.empty() ? AB : "[A]\r\nRTTTL=A:d=4,o=5,b=" + value + ":c, d\r\n" + B);
            QCOMPARE(h.TempoField()->currentText().toStdString(), value.empty() ? "125" : value);
            QCOMPARE(h.Boxes(), test::BoxList{});
        }
    }

    // An entry stored under a name the program no longer writes shows under
    // its look-alike with the report; a tempo change stores it under that
    // name and the row follows; a delete removes the entry as stored.
    void oldEntry() {
        Harness h(OldAB, "A:b");
        QCOMPARE(h.Name(), std::string("A-b"));
        QCOMPARE(h.Text("txtMessage").trimmed(),
                 QStringLiteral("name \"A-b\": \":\" replaced by \"-\" (a colon ends the name in a ringtone text)"));
        h.TempoField()->setEditText(QStringLiteral("140"));
        h.window->txtTempo_LostFocus();
        QCOMPARE(h.ListFile(), B + "[A-b]\r\nRTTTL=A-b:d=4,o=5,b=140:c, d\r\n");
        QCOMPARE(h.ListRows(), (test::RowsShown{"A-b,B", "A-b"}));
        QCOMPARE(h.Boxes(), test::BoxList{});

        Harness gone(OldAB, "A:b");
        gone.Answer(true);
        gone.Do("cmdDelete");
        QCOMPARE(gone.ListFile(), B);
        QCOMPARE(gone.RowTexts(), std::string("B"));
    }

    // A pending edit is stored before a command runs, and when the field is
    // left, before the row clicked shows; with no row shown nothing is.
    void pendingEdits() {
        Harness h(AB, "A");
        h.NameField()->setText(QStringLiteral("Z"));
        h.TempoField()->setEditText(QStringLiteral("80"));
        h.Answer(false);
        h.Do("cmdDelete");
        QCOMPARE(h.Boxes(), (test::BoxList{{"Delete Ringtone", "question", "yesno",
                                            "Do you want to delete 'Z' from the 'Favtones' list?"}}));
        QCOMPARE(h.ListFile(), B + "[Z]\r\nRTTTL=Z:d=4,o=5,b=80:c, d\r\n");
        Harness left(AB, "A");
        QVERIFY(left.ShowActive());
        left.TempoField()->setFocus();
        left.TempoField()->setEditText(QStringLiteral("63"));
        left.NameField()->setFocus();
        QTRY_VERIFY(left.NameField()->hasFocus());
        left.NameField()->setText(QStringLiteral("Alpha"));
        left.ClickRow(1);
        QCOMPARE(left.ListFile(), B + "[Alpha]\r\nRTTTL=Alpha:d=4,o=5,b=63:c, d\r\n");
        QCOMPARE(left.RowTexts(), std::string("Alpha,B"));
        QCOMPARE(left.Name(), std::string("B"));
        Harness none(AB);
        none.NameField()->setText(QStringLiteral("New"));  // no row selected
        none.window->CommitEdits();
        none.Rows()->SelectText("A");
        none.NameField()->setText(QString());  // a tempo beside an empty name
        none.TempoField()->setEditText(QStringLiteral("90"));
        none.window->txtTempo_LostFocus();
        QCOMPARE(none.ListFile(), AB);
    }
};

// Saving the shown ringtone.
class SaveTest : public QObject {
    Q_OBJECT

private slots:
    // No extension added; a file there is replaced only on Yes; cancel keeps the folder.
    void saves_data() {
        QTest::addColumn<int>("index");  // 0 RTTTL, 1 Composer, 3 WAV, 4 MIDI, 5 iMelody, 6 OTA, 7 the Save .WAV button
        QTest::addColumn<QString>("answer");  // "new file", "Yes" or "No" to replacing one, "cancel"
        const std::pair<int, const char*> rows[] = {{0, "new file"}, {1, "new file"}, {3, "new file"}, {4, "new file"},
                                                    {5, "new file"}, {6, "new file"}, {7, "new file"}, {0, "Yes"},
                                                    {0, "No"},       {3, "Yes"},      {3, "cancel"},   {4, "Yes"},
                                                    {4, "No"},       {6, "Yes"}};
        for (const auto& [index, answer] : rows) QTest::addRow("%d, %s", index, answer) << index << answer;
    }
    void saves() {
        QFETCH(int, index);
        QFETCH(QString, answer);
        const int type = index == 7 ? 3 : index;
        Harness h(Tune, "Tune");
        test::TempDir out;
        const std::string old(100000, 'x');  // longer than any new content: nothing of it may stay
        if (answer != "new file") test::WriteBytes(out / "Tune", old);
        h.toolkit.QueueFile(answer == "cancel" ? std::nullopt : std::optional((out / "Tune").string()));
        const bool asked = answer == "Yes" || answer == "No";
        if (asked) h.Answer(answer == "Yes");
        h.Do(index == 7 ? "cmdSave" : "mnuRingtoneSave" + std::to_string(index));
        const FileDialogRequest& dialog = h.toolkit.FileDialogs().at(0);
        QVERIFY(dialog.Kind == FileDialogKind::Save && dialog.FilterIndex == 2);
        QCOMPARE((SaveDialog{dialog.DialogTitle, dialog.Filter, dialog.InitDir, dialog.FileName}),
                 (SaveDialog{Dialogs[type].first, Dialogs[type].second, h.home.path().string(), "Tune"}));
        QCOMPARE(h.Boxes(), (asked ? test::BoxList{{"Overwrite File?", "none", "yesno",
                                                    "The file already exists.  Do you want to overwrite it?"}}
                                   : test::BoxList{}));
        QCOMPARE(test::FilesIn(out.path()), std::set<std::string>{"Tune"});
        const std::string made = type == 3   ? test::WaveOf("Tune:d=4,o=5,b=125:c, 8d")
                                 : type == 4 ? test::MidiOf("Tune:d=4,o=5,b=125:c, 8d")
                                 : type == 5 ? HandsetFile(FileFormat::IMelody)
                                 : type == 6 ? HandsetFile(FileFormat::Ott)
                                             : TuneTexts[type];
        QCOMPARE(test::ReadBytes(out / "Tune"), answer == "new file" || answer == "Yes" ? made : old);
        QCOMPARE(h.window->DialogAccepted(), answer != "cancel");
        QCOMPARE(h.window->RingToneDirectory(), (answer == "cancel" ? h.home.path() : out.path()).string());
    }

    // Saved as an iMelody and a Smart Messaging file and got back from them
    // (known by content, whatever box 1 says), the entry holds the same notes
    // (the text may name other defaults); what a file cannot hold is said
    // after the save.
    void handsetFilesReadBack() {
        const std::string song = "[Song]\r\nRTTTL=Song:d=8,o=6,b=125:c#, p, 4e., 16g, a5, 2p.\r\n";
        const auto notes = [](const std::string& list) {
            CNotes ringtone;
            ringtone.SetFull_RTTTL(list.substr(list.find('=') + 1, list.find('\r', 8) - list.find('=') - 1));
            return ringtone.Full_Composer();
        };
        for (int index : {5, 6}) {
            Harness h(song, "Song");
            test::TempDir out;
            const std::string path = (out / "Song.file").string();
            h.toolkit.QueueFile(path);
            Save(h, index);
            h.Get(2, "", path);
            QCOMPARE(h.Boxes(), test::BoxList{});
            QCOMPARE(h.SelectedRow(), std::string("Song"));
            QCOMPARE(notes(h.ListFile()), notes(song));
        }
        Harness h("[Odd]\r\nRTTTL=Odd:d=4,o=5,b=130:c\r\n", "Odd");
        test::TempDir out;
        h.toolkit.QueueFile((out / "Odd.ott").string());
        Save(h, 6);
        QCOMPARE(h.Boxes(), (test::BoxList{{"Save Ringtone", "exclamation", "ok",
                                            "The file was saved with the nearest it can hold:\r\nthe tempo 130 is "
                                            "not one a ringing tone has, written as 125"}}));
    }

    // With no tempo nothing is asked and nothing written; "/" cannot stand
    // in a file name: the dialog proposes "_" in its place.
    void tempoNeededAndProposedName() {
        for (const int index : {3, 4}) {
            Harness none("[NoTempo]\r\nRTTTL=NoTempo:d=4,o=5,b=:c, d\r\n", "NoTempo");
            Save(none, index);
            QCOMPARE(none.Boxes(),
                     (test::BoxList{{"Tunewright", "none", "ok", "Please type in a Ringtone name and Tempo."}}));
            QVERIFY(none.toolkit.FileDialogs().empty());
            QCOMPARE(test::FilesIn(none.home.path()), std::set<std::string>{"Favtones.dat"});
        }
        Harness h("[AC/DC]\r\nRTTTL=AC/DC:d=4,o=5,b=125:c, 8d\r\n", "AC/DC");
        h.toolkit.QueueFile((h.home / "AC_DC.txt").string());
        Save(h, 0);
        QCOMPARE(h.toolkit.FileDialogs().at(0).FileName, std::string("AC_DC"));
        QCOMPARE(test::ReadBytes(h.home / "AC_DC.txt"), std::string("AC/DC:d=4,o=5,b=125:c, 8d\r\n"));
    }

    // A folder that is not there, a tempo a MIDI file cannot hold: a box
    // with the reason, and nothing written.
    void failureIsReported() {
        const std::tuple<int, std::string, std::string, std::string> rows[] = {
            {0, "125", "gone/Tune", "could not "}, {4, "3", "Tune.mid", "a MIDI file can hold tempos from 4 to 32767"}};
        for (const auto& [index, tempo, file, reason] : rows) {
            Harness h("[Tune]\r\nRTTTL=Tune:d=4,o=5,b=" + tempo + ":c, 8d\r\n", "Tune");
            test::TempDir out;
            h.toolkit.QueueFile((out / file).string());
            Save(h, index);
            const test::BoxList boxes = h.Boxes();
            QCOMPARE(boxes.at(0).Head(), (test::Box{"Tunewright", "none", "ok", ""}));
            QVERIFY2(boxes[0].text.starts_with("An error occurred trying to save " + (out / file).string() + ". [" +
                                               reason) &&
                         boxes.back().text.ends_with(']'),
                     test::BoxLines(boxes).c_str());
            QVERIFY(test::FilesIn(out.path()).empty());
        }
    }
};

TW_UI_TEST_MAIN(GetTest, EditTest, SaveTest)
#include "ringtone_test.moc"
