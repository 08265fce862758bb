#pragma once

#include <QMainWindow>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/cnotes.h"
#include "engine/transpose.h"
#include "session/ringtone_session.h"
#include "shell/twips.h"
#include "sound/phone_ringtone.h"
#include "sound/voice.h"
#include "ui/main_window_placement.h"
#include "ui/note_spans.h"
#include "ui/toolkit.h"
#include "ui/web_menus_check.h"
#include "web/web_fetch.h"

class QAction;
class QCloseEvent;
class QComboBox;
class QFileSystemWatcher;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QResizeEvent;

namespace tw {

class ClickLabel;
class frmHelp;
class NoteView;
class Player;
class SettingsStore;
class SortedComboBox;
class SortedListBox;
struct MainWindowLayout;
struct SavedSettings;

// The main window: choose the source notation and origin, get a ringtone,
// see it in any notation with its problems, play it, and keep it in the
// current ringtone list. It owns the ringtone session, which holds the
// current ringtone, the current list and the entry shown and carries the
// rules of working on lists; the window holds the controls, the enabling
// rules and the wiring, and turns the session's errors into its message
// boxes. It reads its settings from `settings` when it loads and writes them
// back when it closes, and fetches the web menus with `fetcher`.
//
// Each control's objectName is its name in the program (cmdGet, optSource0,
// mnuFileNew, ...). The handlers are public so that the window's tests can
// run them; user actions reach them through Command, which first stores any
// pending name or tempo edit and never lets a failure escape.
class frmConverter final : public QMainWindow {
public:
    frmConverter(ToolkitServices& services, Player& player, SettingsStore& settings, WebFetcher& fetcher,
                 std::filesystem::path programDirectory, QWidget* parent = nullptr);
    ~frmConverter() override;

    // The program's arguments; the single word "local" points the web menus
    // at the local test server. Set before Form_Load.
    void SetCommandLine(std::vector<std::string> args) { commandLine_ = std::move(args); }

    // Start-up: the web base address, the saved place and size of the window,
    // the About box on the first run, the saved choices, separator and
    // current list, the banner, the enabling rules; then the window is shown
    // and the silent version check started; last the caption.
    void Form_Load();
    // Shutdown: ends a version check under way, closes the quick help and
    // writes the settings back.
    void Form_Unload();
    // Keeps the window at its minimum size and lays the controls out for its
    // size.
    void Form_Resize();

    // The display.
    void SetState();
    void Clear();
    void ShowRingtone();
    void optShowAs_Click(int notationIndex);
    // The name and tempo edits, stored when the field is left.
    void txtName_LostFocus();
    void txtTempo_LostFocus();
    // Stores whatever the name and tempo fields hold that is not stored yet.
    void CommitEdits();

    // Getting a ringtone from a file or pasted text.
    void cmdGet_Click();
    // A MIDI file's bytes (read from `path`) made into a ringtone after the
    // track and fit are asked for; what was lost is said in a box.
    void GetMidi(const std::string& bytes, const std::string& path);

    // The lists.
    void cboList_Click();
    void lstRingtones_Click();
    void cmdDelete_Click();
    void mnuFileNew_Click();
    void mnuFileRename_Click();
    void mnuFileClear_Click();
    void mnuFileDelete_Click();

    // Playing. While the ringtone plays, the note view follows the
    // position the player reports.
    void cmdPlaySound_Click();
    void lstRingtones_DblClick();

    // The note selected in the note view (from 0), none when no note is; the
    // Edit menu's changes act on it, or on every note when none is. Setting
    // it marks the note in the view and selects its token in the
    // tone text; an index past the last note marks none.
    std::optional<std::size_t> SelectedNote() const;
    void SetSelectedNote(std::optional<std::size_t> index);
    // A click on a note of the view selects it and plays it briefly.
    void noteView_Click(std::size_t index);
    // A click on a line of the problem list selects the note it is about.
    void txtMessage_Click(int row);

    // Saving the shown ringtone to a file (`entry` of SaveEntries: 0 to 2
    // RTTTL, Composer, keypress text; 3 WAV; 4 MIDI; 5 iMelody; 6 Smart
    // Messaging) and copying it to the clipboard (0 to 2).
    void mnuRingtoneSave_Click(int entry);
    void cmdSave_Click();
    // "Save As Phone Ringtone...": the phone, voice and plays asked for
    // (frmPhoneRingtone, offered the last choices, the Play voice at first),
    // then the file through the save dialog, written with FFmpeg; a failure
    // is said in a box.
    void mnuFilePhoneRingtone_Click();
    void mnuEditExportClip_Click(int notationIndex);

    // The list export dialog, and one WAV file per ringtone of the list.
    void cmdExport_Click();
    void mnuRingtoneExport_Click();
    void mnuFileBatchWAV_Click();
    // "Import Ringtones...": every ringtone of a collection file into the
    // current list, with the busy window's progress and a Cancel that leaves
    // the list as it was.
    void mnuFileImport_Click();

    // Shaping the melody (the Edit menu): the selected note, or every note
    // while none is selected, a semitone or an octave up or down, moved into
    // the composer's octaves, or a length shorter or longer; each change is
    // stored in the list at once, as a tempo edit is. Undo and Redo step
    // through the changes of the ringtone shown, and are stored too.
    void mnuEditSemitoneUp_Click();
    void mnuEditSemitoneDown_Click();
    void mnuEditOctaveUp_Click();
    void mnuEditOctaveDown_Click();
    void mnuEditFit_Click();
    void mnuEditShorter_Click();
    void mnuEditLonger_Click();
    void mnuEditUndo_Click();
    void mnuEditRedo_Click();

    // The note separator dialog; the shown ringtone is drawn again afterwards.
    void mnuRingtonePreferences_Click();
    // "Voice for Play...": the voice the Play button plays in, saved as the
    // PlayVoice setting.
    void mnuFilePlayVoice_Click();

    // Help: the green step boxes open the quick help of their step; the help
    // file; the About box.
    void lblNum_Click(int helpIndex);
    void LoadHelp(int helpNumber);
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();

    // The web: the version check (silent at start-up), the two web menus and
    // the fixed pages of the home site.
    void CheckForUpdates(bool silent);
    void mnuHelpCheckLatest_Click();
    void mnuMoreRingtones_Click(int entry);
    void mnuMoreLinks_Click(int entry);
    void mnuHelpWeb_Click();
    void mnuHelpComposer_Click();
    void lblMyWeb_Click();

    CNotes& Ringtone() { return session_.Ringtone(); }
    RingtoneListFile& RingtoneList() { return session_.List(); }
    const std::string& RingToneDirectory() const { return ringToneDirectory_; }
    const Voice& VoiceForPlay() const { return playVoice_; }
    void SetRingToneDirectory(std::string folder) { ringToneDirectory_ = std::move(folder); }
    const std::string& ChosenFileName() const { return chosenFileName_; }
    bool DialogAccepted() const { return dialogAccepted_; }
    const std::string& SourceText() const { return sourceText_; }
    const std::string& BaseURL() const { return web_.BaseURL(); }
    // The quick-help window, once it has been opened.
    frmHelp* QuickHelp() const { return help_.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The window stays open while the batch runs; otherwise closing it shuts
    // the program down (Form_Unload).
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    void ConnectControls();
    // Runs a command started by the user: pending edits first, then the
    // handler; a failure that the handler did not report is shown here.
    template <typename Handler>
    void Command(Handler&& handler);

    // Whether the name and tempo fields edit the current ringtone: a row is
    // selected and the ringtone shown is the one the current ringtone holds.
    bool EditsApply();
    int SourceIndex() const;
    // The notation chosen in box 1, and the open dialog for its files.
    Notation ChosenNotation() const;
    FileDialogRequest OpenDialog() const;
    // The open dialog of Get It..., which offers MIDI files too.
    FileDialogRequest GetDialog() const;
    // Reads `bytes` in `from` (a notation's text, or an iMelody or Smart
    // Messaging file), stores the ringtone and shows it, as Get It... does.
    void GetRingtone(FileFormat from, const std::string& bytes, const FileReadOptions& options = {});
    // How a handset file is read: for an iMelody file whose octave prefixes
    // read two ways, as the user answers (offered the last answer, which is
    // kept); nothing when the question is cancelled.
    std::optional<FileReadOptions> HandsetReading(FileFormat format, const std::string& bytes);
    int ShowAsIndex() const;
    std::string ShownNotes() const;
    void ShowMessageText(const std::string& text);
    // Empties the results area, leaving the session as it is.
    void ClearDisplay();
    // Leaves no row selected, without running the row handler.
    void Deselect();
    void SelectStoredRow(const std::string& name);
    // The row `oldRow` (the selected one, else the row of that text) shows
    // `newName`; a row of another entry of that name goes.
    void RenameRow(const std::string& oldRow, const std::string& newName);
    void ReportListError(std::string_view title, std::string_view what, const SessionError& error);
    void ReloadShownRow();
    // Watches the program directory and the current list file, and follows
    // changes that other programs make to the list.
    void WatchLists();
    void FollowListFile();
    void PlaceBeginBoxes();
    void ScanListFiles(SortedComboBox& cbo);
    std::string SelectedListText();
    void ApplySettings(const SavedSettings& settings);
    // The save dialog for a file of `dialog`'s type, proposing the ringtone's
    // name in the ringtone folder, which follows the choice; then the
    // question whether to replace a file that is there. Nothing when the
    // dialog is cancelled or the answer is No.
    std::optional<std::filesystem::path> ChooseSaveFile(const FileTypeDialog& dialog);
    SavedSettings CurrentSettings() const;
    void ApplyLayout(const MainWindowLayout& layout);
    // The tone text shown, its note tokens found again, and the note view
    // drawn from the shown ringtone.
    void ShowToneText(const QString& text, Notation notation);
    void SelectNote(std::optional<std::size_t> index, bool selectToken);
    void txtRingtone_CaretMoved();
    bool noteView_Key(int key, Qt::KeyboardModifiers modifiers);
    void PlayNote(std::size_t index);
    // The Edit menu's shaping entries with their keys, their handlers for
    // ConnectControls, and their enabling rules.
    void BuildShapeMenu();
    std::vector<std::pair<QAction*, void (frmConverter::*)()>> ShapeCommands() const;
    void SetShapeState();
    // Changes the shown ringtone by `shape`, stores it and shows it; a change
    // is kept for Undo. What could not be done is said in a box `title`d.
    void Reshape(const std::string& title, const std::function<ShapedRingtone(const CNotes&)>& shape);
    // Gives back (undo) or makes again (redo) the last change, unless another
    // program changed the ringtone since.
    void StepHistory(bool undo);
    // Forgets the changes: another ringtone is shown.
    void ForgetShapes();
    // Stores `change` of the shown ringtone, as ChangeShown does, and keeps
    // the list's row with the ringtone's name; a failure to store is shown
    // and said, and gives false.
    bool StoreShapedNotes(const std::function<bool(CNotes&)>& change);

    ToolkitServices& services_;
    Player& player_;
    RingtoneSession session_;
    std::string ringToneDirectory_;
    std::string chosenFileName_;
    std::string sourceText_;
    bool dialogAccepted_ = false;
    bool committing_ = false;
    bool batchRunning_ = false;
    OctavePrefixes imelodyPrefixes_ = OctavePrefixes::UntilNext;
    std::optional<std::size_t> selectedNote_;
    std::vector<TextSpan> noteSpans_;  // the tokens of the tone text shown
    bool settingToneText_ = false;     // the caret moves because the program moves it
    // A change of the shown ringtone's notes: its note tokens before and after.
    struct ShapeStep {
        std::vector<std::string> before, after;
    };
    std::vector<ShapeStep> undoSteps_, redoSteps_;
    Voice playVoice_;
    PhoneRingtoneOptions phoneOptions_;

    SettingsStore& settings_;
    WebMenusCheck web_;
    std::vector<std::string> commandLine_;
    MainWindowPlacement placement_{*this};
    std::unique_ptr<frmHelp> help_;
    std::unique_ptr<QFileSystemWatcher> listWatcher_;

    QGroupBox* fraSource = nullptr;
    std::array<QRadioButton*, 3> optSource{};
    QGroupBox* fraFrom = nullptr;
    std::array<QRadioButton*, 2> optFile{};
    QPushButton* cmdGet = nullptr;
    QGroupBox* fraDisplayAs = nullptr;
    std::array<QRadioButton*, 3> optShowAs{};
    QGroupBox* fraResults = nullptr;
    QPlainTextEdit* txtRingtone = nullptr;
    QLineEdit* txtName = nullptr;
    QComboBox* txtTempo = nullptr;
    QLabel* lblNoteCount = nullptr;
    NoteView* noteView = nullptr;
    QListWidget* txtMessage = nullptr;
    QPushButton* cmdPlaySound = nullptr;
    QPushButton* cmdSave = nullptr;
    QGroupBox* fraRingtones = nullptr;
    SortedComboBox* cboList = nullptr;
    SortedListBox* lstRingtones = nullptr;
    QPushButton* cmdExport = nullptr;
    QPushButton* cmdDelete = nullptr;
    QLabel* lblBegin = nullptr;
    std::array<QLabel*, 3> lblBeginBox{};
    QFrame* lblBack = nullptr;
    QLabel* lblHelpRingtoneList = nullptr;
    QFrame* fraClickHelp = nullptr;
    std::array<ClickLabel*, 4> lblNum{};
    ClickLabel* lblMyWeb = nullptr;
    QLabel* lblCopy = nullptr;

    std::vector<QAction*> mnuRingtoneSave;  // one per SaveEntries()
    std::array<QAction*, 3> mnuEditExportClip{};
    QAction* mnuFileNew = nullptr;
    QAction* mnuFileDelete = nullptr;
    QAction* mnuFileRename = nullptr;
    QAction* mnuFileClear = nullptr;
    QAction* mnuRingtonePreferences = nullptr;
    QAction* mnuFilePlayVoice = nullptr;
    QAction* mnuFilePhoneRingtone = nullptr;
    QAction* mnuRingtoneExport = nullptr;
    QAction* mnuFileBatchWAV = nullptr;
    QAction* mnuFileImport = nullptr;
    QAction* mnuRingtoneExit = nullptr;
    QMenu* mnuEdit = nullptr;
    std::vector<QAction*> mnuEditShape;  // the transposes, the fit and the lengths
    QAction* mnuEditUndo = nullptr;
    QAction* mnuEditRedo = nullptr;
    QMenu* mnuMoreRingtonesH = nullptr;
    QMenu* mnuMoreLinksH = nullptr;
};

}  // namespace tw
