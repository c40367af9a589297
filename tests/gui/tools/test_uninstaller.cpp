// A stand-in uninstaller for the window's tests: leaves "<its own path>.ran" behind,
// and when given a descriptor's key name, removes that descriptor a moment later, as a
// real uninstaller does when it has finished. "/spawn EVENT" starts a copy of itself that
// waits for the named event and ends at once, as uninstallers that copy themselves
// elsewhere do; the copy makes "<its own path>.spawner" once the first has ended.
#include <windows.h>

#include <string>

#include "platform/win32/scoped_handles.h"

int main(int argc, char** argv) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  if (argc == 4 && std::string(argv[1]) == "/wait") {
    // Once the one that started it has ended, says so, and waits for the event.
    const zobl::win32::ScopedKernelHandle spawner(OpenProcess(SYNCHRONIZE, FALSE, std::stoul(argv[3])));
    WaitForSingleObject(spawner.Get(), 60000);
    {
      const zobl::win32::ScopedFileHandle ended(CreateFileA((std::string(path) + ".spawner").c_str(), GENERIC_WRITE, 0,
                                                            nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    const zobl::win32::ScopedKernelHandle event(OpenEventA(SYNCHRONIZE, FALSE, argv[2]));
    WaitForSingleObject(event.Get(), 60000);
    return 0;
  }
  if (argc == 3 && std::string(argv[1]) == "/spawn") {
    std::string copy = "\"" + std::string(path) + "\" /wait " + argv[2] + " " + std::to_string(GetCurrentProcessId());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, copy.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) return 2;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return 0;
  }
  {
    const zobl::win32::ScopedFileHandle marker(CreateFileA((std::string(path) + ".ran").c_str(), GENERIC_WRITE, 0,
                                                           nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  if (argc > 1) {
    Sleep(300);
    const std::string key = std::string("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + argv[1];
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
  }
  return 0;
}
