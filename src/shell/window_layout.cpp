#include "shell/window_layout.h"

#include <algorithm>

namespace tw {
namespace {

// Space the window keeps around and between its frames.
constexpr int ResultsLeft = 2940;
constexpr int ResultsTop = 1440;
constexpr int Margin = 60;
constexpr int BottomRowHeight = 315;  // the address and notice line under the frames
constexpr int ListColumnGap = 360;    // fraRingtones is this much shorter than the client area
constexpr int ButtonRowOffset = 675;  // bottom buttons: their top above the frame's bottom
constexpr int FooterOffset = 255;     // lblMyWeb and lblCopy: their top above the client's bottom

constexpr int ToneTextLeast = 810;  // three lines of the tone text
// Two lines of the tone text's 13-pixel font (15 pixels apart), the
// document's margins and the frame: 40 pixels.
constexpr int ToneTextSmallest = 600;
constexpr int NoteViewLeast = 600;
constexpr int ToneAreaGap = 60;
constexpr int ProblemListGap = 30;  // between the problem list and the Save button

int AtLeastZero(int value) { return std::max(value, 0); }

}  // namespace

void ShareToneArea(const TwipRect& area, TwipRect& toneText, TwipRect& noteView) {
    toneText = area;
    noteView = {area.Left, area.Top + area.Height, area.Width, 0};
    const int text = std::max(ToneTextLeast, area.Height / 4);
    const int view = area.Height - text - ToneAreaGap;
    if (view < NoteViewLeast) return;
    toneText.Height = text;
    noteView = {area.Left, area.Top + text + ToneAreaGap, area.Width, view};
}

MainWindowLayout DesignLayout() {
    MainWindowLayout layout;
    layout.fraRingtones = {60, 60, 2775, 5775};
    layout.cboList = {120, 240, 2535, 315};
    layout.lstRingtones = {120, 600, 2535, 4140};
    layout.cmdExport = {300, 5100, 1035, 615};
    layout.cmdDelete = {1440, 5100, 1035, 615};
    layout.lblHelpRingtoneList = {120, 4800, 2535, 255};
    layout.fraSource = {2940, 60, 2235, 1335};
    layout.fraFrom = {5280, 60, 2595, 1335};
    layout.fraDisplayAs = {7980, 60, 1995, 1335};
    layout.fraResults = {2940, 1440, 7035, 4395};
    layout.lblBack = {240, 300, 6675, 3375};
    layout.txtName = {960, 360, 4755, 360};
    layout.txtTempo = {960, 780, 975, 315};
    layout.lblNoteCount = {5340, 820, 375, 255};
    ShareToneArea({960, 1140, 5835, 2415}, layout.txtRingtone, layout.noteView);
    layout.txtMessage = {960, 3720, 3915, 615};
    layout.cmdSave = {4920, 3720, 975, 615};
    layout.cmdPlaySound = {5940, 3720, 975, 615};
    layout.fraClickHelp = {60, 3780, 735, 555};
    layout.lblBegin = {3660, 1920, 6075, 1995};
    layout.lblMyWeb = {2280, 5880, 4575, 210};
    layout.lblCopy = {60, 5880, 4395, 210};
    return layout;
}

std::optional<TwipSize> MinimumSizeSnap(TwipSize outer) {
    if (outer.Width >= MinimumOuterSize.Width && outer.Height >= MinimumOuterSize.Height) return std::nullopt;
    return TwipSize{std::max(outer.Width, MinimumOuterSize.Width), std::max(outer.Height, MinimumOuterSize.Height)};
}

MainWindowLayout LayoutForClient(TwipSize client) {
    MainWindowLayout layout = DesignLayout();
    const int clientWidth = client.Width;
    const int clientHeight = client.Height;

    layout.fraRingtones.Height = AtLeastZero(clientHeight - ListColumnGap);
    layout.fraResults.Width = AtLeastZero(clientWidth - ResultsLeft - Margin);
    layout.fraResults.Height = AtLeastZero(clientHeight - ResultsTop - BottomRowHeight);

    const int list = layout.fraRingtones.Height;
    layout.cmdDelete.Top = list - ButtonRowOffset;
    layout.cmdExport.Top = list - ButtonRowOffset;
    layout.lstRingtones.Height = AtLeastZero(list - 600 - 1035);
    layout.lblHelpRingtoneList.Top = list - 975;

    const int width = layout.fraResults.Width;
    const int height = layout.fraResults.Height;
    layout.lblBack.Width = AtLeastZero(width - 360);
    layout.lblBack.Height = AtLeastZero(height - 1020);
    ShareToneArea({960, 1140, AtLeastZero(width - 960 - 240), AtLeastZero(height - 1140 - 840)}, layout.txtRingtone,
                  layout.noteView);
    // Near the smallest size the room holds less than two lines: the tone
    // text reaches into the space above the problem list and the buttons
    // rather than cut its second line.
    layout.txtRingtone.Height = std::max(layout.txtRingtone.Height, ToneTextSmallest);
    layout.cmdPlaySound.Top = height - ButtonRowOffset;
    layout.cmdPlaySound.Left = width - 1095;
    layout.cmdSave.Top = height - ButtonRowOffset;
    layout.cmdSave.Left = width - 2130;
    layout.txtMessage.Top = height - ButtonRowOffset;
    // The problem list reaches to the buttons, as at the design size.
    layout.txtMessage.Width = AtLeastZero(layout.cmdSave.Left - ProblemListGap - layout.txtMessage.Left);
    layout.fraClickHelp.Top = height - 615;

    layout.lblMyWeb.Top = clientHeight - FooterOffset;
    layout.lblCopy.Top = clientHeight - FooterOffset;
    return layout;
}

ResizeOutcome OnResize(bool minimized, TwipSize outer, TwipSize client) {
    if (minimized) return {};
    if (const auto snap = MinimumSizeSnap(outer)) return {snap, std::nullopt};
    return {std::nullopt, LayoutForClient(client)};
}

}  // namespace tw
