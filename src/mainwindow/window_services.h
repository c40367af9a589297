#pragma once

#include <windows.h>

#include <functional>

#include "platform/win32/win32_clipboard.h"

namespace zobl {

class DisplayContrast;
class FileSystem;
class PrintPlatform;
class Shell;
class TextFileReader;
class TickSource;
class UserDialogs;

// What the window itself asks of the system; the feature objects it forwards to are made
// over their own services (src/app/).
struct WindowServices {
  FileSystem& fileSystem;  // whether a row's folder is still there, for its menu
  Shell& shell;
  TextFileReader& files;
  UserDialogs& dialogs;
  PrintPlatform& printing;
  win32::Win32Clipboard& clipboard;
  DisplayContrast& contrast;
  TickSource& ticks;  // paces the pie's rebuilds while sizes are measured
  // Hears of the window as it is made, and of nullptr once it is gone, so that the
  // boxes and pages the services show belong to the window.
  std::function<void(HWND)> ownerChanged;
};

}  // namespace zobl
