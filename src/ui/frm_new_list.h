#pragma once

#include <string>

#include "ui/modal_form.h"

class QGroupBox;
class QLabel;
class QLineEdit;

namespace tw {

class ToolkitServices;

// What the list name is asked for.
enum class ListNameMode {
    New,     // a new list
    Rename,  // a new name for the current list
};

// Asks for a list name: for a new list or for renaming the current one.
class frmNewList final : public ModalForm {
public:
    explicit frmNewList(ToolkitServices& services, QWidget* parent = nullptr);

    ListNameMode Mode() const { return mode_; }
    void SetMode(ListNameMode mode) { mode_ = mode; }
    // For renaming, the current name offered in the box; after "&Ok", the
    // name as typed, spaces included.
    const std::string& EnteredListName() const { return enteredListName_; }
    void SetEnteredListName(std::string name) { enteredListName_ = std::move(name); }

    void FormLoad() override;
    // Accepts a name that is not blank; a blank one leaves the dialog open.
    void cmdOk_Click();
    void cmdCancel_Click();

private:
    ToolkitServices& services_;
    QGroupBox* fra = nullptr;
    QLabel* lblNote = nullptr;
    QLineEdit* txtListName = nullptr;
    ListNameMode mode_ = ListNameMode::New;
    std::string enteredListName_;
};

}  // namespace tw
