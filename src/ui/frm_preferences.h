#pragma once

#include "ui/modal_form.h"

class QComboBox;

namespace tw {

class CNotes;
class SettingsStore;
class ToolkitServices;

// "Ringtone Note Separators": the separator written between the notes of
// every notation, chosen from three. OK sets it on the current ringtone and
// saves it as the OutputSep setting; Cancel changes nothing.
class frmPreferences final : public ModalForm {
public:
    frmPreferences(ToolkitServices& services, CNotes& ringtone, SettingsStore& settings, QWidget* parent = nullptr);

    void FormLoad() override;
    void cmdOk_Click();
    void cmdCancel_Click();

private:
    ToolkitServices& services_;
    CNotes& ringtone_;
    SettingsStore& settings_;
    QComboBox* cboSep = nullptr;
};

}  // namespace tw
