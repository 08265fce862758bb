// The web menus and the fixed pages of the site, through the window's
// WebMenusCheck.
#include "ui/click_label.h"
#include "ui/frm_converter.h"
#include "ui/text_codec.h"

namespace tw {

void frmConverter::CheckForUpdates(bool silent) { web_.CheckForUpdates(silent); }
void frmConverter::mnuHelpCheckLatest_Click() { web_.CheckForUpdates(false); }
void frmConverter::mnuMoreRingtones_Click(int entry) { web_.OpenEntry(*mnuMoreRingtonesH, entry); }
void frmConverter::mnuMoreLinks_Click(int entry) { web_.OpenEntry(*mnuMoreLinksH, entry); }
void frmConverter::mnuHelpWeb_Click() { web_.OpenPage(""); }
void frmConverter::mnuHelpComposer_Click() { web_.OpenPage("composer.html"); }
// The address the label shows is the address opened.
void frmConverter::lblMyWeb_Click() { services_.OpenWebPage(TextBytes(lblMyWeb->text())); }

}  // namespace tw
