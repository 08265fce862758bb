#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw {

// A list that the list members fill: ringtone names or list names, added one
// at a time. The list decides in which order it shows them, as the window's
// list boxes keep their entries sorted.
class ListBox {
public:
    virtual ~ListBox() = default;
    virtual void Clear() = 0;
    virtual void AddItem(std::string item) = 0;
};

// The order of the window's sorted lists: ASCII letters without regard to
// case, then byte order so that the order is total.
bool ListEntryLess(std::string_view a, std::string_view b);

// A ListBox kept in memory, sorted as the window's lists are.
class SortedNameList final : public ListBox {
public:
    void Clear() override;
    void AddItem(std::string item) override;
    // The entries in sorted order.
    const std::vector<std::string>& Items() const;

private:
    mutable std::vector<std::string> items_;
    mutable bool sorted_ = true;
};

}  // namespace tw
