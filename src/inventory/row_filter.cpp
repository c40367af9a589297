#include "inventory/row_filter.h"

namespace zobl {

RowFilter::RowFilter(const Locale& locale, std::string_view text) : locale_(&locale), wanted_(locale.UpperCase(text)) {}

bool RowFilter::Matches(const UninstallEntry& row) const {
  if (Empty()) return true;
  return Holds(row.name) || Holds(row.keyName) || Holds(row.command) || Holds(row.directory) || Holds(row.publisher);
}

// Each field on its own: the text never matches across the border of two.
bool RowFilter::Holds(const std::string& field) const {
  locale_->AssignUpperCase(folded_, field);
  return folded_.find(wanted_) != std::string::npos;
}

}  // namespace zobl
