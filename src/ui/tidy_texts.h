#pragma once

#include <optional>
#include <string>
#include <vector>

#include "inventory/shown_rows.h"
#include "platform/registry.h"
#include "ui/tidy_queue.h"

namespace zobl {

inline constexpr char kTidyCommandText[] = "Tidy Several Programs...";
inline constexpr char kQuietChoiceText[] = "Quietly, where the program offers it";
inline constexpr char kNotMeasuredText[] = "not measured";

// A program as the tidy window lists it, for ticking.
struct TidyCandidate {
  RowId id = kNoRow;
  std::string name;
  std::string sizeText;  // as measured, or "not measured"
  bool gone = false;     // its command leads nowhere: a red row
  std::optional<std::string> quietCommand;
};

// Every row the main list shows, in its order, with what each offers.
[[nodiscard]] std::vector<TidyCandidate> TidyCandidates(const ShownRows& shown, TidyQueue& queue);
// What the queue needs of `row`.
[[nodiscard]] TidyProgram TidyProgramOf(const UninstallEntry& row, const std::optional<std::string>& quietCommand);

// The questions before a run, naming the first ten programs and then "and N more".
[[nodiscard]] std::string TidyUninstallQuestion(const std::vector<std::string>& names, bool quietly);
[[nodiscard]] std::string TidyRemoveQuestion(const std::vector<std::string>& names);

// The summary's columns for one result: the outcome, the folder left behind, its size.
[[nodiscard]] std::string TidyOutcomeText(const TidyResult& result);
[[nodiscard]] std::string LeftBehindText(const TidyResult& result);
[[nodiscard]] std::string LeftBehindSizeText(const TidyResult& result);
// The summary as tab-separated lines, one per program, for the clipboard.
[[nodiscard]] std::string TidySummaryCopyText(const std::vector<TidyResult>& results);

}  // namespace zobl
