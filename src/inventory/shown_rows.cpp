#include "inventory/shown_rows.h"

#include <stdexcept>

#include "inventory/column_text.h"

namespace zobl {

void ShownRows::SetFilterText(std::string_view text) {
  filter_ = RowFilter(locale_, text);
  madeAt_.reset();
  rows_.clear();
}

void ShownRows::Update() const {
  if (!Filtering() || madeAt_ == list_.OrderVersion()) return;
  rows_.clear();
  for (std::size_t i = 0; i < list_.Count(); ++i) {
    const UninstallEntry& row = list_.RowAt(i);
    if (filter_.Matches(row)) rows_.push_back(&row);
  }
  madeAt_ = list_.OrderVersion();
}

std::size_t ShownRows::Count() const {
  Update();
  return Filtering() ? rows_.size() : list_.Count();
}

const UninstallEntry& ShownRows::RowAt(std::size_t index) const {
  if (!Filtering()) return list_.RowAt(index);
  Update();
  if (index >= rows_.size()) throw std::out_of_range("no shown row at index " + std::to_string(index));
  return *rows_[index];
}

std::optional<std::size_t> ShownRows::IndexOf(RowId id) const {
  if (!Filtering()) return list_.IndexOf(id);
  Update();
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i]->id == id) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> ShownRows::SelectedIndex() const {
  const std::optional<std::size_t> selected = list_.SelectedIndex();
  if (!selected || !Filtering()) return selected;
  return IndexOf(list_.RowAt(*selected).id);
}

std::optional<std::size_t> ShownRows::FindNamePrefix(std::string_view prefix, std::size_t start, bool wrap) const {
  const std::string wanted = locale_.UpperCase(prefix);
  const auto begins = [&](const std::string& name) { return locale_.UpperCase(name).starts_with(wanted); };
  const std::size_t count = Count();
  if (start >= count) start = 0;
  for (std::size_t n = 0; n < (wrap ? count : count - start); ++n) {
    const std::size_t i = (start + n) % count;
    if (begins(SortText(RowAt(i), kNameColumn))) return i;
  }
  return std::nullopt;
}

std::string ShownCountText(const ShownRows& shown) {
  if (!shown.Filtering()) return {};
  return std::to_string(shown.Count()) + " of " + std::to_string(shown.TotalCount()) + " programs";
}

}  // namespace zobl
