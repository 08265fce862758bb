#pragma once

#include "ui/modal_form.h"

class QLabel;

namespace tw {

class ClickLabel;
class ToolkitServices;

// The About box: the program's name, version and build, where bugs go, and
// the home site's address, which opens the site when clicked.
class frmInfo final : public ModalForm {
public:
    explicit frmInfo(ToolkitServices& services, QWidget* parent = nullptr);

    // Centres the box on the screen and sets its caption and lblAppName.
    void FormLoad() override;
    void cmdOK_Click();
    void lblMyWeb_Click();

private:
    ToolkitServices& services_;
    QLabel* lblAppName = nullptr;
    ClickLabel* lblMyWeb = nullptr;
};

}  // namespace tw
