#include "reports/pie_series.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace zobl {

void PieSeries::Add(double value, std::string label, Rgb colour) {
  slices_.push_back({value, std::move(label), colour});
}

void PieSeries::Sort() {
  if (order_ != ValueOrder::Ascending) return;
  std::stable_sort(slices_.begin(), slices_.end(),
                   [](const PieSlice& a, const PieSlice& b) { return a.value < b.value; });
}

void PieSeries::DeleteAt(std::size_t k) {
  if (k >= slices_.size()) throw std::out_of_range("no slice to delete at index " + std::to_string(k));
  slices_.erase(slices_.begin() + static_cast<std::ptrdiff_t>(k));
}

double PieSeries::Total() const {
  double total = 0;
  for (const PieSlice& slice : slices_) total += slice.value;
  return total;
}

}  // namespace zobl
