// "Export &List": the list export dialog, and the ringtone shown before it
// loaded again afterwards.
#include "engine/engine_error.h"
#include "ui/frm_converter.h"
#include "ui/frm_export.h"
#include "lists/list_error.h"
#include "ui/sorted_controls.h"

namespace tw {

void frmConverter::cmdExport_Click() {
    frmExport form(services_, list_, this);
    dialogAccepted_ = services_.ShowModal(form);
    ReloadShownRow();
    SetState();
}

void frmConverter::mnuRingtoneExport_Click() { cmdExport_Click(); }

// The name and tempo fields edit the current ringtone; after work that went
// through the list it holds the shown row's entry again, as stored.
void frmConverter::ReloadShownRow() {
    if (!EditsApply()) return;
    try {
        shownStored_ = list_.LoadFromFile(shownRow_);
        if (!shownStored_) ringtone_.SetName(shownRow_);
    } catch (const EngineError&) {
        ringtone_.Clear();
        ringtone_.SetName(shownRow_);
    } catch (const ListError&) {
        // The list cannot be read now; the ringtone stays as it was shown.
    }
}

}  // namespace tw
