// The main window's controls and menus, placed at their design positions
// (given in twips, 15 to a pixel), and the wiring of their events.
#include "frm_converter.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "sorted_controls.h"

namespace tw {
namespace {

constexpr int TwipsPerPixel = 15;
constexpr int ClientWidth = 10035;
constexpr int ClientHeight = 6120;

QRect Twips(int left, int top, int width, int height) {
    return {left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel, height / TwipsPerPixel};
}

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

QAction* Entry(QMenu* menu, const char* name, const char* caption) { return Entry(menu, QString::fromLatin1(name), caption); }

void Separator(QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(QString::fromLatin1(name)); }

QMenu* Menu(QMenuBar* bar, const char* name, const char* caption) {
    QMenu* menu = bar->addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

// The green step boxes of the start-up banner.
QLabel* StepBox(QWidget* parent, int index) {
    auto* box = new QLabel(QString::number(index + 1) + QChar(u'.'), parent);
    box->setObjectName(Named("lblBeginBox", index));
    box->setAlignment(Qt::AlignCenter);
    box->setAutoFillBackground(true);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, QColor(128, 255, 128));
    palette.setColor(QPalette::WindowText, Qt::black);
    box->setPalette(palette);
    box->setFrameShape(QFrame::Box);
    return box;
}

}  // namespace

frmConverter::frmConverter(ToolkitServices& services, Player& player, std::filesystem::path programDirectory,
                           QWidget* parent)
    : QMainWindow(parent), services_(services), player_(player), list_(ringtone_, std::move(programDirectory)) {
    setObjectName(QStringLiteral("frmConverter"));
    setWindowTitle(QString::fromUtf8(AppTitle.data(), static_cast<qsizetype>(AppTitle.size())));
    QFont font = this->font();
    font.setPixelSize(11);
    setFont(font);
    BuildControls();
    BuildMenus();
    ConnectControls();
    resize(ClientWidth / TwipsPerPixel, ClientHeight / TwipsPerPixel + menuBar()->sizeHint().height());
}

frmConverter::~frmConverter() = default;

void frmConverter::BuildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setMinimumSize(ClientWidth / TwipsPerPixel, ClientHeight / TwipsPerPixel);
    setCentralWidget(client);

    // The banner lies under the results area and shows while it is hidden.
    lblBegin = Place(new QLabel(client), "lblBegin", Twips(3660, 1920, 6075, 1995));
    lblBegin->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont banner = lblBegin->font();
    banner.setPixelSize(15);
    banner.setBold(true);
    lblBegin->setFont(banner);
    for (int i = 0; i < 3; ++i) lblBeginBox[static_cast<std::size_t>(i)] = StepBox(client, i);

    fraRingtones = Frame(client, "fraRingtones", "My Ringtone List", Twips(60, 60, 2775, 5775));
    cboList = Place(new SortedComboBox(fraRingtones), "cboList", Twips(120, 240, 2535, 315));
    lstRingtones = Place(new SortedListBox(fraRingtones), "lstRingtones", Twips(120, 600, 2535, 4140));
    auto* lblHelpRingtoneList = Label(fraRingtones, "lblHelpRingtoneList", "Click to view / Double-click to play.",
                                      Twips(120, 4800, 2535, 255));
    lblHelpRingtoneList->setWordWrap(false);
    SetPixelSize(lblHelpRingtoneList, 9);
    cmdExport = Button(fraRingtones, "cmdExport", "Export &List", "Export my ringtone list", Twips(300, 5100, 1035, 615));
    cmdDelete = Button(fraRingtones, "cmdDelete", "&Delete", "Delete a ringtone from my ringtone list",
                       Twips(1440, 5100, 1035, 615));

    fraSource = Frame(client, "fraSource", "    Original RingTone is", Twips(2940, 60, 2235, 1335));
    optSource[0] = Option(fraSource, "optSource", 0, "RTTTL/Chimekit", "A format used by the Chimekit program",
                          Twips(180, 300, 1980, 300));
    optSource[1] = Option(fraSource, "optSource", 1, "Nokia Composer", "A format used in the Nokia",
                          Twips(180, 630, 1980, 300));
    optSource[2] = Option(fraSource, "optSource", 2, "Keypresses", "A format used in the Nokia",
                          Twips(180, 960, 1980, 300));

    fraFrom = Frame(client, "fraFrom", "    Ringtone is from...", Twips(5280, 60, 2595, 1335));
    optFile[0] = Option(fraFrom, "optFile", 0, "a File on this Computer", "RingTone is in a file on your computeer",
                        Twips(180, 300, 2340, 300));
    optFile[1] = Option(fraFrom, "optFile", 1, "the Web or Clipboard", nullptr, Twips(180, 600, 2340, 300));
    cmdGet = Button(fraFrom, "cmdGet", "&Get It...", nullptr, Twips(720, 915, 1155, 360));

    fraDisplayAs = Frame(client, "fraDisplayAs", "    Display as...", Twips(7980, 60, 1995, 1335));
    optShowAs[0] = Option(fraDisplayAs, "optShowAs", 0, "RTTTL/Chimekit", "The Chimekit format",
                          Twips(180, 300, 1740, 300));
    optShowAs[1] = Option(fraDisplayAs, "optShowAs", 1, "Nokia Composer", "The Nokia Composer format",
                          Twips(180, 630, 1740, 300));
    optShowAs[2] = Option(fraDisplayAs, "optShowAs", 2, "Keypresses", "The keypresses you type in your phone",
                          Twips(180, 960, 1740, 300));

    fraResults = Frame(client, "fraResults", "", Twips(2940, 1440, 7035, 4395));
    fraResults->setAutoFillBackground(true);
    auto* lblBack = Place(new QFrame(fraResults), "lblBack", Twips(240, 300, 6675, 3375));
    lblBack->setFrameShape(QFrame::StyledPanel);
    lblBack->setFrameShadow(QFrame::Sunken);
    Label(fraResults, "Label4", "Name:", Twips(300, 400, 640, 255));
    txtName = Place(new QLineEdit(fraResults), "txtName", Twips(960, 360, 4755, 360));
    Label(fraResults, "Label6", "Tempo:", Twips(300, 810, 640, 255));
    txtTempo = Place(new QComboBox(fraResults), "txtTempo", Twips(960, 780, 975, 330));
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
    lblNoteCount = Label(fraResults, "lblNoteCount", "0", Twips(5400, 810, 375, 255));
    lblNoteCount->setToolTip(QStringLiteral("The number of notes contained."));
    Label(fraResults, "Label5", "Tone Text:", Twips(300, 1170, 640, 480));
    txtRingtone = Place(new QPlainTextEdit(fraResults), "txtRingtone", Twips(960, 1140, 5835, 2415));
    txtRingtone->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setPixelSize(13);
    txtRingtone->setFont(fixed);
    txtMessage = Place(new QPlainTextEdit(fraResults), "txtMessage", Twips(960, 3720, 3915, 615));
    txtMessage->setFrameShape(QFrame::NoFrame);
    txtMessage->setReadOnly(true);
    txtMessage->setFocusPolicy(Qt::ClickFocus);
    txtMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QPalette message = txtMessage->palette();
    message.setColor(QPalette::Base, message.color(QPalette::Button));
    message.setColor(QPalette::Text, QColor(128, 0, 0));
    txtMessage->setPalette(message);
    txtMessage->setVisible(false);
    cmdSave = Button(fraResults, "cmdSave", "Save .&WAV", "Save as a WAV file", Twips(4920, 3720, 975, 615));
    cmdPlaySound = Button(fraResults, "cmdPlaySound", "&Play", "Play this ringtone", Twips(5940, 3720, 975, 615));

    txtName->installEventFilter(this);
    txtTempo->installEventFilter(this);
}

void frmConverter::BuildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* mnuFile = Menu(bar, "mnuFile", "&File");
    const char* const saveCaptions[] = {"Save As &RTTTL File...", "Save As &Composer File...",
                                        "Save As &Keypress File...", "Save As &WAV file..."};
    for (int i = 0; i < 4; ++i)
        mnuRingtoneSave[static_cast<std::size_t>(i)] = Entry(mnuFile, Named("mnuRingtoneSave", i), saveCaptions[i]);
    Separator(mnuFile, "mnuFileSep1");
    mnuFileNew = Entry(mnuFile, "mnuFileNew", "&New List...");
    mnuFileDelete = Entry(mnuFile, "mnuFileDelete", "&Delete List");
    mnuFileRename = Entry(mnuFile, "mnuFileRename", "Rena&me List...");
    mnuFileClear = Entry(mnuFile, "mnuFileClear", "C&lear List");
    Separator(mnuFile, "mnuFileSep2");
    mnuRingtonePreferences = Entry(mnuFile, "mnuRingtonePreferences", "Note Se&parators...");
    mnuRingtoneExport = Entry(mnuFile, "mnuRingtoneExport", "&Export Ringtone List...");
    mnuFileBatchWAV = Entry(mnuFile, "mnuFileBatchWAV", "Batch Save All As .WAV Files");
    Separator(mnuFile, "mnuFileSep3");
    mnuRingtoneExit = Entry(mnuFile, "mnuRingtoneExit", "E&xit");

    mnuEdit = Menu(bar, "mnuEdit", "&Edit");
    const char* const copyCaptions[] = {"Copy &RTTTL to Clipboard", "Copy &Composer to Clipboard",
                                        "Copy &Keypresses to Clipboard"};
    for (int i = 0; i < 3; ++i)
        mnuEditExportClip[static_cast<std::size_t>(i)] = Entry(mnuEdit, Named("mnuEditExportClip", i), copyCaptions[i]);

    // Filled from the home site's menu file once the web menus are there.
    Entry(Menu(bar, "mnuMoreRingtonesH", "&Latest Ringtones"), "mnuMoreRingtones", "Loading...");
    Entry(Menu(bar, "mnuMoreLinksH", "Top Mobile &Sites"), "mnuMoreLinks", "Loading...");

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
    for (int i = 0; i < 4; ++i)
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

    // Commands of the separator, help and web parts of the program; for now
    // they only store pending edits.
    const auto later = [this](QObject* sender) {
        if (auto* button = qobject_cast<QPushButton*>(sender))
            connect(button, &QPushButton::clicked, this, [this] { Command([] {}); });
        else if (auto* action = qobject_cast<QAction*>(sender))
            connect(action, &QAction::triggered, this, [this] { Command([] {}); });
    };
    later(mnuRingtonePreferences);
    for (const char* name : {"mnuMoreRingtones", "mnuMoreLinks", "mnuHelpContents", "mnuHelpWeb", "mnuHelpCheckLatest",
                             "mnuHelpComposer", "mnuHelpAbout"})
        later(findChild<QAction*>(QString::fromLatin1(name)));
}

void frmConverter::closeEvent(QCloseEvent* event) {
    if (batchRunning_) event->ignore();
    else QMainWindow::closeEvent(event);
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
