#pragma once

#include <QStringList>

#include <string_view>

namespace tw {

// Turns a filter list of description and pattern pairs, all separated by
// "|" ("All Files (*.*)|*.*|Composer Files (*.321)|*.321"), into Qt name
// filters, one per pair: the description, then the patterns in brackets,
// where Qt reads them. "*.*" becomes "*", so that files without an
// extension show under "All Files (*.*)"; a dialog that hides the filter
// details shows each description as written. A description without a
// pattern matches everything.
QStringList QtNameFilters(std::string_view filterList);

}  // namespace tw
