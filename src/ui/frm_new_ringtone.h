#pragma once

#include <string>

#include "ui/modal_form.h"

class QPlainTextEdit;
class QPushButton;

namespace tw {

class ToolkitServices;

// "Get a Ringtone": the box into which the user pastes a ringtone's text.
class frmNewRingTone final : public ModalForm {
public:
    explicit frmNewRingTone(ToolkitServices& services, QWidget* parent = nullptr);

    // The text confirmed with "&Ok", unchanged.
    const std::string& SourceText() const { return sourceText_; }

    void FormLoad() override;
    void cmdPaste_Click();
    void cmdOk_Click();
    void cmdCancel_Click();

private:
    ToolkitServices& services_;
    QPlainTextEdit* txtSource = nullptr;
    std::string sourceText_;
};

}  // namespace tw
