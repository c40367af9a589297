#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zobl {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct PieSlice {
  double value = 0;  // kilobytes of 1,024 bytes
  std::string label;
  Rgb colour;
};

enum class ValueOrder { None, Ascending };

// PieSlices: the pie's slices, which the chart draws. The chart hears of a new content
// through the repaint callback; the series itself knows nothing of windows.
class PieSeries {
 public:
  void Clear() { slices_.clear(); }
  void SetValueOrder(ValueOrder order) { order_ = order; }
  void Add(double value, std::string label, Rgb colour);
  // In the value order: ascending, slices of equal value keeping their order; None
  // leaves the slices as they were added.
  void Sort();
  [[nodiscard]] std::size_t Count() const { return slices_.size(); }
  [[nodiscard]] double ValueAt(std::size_t k) const { return slices_.at(k).value; }
  void DeleteAt(std::size_t k);
  [[nodiscard]] double Total() const;
  void SetColour(std::size_t k, Rgb colour) { slices_.at(k).colour = colour; }
  [[nodiscard]] const std::vector<PieSlice>& Slices() const { return slices_; }

  void SetRepaint(std::function<void()> repaint) { repaint_ = std::move(repaint); }
  void Repaint() const {
    if (repaint_) repaint_();
  }

 private:
  std::vector<PieSlice> slices_;
  ValueOrder order_ = ValueOrder::None;
  std::function<void()> repaint_;
};

}  // namespace zobl
