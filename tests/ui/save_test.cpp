// Saving the ringtone shown in each format, and what a save cannot do.
#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

const std::string Tune = "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:c, 8d\r\n";
// The save dialog of each save command: its title and filter (pairs of a
// description and its patterns, "|" between all), seen before the folder and the file proposed.
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

}  // namespace

// Saving the shown ringtone.
class SaveTest : public QObject {
    Q_OBJECT

private slots:
    // No extension added; a file there is replaced only on Yes; cancel keeps the folder. Every
    // entry asks through one dialog, so the answers are tried on two of them.
    void saves_data() {
        QTest::addColumn<int>("index");  // 0 RTTTL, 1 Composer, 3 WAV, 4 MIDI, 5 iMelody, 6 OTA, 7 the Save .WAV button
        QTest::addColumn<QString>("answer");  // "new file", "Yes" or "No" to replacing one, "cancel"
        const std::pair<int, const char*> rows[] = {{0, "new file"}, {1, "new file"}, {3, "new file"}, {4, "new file"},
                                                    {5, "new file"}, {6, "new file"}, {7, "new file"}, {0, "Yes"},
                                                    {0, "No"},       {3, "Yes"},      {3, "cancel"}};
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
        QCOMPARE((test::Seen{dialog.DialogTitle, dialog.Filter, dialog.InitDir, dialog.FileName}),
                 (test::Seen{Dialogs[type].first, Dialogs[type].second, h.home.path().string(), "Tune"}));
        QCOMPARE(h.Boxes(), (asked ? test::BoxList{{"Overwrite File?", "none", "yesno",
                                                    "The file already exists.  Do you want to overwrite it?"}}
                                   : test::BoxList{}));
        QCOMPARE(test::FilesIn(out.path()), std::set<std::string>{"Tune"});
        const std::string made = type == 3   ? test::WaveOf("Tune:d=4,o=5,b=125:c, 8d")
                                 : type == 4 ? test::MidiOf("Tune:d=4,o=5,b=125:c, 8d")
                                 : type == 5 ? test::FileOf("Tune:d=4,o=5,b=125:c, 8d", FileFormat::IMelody)
                                 : type == 6 ? test::FileOf("Tune:d=4,o=5,b=125:c, 8d", FileFormat::Ott)
                                             : TuneTexts[type];
        QCOMPARE(test::ReadBytes(out / "Tune"), answer == "new file" || answer == "Yes" ? made : old);
        QCOMPARE(h.window->DialogAccepted(), answer != "cancel");
        QCOMPARE(h.window->RingToneDirectory(), (answer == "cancel" ? h.home.path() : out.path()).string());
    }

    // Save As Flipper Music File... and Arduino Sketch... write what the
    // command line writes for the shown ringtone, the sketch for pin 8.
    void boardFiles() {
        for (const auto& [index, format] : {std::pair{7, FileFormat::Fmf}, std::pair{8, FileFormat::Arduino}}) {
            Harness h(Tune, "Tune");
            test::TempDir out;
            h.toolkit.QueueFile((out / "Tune").string());
            Save(h, index);
            QCOMPARE(h.Boxes(), test::BoxList{});
            QCOMPARE(test::ReadBytes(out / "Tune"), test::FileOf("Tune:d=4,o=5,b=125:c, 8d", format));
        }
    }

    // What a handset file cannot hold is said after the save (what each writer's file reads
    // back to, the session's round trips show).
    void handsetFileNotHeld() {
        Harness h("[Odd]\r\nRTTTL=Odd:d=4,o=5,b=130:c\r\n", "Odd");
        test::TempDir out;
        h.toolkit.QueueFile((out / "Odd.ott").string());
        Save(h, 6);
        QCOMPARE(h.Boxes(), (test::BoxList{{"Save Ringtone", "exclamation", "ok",
                                            "The file was saved with the nearest it can hold:\r\nthe tempo 130 is "
                                            "not one a ringing tone has, written as 125"}}));
    }

    // With no tempo nothing is asked and nothing written (one check before every entry); "/"
    // cannot stand in a file name: the dialog proposes "_" in its place.
    void tempoNeededAndProposedName() {
        Harness none("[NoTempo]\r\nRTTTL=NoTempo:d=4,o=5,b=:c, d\r\n", "NoTempo");
        Save(none, 3);
        QCOMPARE(none.Boxes(),
                 (test::BoxList{{"Tunewright", "none", "ok", "Please type in a Ringtone name and Tempo."}}));
        QVERIFY(none.toolkit.FileDialogs().empty());
        QCOMPARE(test::FilesIn(none.home.path()), std::set<std::string>{"Favtones.dat"});
        Harness h("[AC/DC]\r\nRTTTL=AC/DC:d=4,o=5,b=125:c, 8d\r\n", "AC/DC");
        h.toolkit.QueueFile((h.home / "AC_DC.txt").string());
        Save(h, 0);
        QCOMPARE(h.toolkit.FileDialogs().at(0).FileName, std::string("AC_DC"));
        QCOMPARE(test::ReadBytes(h.home / "AC_DC.txt"), std::string("AC/DC:d=4,o=5,b=125:c, 8d\r\n"));
    }

    // A tempo a MIDI file cannot hold: a box with the reason (the writers' refusals are
    // tested with them), and nothing written.
    void failureIsReported() {
        Harness h("[Tune]\r\nRTTTL=Tune:d=4,o=5,b=3:c, 8d\r\n", "Tune");
        test::TempDir out;
        h.toolkit.QueueFile((out / "Tune.mid").string());
        Save(h, 4);
        QCOMPARE(h.Boxes(), (test::BoxList{{"Tunewright", "none", "ok",
                                            "An error occurred trying to save " + (out / "Tune.mid").string() +
                                                ". [a MIDI file can hold tempos from 4 to 32767, not 3]"}}));
        QVERIFY(test::FilesIn(out.path()).empty());
    }
};

TW_UI_TEST_MAIN(SaveTest)
#include "save_test.moc"
