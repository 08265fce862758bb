#pragma once

#include <QDialog>

#include <string>

class QCloseEvent;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace tw {

class ToolkitServices;

// "Please Wait...": the window shown, not modal, while the program works
// through a long job, saying what it is doing and how far it has got. The
// user cannot close it; the program does with Unload.
class frmBusy final : public QDialog {
public:
    explicit frmBusy(ToolkitServices& services, QWidget* parent = nullptr);

    // Centres the window on the screen; nothing else.
    void Form_Load();
    // The text of lblMessage, bytes as the engine holds them.
    void SetMessage(const std::string& text);
    // The progress bar: `done` of `total`.
    void SetProgress(int done, int total);
    void Unload();
    // Shows the Cancel button, for work that can stop and leave everything
    // as it was; Cancelled tells whether it was pressed.
    void ShowCancel();
    bool Cancelled() const { return cancelled_; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ToolkitServices& services_;
    QGroupBox* Frame1 = nullptr;
    QLabel* lblMessage = nullptr;
    QProgressBar* prgProgress = nullptr;
    QPushButton* cmdCancel = nullptr;
    bool unloading_ = false;
    bool cancelled_ = false;
};

}  // namespace tw
