#include "ui/sorted_controls.h"

#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QTimer>

#include <utility>

#include "ui/text_codec.h"

namespace tw {

void SortedBox::Clear() {
    entries_.Clear();
    Sync();
}

void SortedBox::AddItem(std::string item) {
    entries_.Add(std::move(item));
    ScheduleSync();
}

int SortedBox::ListCount() {
    Sync();
    return entries_.Count();
}

const std::string& SortedBox::List(int index) {
    Sync();
    return entries_.At(index);
}

const std::vector<std::string>& SortedBox::Items() {
    Sync();
    return entries_.Items();
}

int SortedBox::NewIndex() {
    Sync();
    return entries_.NewIndex();
}

int SortedBox::ListIndex() {
    Sync();
    return entries_.Selected();
}

void SortedBox::SetListIndex(int index) {
    Sync();
    entries_.SetSelected(index);
    {
        QScopedValueRollback guard(fromCode_, true);
        ShowSelected(entries_.Selected());
    }
    if (entries_.Selected() >= 0) RunClick();
}

bool SortedBox::SelectText(std::string_view text, bool runClick) {
    Sync();
    const int index = entries_.Find(text);
    if (index < 0) return false;
    if (runClick) {
        SetListIndex(index);
    } else {
        entries_.SetSelected(index);
        QScopedValueRollback guard(fromCode_, true);
        ShowSelected(entries_.Selected());
    }
    return true;
}

void SortedBox::RemoveItem(int index) {
    entries_.Remove(index);
    Sync();
}

int SortedBox::SetItemText(int index, std::string text) {
    Sync();
    if (index < 0 || index >= entries_.Count()) return -1;
    const bool selected = entries_.Selected() == index;
    entries_.Remove(index);
    entries_.Add(std::move(text));
    const int moved = entries_.NewIndex();
    if (selected) entries_.SetSelected(moved);
    Sync();
    return moved;
}

void SortedBox::Sync() {
    if (!entries_.TakeChanged()) return;
    QScopedValueRollback guard(fromCode_, true);
    Refill(entries_.Items(), entries_.Selected());
}

void SortedBox::UserSelected(int index) {
    if (fromCode_) return;
    Sync();
    entries_.SetSelected(index);
    {
        QScopedValueRollback guard(fromCode_, true);
        ShowSelected(entries_.Selected());
    }
    if (entries_.Selected() >= 0) RunClick();
}

void SortedBox::RunClick() {
    if (click_) click_();
}

namespace {

QStringList Shown(const std::vector<std::string>& items) {
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& item : items) shown << ShownText(item);
    return shown;
}

}  // namespace

SortedListBox::SortedListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = selectedItems();
        UserSelected(selected.isEmpty() ? -1 : row(selected.front()));
    });
}

// A press beside the rows keeps the selection, as a list box does.
void SortedListBox::mousePressEvent(QMouseEvent* event) {
    if (!indexAt(event->position().toPoint()).isValid()) {
        event->accept();
        return;
    }
    QListWidget::mousePressEvent(event);
}

void SortedListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    if (dblClick_) dblClick_();
}

void SortedListBox::Refill(const std::vector<std::string>& items, int selected) {
    syncScheduled_ = false;
    clear();
    addItems(Shown(items));
    ShowSelected(selected);
}

void SortedListBox::ShowSelected(int index) {
    if (index < 0) {
        clearSelection();
        setCurrentRow(-1);
        return;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(index));
}

void SortedListBox::ScheduleSync() {
    if (std::exchange(syncScheduled_, true)) return;
    QTimer::singleShot(0, this, [this] { Sync(); });
}

SortedComboBox::SortedComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::activated, this, [this](int index) { UserSelected(index); });
}

void SortedComboBox::Refill(const std::vector<std::string>& items, int selected) {
    syncScheduled_ = false;
    clear();
    addItems(Shown(items));
    ShowSelected(selected);
}

void SortedComboBox::ShowSelected(int index) { setCurrentIndex(index); }

void SortedComboBox::ScheduleSync() {
    if (std::exchange(syncScheduled_, true)) return;
    QTimer::singleShot(0, this, [this] { Sync(); });
}

}  // namespace tw
