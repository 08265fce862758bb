// Start-up of the main window: the web base address, the saved settings
// applied in their order, the About box on the first run, the lists found in
// the program directory and the current list, the banner; then the window is
// shown and the silent version check started.
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>

#include "lists/program_directory.h"
#include "shell/about_box.h"
#include "shell/saved_settings.h"
#include "shell/twips.h"
#include "ui/frm_converter.h"
#include "ui/sorted_controls.h"
#include "ui/text_codec.h"
#include "web/web_address.h"

namespace tw {
namespace {

const char* const BannerLines[] = {"To Begin:", "", "Follow box      , then      , then      .", "",
                                   "For help, click the green box"};
// Where each step box sits on the banner's third line: after these texts.
const char* const BoxAfter[] = {"Follow box", "Follow box      , then", "Follow box      , then      , then"};
constexpr int BannerBoxLine = 2;

std::string HomeFolder() { return QFile::encodeName(QDir::homePath()).toStdString(); }

}  // namespace

void frmConverter::Form_Load() {
    services_.SetBusyPointer(true);
    try {
        web_.SetBaseURL(ChooseBaseUrl(IsLocalCommandLine(commandLine_), EnvironmentValue(BaseUrlVariable)));

        const QScreen* screen = QGuiApplication::primaryScreen();
        const QRect area = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
        const SettingsReading reading = ReadSettings(settings_, TwipsFromPixels(area.width(), area.height()));
        const SavedSettings& saved = reading.Settings;
        placement_.Place(saved);

        ringToneDirectory_ = saved.RingToneDirectory;
        if (IsFirstRun(saved)) {
            mnuHelpAbout_Click();
            ringToneDirectory_ = FirstRunRingToneDirectory(HomeFolder());
        }
        ApplySettings(saved);

        std::string banner;
        for (const char* line : BannerLines) banner += (banner.empty() ? "" : "\r\n") + std::string(line);
        lblBegin->setText(ShownLines(banner));
        PlaceBeginBoxes();
        SetState();

        // Drawn before the network is used.
        show();
        services_.DoEvents();
        CheckForUpdates(true);
    } catch (const std::exception&) {
        // The window opens with whatever was set up before the failure.
    }
    setWindowTitle(ShownText(MainWindowCaption()));
    services_.SetBusyPointer(false);
    if (!isVisible()) show();
    WatchLists();
}

// The notations, the origin, the separator, the current list, the
// reading of iMelody octave prefixes and the voice for Play.
void frmConverter::ApplySettings(const SavedSettings& saved) {
    imelodyPrefixes_ = saved.IMelodyPrefix;
    playVoice_ = saved.PlayVoice;
    phoneOptions_.voice = saved.PlayVoice;
    optSource[static_cast<std::size_t>(saved.SourceType)]->setChecked(true);
    if (saved.FromFile) optFile[*saved.FromFile ? 0 : 1]->setChecked(true);
    optShowAs[static_cast<std::size_t>(saved.ShowType)]->setChecked(true);
    optShowAs_Click(saved.ShowType);
    session_.Ringtone().SetOutputSeparator(saved.OutputSep);
    ScanListFiles(*cboList);
    session_.OpenList(saved.CurrentList);
    if (const auto index = CurrentListIndex(cboList->Items(), session_.ListName()))
        cboList->SetListIndex(static_cast<int>(*index));
}

void frmConverter::PlaceBeginBoxes() {
    const QFontMetrics metrics(lblBegin->font());
    const int gap = metrics.horizontalAdvance(QStringLiteral("      "));
    const int top = lblBegin->y() + lblBegin->contentsRect().top() + BannerBoxLine * metrics.lineSpacing();
    for (std::size_t i = 0; i < lblBeginBox.size(); ++i) {
        const int left = lblBegin->x() + lblBegin->contentsRect().left() +
                         metrics.horizontalAdvance(QString::fromLatin1(BoxAfter[i]));
        lblBeginBox[i]->setGeometry(left + gap / 6, top, gap - gap / 3, metrics.height());
    }
}

}  // namespace tw
