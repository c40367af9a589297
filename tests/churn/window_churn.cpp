#include "window_churn.h"

#include <commctrl.h>

#include <fstream>
#include <iterator>
#include <utility>

#include "churn_keys.h"
#include "gui_support.h"
#include "inventory/descriptor_backup.h"
#include "ui/failure_text.h"
#include "ui/list_commands.h"

namespace zobl::churn {
namespace {

constexpr int kListTimeoutMilliseconds = 15000;
constexpr int kUninstallerTimeoutMilliseconds = 30000;
constexpr int kSettleTimeoutMilliseconds = 15000;
constexpr WindowPage kTabs[] = {WindowPage::List, WindowPage::Pie, WindowPage::Options, WindowPage::About};
// A question's text up to the program's name, as the list commands word it.
std::string QuestionBefore(const std::string& question) { return question.substr(0, question.find('"')); }
const std::string kUninstallQuestion = QuestionBefore(ConfirmUninstallText(""));
const std::string kRemoveQuestion = QuestionBefore(ConfirmRemoveText(""));
const std::string kRemoveFailed = QuestionBefore(RemoveFailedText("", ""));

POINT Centre(const RECT& box) { return {(box.left + box.right) / 2, (box.top + box.bottom) / 2}; }

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The churner's own descriptors, not the planted ones.
bool IsChurnerKey(const std::string& keyName) {
  for (const char* tag : {"64-", "32-", "U-"}) {
    if (keyName.rfind(std::string(kChurnPrefix) + tag, 0) == 0) return true;
  }
  return false;
}

}  // namespace

WindowChurn::WindowChurn(MainWindow& mainWindow,
                         const PlantedPrograms& planted,
                         testing::MessageBoxAnswerer& answers,
                         std::string paperPath)
    : mainWindow_(mainWindow), planted_(planted), answers_(answers), paperPath_(std::move(paperPath)) {}

// Counts the refresh timer's ticks on the way.
bool WindowChurn::PumpUntil(const std::function<bool()>& done, int timeoutMilliseconds) {
  return testing::PumpUntil(done, timeoutMilliseconds, [this](MSG& message) {
    if (message.message == WM_TIMER && message.hwnd == nullptr && message.wParam == mainWindow_.RefreshTimerId()) {
      ++figures_.timerTicks;
    }
    return false;
  });
}

void WindowChurn::Expect(const Problems& found, const std::string& when) {
  for (const std::string& problem : found) failures_.push_back(when + ": " + problem);
}

// The window's boxes shown since the last look (they bear its title): `count` of them,
// each asking `question`, and one beginning with `lastBox` after them when that is given
// and shown. Returns how many other dialogs (the print dialog) showed.
int WindowChurn::ExpectBoxes(std::size_t count, const char* question, const std::string& when, const char* lastBox) {
  std::vector<std::string> texts;
  int others = 0;
  for (const testing::SeenBox& box : answers_.TakeSeen()) {
    if (box.caption == kApplicationTitle) {
      texts.push_back(box.text);
    } else {
      ++others;
    }
  }
  Problems found;
  if (lastBox != nullptr && texts.size() == count + 1 && texts.back().rfind(lastBox, 0) == 0) texts.pop_back();
  if (texts.size() != count)
    found.push_back(std::to_string(texts.size()) + " boxes, " + std::to_string(count) + " expected");
  for (const std::string& text : texts) {
    if (question == nullptr || text.rfind(question, 0) != 0) found.push_back("box \"" + text + "\"");
  }
  Expect(found, when);
  return others;
}

void WindowChurn::Tick() {
  mainWindow_.RefreshTick();
  ++figures_.calledTicks;
  // A walk by index passes over a descriptor when one before it goes meanwhile; that
  // change makes the next tick's refresh due, which lists it. A listed row goes only
  // with its key, so a stable descriptor once listed stays listed.
  const std::vector<StableDescriptor>& stable = planted_.Stable();
  stableListed_.resize(stable.size());
  std::vector<StableDescriptor> listedBefore;
  for (std::size_t i = 0; i < stable.size(); ++i) {
    if (stableListed_[i]) listedBefore.push_back(stable[i]);
  }
  Expect(StableRowsListed(mainWindow_.Inventory(), listedBefore), "after a refresh");
  for (std::size_t i = 0; i < stable.size(); ++i) {
    stableListed_[i] = FindRow(mainWindow_.Inventory(), stable[i].source, stable[i].keyName) != nullptr;
    if (!stableListed_[i]) ++figures_.stableLate;
  }
  Expect(NoKeyListedTwice(mainWindow_.Inventory()), "after a refresh");
  Expect(ViewShowsList(mainWindow_.Control(kInventoryListView), mainWindow_.Inventory(), figures_.rowsChecked), "after a refresh");
}

void WindowChurn::SelectRow(RowId id) {
  const auto index = mainWindow_.Inventory().IndexOf(id);
  if (!index) return;
  ListView_SetItemState(mainWindow_.Control(kInventoryListView), static_cast<int>(*index), LVIS_SELECTED | LVIS_FOCUSED,
                        LVIS_SELECTED | LVIS_FOCUSED);
  if (mainWindow_.Inventory().SelectedIndex() != index) failures_.push_back("a click on a row does not select it");
}

void WindowChurn::ClickTab(int tab) {
  const HWND tabs = mainWindow_.Control(kPageControl);
  RECT box;
  TabCtrl_GetItemRect(tabs, tab, &box);
  testing::ClickAt(tabs, Centre(box));
}

void WindowChurn::AwaitChurnRows() {
  const InventoryList& list = mainWindow_.Inventory();
  const bool shown = PumpUntil(
      [&] {
        for (std::size_t i = 0; i < list.Count(); ++i) {
          if (IsChurnerKey(list.RowAt(i).keyName)) return true;
        }
        return false;
      },
      kListTimeoutMilliseconds);
  if (!shown) failures_.push_back("no descriptor of the churner was ever listed");
}

void WindowChurn::Round(int number) {
  ComputeRun();
  Tick();
  SortEveryWay();
  Tick();
  SwitchTabs();
  Print(number);
  Uninstall(number);
  RemoveLines(number);
  Tick();
}

// The click returns when the run is over; refreshes ran inside it, between its scans.
void WindowChurn::ComputeRun() {
  const HWND button = mainWindow_.Control(kComputeSizesButton);
  SendMessageA(button, BM_CLICK, 0, 0);
  ++figures_.computeRuns;
  if (!IsWindowVisible(button) || !IsWindowEnabled(button) || IsWindowVisible(mainWindow_.Control(kComputeProgressBar))) {
    failures_.push_back("after a compute run: the button is not back");
  }
  Expect(MeasuredSizesMatch(mainWindow_.Inventory(), planted_.Trees()), "after a compute run");
  ExpectBoxes(0, nullptr, "during a compute run");
}

void WindowChurn::SortEveryWay() {
  ClickTab(0);
  const HWND header = ListView_GetHeader(mainWindow_.Control(kInventoryListView));
  const HWND combo = mainWindow_.Control(kSortByCombo);
  for (int column = 0; column < kColumnCount; ++column) {
    RECT box;
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&box));
    testing::ClickAt(header, Centre(box));
    ++figures_.sorts;
    const std::string when = "after a click on column title " + std::to_string(column);
    Expect(SortedBy(mainWindow_.Inventory(), column), when);
    if (SendMessageA(combo, CB_GETCURSEL, 0, 0) != column) failures_.push_back(when + ": the box shows another item");
  }
  for (int item = kColumnCount - 1; item >= 0; --item) {
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    // What the box tells its parent when the user picks an item.
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(kSortByCombo, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    ++figures_.sorts;
    Expect(SortedBy(mainWindow_.Inventory(), item), "after picking sort item " + std::to_string(item));
  }
  Expect(ViewShowsList(mainWindow_.Control(kInventoryListView), mainWindow_.Inventory(), figures_.rowsChecked), "after sorting");
}

void WindowChurn::SwitchTabs() {
  for (const int tab : {1, 2, 3, 0}) {
    ClickTab(tab);
    ++figures_.tabSwitches;
    if (mainWindow_.ActivePage() != kTabs[tab] || !IsWindowVisible(mainWindow_.Page(kTabs[tab]))) {
      failures_.push_back("a click on tab " + std::to_string(tab) + " does not show its page");
    }
  }
}

// Printing ends before the click returns: Wine writes the queue's file at the end of
// the document.
void WindowChurn::Print(int round) {
  DeleteFileA(paperPath_.c_str());
  answers_.AnswerWith(IDOK);
  if (round % 2 == 0) {
    const HWND toolBar = mainWindow_.Control(kToolBar);
    RECT box;
    SendMessageA(toolBar, TB_GETRECT, static_cast<WPARAM>(kToolButtonPrint), reinterpret_cast<LPARAM>(&box));
    testing::ClickAt(toolBar, Centre(box));
  } else {
    SendMessageA(mainWindow_.Control(kPrintListButton), BM_CLICK, 0, 0);
  }
  answers_.AnswerWith(IDNO);
  ++figures_.prints;
  if (ExpectBoxes(0, nullptr, "while printing") != 1) failures_.push_back("a print click showed no print dialog");
  if (FileText(paperPath_).rfind("%!PS", 0) != 0) failures_.push_back("a print made no PostScript in " + paperPath_);
}

// A program of its own each round, uninstalled by the stand-in uninstaller or, every
// other round, declined at the question.
void WindowChurn::Uninstall(int round) {
  const std::string keyName = std::string(kChurnPrefix) + "Uninstall-" + std::to_string(round);
  const std::string marker = planted_.Uninstaller() + ".ran";
  DeleteFileA(marker.c_str());
  if (!WriteDescriptor(keys_, RegistrySource::Machine64, keyName,
                       {"Churn Uninstall " + std::to_string(round), "\"" + planted_.Uninstaller() + "\" " + keyName})) {
    failures_.push_back("cannot plant " + keyName);
    return;
  }
  const InventoryList& list = mainWindow_.Inventory();
  if (!PumpUntil([&] { return FindRow(list, RegistrySource::Machine64, keyName) != nullptr; },
                 kListTimeoutMilliseconds)) {
    failures_.push_back(keyName + " was never listed");
    return;
  }
  ClickTab(0);
  SelectRow(FindRow(list, RegistrySource::Machine64, keyName)->id);
  const bool decline = round % 2 == 1;
  answers_.AnswerWith(decline ? IDNO : IDYES);
  SendMessageA(mainWindow_.Control(kUninstallButton), BM_CLICK, 0, 0);
  answers_.AnswerWith(IDNO);
  ExpectBoxes(1, kUninstallQuestion.c_str(), "uninstalling " + keyName);
  if (decline) {
    ++figures_.uninstallsDeclined;
    if (FindRow(list, RegistrySource::Machine64, keyName) == nullptr ||
        !KeyExists(RegistrySource::Machine64, keyName)) {
      failures_.push_back("declining to uninstall " + keyName + " took it away");
    }
    keys_.Delete(RegistrySource::Machine64, keyName);
    return;
  }
  ++figures_.uninstallsRun;
  if (!PumpUntil(
          [&] {
            return FileExists(marker) && !KeyExists(RegistrySource::Machine64, keyName) &&
                   FindRow(list, RegistrySource::Machine64, keyName) == nullptr;
          },
          kUninstallerTimeoutMilliseconds)) {
    failures_.push_back("the uninstaller of " + keyName + " did not run, or its row stayed");
  }
}

// "Remove Line" on a few of the churner's rows, and once declined on a stable one. The
// churner may take a descriptor away at any moment, or have given it a subkey.
void WindowChurn::RemoveLines(int round) {
  ClickTab(0);
  const InventoryList& list = mainWindow_.Inventory();
  const std::string backup = std::string(".\\") + kBackupFileName;
  for (int attempt = 0; attempt < 3; ++attempt) {
    Tick();  // fewer rows whose descriptor the churner has taken already
    const UninstallEntry* target = nullptr;
    for (std::size_t i = 0; i < list.Count() && target == nullptr; ++i) {
      const UninstallEntry& row = list.RowAt((i + static_cast<std::size_t>(round * 7 + attempt * 13)) % list.Count());
      if (IsChurnerKey(row.keyName)) target = &row;
    }
    if (target == nullptr) break;
    const RegistrySource source = target->source;
    const std::string keyName = target->keyName;
    const std::size_t backupBefore = FileText(backup).size();
    SelectRow(target->id);
    answers_.AnswerWith(IDYES);
    SendMessageA(mainWindow_.Control(kRemoveEntryButton), BM_CLICK, 0, 0);
    answers_.AnswerWith(IDNO);
    const std::string when = "removing " + keyName;
    const bool exists = KeyExists(source, keyName);
    const bool copied = FileText(backup).size() > backupBefore;
    const bool listed = FindRow(list, source, keyName) != nullptr;
    // A refused deletion (the churner gave the descriptor a subkey) tells why; the churner
    // may have taken the descriptor away since.
    const bool refused = !copied && exists && listed;
    ExpectBoxes(1, kRemoveQuestion.c_str(), when, copied ? nullptr : kRemoveFailed.c_str());
    if (copied && !exists && !listed) {
      ++figures_.removed;
      removed_.push_back({source, keyName});
    } else if (refused) {
      ++figures_.removalsRefused;
    } else if (!copied && !exists && listed) {
      ++figures_.removalsGoneFirst;  // its row goes at the next refresh
    } else {
      failures_.push_back(when + ": copied " + std::to_string(copied) + ", still in the registry " +
                          std::to_string(exists) + ", still listed " + std::to_string(listed));
    }
  }

  const StableDescriptor& kept = planted_.Stable()[static_cast<std::size_t>(round) % planted_.Stable().size()];
  if (const UninstallEntry* row = FindRow(list, kept.source, kept.keyName)) {
    const std::size_t backupBefore = FileText(backup).size();
    SelectRow(row->id);
    SendMessageA(mainWindow_.Control(kRemoveEntryButton), BM_CLICK, 0, 0);  // answered No
    ++figures_.removalsDeclined;
    ExpectBoxes(1, kRemoveQuestion.c_str(), "declining to remove " + kept.keyName);
    if (!KeyExists(kept.source, kept.keyName) || FileText(backup).size() != backupBefore) {
      failures_.push_back("declining to remove " + kept.keyName + " changed something");
    }
  }
}

void WindowChurn::FinalCheck() {
  Problems last;
  long rowsChecked = 0;
  const bool settled = PumpUntil(
      [&] {
        mainWindow_.RefreshTick();
        ++figures_.calledTicks;
        rowsChecked = 0;
        last = ListMatchesRegistry(mainWindow_.Inventory(), rowsChecked);
        for (Problems more :
             {StableRowsListed(mainWindow_.Inventory(), planted_.Stable()),
              RemovalsBackedUp(mainWindow_.Inventory(), removed_, FileText(std::string(".\\") + kBackupFileName)),
              ViewShowsList(mainWindow_.Control(kInventoryListView), mainWindow_.Inventory(), rowsChecked)}) {
          last.insert(last.end(), more.begin(), more.end());
        }
        return last.empty();
      },
      kSettleTimeoutMilliseconds);
  figures_.rowsChecked += rowsChecked;
  if (!settled) Expect(last, "once the churn stopped");
  const HWND button = mainWindow_.Control(kComputeSizesButton);
  if (!IsWindowVisible(button) || !IsWindowEnabled(button)) failures_.push_back("at the end: no compute button");
  ExpectBoxes(0, nullptr, "at the end");
}

}  // namespace zobl::churn
