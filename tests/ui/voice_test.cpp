// The voice Play plays in (the Voice for Play dialog, the PlayVoice setting)
// and File > Save As Phone Ringtone..., on a recording player.
#include <stdlib.h>

#include "sound/voice_play.h"
#include "support/ffmpeg_tools.h"
#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

const std::string Tune = "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:c, 8d\r\n";
const std::string TuneText = "Tune:d=4,o=5,b=125:c, 8d";
constexpr double TuneSeconds = 0.72;  // a quarter and an eighth at 125

// The WAV image Play plays for Tune in `voice`.
std::string PlayedImage(const Voice& voice) {
    return test::Rendered(TuneText, [&voice](const CNotes& ringtone) { return VoiceWaveImage(ringtone, voice); });
}

std::vector<std::string> Played(const FakePlayer& player) {
    std::vector<std::string> images;
    for (const auto& image : player.Played()) images.emplace_back(image.begin(), image.end());
    return images;
}

// The next form gets `caption` chosen in its voice list, then `button`.
void QueueVoice(Harness& h, const std::string& caption, const std::string& button) {
    h.toolkit.QueueForm([=](ModalForm& form) {
        auto* list = test::Child<QComboBox>(form, "cboVoice");
        const int index = list->findText(QString::fromStdString(caption));
        if (index < 0) throw std::runtime_error("no voice " + caption);
        list->setCurrentIndex(index);
        test::Click(form, button);
    });
}

// Sets TUNEWRIGHT_SOUNDFONT for the lifetime of the object.
struct SoundFontGone {
    test::TempDir folder;
    SoundFontGone() { ::setenv("TUNEWRIGHT_SOUNDFONT", (folder / "gone.sf2").c_str(), 1); }
    ~SoundFontGone() { ::unsetenv("TUNEWRIGHT_SOUNDFONT"); }
};

struct SavedVoiceRow {
    const char* name;
    const char* saved;  // the PlayVoice setting
    Voice played;
};
// Reading the setting is tested with the settings; here the window plays what it read.
const SavedVoiceRow SavedVoices[] = {{"marimba", "marimba", Voice{12}}, {"unusable: the beep", "kazoo", Voice{}}};

struct PhoneRow {
    const char* name;
    int phone;          // optPhone index: 0 Android, 1 iPhone
    const char* voice;  // as the list shows it
    int plays;          // 0: automatic
    const char *title, *filter, *formatName, *codec;
    double shortest, longest;  // seconds
};
const PhoneRow Phones[] = {
    {"android, automatic plays, beep", 0, "Beep (the classic phone buzzer)", 0, "Save As Android Ringtone",
     "All Files (*.*)|*.*|Android Ringtones (*.ogg)|*.ogg", "ogg", "vorbis", 20.0, 30.0},
    {"iphone, two plays, marimba", 1, "Marimba", 2, "Save As iPhone Ringtone",
     "All Files (*.*)|*.*|iPhone Ringtones (*.m4r)|*.m4r", "mov,mp4,m4a,3gp,3g2,mj2", "aac", 2 * TuneSeconds + 1.0,
     2 * TuneSeconds + 1.0 + 3.5},
};

}  // namespace

// Play plays in the voice chosen for it, kept as the PlayVoice setting.
class PlayVoiceTest : public QObject {
    Q_OBJECT

private slots:
    void playsTheSavedVoice_data() { test::AddRows(SavedVoices); }
    void playsTheSavedVoice() {
        const SavedVoiceRow& row = test::TheRow(SavedVoices);
        Harness h(Tune, "Tune", {{SettingKey::PlayVoice, row.saved}});
        h.Do("cmdPlaySound");
        QCOMPARE(Played(h.player), std::vector<std::string>{PlayedImage(row.played)});
        QCOMPARE(h.Boxes(), test::BoxList{});
        if (!row.played.program) QCOMPARE(Played(h.player).front(), test::WaveOf(TuneText));  // as it always was
    }

    // The dialog offers the named voices with the one in use chosen; OK keeps
    // the choice for Play and for the next start, Cancel changes nothing.
    void theDialogChoosesAndKeepsTheVoice() {
        Harness h(Tune, "Tune");
        std::vector<std::string> offered;
        h.toolkit.QueueForm([&offered](ModalForm& form) {
            auto* list = test::Child<QComboBox>(form, "cboVoice");
            for (int i = 0; i < list->count(); ++i) offered.push_back(list->itemText(i).toStdString());
            offered.push_back("chosen: " + list->currentText().toStdString());
            test::Click(form, "cmdCancel");
        });
        h.Do("mnuFilePlayVoice");
        QCOMPARE(offered,
                 (std::vector<std::string>{"Beep (the classic phone buzzer)", "Piano", "Music box", "Vibraphone",
                                           "Marimba", "Guitar", "chosen: Beep (the classic phone buzzer)"}));
        QVERIFY(!h.settings.Setting(SettingKey::PlayVoice));
        QueueVoice(h, "Vibraphone", "cmdOk");
        h.Do("mnuFilePlayVoice");
        QCOMPARE(h.settings.GetSetting(SettingKey::PlayVoice, ""), std::string("vibraphone"));
        h.Do("cmdPlaySound");
        QueueVoice(h, "Piano", "cmdCancel");
        h.Do("mnuFilePlayVoice");
        h.Do("cmdPlaySound");
        QCOMPARE(Played(h.player), (std::vector<std::string>{PlayedImage(Voice{11}), PlayedImage(Voice{11})}));
        QVERIFY(h.toolkit.ScriptUsed());
        QCOMPARE(h.toolkit.Unexpected(), std::vector<std::string>{});
    }

    // A voice that cannot be made is said; nothing plays.
    void aMissingSoundFontIsSaid() {
        const SoundFontGone gone;
        Harness h(Tune, "Tune", {{SettingKey::PlayVoice, "marimba"}});
        h.Do("cmdPlaySound");
        QCOMPARE(Played(h.player), std::vector<std::string>{});
        QCOMPARE(h.Boxes(), (test::BoxList{{"Play", "exclamation", "ok",
                                            "The ringtone cannot be played in the voice Marimba.\r\n\r\nthe SoundFont "
                                            "that TUNEWRIGHT_SOUNDFONT names, " +
                                                (gone.folder / "gone.sf2").string() + ", is not a file"}}));
        QVERIFY(h.Find<QPushButton>("cmdPlaySound")->isEnabled());
    }
};

// File > Save As Phone Ringtone...: the dialog, then the save dialog, then
// the file as FFmpeg's ffprobe reads it.
class PhoneRingtoneTest : public QObject {
    Q_OBJECT

private slots:
    void writesBothKinds_data() { test::AddRows(Phones); }
    void writesBothKinds() {
        const PhoneRow& row = test::TheRow(Phones);
        if (!test::HaveFfmpegTools()) QSKIP("ffprobe is not installed (scripts/install-deps installs it)");
        Harness h(Tune, "Tune");
        test::TempDir out;
        h.toolkit.QueueForm([&row](ModalForm& form) {
            test::Child<QRadioButton>(form, "optPhone" + std::to_string(row.phone))->setChecked(true);
            auto* list = test::Child<QComboBox>(form, "cboVoice");
            list->setCurrentIndex(list->findText(QString::fromUtf8(row.voice)));
            test::Child<QSpinBox>(form, "spnPlays")->setValue(row.plays);
            test::Click(form, "cmdOk");
        });
        const std::filesystem::path file = out / "Tune.file";
        h.toolkit.QueueFile(file.string());
        h.Do("mnuFilePhoneRingtone");
        QCOMPARE(h.Boxes(), test::BoxList{});
        const FileDialogRequest& dialog = h.toolkit.FileDialogs().at(0);
        QCOMPARE(dialog.DialogTitle + " | " + dialog.Filter + " | " + dialog.FileName,
                 std::string(row.title) + " | " + row.filter + " | Tune");
        const auto probed = test::Probe(file);
        QCOMPARE(probed.count("format_name") ? probed.at("format_name") : "", std::string(row.formatName));
        QCOMPARE(probed.count("codec_name") ? probed.at("codec_name") : "", std::string(row.codec));
        QCOMPARE(probed.count("TAG:title") ? probed.at("TAG:title") : "", std::string("Tune"));
        const double seconds = probed.count("duration") ? std::stod(probed.at("duration")) : 0.0;
        QVERIFY2(seconds >= row.shortest && seconds <= row.longest, std::to_string(seconds).c_str());
        QCOMPARE(h.player.Played().size(), std::size_t{0});  // saving plays nothing
    }

    // Play in the dialog plays the voice chosen there; Cancel then saves
    // nothing and asks for no file; the dialog offers the Play voice first.
    void playsTheChoiceAndCancels() {
        Harness h(Tune, "Tune", {{SettingKey::PlayVoice, "guitar"}});
        std::string offered;
        h.toolkit.QueueForm([&offered](ModalForm& form) {
            auto* list = test::Child<QComboBox>(form, "cboVoice");
            offered = list->currentText().toStdString();
            list->setCurrentIndex(list->findText(QStringLiteral("Music box")));
            test::Click(form, "cmdPlay");
            test::Click(form, "cmdCancel");
        });
        h.Do("mnuFilePhoneRingtone");
        QCOMPARE(offered, std::string("Guitar"));
        QCOMPARE(Played(h.player), std::vector<std::string>{PlayedImage(Voice{10})});
        QCOMPARE(h.toolkit.FileDialogs().size(), std::size_t{0});
        QVERIFY(!h.window->DialogAccepted());
    }

    // A voice that cannot be made: the dialog's Play says so, and so does
    // the save, which leaves no file.
    void aMissingSoundFontIsSaid() {
        const SoundFontGone gone;
        Harness h(Tune, "Tune");
        test::TempDir out;
        h.toolkit.QueueForm([](ModalForm& form) {
            auto* list = test::Child<QComboBox>(form, "cboVoice");
            list->setCurrentIndex(list->findText(QStringLiteral("Piano")));
            test::Click(form, "cmdPlay");
            test::Click(form, "cmdOk");
        });
        const std::string file = (out / "Tune.ogg").string();
        h.toolkit.QueueFile(file);
        h.Do("mnuFilePhoneRingtone");
        const std::string missing =
            "the SoundFont that TUNEWRIGHT_SOUNDFONT names, " + (gone.folder / "gone.sf2").string() + ", is not a file";
        QCOMPARE(h.Boxes(), (test::BoxList{{"Save As Phone Ringtone", "exclamation", "ok",
                                            "The ringtone cannot be played in this voice.\r\n\r\n" + missing},
                                           {"Save As Phone Ringtone", "exclamation", "ok",
                                            "An error occurred trying to save " + file + ". [" + missing + "]"}}));
        QCOMPARE(test::FilesIn(out.path()), std::set<std::string>{});
        QCOMPARE(Played(h.player), std::vector<std::string>{});
    }
};

TW_UI_TEST_MAIN(PlayVoiceTest, PhoneRingtoneTest)
#include "voice_test.moc"
