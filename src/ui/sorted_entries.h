#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// The entries of a sorted list or combo box, kept in the order of the lists
// (ListEntryLess: ASCII letters without regard to case), with the selected
// entry and the position of the entry added last. Entries added one after
// another are gathered and merged in on the next look, so that filling a box
// with n entries costs n log n, not n squared.
class SortedEntries {
public:
    void Clear();
    void Add(std::string entry);
    // Removes the entry at `index`; the selection moves with the entries.
    void Remove(int index);

    int Count() const;
    const std::string& At(int index) const;
    const std::vector<std::string>& Items() const;
    // The sorted position of the entry added last; -1 when there is none.
    int NewIndex() const;
    // The selected entry, or -1.
    int Selected() const;
    void SetSelected(int index);
    // The first entry equal to `text` byte for byte, or -1.
    int Find(std::string_view text) const;

    // True when entries were merged in since the last call, so a widget
    // showing them must be refilled.
    bool TakeChanged();

private:
    void Merge() const;

    mutable std::vector<std::string> items_;
    mutable std::vector<std::string> pending_;
    mutable int selected_ = -1;
    mutable int newIndex_ = -1;
    mutable bool changed_ = false;
};

}  // namespace tw
