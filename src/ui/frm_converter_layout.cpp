// The main window's layout: never smaller than its minimum size, the list
// column and the results area following the window's size, the buttons and
// labels along their bottoms following them.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>

#include "shell/twips.h"
#include "shell/window_layout.h"
#include "ui/click_label.h"
#include "ui/frm_converter.h"
#include "ui/note_view.h"
#include "ui/sorted_controls.h"

namespace tw {
namespace {

void Apply(QWidget* widget, const TwipRect& rect) {
    const PixelRect pixels = PixelsFromTwips(rect);
    widget->setGeometry(pixels.Left, pixels.Top, pixels.Width, pixels.Height);
}

TwipSize TwipsOf(const QSize& size) { return TwipsFromPixels(size.width(), size.height()); }

}  // namespace

void frmConverter::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmConverter::Form_Resize() {
    if (centralWidget() == nullptr) return;
    const ResizeOutcome outcome = OnResize(isMinimized(), placement_.OuterTwips(), TwipsOf(centralWidget()->size()));
    if (outcome.SnapOuterTo) {
        placement_.SetOuterTwips(*outcome.SnapOuterTo);
        return;
    }
    if (outcome.Layout) ApplyLayout(*outcome.Layout);
}

void frmConverter::ApplyLayout(const MainWindowLayout& layout) {
    Apply(fraRingtones, layout.fraRingtones);
    Apply(cboList, layout.cboList);
    Apply(lstRingtones, layout.lstRingtones);
    Apply(cmdExport, layout.cmdExport);
    Apply(cmdDelete, layout.cmdDelete);
    Apply(lblHelpRingtoneList, layout.lblHelpRingtoneList);
    Apply(fraSource, layout.fraSource);
    Apply(fraFrom, layout.fraFrom);
    Apply(fraDisplayAs, layout.fraDisplayAs);
    Apply(fraResults, layout.fraResults);
    Apply(lblBack, layout.lblBack);
    Apply(txtName, layout.txtName);
    Apply(txtTempo, layout.txtTempo);
    Apply(lblNoteCount, layout.lblNoteCount);
    Apply(txtRingtone, layout.txtRingtone);
    Apply(noteView, layout.noteView);
    noteView->setVisible(layout.noteView.Height > 0);
    Apply(txtMessage, layout.txtMessage);
    Apply(cmdSave, layout.cmdSave);
    Apply(cmdPlaySound, layout.cmdPlaySound);
    Apply(fraClickHelp, layout.fraClickHelp);
    Apply(lblMyWeb, layout.lblMyWeb);
    Apply(lblCopy, layout.lblCopy);
    // The banner and its boxes keep their place.
}

}  // namespace tw
