#pragma once

#include <windows.h>

#include <span>
#include <vector>

#include "mainwindow/window_services.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/win32_user_dialogs.h"
#include "platform/win32/window_base.h"
#include "platform/win32/window_scale.h"
#include "platform/win32/window_timer.h"
#include "ui/failure_text.h"
#include "mainwindow/app_composition.h"
#include "ui/tidy_texts.h"

namespace zobl {

inline constexpr char kTidyWindowClass[] = "ZoblTidyWindow";

// The tidy window's controls.
enum TidyControlId : int {
  kTidyHintLabel = 1,
  kTidyList,  // the programs with their check boxes; after a run, what became of each
  kTidyQuietCheckBox,
  kTidyUninstallButton,
  kTidyRemoveLinesButton,
  kTidyOpenFolderButton,
  kTidyBackButton,
  kTidyStopButton,
  kTidyCloseButton,
  kTidyStatusLabel,
  kTidyProgressBar,
};

// "Tidy Several Programs...": a window of its own over the main one, listing the programs
// the main list shows with check boxes. The ticked ones are uninstalled one after another,
// or the ticked stale lines removed together; a summary then tells what became of each and
// what each left behind. The main list keeps its own rules meanwhile and follows the
// registry as ever.
class TidyWindow final : public win32::WindowBase<TidyWindow> {
 public:
  TidyWindow(const WindowServices& services, AppComposition& features) : services_(services), features_(features) {}
  ~TidyWindow();
  TidyWindow(const TidyWindow&) = delete;
  TidyWindow& operator=(const TidyWindow&) = delete;

  // Opens the window over `owner` with the programs shown there, or brings it forward.
  void Open(HWND owner, int dpi);
  [[nodiscard]] bool IsOpen() const { return window_ != nullptr; }
  [[nodiscard]] HWND Control(TidyControlId id) const { return window_ ? GetDlgItem(window_, id) : nullptr; }
  // The window's keys, before the control with the focus sees them; true when used.
  bool PreTranslateMessage(MSG& message);
  // What the timer does: looks at the uninstaller under way, and goes on.
  void Advance();

 private:
  friend class win32::WindowBase<TidyWindow>;
  enum class Mode { Choosing, Running, Summary };
  struct ControlRow;
  static std::span<const ControlRow> Controls();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCreate();
  void OnClose();
  // Moved to a screen of another resolution: its scale follows, and it is laid out again.
  void OnDpiChanged(int dpi, const RECT& suggested);
  // The controls' font, at the window's scale.
  void SetFont();
  // A click on a control: its row's action.
  void OnCommand(int id);
  void ShowChoices();
  // Stops the run after the program under way.
  void StopRun();
  void Close();
  void Layout();
  void SetMode(Mode mode);
  void SetColumns(const std::vector<const char*>& titles, const std::vector<int>& widths);
  void ListCandidates();
  void ListResults();
  void ShowProgress();
  [[nodiscard]] std::vector<std::size_t> TickedCandidates() const;
  void TickAllShown();
  void UninstallTicked();
  void RemoveTickedLines();
  void OpenLeftBehindFolder();
  void CopySummary();
  [[nodiscard]] bool IsChecked(TidyControlId id) const;

  WindowServices services_;
  AppComposition& features_;
  win32::Win32UserDialogs dialogs_{kApplicationTitle};
  win32::WindowScale scale_;
  Mode mode_ = Mode::Choosing;
  std::vector<TidyCandidate> candidates_;
  win32::ScopedFont font_;
  win32::ScopedWindowTimer timer_;
};

}  // namespace zobl
