// A stand-in uninstaller for the window's tests: leaves "<its own path>.ran" behind,
// and when given a descriptor's key name, removes that descriptor a moment later, as a
// real uninstaller does when it has finished.
#include <windows.h>

#include <string>

#include "platform/win32/scoped_handles.h"

int main(int argc, char** argv) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
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
