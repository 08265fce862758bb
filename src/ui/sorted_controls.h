#pragma once

#include <QComboBox>
#include <QListWidget>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "lists/list_box.h"
#include "ui/sorted_entries.h"

// The list and combo boxes of the windows. They keep their entries sorted
// without regard to case, hold each entry's bytes as given (and show them
// decoded), and run their Click handler when the user selects an entry and
// when code selects one, also when that entry was selected already.
namespace tw {

class SortedBox : public ListBox {
public:
    void Clear() override;
    void AddItem(std::string item) override;

    int ListCount();
    // The bytes of entry `index`.
    const std::string& List(int index);
    const std::vector<std::string>& Items();
    // The sorted position of the entry added last.
    int NewIndex();
    // The selected entry, or -1.
    int ListIndex();
    // Selects entry `index` and runs the Click handler before returning; -1
    // clears the selection and runs nothing.
    void SetListIndex(int index);
    // Selects the first entry equal to `text` byte for byte, as
    // SetListIndex does (without the Click handler unless `runClick`).
    // False, and nothing run, when there is none.
    bool SelectText(std::string_view text, bool runClick = true);
    void RemoveItem(int index);
    // Gives entry `index` a new text: it moves to its sorted place and keeps
    // its selection; no handler runs. Returns its new position.
    int SetItemText(int index, std::string text);

    void OnClick(std::function<void()> handler) { click_ = std::move(handler); }

protected:
    ~SortedBox() override = default;

    // Brings the widget in line with the entries.
    void Sync();
    // Called by the widget when the user has selected entry `index`.
    void UserSelected(int index);

    virtual void Refill(const std::vector<std::string>& items, int selected) = 0;
    virtual void ShowSelected(int index) = 0;
    virtual void ScheduleSync() = 0;

private:
    void RunClick();

    SortedEntries entries_;
    std::function<void()> click_;
    bool fromCode_ = false;
};

class SortedListBox final : public QListWidget, public SortedBox {
public:
    explicit SortedListBox(QWidget* parent = nullptr);
    void OnDblClick(std::function<void()> handler) { dblClick_ = std::move(handler); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void Refill(const std::vector<std::string>& items, int selected) override;
    void ShowSelected(int index) override;
    void ScheduleSync() override;

private:
    std::function<void()> dblClick_;
    bool syncScheduled_ = false;
};

// A choose-only combo box.
class SortedComboBox final : public QComboBox, public SortedBox {
public:
    explicit SortedComboBox(QWidget* parent = nullptr);

protected:
    void Refill(const std::vector<std::string>& items, int selected) override;
    void ShowSelected(int index) override;
    void ScheduleSync() override;

private:
    bool syncScheduled_ = false;
};

}  // namespace tw
