#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "descriptor_keys.h"
#include "message_box_answerer.h"
#include "platform/shell.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/win32_shell.h"

namespace zobl::testing {

// Handles every message already waiting for this thread, paints included, and returns
// as soon as none is left.
void PumpPending(const std::function<bool(MSG&)>& preTranslate = {});
// Handles messages until `done` holds or `timeoutMilliseconds` pass; returns `done()`.
// The timeout only bounds a failing test: a passing one goes on as soon as `done` holds.
// `preTranslate` sees each message first, as the program's message loop lets its window
// do, and takes those it returns true for.
bool PumpUntil(const std::function<bool()>& done,
               int timeoutMilliseconds,
               const std::function<bool(MSG&)>& preTranslate = {});

// Descriptors of the test's own in the 64-bit view, named by a prefix of this test's,
// all removed at the end.
class TestDescriptors {
 public:
  TestDescriptors();

  // A key named prefix + `suffix`; values left out when empty.
  std::string Add(const std::string& suffix, const std::string& displayName, const std::string& command = {});
  void AddNameless(const std::string& suffix) { Add(suffix, {}, "C:\\nowhere\\un.exe"); }
  // A value of a descriptor made by Add, stored as a text of the given type.
  void SetText(const std::string& keyName, const char* valueName, const std::string& text, DWORD type = REG_SZ) {
    keys_.SetText(RegistrySource::Machine64, keyName, valueName, text, type);
  }
  void Remove(const std::string& keyName) { keys_.Delete(RegistrySource::Machine64, keyName); }
  [[nodiscard]] bool Exists(const std::string& keyName) const {
    return keys_.Exists(RegistrySource::Machine64, keyName);
  }
  [[nodiscard]] const std::string& Prefix() const { return prefix_; }

 private:
  std::string prefix_;
  DescriptorKeys keys_;
};

// Starts commands as the program does and records the addresses it would open.
class RecordingShell final : public Shell {
 public:
  std::uint32_t StartProgram(const ProgramStart& start) override {
    started.push_back(start.CommandLine());
    return system_.StartProgram(start);
  }
  bool RunsElevated() override { return system_.RunsElevated(); }
  bool StartProgramAsUser(const ProgramStart& start) override {
    return desktopShell && system_.StartProgramAsUser(start);
  }

  bool desktopShell = true;  // false: as where there is no desktop shell
  void OpenAddress(const std::string& address) override { opened.push_back(address); }
  bool OpenFolder(const std::string&) override { return true; }  // no file manager on the test's screen

  std::vector<std::string> started;
  std::vector<std::string> opened;

 private:
  win32::Win32Shell system_;
};

// A scratch working directory for the duration of a test, holding an About text.
class ScopedWorkingDirectory {
 public:
  ScopedWorkingDirectory();
  ~ScopedWorkingDirectory();
  ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
  ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

  [[nodiscard]] const std::string& Path() const { return path_; }
  [[nodiscard]] std::string SettingsFile() const { return path_ + "\\ZOBL.INI"; }
  [[nodiscard]] std::string AboutFile() const { return path_ + "\\readme.txt"; }
  void WriteAboutFile(const std::string& text) const;

 private:
  std::string previous_;
  std::string path_;
};

// A Unix path of the build as the program sees it, through drive Z:.
std::string WindowsPathOf(const char* unixPath);

// Presses `key` with `modifiers` held, as the keyboard does, for the window with the focus.
void PressKey(WORD key, std::vector<WORD> modifiers = {});
// Clicks a control the way the mouse does, at a point of its client area.
void ClickAt(HWND control, POINT point);
std::string WindowText(HWND window);
// The list view's own text of a cell, as it would paint it.
std::string CellText(HWND listView, int row, int column);

}  // namespace zobl::testing
