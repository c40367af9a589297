#include "bare_refresh_calls_win.h"

#include "inventory/command_analysis.h"
#include "platform/win32/registry_roots.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_locale.h"

namespace {

const wchar_t kUninstall[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

bool IsDirectory(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FindOne(const std::wstring& path, WIN32_FIND_DATAW& found) {
  const HANDLE find = FindFirstFileW(path.c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindClose(find);
  return true;
}

}  // namespace

bool BarePlaceDirectory(const std::wstring& command, BareKnownParents& knownParents) {
  const std::size_t close = command.find(L'"', 1);
  if (command.empty() || command[0] != L'"' || close == std::wstring::npos) return false;
  const std::wstring program = command.substr(1, close - 1);
  const std::size_t slash = program.rfind(L'\\');
  if (slash == std::wstring::npos) return false;
  const std::wstring directory = program.substr(0, slash);
  if (!IsDirectory(directory + L'\\')) return false;
  // The uninstaller: no directory, but a file with a DOS time.
  WIN32_FIND_DATAW found;
  FILETIME local;
  WORD dosDate = 0;
  WORD dosTime = 0;
  if (!IsDirectory(program) && FindOne(program, found)) {
    FileTimeToLocalFileTime(&found.ftLastWriteTime, &local);
    FileTimeToDosDateTime(&local, &dosDate, &dosTime);
  }
  if (!IsDirectory(directory)) return false;
  // Each component's long name, from the directory up to its drive or a known parent.
  std::wstring climb = directory;
  FILETIME created{};  // the directory's own, from the first search of the climb
  while (climb.size() > 2) {
    if (FindOne(climb, found) && climb.size() == directory.size()) created = found.ftCreationTime;
    wchar_t full[MAX_PATH];
    wchar_t* last = nullptr;
    GetFullPathNameW(climb.c_str(), MAX_PATH, full, &last);
    climb.resize(climb.rfind(L'\\'));
    if (climb.size() > 2 && !knownParents.insert(climb).second) break;
  }
  // Where it leads: no shared folder by another name.
  const HANDLE opened = CreateFileW((L"\\\\?\\" + directory + L'\\').c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (opened != INVALID_HANDLE_VALUE) {
    wchar_t final[MAX_PATH];
    GetFinalPathNameByHandleW(opened, final, MAX_PATH, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    CloseHandle(opened);
  }
  // Its date, formatted.
  SYSTEMTIME date;
  wchar_t text[32];
  if (FileTimeToSystemTime(&created, &date)) GetDateFormatW(LOCALE_INVARIANT, 0, &date, L"yyyy'.'MM'.'dd", text, 32);
  return true;
}

void BareWeighName(const std::wstring& name) {
  char key[4096];
  LCMapStringW(GetThreadLocale(), LCMAP_SORTKEY, name.c_str(), -1, reinterpret_cast<LPWSTR>(key), sizeof key);
}

int BarePass(UINT codePage,
             const std::function<void(zobl::RegistrySource source, HKEY uninstall, const wchar_t* name)>& visit) {
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  zobl::win32::Win32FileSystem fileSystem(codePage);
  zobl::SharedFolderList shared = fileSystem.SharedFolders();
  zobl::ResolveSharedFolders(shared, fileSystem, zobl::win32::Win32Locale(codePage));
  int count = 0;
  for (const zobl::RegistrySource source : zobl::kRegistrySources) {
    HKEY uninstall = nullptr;
    if (RegOpenKeyExW(zobl::win32::Root(source), kUninstall, 0, KEY_READ | zobl::win32::ViewFlag(source),
                      &uninstall) != ERROR_SUCCESS) {
      continue;
    }
    wchar_t name[256];
    DWORD length = 256;
    for (DWORD index = 0;
         RegEnumKeyExW(uninstall, index, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++index, length = 256) {
      ++count;
      visit(source, uninstall, name);
    }
    RegCloseKey(uninstall);
  }
  return count;
}
