#include "platform/win32/win32_shell.h"

#include <exdisp.h>
#include <servprov.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlobj.h>

#include "platform/win32/final_path.h"
#include "platform/win32/program_process.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/wide_text.h"

namespace zobl::win32 {
namespace {

// Written out here: in a static build the library's copies of some class and service
// ids have not always been the right bytes.
constexpr CLSID kShellWindowsClass = {0x9ba05972, 0xf6a8, 0x11cf, {0xa4, 0x42, 0x00, 0xa0, 0xc9, 0x0a, 0x8f, 0x39}};
constexpr GUID kTopLevelBrowserService = {0x4c96be40, 0x915c, 0x11cf, {0x99, 0xd3, 0x00, 0xaa, 0x00, 0x4a, 0xe8, 0x37}};

// Memory a COM call handed out for the caller to free (an item ID list).
template <typename Pointer>
struct TaskMemoryTraits {
  using Handle = Pointer;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle memory) { CoTaskMemFree(memory); }
};

// A text COM calls take.
struct BstrTraits {
  using Handle = BSTR;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle text) { SysFreeString(text); }
};

// COM on the calling thread for the scope; a thread that has it already keeps it.
class ComApartment {
 public:
  ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  [[nodiscard]] bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

// A VARIANT cleared when it goes: a text one owns its BSTR.
struct OwnedVariant {
  VARIANT value;
  OwnedVariant() { VariantInit(&value); }
  explicit OwnedVariant(const std::wstring& text) : OwnedVariant() {
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  }
  explicit OwnedVariant(LONG number) : OwnedVariant() {
    value.vt = VT_I4;
    value.lVal = number;
  }
  ~OwnedVariant() { VariantClear(&value); }
  OwnedVariant(const OwnedVariant&) = delete;
  OwnedVariant& operator=(const OwnedVariant&) = delete;
};

template <typename Interface>
bool QueryFor(IUnknown* object, ScopedComReference<Interface>& out) {
  return object != nullptr &&
         SUCCEEDED(object->QueryInterface(__uuidof(Interface), reinterpret_cast<void**>(out.Receive())));
}

// The desktop's own shell object: the one running with the rights the user logged on
// with, whatever this process holds. Reached from the desktop's window, through its view.
ScopedComReference<IShellDispatch2> DesktopShell() {
  ScopedComReference<IShellWindows> windows;
  if (FAILED(CoCreateInstance(kShellWindowsClass, nullptr, CLSCTX_LOCAL_SERVER, __uuidof(IShellWindows),
                              reinterpret_cast<void**>(windows.Receive())))) {
    return {};
  }
  OwnedVariant desktop(static_cast<LONG>(CSIDL_DESKTOP));
  OwnedVariant none;
  long window = 0;
  ScopedComReference<IDispatch> found;
  if (windows.Get()->FindWindowSW(&desktop.value, &none.value, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                                  found.Receive()) != S_OK) {
    return {};
  }
  ScopedComReference<IServiceProvider> services;
  ScopedComReference<IShellBrowser> browser;
  ScopedComReference<IShellView> view;
  ScopedComReference<IDispatch> background;
  ScopedComReference<IShellFolderViewDual> folderView;
  ScopedComReference<IDispatch> application;
  ScopedComReference<IShellDispatch2> shell;
  if (!QueryFor(found.Get(), services) ||
      FAILED(services.Get()->QueryService(kTopLevelBrowserService, __uuidof(IShellBrowser),
                                          reinterpret_cast<void**>(browser.Receive()))) ||
      FAILED(browser.Get()->QueryActiveShellView(view.Receive())) ||
      FAILED(view.Get()->GetItemObject(SVGIO_BACKGROUND, __uuidof(IDispatch),
                                       reinterpret_cast<void**>(background.Receive()))) ||
      !QueryFor(background.Get(), folderView) || FAILED(folderView.Get()->get_Application(application.Receive())) ||
      !QueryFor(application.Get(), shell)) {
    return {};
  }
  return shell;
}

}  // namespace

std::uint32_t Win32Shell::StartProgram(const ProgramStart& start) {
  PROCESS_INFORMATION started{};
  const bool made = CreateProgramProcess(
      start, started, [](const wchar_t* program, wchar_t* line, STARTUPINFOW& startup, PROCESS_INFORMATION& process) {
        return CreateProcessW(program, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process) != 0;
      });
  if (!made) return GetLastError();
  const ScopedKernelHandle process(started.hProcess);
  const ScopedKernelHandle thread(started.hThread);
  return 0;
}

bool Win32Shell::RunsElevated() {
  ScopedKernelHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive())) return false;
  TOKEN_ELEVATION elevation{};
  DWORD length = 0;
  return GetTokenInformation(token.Get(), TokenElevation, &elevation, sizeof elevation, &length) &&
         elevation.TokenIsElevated != 0;
}

bool Win32Shell::StartProgramAsUser(const ProgramStart& start) {
  const ComApartment com;
  if (!com.Usable()) return false;
  const ScopedComReference<IShellDispatch2> shell = DesktopShell();
  if (!shell.IsValid()) return false;
  const std::wstring program = Wide(start.program);
  BSTR file = SysAllocStringLen(program.data(), static_cast<UINT>(program.size()));
  const ScopedHandle<BstrTraits> ownedFile(file);
  std::wstring arguments = Wide(start.arguments);
  arguments.erase(0, arguments.find_first_not_of(L" \t"));
  OwnedVariant argumentText(arguments);
  OwnedVariant folder;
  OwnedVariant verb(std::wstring(L"open"));
  OwnedVariant show(static_cast<LONG>(SW_SHOWNORMAL));
  return SUCCEEDED(shell.Get()->ShellExecute(file, argumentText.value, folder.value, verb.value, show.value));
}

void Win32Shell::OpenAddress(const std::string& address) {
  ShellExecuteA(owner_, "open", address.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

// The wide calls take a folder of any script: the shell's 8-bit calls follow the system's
// code page, not the program's. The program tells a failure itself, once.
// An elevated window must never start a program put where the folder was. The folder is
// held open from the check until the shell has it (without sharing deletion, so it cannot
// be renamed, removed or replaced meanwhile), and the shell is handed the folder itself,
// an item ID list of the path the held handle leads to: no name that the shell could look
// up again, find missing, and take for a program of that name.
bool Win32Shell::OpenFolder(const std::string& path) {
  const ScopedFileHandle held(CreateFileW(Wide(path).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION information{};
  if (!held.IsValid() || !GetFileInformationByHandle(held.Get(), &information) ||
      (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return false;
  }
  const std::optional<std::wstring> finalPath = FinalPathOf(held.Get());
  if (!finalPath) return false;
  // The shell's parser takes the ordinary form.
  const std::wstring folder = OrdinaryPath(*finalPath);
  const ComApartment com;
  if (!com.Usable()) return false;
  ScopedHandle<TaskMemoryTraits<PIDLIST_ABSOLUTE>> item;
  SFGAOF attributes = 0;
  if (FAILED(SHParseDisplayName(folder.c_str(), nullptr, item.Receive(), SFGAO_FOLDER, &attributes)) ||
      (attributes & SFGAO_FOLDER) == 0) {
    return false;
  }
  SHELLEXECUTEINFOW open{};
  open.cbSize = sizeof open;
  // Waits until the shell has the folder, before the handle lets it go.
  open.fMask = SEE_MASK_IDLIST | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  open.hwnd = owner_;
  open.lpVerb = L"explore";
  open.lpIDList = item.Get();
  open.nShow = SW_SHOWNORMAL;
  return ShellExecuteExW(&open) != 0;
}

}  // namespace zobl::win32
