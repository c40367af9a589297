#include "gui_support.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>

#include "scratch_directory.h"

namespace zobl::testing {

void PumpPending(const std::function<bool(MSG&)>& preTranslate) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (preTranslate && preTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

bool PumpUntil(const std::function<bool()>& done,
               int timeoutMilliseconds,
               const std::function<bool(MSG&)>& preTranslate) {
  const DWORD start = GetTickCount();
  for (;;) {
    PumpPending(preTranslate);
    if (done()) return true;
    if (GetTickCount() - start >= static_cast<DWORD>(timeoutMilliseconds)) return done();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void PressKey(WORD key, std::vector<WORD> modifiers) {
  std::vector<INPUT> inputs;
  const auto add = [&inputs](WORD k, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = k;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  for (const WORD m : modifiers) add(m, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  std::reverse(modifiers.begin(), modifiers.end());
  for (const WORD m : modifiers) add(m, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

TestDescriptors::TestDescriptors() {
  static std::atomic<int> counter{0};
  prefix_ = "ZoblGui" + std::to_string(GetCurrentProcessId()) + "x" + std::to_string(++counter) + "-";
}

std::string TestDescriptors::Add(const std::string& suffix,
                                 const std::string& displayName,
                                 const std::string& command) {
  const std::string keyName = prefix_ + suffix;
  keys_.Create(RegistrySource::Machine64, keyName);
  if (!displayName.empty()) SetText(keyName, "DisplayName", displayName);
  if (!command.empty()) SetText(keyName, "UninstallString", command);
  return keyName;
}

ScopedWorkingDirectory::ScopedWorkingDirectory() {
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof current, current);
  previous_ = current;
  static std::atomic<int> counter{0};
  path_ = "C:\\zobl-gui-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
  CreateDirectoryA(path_.c_str(), nullptr);
  SetCurrentDirectoryA(path_.c_str());
  WriteAboutFile("ZOBL Quillmoor 2.0\r\nLists the programs installed.\r\n");
}

void ScopedWorkingDirectory::WriteAboutFile(const std::string& text) const {
  const win32::ScopedFileHandle file(
      CreateFileA(AboutFile().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (!file.IsValid() || !WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
    throw std::runtime_error("cannot write " + AboutFile());
  }
}

ScopedWorkingDirectory::~ScopedWorkingDirectory() {
  SetCurrentDirectoryA(previous_.c_str());
  RemoveWhenFreed(path_);  // whatever a test left here goes too
}

std::string WindowsPathOf(const char* unixPath) {
  std::string path = std::string("Z:") + unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

void ClickAt(HWND control, POINT point) {
  const LPARAM where = MAKELPARAM(point.x, point.y);
  SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, where);
  SendMessageA(control, WM_LBUTTONUP, 0, where);
}

std::string WindowText(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string CellText(HWND listView, int row, int column) {
  char text[1024] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(listView, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

}  // namespace zobl::testing
