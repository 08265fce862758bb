#pragma once

#include <optional>

#include "shell/twips.h"

// The main window's layout in twips: where every control sits at the design
// size, the smallest size the window may have, and how the list column and
// the results area follow the window when it is resized. The window converts
// the rectangles to pixels (twips.h) and applies them.
namespace tw {

// The window's outer size as designed, and its client area at that size.
inline constexpr TwipSize DesignOuterSize{10155, 6840};
inline constexpr TwipSize DesignClientSize{10035, 6120};
// The window is never smaller than this, outside measure.
inline constexpr TwipSize MinimumOuterSize{10155, 4965};

// The places of the main window's controls. Frames are relative to the
// window's client area; controls inside a frame are relative to that frame.
struct MainWindowLayout {
    // the list column, inside fraRingtones
    TwipRect fraRingtones;
    TwipRect cboList;
    TwipRect lstRingtones;
    TwipRect cmdExport;
    TwipRect cmdDelete;
    TwipRect lblHelpRingtoneList;
    // the three option frames along the top
    TwipRect fraSource;
    TwipRect fraFrom;
    TwipRect fraDisplayAs;
    // the results area, inside fraResults
    TwipRect fraResults;
    TwipRect lblBack;
    TwipRect txtName;
    TwipRect txtTempo;
    TwipRect lblNoteCount;
    TwipRect txtRingtone;
    TwipRect noteView;  // under the tone text; no height where there is no room
    TwipRect txtMessage;
    TwipRect cmdSave;
    TwipRect cmdPlaySound;
    TwipRect fraClickHelp;
    // on the window itself
    TwipRect lblBegin;  // the start-up banner with lblBeginBox(0..2)
    TwipRect lblMyWeb;
    TwipRect lblCopy;

    bool operator==(const MainWindowLayout&) const = default;
};

// The tone text's place, given the whole room of the tone text and the note
// view: the tone text a quarter of it (three lines at least) on top, the
// note view the rest below; when too little is left for the view, the text
// takes it all and the view has no height.
void ShareToneArea(const TwipRect& area, TwipRect& toneText, TwipRect& noteView);

// Every control at its design place (client area 10035 x 6120).
MainWindowLayout DesignLayout();

// The outer size the window must be given because it is below the minimum
// in width or height (each raised to the minimum on its own); nothing when
// it is large enough.
std::optional<TwipSize> MinimumSizeSnap(TwipSize outer);

// The layout for a client area of `client`: the list column and the results
// area fill the window, and the buttons and labels along their bottoms
// follow; everything else keeps its design place. A size that would come out
// negative in a very small window is held at 0.
MainWindowLayout LayoutForClient(TwipSize client);

// What the resize handler does.
struct ResizeOutcome {
    // Give the window this outer size; the resize that follows lays it out.
    std::optional<TwipSize> SnapOuterTo;
    // Apply this layout.
    std::optional<MainWindowLayout> Layout;
};

// The whole resize handler: nothing for a minimized window; the snap when
// the window is below the minimum; otherwise the layout for its client area.
ResizeOutcome OnResize(bool minimized, TwipSize outer, TwipSize client);

}  // namespace tw
