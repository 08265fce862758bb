// The main window's controls and menus, placed at their design positions
// (given in twips, 15 to a pixel), and the wiring of their events.
#include "ui/frm_converter.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFileSystemWatcher>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>

#include <algorithm>

#include "shell/about_box.h"
#include "shell/quick_help.h"
#include "shell/twips.h"
#include "shell/window_layout.h"
#include "ui/click_label.h"
#include "ui/frm_help.h"
#include "ui/note_view.h"
#include "ui/save_entries.h"
#include "ui/sorted_controls.h"
#include "ui/text_codec.h"
#include "web/web_address.h"

namespace tw {
namespace {

QRect Pixels(const TwipRect& rect) {
    const PixelRect pixels = PixelsFromTwips(rect);
    return {pixels.Left, pixels.Top, pixels.Width, pixels.Height};
}

QRect Twips(int left, int top, int width, int height) { return Pixels(TwipRect{left, top, width, height}); }

template <typename Widget>
Widget* Place(Widget* widget, const char* name, QRect where) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(where);
    return widget;
}

QString Named(const char* base, int index) { return QString::fromLatin1(base) + QString::number(index); }

QGroupBox* Frame(QWidget* parent, const char* name, const char* caption, QRect where) {
    return Place(new QGroupBox(QString::fromUtf8(caption), parent), name, where);
}

QRadioButton* Option(QWidget* parent, const char* base, int index, const char* caption, const char* tip, QRect where) {
    auto* option = new QRadioButton(QString::fromUtf8(caption), parent);
    option->setObjectName(Named(base, index));
    option->setGeometry(where);
    if (tip != nullptr) option->setToolTip(QString::fromUtf8(tip));
    return option;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption, const char* tip, QRect where) {
    auto* button = Place(new QPushButton(QString::fromUtf8(caption), parent), name, where);
    if (tip != nullptr) button->setToolTip(QString::fromUtf8(tip));
    return button;
}

QLabel* Label(QWidget* parent, const char* name, const char* caption, QRect where) {
    auto* label = Place(new QLabel(QString::fromUtf8(caption), parent), name, where);
    label->setWordWrap(true);
    return label;
}

void SetPixelSize(QWidget* widget, int pixels) {
    QFont font = widget->font();
    font.setPixelSize(pixels);
    widget->setFont(font);
}

QAction* Entry(QMenu* menu, const QString& name, const char* caption) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(name);
    return action;
}

QAction* Entry(QMenu* menu, const char* name, const char* caption) {
    return Entry(menu, QString::fromLatin1(name), caption);
}

void Separator(QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(QString::fromLatin1(name)); }

QMenu* Menu(QMenuBar* bar, const char* name, const char* caption) {
    QMenu* menu = bar->addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

// The green step boxes of the start-up banner: decoration only.
QLabel* StepBox(QWidget* parent, int index) {
    auto* box = new QLabel(ShownText(HelpBoxCaptions[static_cast<std::size_t>(index)]), parent);
    box->setObjectName(Named("lblBeginBox", index));
    MakeStepBox(*box);
    return box;
}

// A green step box on a frame's caption, which opens the quick help of its
// step. It covers the room the caption's leading spaces leave.
ClickLabel* HelpBox(QGroupBox* frame, int index) {
    auto* box = new ClickLabel(ShownText(HelpBoxCaptions[static_cast<std::size_t>(index)]), frame);
    box->setObjectName(Named("lblNum", index));
    box->setToolTip(ShownText(HelpBoxTooltip));
    MakeStepBox(*box);
    box->setCursor(Qt::PointingHandCursor);
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = QStringLiteral("    x");
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    option.textAlignment = frame->alignment();
    option.lineWidth = 1;
    const QRect label = frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
    const int room = frame->fontMetrics().horizontalAdvance(QStringLiteral("    "));
    box->setGeometry(label.left(), label.top(), std::max(room - 1, 10), std::max(label.height(), 10));
    return box;
}

}  // namespace

frmConverter::frmConverter(ToolkitServices& services, Player& player, SettingsStore& settings, WebFetcher& fetcher,
                           std::filesystem::path programDirectory, QWidget* parent)
    : QMainWindow(parent),
      services_(services),
      player_(player),
      session_(std::move(programDirectory)),
      settings_(settings),
      web_(services, fetcher, session_.ProgramDirectory()) {
    setObjectName(QStringLiteral("frmConverter"));
    setWindowTitle(ShownText(AppTitle));
    QFont font = this->font();
    font.setPixelSize(11);
    setFont(font);
    BuildControls();
    BuildMenus();
    ConnectControls();
    // The resize rule keeps the window at its minimum size or larger; the
    // desktop is told the same, so that it does not offer smaller sizes.
    placement_.SetOuterTwips(MinimumOuterSize);
    setMinimumSize(size());
    placement_.SetOuterTwips(DesignOuterSize);
}

// A check under way must not call back into a window that is gone.
frmConverter::~frmConverter() { web_.Stop(); }

void frmConverter::BuildControls() {
    const MainWindowLayout design = DesignLayout();
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    // The banner lies under the results area and shows while it is hidden.
    lblBegin = Place(new QLabel(client), "lblBegin", Pixels(design.lblBegin));
    lblBegin->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont banner = lblBegin->font();
    banner.setPixelSize(15);
    banner.setBold(true);
    lblBegin->setFont(banner);
    for (int i = 0; i < 3; ++i) lblBeginBox[static_cast<std::size_t>(i)] = StepBox(client, i);

    fraRingtones = Frame(client, "fraRingtones", "My Ringtone List", Pixels(design.fraRingtones));
    cboList = Place(new SortedComboBox(fraRingtones), "cboList", Pixels(design.cboList));
    lstRingtones = Place(new SortedListBox(fraRingtones), "lstRingtones", Pixels(design.lstRingtones));
    lblHelpRingtoneList = Label(fraRingtones, "lblHelpRingtoneList", "Click to view / Double-click to play.",
                                Pixels(design.lblHelpRingtoneList));
    lblHelpRingtoneList->setWordWrap(false);
    SetPixelSize(lblHelpRingtoneList, 9);
    cmdExport = Button(fraRingtones, "cmdExport", "Export &List", "Export my ringtone list", Pixels(design.cmdExport));
    cmdDelete = Button(fraRingtones, "cmdDelete", "&Delete", "Delete a ringtone from my ringtone list",
                       Pixels(design.cmdDelete));

    fraSource = Frame(client, "fraSource", "    Original RingTone is", Pixels(design.fraSource));
    optSource[0] = Option(fraSource, "optSource", 0, "RTTTL/Chimekit", "A format used by the Chimekit program",
                          Twips(180, 300, 1980, 300));
    optSource[1] =
        Option(fraSource, "optSource", 1, "Nokia Composer", "A format used in the Nokia", Twips(180, 630, 1980, 300));
    optSource[2] =
        Option(fraSource, "optSource", 2, "Keypresses", "A format used in the Nokia", Twips(180, 960, 1980, 300));

    fraFrom = Frame(client, "fraFrom", "    Ringtone is from...", Pixels(design.fraFrom));
    optFile[0] = Option(fraFrom, "optFile", 0, "a File on this Computer", "RingTone is in a file on your computeer",
                        Twips(180, 300, 2340, 300));
    optFile[1] = Option(fraFrom, "optFile", 1, "the Web or Clipboard", nullptr, Twips(180, 600, 2340, 300));
    cmdGet = Button(fraFrom, "cmdGet", "&Get It...", nullptr, Twips(720, 915, 1155, 360));

    fraDisplayAs = Frame(client, "fraDisplayAs", "    Display as...", Pixels(design.fraDisplayAs));
    optShowAs[0] =
        Option(fraDisplayAs, "optShowAs", 0, "RTTTL/Chimekit", "The Chimekit format", Twips(180, 300, 1740, 300));
    optShowAs[1] =
        Option(fraDisplayAs, "optShowAs", 1, "Nokia Composer", "The Nokia Composer format", Twips(180, 630, 1740, 300));
    optShowAs[2] = Option(fraDisplayAs, "optShowAs", 2, "Keypresses", "The keypresses you type in your phone",
                          Twips(180, 960, 1740, 300));

    fraResults = Frame(client, "fraResults", "", Pixels(design.fraResults));
    fraResults->setAutoFillBackground(true);
    lblBack = Place(new QFrame(fraResults), "lblBack", Pixels(design.lblBack));
    lblBack->setFrameShape(QFrame::StyledPanel);
    lblBack->setFrameShadow(QFrame::Sunken);
    Label(fraResults, "Label4", "Name:", Twips(300, 400, 640, 255));
    txtName = Place(new QLineEdit(fraResults), "txtName", Pixels(design.txtName));
    Label(fraResults, "Label6", "Tempo:", Twips(300, 810, 640, 255));
    txtTempo = Place(new QComboBox(fraResults), "txtTempo", Pixels(design.txtTempo));
    txtTempo->setEditable(true);
    txtTempo->setInsertPolicy(QComboBox::NoInsert);
    txtTempo->setToolTip(QStringLiteral("Tempo (beats per minute)"));
    txtTempo->addItems({QStringLiteral("40"), QStringLiteral("45"), QStringLiteral("50"), QStringLiteral("56"),
                        QStringLiteral("63"), QStringLiteral("70"), QStringLiteral("80"), QStringLiteral("90"),
                        QStringLiteral("100"), QStringLiteral("112"), QStringLiteral("125"), QStringLiteral("140"),
                        QStringLiteral("160"), QStringLiteral("180"), QStringLiteral("200"), QStringLiteral("225")});
    txtTempo->setCurrentIndex(-1);
    auto* Label3 = Label(fraResults, "Label3", "To SAVE Name/Tempo, press TAB", Twips(2010, 825, 2265, 255));
    Label3->setWordWrap(false);
    SetPixelSize(Label3, 9);
    auto* Label8 = Label(fraResults, "Label8", "Notes Used:", Twips(4290, 810, 1020, 255));
    Label8->setWordWrap(false);
    Label8->setAlignment(Qt::AlignRight);
    lblNoteCount = Label(fraResults, "lblNoteCount", "0", Pixels(design.lblNoteCount));
    lblNoteCount->setToolTip(QStringLiteral("The number of notes contained."));
    Label(fraResults, "Label5", "Tone Text:", Twips(300, 1170, 640, 480));
    txtRingtone = Place(new QPlainTextEdit(fraResults), "txtRingtone", Pixels(design.txtRingtone));
    txtRingtone->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setPixelSize(13);
    txtRingtone->setFont(fixed);
    noteView = Place(new NoteView(fraResults), "noteView", Pixels(design.noteView));
    // The problems, one report line to a row, each shown whole; the list
    // scrolls by whole rows.
    txtMessage = Place(new QListWidget(fraResults), "txtMessage", Pixels(design.txtMessage));
    txtMessage->setFrameShape(QFrame::NoFrame);
    txtMessage->setFocusPolicy(Qt::ClickFocus);
    txtMessage->setWordWrap(true);
    txtMessage->setTextElideMode(Qt::ElideNone);
    txtMessage->setResizeMode(QListView::Adjust);
    txtMessage->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    txtMessage->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    txtMessage->setVisible(false);
    cmdSave = Button(fraResults, "cmdSave", "Save .&WAV", "Save as a WAV file", Pixels(design.cmdSave));
    cmdPlaySound = Button(fraResults, "cmdPlaySound", "&Play", "Play this ringtone", Pixels(design.cmdPlaySound));

    // The legend beside the error text: a green box, "click", "for help".
    fraClickHelp = Place(new QFrame(fraResults), "fraClickHelp", Pixels(design.fraClickHelp));
    auto* legendBox = Place(new QLabel(fraClickHelp), "lblClickHelpBox", Twips(0, 165, 165, 195));
    MakeStepBox(*legendBox);
    Label(fraClickHelp, "lblClick", "click", Twips(210, 30, 525, 240))->setWordWrap(false);
    Label(fraClickHelp, "lblForHelp", "for help", Twips(210, 270, 525, 240))->setWordWrap(false);
    for (auto* legend : fraClickHelp->findChildren<QLabel*>()) SetPixelSize(legend, 8);

    // The step boxes sit in the space the frame captions leave at their start.
    QGroupBox* const stepFrames[] = {fraSource, fraFrom, fraDisplayAs, fraResults};
    for (int i = 0; i < 4; ++i) lblNum[static_cast<std::size_t>(i)] = HelpBox(stepFrames[i], i);

    lblCopy = Label(client, "lblCopy", "", Pixels(design.lblCopy));
    lblCopy->setText(ShownText(MakerNotice));
    lblCopy->setTextFormat(Qt::PlainText);
    lblCopy->setWordWrap(false);
    SetPixelSize(lblCopy, 9);
    lblMyWeb = Place(new ClickLabel(ShownText(HomeBaseUrl), client), "lblMyWeb", Pixels(design.lblMyWeb));
    lblMyWeb->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    MakeLinkLook(*lblMyWeb);
    SetPixelSize(lblMyWeb, 9);
    lblMyWeb->setToolTip(QStringLiteral("Visit the Tunewright home page"));

    // The choices as the window is designed; the saved settings change them.
    optSource[0]->setChecked(true);
    optFile[1]->setChecked(true);
    optShowAs[2]->setChecked(true);

    txtName->installEventFilter(this);
    txtTempo->installEventFilter(this);
}

void frmConverter::BuildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* mnuFile = Menu(bar, "mnuFile", "&File");
    const std::vector<SaveEntry> saves = SaveEntries();
    for (int i = 0; i < static_cast<int>(saves.size()); ++i)
        mnuRingtoneSave.push_back(Entry(mnuFile, Named("mnuRingtoneSave", i),
                                        std::string(saves[static_cast<std::size_t>(i)].caption).c_str()));
    mnuFilePhoneRingtone = Entry(mnuFile, "mnuFilePhoneRingtone", "Save As P&hone Ringtone...");
    Separator(mnuFile, "mnuFileSep1");
    mnuFileNew = Entry(mnuFile, "mnuFileNew", "&New List...");
    mnuFileDelete = Entry(mnuFile, "mnuFileDelete", "&Delete List");
    mnuFileRename = Entry(mnuFile, "mnuFileRename", "Rena&me List...");
    mnuFileClear = Entry(mnuFile, "mnuFileClear", "C&lear List");
    Separator(mnuFile, "mnuFileSep2");
    mnuRingtonePreferences = Entry(mnuFile, "mnuRingtonePreferences", "Note Se&parators...");
    mnuFilePlayVoice = Entry(mnuFile, "mnuFilePlayVoice", "&Voice for Play...");
    mnuRingtoneExport = Entry(mnuFile, "mnuRingtoneExport", "&Export Ringtone List...");
    mnuFileBatchWAV = Entry(mnuFile, "mnuFileBatchWAV", "Batch Save All As .WAV Files");
    mnuFileImport = Entry(mnuFile, "mnuFileImport", "&Import Ringtones...");
    Separator(mnuFile, "mnuFileSep3");
    mnuRingtoneExit = Entry(mnuFile, "mnuRingtoneExit", "E&xit");

    mnuEdit = Menu(bar, "mnuEdit", "&Edit");
    BuildShapeMenu();
    const char* const copyCaptions[] = {"Copy &RTTTL to Clipboard", "Copy &Composer to Clipboard",
                                        "Copy &Keypresses to Clipboard"};
    for (int i = 0; i < 3; ++i)
        mnuEditExportClip[static_cast<std::size_t>(i)] = Entry(mnuEdit, Named("mnuEditExportClip", i), copyCaptions[i]);

    // Filled from the home site's menu file by the version check.
    mnuMoreRingtonesH = Menu(bar, "mnuMoreRingtonesH", "&Latest Ringtones");
    Entry(mnuMoreRingtonesH, Named("mnuMoreRingtones", 0), LoadingCaption.data());
    mnuMoreLinksH = Menu(bar, "mnuMoreLinksH", "Top Mobile &Sites");
    Entry(mnuMoreLinksH, Named("mnuMoreLinks", 0), LoadingCaption.data());
    web_.SetMenus(*mnuMoreRingtonesH, *mnuMoreLinksH);

    QMenu* mnuHelp = Menu(bar, "mnuHelp", "&Help");
    Entry(mnuHelp, "mnuHelpContents", "&Contents...");
    Separator(mnuHelp, "mnuHSep1");
    Entry(mnuHelp, "mnuHelpWeb", "Tonehaven &Home...");
    Entry(mnuHelp, "mnuHelpCheckLatest", "&Check for Latest Version...");
    Entry(mnuHelp, "mnuHelpComposer", "How the Co&mposer Works...");
    Separator(mnuHelp, "mnuHSep2");
    Entry(mnuHelp, "mnuHelpAbout", "&About...");
}

template <typename Handler>
void frmConverter::Command(Handler&& handler) {
    try {
        CommitEdits();
        handler();
    } catch (const std::exception& e) {
        services_.MsgBox(std::string("The command could not be completed.\r\n\r\n") + e.what(), MsgButtons::OkOnly,
                         MsgIcon::Critical);
    } catch (...) {
        services_.MsgBox("The command could not be completed.", MsgButtons::OkOnly, MsgIcon::Critical);
    }
}

void frmConverter::ConnectControls() {
    const auto on = [this](auto* sender, auto signal, auto handler) {
        connect(sender, signal, this, [this, handler] { Command([this, handler] { (this->*handler)(); }); });
    };
    on(cmdGet, &QPushButton::clicked, &frmConverter::cmdGet_Click);
    on(cmdDelete, &QPushButton::clicked, &frmConverter::cmdDelete_Click);
    on(cmdPlaySound, &QPushButton::clicked, &frmConverter::cmdPlaySound_Click);
    on(mnuFileNew, &QAction::triggered, &frmConverter::mnuFileNew_Click);
    on(mnuFileRename, &QAction::triggered, &frmConverter::mnuFileRename_Click);
    on(mnuFileClear, &QAction::triggered, &frmConverter::mnuFileClear_Click);
    on(mnuFileDelete, &QAction::triggered, &frmConverter::mnuFileDelete_Click);
    on(cmdSave, &QPushButton::clicked, &frmConverter::cmdSave_Click);
    on(cmdExport, &QPushButton::clicked, &frmConverter::cmdExport_Click);
    on(mnuRingtoneExport, &QAction::triggered, &frmConverter::mnuRingtoneExport_Click);
    on(mnuFileBatchWAV, &QAction::triggered, &frmConverter::mnuFileBatchWAV_Click);
    on(mnuFileImport, &QAction::triggered, &frmConverter::mnuFileImport_Click);
    for (const auto& [action, handler] : ShapeCommands()) on(action, &QAction::triggered, handler);
    for (int i = 0; i < static_cast<int>(mnuRingtoneSave.size()); ++i)
        connect(mnuRingtoneSave[static_cast<std::size_t>(i)], &QAction::triggered, this,
                [this, i] { Command([this, i] { mnuRingtoneSave_Click(i); }); });
    for (int i = 0; i < 3; ++i)
        connect(mnuEditExportClip[static_cast<std::size_t>(i)], &QAction::triggered, this,
                [this, i] { Command([this, i] { mnuEditExportClip_Click(i); }); });
    cboList->OnClick([this] { Command([this] { cboList_Click(); }); });
    lstRingtones->OnClick([this] { Command([this] { lstRingtones_Click(); }); });
    lstRingtones->OnDblClick([this] { Command([this] { lstRingtones_DblClick(); }); });
    for (int i = 0; i < 3; ++i)
        connect(optShowAs[static_cast<std::size_t>(i)], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked) Command([this, i] { optShowAs_Click(i); });
        });
    connect(mnuRingtoneExit, &QAction::triggered, this, [this] {
        CommitEdits();
        close();
    });

    on(mnuRingtonePreferences, &QAction::triggered, &frmConverter::mnuRingtonePreferences_Click);
    on(mnuFilePlayVoice, &QAction::triggered, &frmConverter::mnuFilePlayVoice_Click);
    on(mnuFilePhoneRingtone, &QAction::triggered, &frmConverter::mnuFilePhoneRingtone_Click);
    const auto entry = [this](const char* name) { return findChild<QAction*>(QString::fromLatin1(name)); };
    on(entry("mnuHelpContents"), &QAction::triggered, &frmConverter::mnuHelpContents_Click);
    on(entry("mnuHelpWeb"), &QAction::triggered, &frmConverter::mnuHelpWeb_Click);
    on(entry("mnuHelpCheckLatest"), &QAction::triggered, &frmConverter::mnuHelpCheckLatest_Click);
    on(entry("mnuHelpComposer"), &QAction::triggered, &frmConverter::mnuHelpComposer_Click);
    on(entry("mnuHelpAbout"), &QAction::triggered, &frmConverter::mnuHelpAbout_Click);
    // The web menus' entries come and go; the menu tells which was chosen.
    connect(mnuMoreRingtonesH, &QMenu::triggered, this, [this](QAction* action) {
        const int index = static_cast<int>(mnuMoreRingtonesH->actions().indexOf(action));
        Command([this, index] { mnuMoreRingtones_Click(index); });
    });
    connect(mnuMoreLinksH, &QMenu::triggered, this, [this](QAction* action) {
        const int index = static_cast<int>(mnuMoreLinksH->actions().indexOf(action));
        Command([this, index] { mnuMoreLinks_Click(index); });
    });
    for (int i = 0; i < 4; ++i)
        lblNum[static_cast<std::size_t>(i)]->OnClick([this, i] { Command([this, i] { lblNum_Click(i); }); });
    lblMyWeb->OnClick([this] { Command([this] { lblMyWeb_Click(); }); });
    noteView->OnNoteClicked([this](std::size_t index) { Command([this, index] { noteView_Click(index); }); });
    noteView->OnKey([this](int key, Qt::KeyboardModifiers modifiers) {
        bool taken = true;
        Command([&] { taken = noteView_Key(key, modifiers); });
        return taken;
    });
    connect(txtRingtone, &QPlainTextEdit::cursorPositionChanged, this, [this] { txtRingtone_CaretMoved(); });
    connect(txtMessage, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = txtMessage->row(item);
        Command([this, row] { txtMessage_Click(row); });
    });
}

bool frmConverter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && (watched == txtName || watched == txtTempo)) {
        try {
            CommitEdits();
        } catch (const std::exception& e) {
            services_.MsgBox(e.what(), MsgButtons::OkOnly, MsgIcon::Critical);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace tw
