// "Export &List": the list export dialog, and the ringtone shown before it
// loaded again afterwards.
#include "ui/frm_converter.h"
#include "ui/frm_export.h"

namespace tw {

void frmConverter::cmdExport_Click() {
    frmExport form(services_, session_, this);
    dialogAccepted_ = services_.ShowModal(form);
    ReloadShownRow();
    SetState();
}

void frmConverter::mnuRingtoneExport_Click() { cmdExport_Click(); }

// The name and tempo fields edit the current ringtone; after work that went
// through the list it holds the shown row's entry again, as stored.
void frmConverter::ReloadShownRow() {
    if (EditsApply()) session_.ReloadShown();
}

}  // namespace tw
