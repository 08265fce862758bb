#include "ui/sorted_entries.h"

#include <algorithm>
#include <utility>

#include "lists/list_box.h"

namespace tw {

void SortedEntries::Clear() {
    items_.clear();
    pending_.clear();
    selected_ = -1;
    newIndex_ = -1;
    changed_ = true;
}

void SortedEntries::Add(std::string entry) { pending_.push_back(std::move(entry)); }

// Equal entries keep the order in which they came: earlier ones first.
void SortedEntries::Merge() const {
    if (pending_.empty()) return;
    struct Entry {
        std::string text;
        bool selected = false;
        bool last = false;
    };
    std::vector<Entry> added;
    added.reserve(pending_.size());
    for (std::string& text : pending_) added.push_back({std::move(text), false, false});
    added.back().last = true;
    pending_.clear();
    std::stable_sort(added.begin(), added.end(),
                     [](const Entry& a, const Entry& b) { return ListEntryLess(a.text, b.text); });

    std::vector<Entry> merged;
    merged.reserve(items_.size() + added.size());
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < items_.size() || j < added.size()) {
        if (j == added.size() || (i < items_.size() && !ListEntryLess(added[j].text, items_[i]))) {
            merged.push_back({std::move(items_[i]), static_cast<int>(i) == selected_, false});
            ++i;
        } else {
            merged.push_back(std::move(added[j++]));
        }
    }
    items_.clear();
    selected_ = -1;
    for (std::size_t k = 0; k < merged.size(); ++k) {
        if (merged[k].selected) selected_ = static_cast<int>(k);
        if (merged[k].last) newIndex_ = static_cast<int>(k);
        items_.push_back(std::move(merged[k].text));
    }
    changed_ = true;
}

void SortedEntries::Remove(int index) {
    Merge();
    if (index < 0 || index >= Count()) return;
    items_.erase(items_.begin() + index);
    if (selected_ == index) selected_ = -1;
    else if (selected_ > index) --selected_;
    if (newIndex_ == index) newIndex_ = -1;
    else if (newIndex_ > index) --newIndex_;
    changed_ = true;
}

int SortedEntries::Count() const {
    Merge();
    return static_cast<int>(items_.size());
}

const std::string& SortedEntries::At(int index) const {
    Merge();
    return items_.at(static_cast<std::size_t>(index));
}

const std::vector<std::string>& SortedEntries::Items() const {
    Merge();
    return items_;
}

int SortedEntries::NewIndex() const {
    Merge();
    return newIndex_;
}

int SortedEntries::Selected() const {
    Merge();
    return selected_;
}

void SortedEntries::SetSelected(int index) {
    Merge();
    selected_ = index >= 0 && index < Count() ? index : -1;
}

int SortedEntries::Find(std::string_view text) const {
    Merge();
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i] == text) return static_cast<int>(i);
    return -1;
}

bool SortedEntries::TakeChanged() {
    Merge();
    return std::exchange(changed_, false);
}

}  // namespace tw
