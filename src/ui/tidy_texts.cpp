#include "ui/tidy_texts.h"

#include "inventory/column_text.h"
#include "inventory/size_text.h"
#include "inventory/spreadsheet_text.h"

namespace zobl {
namespace {

constexpr std::size_t kNamesShown = 10;

std::string NamesList(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i) text += "    " + names[i] + "\n";
  if (names.size() > kNamesShown) text += "and " + std::to_string(names.size() - kNamesShown) + " more\n";
  return text;
}

std::string These(std::size_t count) { return count == 1 ? "this program" : "these " + std::to_string(count) + " programs"; }

}  // namespace

std::vector<TidyCandidate> TidyCandidates(const ShownRows& shown, TidyQueue& queue) {
  std::vector<TidyCandidate> candidates;
  candidates.reserve(shown.Count());
  for (std::size_t i = 0; i < shown.Count(); ++i) {
    const UninstallEntry& row = shown.RowAt(i);
    candidates.push_back({row.id, ColumnText(row, kNameColumn),
                          row.size == SizeState::NotYetComputed ? kNotMeasuredText : ColumnText(row, kSizeColumn),
                          row.statusImage == kStatusWarning, queue.QuietCommand(row.source, row.keyName)});
  }
  return candidates;
}

TidyProgram TidyProgramOf(const UninstallEntry& row, const std::optional<std::string>& quietCommand) {
  return {row.source, row.keyName, ColumnText(row, kNameColumn), row.CommandAsStarted(), quietCommand, row.directory};
}

std::string TidyUninstallQuestion(const std::vector<std::string>& names, bool quietly) {
  return "Do you really want to uninstall " + These(names.size()) + (names.size() == 1 ? "" : ", one after another") +
         (quietly ? ", quietly where offered" : "") + " ?\n\n" + NamesList(names) +
         "\nThey will be removed from your hard disk.\n\nClick on Yes to uninstall them, or on No to cancel.";
}

std::string TidyRemoveQuestion(const std::vector<std::string>& names) {
  return "Do you really want to remove the uninstall descriptor of " + These(names.size()) + " ?\n\n" +
         NamesList(names) +
         "\nEach is saved to ZOBL-removed.reg first; their files stay.\n\n"
         "Click on Yes to remove the descriptors, or on No to cancel.";
}

std::string TidyOutcomeText(const TidyResult& result) {
  switch (result.outcome) {
    case TidyOutcome::Removed: return result.leftBehind ? "removed, left behind" : "removed";
    case TidyOutcome::StillListed:
      if (result.exitCode) return "still listed (exit code " + std::to_string(*result.exitCode) + ")";
      return result.reason.empty() ? "still listed" : "still listed: " + result.reason;
    case TidyOutcome::NotStarted: return "not started: " + result.reason;
    case TidyOutcome::Stopped: return "stopped (not run)";
  }
  return {};
}

std::string LeftBehindText(const TidyResult& result) { return result.leftBehind.value_or(""); }

std::string LeftBehindSizeText(const TidyResult& result) {
  if (!result.leftBehind) return {};
  // The size column's text says nothing for half a kilobyte or less: here a byte count does.
  const std::string text = SizeText(result.leftBehindBytes);
  return text.empty() ? std::to_string(result.leftBehindBytes) + " bytes" : text;
}

std::string TidySummaryCopyText(const std::vector<TidyResult>& results) {
  std::string text;
  for (const TidyResult& result : results) {
    text += SpreadsheetText(result.name) + '\t' + SpreadsheetText(TidyOutcomeText(result)) + '\t' +
            SpreadsheetText(LeftBehindText(result)) + '\t' + SpreadsheetText(LeftBehindSizeText(result)) + "\r\n";
  }
  return text;
}

}  // namespace zobl
