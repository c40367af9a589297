// The program's file and folder calls against links that a script plants from the Unix
// side, where Wine's own programs cannot make them:
//   link_probe append FILE     appends a registry entry; exit 0, or 10 + why it was refused
//   link_probe open FOLDER N   Open Folder N times; exit 0
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "inventory/reg_file_text.h"
#include "platform/win32/win32_growing_file.h"
#include "platform/win32/win32_shell.h"

int main(int argc, char** argv) {
  const std::string action = argc > 2 ? argv[1] : "";
  if (action == "append") {
    zobl::win32::Win32GrowingFiles files;
    const auto entry = zobl::RegFileBytes("; probe\r\n[HKEY_CURRENT_USER\\Software\\ZoblProbe]\r\n\r\n");
    if (files.Append(argv[2], zobl::RegFileSignature(), zobl::RegFileStart(), *entry)) return 0;
    return 10 + static_cast<int>(files.LastRefusal());
  }
  if (action == "open" && argc > 3) {
    zobl::win32::Win32Shell shell;
    int opened = 0;
    for (int i = std::atoi(argv[3]); i > 0; --i) opened += shell.OpenFolder(argv[2]) ? 1 : 0;
    std::printf("opened %d\n", opened);
    return 0;
  }
  std::fprintf(stderr, "usage: link_probe append FILE | open FOLDER COUNT\n");
  return 2;
}
