#include "lists/list_box.h"

#include <algorithm>

#include "engine/text_rules.h"

namespace tw {

bool ListEntryLess(std::string_view a, std::string_view b) {
    const auto lower = [](char x, char y) {
        return static_cast<unsigned char>(LowerAscii(x)) < static_cast<unsigned char>(LowerAscii(y));
    };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), lower)) return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), lower)) return false;
    return a < b;
}

void SortedNameList::Clear() {
    items_.clear();
    sorted_ = true;
}

void SortedNameList::AddItem(std::string item) {
    items_.push_back(std::move(item));
    sorted_ = false;
}

// Sorting once when the entries are asked for keeps filling a long list linear
// in the number of additions instead of quadratic.
const std::vector<std::string>& SortedNameList::Items() const {
    if (!sorted_) {
        std::stable_sort(items_.begin(), items_.end(), ListEntryLess);
        sorted_ = true;
    }
    return items_;
}

}  // namespace tw
