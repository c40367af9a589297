#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "diskusage/compute_sizes_run.h"

namespace zobl {

// How far a measuring run from a console has come, on one line that each step writes
// over: "Measuring 12 of 240: Acme Notes", then nothing once the run has ended. Each
// text is handed to `show`, which writes it as it is (it begins with a carriage return).
// A line is cut to fit the console's `width`: a line that wrapped could not be written over.
class MeasuringProgress final : public ComputeSizesObserver {
 public:
  using Show = std::function<void(std::string_view)>;
  MeasuringProgress(Show show, std::size_t width) : show_(std::move(show)), width_(width) {}

  void RunBegun(std::size_t rows) override { rows_ = rows; }
  void MeasuringRow(const std::string& name) override;
  void RowMeasured() override { ++done_; }
  void RunEnded() override;

 private:
  // The line in place of the last one, blanks covering what it leaves of that one.
  void Replace(std::string line);

  Show show_;
  std::size_t width_;
  std::size_t rows_ = 0;
  std::size_t done_ = 0;
  std::size_t shownLength_ = 0;  // in characters
};

}  // namespace zobl
