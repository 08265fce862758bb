#pragma once

#include <QTest>
#include <QtWidgets>

#include "engine/file_format.h"
#include "shell/saved_settings.h"
#include "shell/settings_store.h"
#include "sound/midi_file.h"
#include "sound/render.h"
#include "support/fake_player.h"
#include "support/temp_files.h"
#include "support/test_http_server.h"
#include "ui/frm_converter.h"
#include "ui/sorted_controls.h"
#include "ui/testing/scripted_toolkit.h"
#include "ui/text_codec.h"
#include "web/qt/qt_web_fetcher.h"

// Failed comparisons of std::string show both texts, and of texts seen together each on a line.
template <>
inline char* QTest::toString<std::string>(const std::string& text) {
    return qstrdup(text.c_str());
}
template <>
inline char* QTest::toString<std::vector<std::string>>(const std::vector<std::string>& texts) {
    std::string lines = texts.empty() ? "(none)" : "";
    for (const std::string& text : texts) lines += "\n    \"" + text + "\"";
    return qstrdup(lines.c_str());
}

namespace tw::test {

// The child `name` of a window or form; a missing one fails the test.
template <typename T = QWidget>
T* Child(const QObject& parent, const std::string& name) {
    if (T* found = parent.findChild<T*>(QString::fromStdString(name))) return found;
    throw std::runtime_error("no control " + name);
}
inline void Click(const QObject& form, const std::string& button) { Child<QPushButton>(form, button)->click(); }

// Data functions over a table of rows named by their first member: AddRows, then TheRow.
template <typename Row, std::size_t N>
void AddRows(const Row (&rows)[N]) {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < N; ++i) QTest::newRow(rows[i].name) << static_cast<int>(i);
}
template <typename Row, std::size_t N>
const Row& TheRow(const Row (&rows)[N]) {
    QFETCH(int, row);
    return rows[row];
}

// The WAV file the synthesiser makes, and the MIDI file written, for an RTTTL text.
template <typename Render>
std::string Rendered(const std::string& rtttl, Render render) {
    CNotes ringtone;
    ringtone.SetFull_RTTTL(rtttl);
    const std::vector<std::uint8_t> image = render(ringtone);
    return std::string(image.begin(), image.end());
}
inline std::string WaveOf(const std::string& rtttl) { return Rendered(rtttl, RenderWave); }
inline std::string MidiOf(const std::string& rtttl) {
    return Rendered(rtttl, [](const CNotes& ringtone) { return WriteMidi(ringtone); });
}
// The file a ringtone writer makes of an RTTTL text.
inline std::string FileOf(const std::string& rtttl, FileFormat format) {
    CNotes ringtone;
    ringtone.SetFull_RTTTL(rtttl);
    return WriteRingtoneAs(ringtone, format).bytes;
}

// Texts seen together, in the order a comment beside them gives.
using Seen = std::vector<std::string>;

inline std::string Join(const std::vector<std::string>& items) {
    std::string joined;
    for (const std::string& item : items) joined += (joined.empty() ? "" : ",") + item;
    return joined;
}

// A message box shown: its title, icon, buttons ("ok", "yesno") and text.
struct Box {
    std::string title, icon, buttons, text;
    bool operator==(const Box&) const = default;
    // The box without its text, for a text checked only in part.
    Box Head() const { return {title, icon, buttons, ""}; }
};
using BoxList = std::vector<Box>;
inline char* toString(const BoxList& boxes) {
    std::string text = boxes.empty() ? "\n    (no box)" : "";
    for (std::size_t i = 0; i < boxes.size(); ++i)
        text += "\n  box " + std::to_string(i + 1) + ":\n    title: \"" + boxes[i].title + "\"\n    icon: \"" +
                boxes[i].icon + "\"\n    buttons: \"" + boxes[i].buttons + "\"\n    text: \"" + boxes[i].text + "\"";
    return qstrdup(text.c_str());
}
inline char* toString(const Box& box) { return toString(BoxList{box}); }

// The main window on its own program directory and scripted toolkit, as run before.
struct Harness {
    TempDir home;
    ScriptedToolkit toolkit;
    FakePlayer player;
    MemorySettingsStore settings;
    std::unique_ptr<QtWebFetcher> fetcher = std::make_unique<QtWebFetcher>();
    std::unique_ptr<frmConverter> window;

    Harness() { settings.SaveSetting(SettingKey::RingToneDirectory, home.path().string()); }
    // The window opened on a "Favtones" list holding `list`, showing `row` if named, with `saved` kept before.
    explicit Harness(const std::string& list, const std::string& row = {},
                     std::initializer_list<std::pair<std::string_view, std::string_view>> saved = {})
        : Harness() {
        for (const auto& [key, value] : saved) settings.SaveSetting(key, value);
        WriteList("Favtones", list);
        Open();
        if (!row.empty()) Rows()->SelectText(row);
    }

    std::filesystem::path ListPath(const std::string& list) const { return home.path() / (list + ".dat"); }
    std::string ListFile(const std::string& list = "Favtones") const { return ReadBytes(ListPath(list)); }
    void WriteList(const std::string& list, const std::string& bytes) const { WriteBytes(ListPath(list), bytes); }

    frmConverter& Open(SettingsStore* store = nullptr) {
        window = std::make_unique<frmConverter>(toolkit, player, store ? *store : settings, *fetcher, home.path());
        window->Form_Load();
        return *window;
    }
    bool ShowActive() const {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }

    template <typename T = QWidget>
    T* Find(const std::string& name) const {
        return Child<T>(*window, name);
    }
    QRadioButton* Option(const std::string& name) const { return Find<QRadioButton>(name); }
    void Do(const std::string& name) const {
        if (name.rfind("mnu", 0) == 0) Find<QAction>(name)->trigger();
        else Find<QPushButton>(name)->click();
    }
    bool Enabled(const std::string& name) const {
        return name.rfind("mnu", 0) == 0 ? Find<QAction>(name)->isEnabled() : Find(name)->isEnabled();
    }
    SortedListBox* Rows() const { return Find<SortedListBox>("lstRingtones"); }
    SortedComboBox* Lists() const { return Find<SortedComboBox>("cboList"); }
    QLineEdit* NameField() const { return Find<QLineEdit>("txtName"); }
    QComboBox* TempoField() const { return Find<QComboBox>("txtTempo"); }
    std::string Name() const { return NameField()->text().toStdString(); }
    // A text box's text; a list's rows, each ending in a line feed.
    QString Text(const std::string& name) const {
        if (const auto* list = window->findChild<QListWidget*>(QString::fromStdString(name))) {
            QString rows;
            for (int i = 0; i < list->count(); ++i) rows += list->item(i)->text() + QLatin1Char('\n');
            return rows;
        }
        return Find<QPlainTextEdit>(name)->toPlainText();
    }
    bool Shown(const std::string& name) const { return !Find(name)->isHidden(); }
    std::string RowTexts() const { return Join(Rows()->Items()); }
    // The lists offered, the current list by name and as chosen in the list box.
    Seen ListState() const {
        return {Join(Lists()->Items()), window->RingtoneList().ListName(), Lists()->currentText().toStdString()};
    }
    // The rows of the list and the one selected ("<none>").
    Seen ListRows() const { return {RowTexts(), SelectedRow()}; }
    std::string SelectedRow() const {
        const int index = Rows()->ListIndex();
        return index < 0 ? std::string("<none>") : Rows()->List(index);
    }
    void ClickRow(int row) const {
        QTest::mouseClick(Rows()->viewport(), Qt::LeftButton, {}, Rows()->visualItemRect(Rows()->item(row)).center());
    }

    // Gets a ringtone of notation `source` (0, 1, 2) pasted, or from the file at `path`.
    void Get(int source, const std::string& text, const std::string& path = {}) {
        Option("optSource" + std::to_string(source))->setChecked(true);
        Option(path.empty() ? "optFile1" : "optFile0")->setChecked(true);
        if (path.empty()) QueueForm("txtSource", text, "cmdOk");
        else toolkit.QueueFile(path);
        Do("cmdGet");
    }
    // The next form gets `text` in its field or list `field`, then `button` (none: the close box).
    void QueueForm(const std::string& field, const std::string& text, const std::string& button) {
        toolkit.QueueForm([=](ModalForm& form) {
            const QString name = QString::fromStdString(field);
            if (auto* box = form.findChild<QPlainTextEdit*>(name)) box->setPlainText(ShownText(text));
            if (auto* line = form.findChild<QLineEdit*>(name)) line->setText(ShownText(text));
            if (auto* list = form.findChild<QComboBox*>(name)) list->setCurrentText(ShownText(text));
            if (button.empty()) form.reject();
            else Click(form, button);
        });
    }
    void Answer(bool yes) { toolkit.QueueAnswer(yes ? MsgAnswer::Yes : MsgAnswer::No); }

    // Every message box shown, in order.
    BoxList Boxes() const {
        static const char* const icons[] = {"none", "information", "question", "exclamation", "critical"};
        BoxList all;
        for (const MessageBoxRequest& box : toolkit.Boxes())
            all.push_back({box.Title, icons[static_cast<int>(box.Icon)],
                           box.Buttons == MsgButtons::YesNo ? "yesno" : "ok", box.Text});
        return all;
    }
};

// Runs the test classes, or the one named first, with the settings and data in a fresh folder.
template <typename... Tests>
int RunUiTests(int argc, char** argv) {
    TempDir environment;
    for (const char* name :
         {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR", "TUNEWRIGHT_HOME"}) {
        std::filesystem::create_directories(environment / name);
        std::filesystem::permissions(environment / name, std::filesystem::perms::owner_all);
        ::setenv(name, (environment / name).c_str(), 1);
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::string only = argc > 1 && argv[1][0] != '-' ? argv[1] : "";
    std::vector<char*> args(argv, argv + argc + 1);
    if (!only.empty()) args.erase(args.begin() + 1);
    int count = static_cast<int>(args.size()) - 1;
    QApplication app(count, args.data());
    // The web check of every start goes to a port of 127.0.0.1 that refuses.
    ::setenv("TUNEWRIGHT_BASE_URL", RefusedBaseUrl().c_str(), 1);
    int failed = 0, run = 0;
    const auto exec = [&](QObject&& test) {
        if (!only.empty() && only != test.metaObject()->className()) return;
        ++run;
        failed += QTest::qExec(&test, count, args.data());
    };
    (exec(Tests()), ...);
    if (run == 0) std::fprintf(stderr, "no test class %s\n", only.c_str());
    return run == 0 ? 1 : failed;
}

}  // namespace tw::test

#define TW_UI_TEST_MAIN(...) \
    int main(int argc, char** argv) { return tw::test::RunUiTests<__VA_ARGS__>(argc, argv); }
