#include "commandline/measuring_progress.h"

#include <algorithm>

#include "platform/console_text.h"

namespace zobl {

void MeasuringProgress::MeasuringRow(const std::string& name) {
  // Rows that join the list during the run are measured too: the count keeps up.
  rows_ = std::max(rows_, done_ + 1);
  // One line, whatever the name holds.
  Replace("Measuring " + std::to_string(done_ + 1) + " of " + std::to_string(rows_) + ": " +
          VisibleOnConsole(name, false));
}

void MeasuringProgress::RunEnded() {
  if (shownLength_ > 0) Replace("");
}

void MeasuringProgress::Replace(std::string line) {
  // The last column stays free: a character there moves some consoles to the next line.
  const std::size_t fits = width_ > 1 ? width_ - 1 : 0;
  std::size_t length = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if ((line[i] & 0xC0) == 0x80) continue;
    if (length++ == fits) {
      line.resize(i);
      --length;
      break;
    }
  }
  if (length < shownLength_) {
    line.append(shownLength_ - length, ' ');
    line.append("\r");
  }
  shownLength_ = length;
  show_("\r" + line);
}

}  // namespace zobl
