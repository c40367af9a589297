#pragma once

#include "ui/failure_text.h"
#include "ui/settings.h"
#include "mainwindow/window_services.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_directory_listing.h"
#include "platform/win32/win32_display_contrast.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_growing_file.h"
#include "platform/win32/win32_local_clock.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_message_pump.h"
#include "platform/win32/win32_print_platform.h"
#include "platform/win32/win32_process_watcher.h"
#include "platform/win32/win32_profile.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_registry_watch.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_text_file.h"
#include "platform/win32/win32_tick_source.h"
#include "platform/win32/win32_user_dialogs.h"

namespace zobl {

// The system's own side of everything the window and its feature objects ask of the
// platform: the Win32 objects. The shell, the settings file and the high contrast are
// reached through their interfaces, so that a test overrides those it replaces.
class SystemServices {
 public:
  // The window's texts are in the process's code page; the export's are in UTF-8.
  explicit SystemServices(UINT codePage = CP_ACP)
      : registry(codePage), fileSystem(codePage), listing(codePage), locale(codePage) {}
  SystemServices(const SystemServices&) = delete;
  SystemServices& operator=(const SystemServices&) = delete;
  virtual ~SystemServices() = default;

  virtual Shell& UserShell() { return shell; }
  virtual Profile& SettingsFile() { return profile; }
  virtual DisplayContrast& Contrast() { return contrast; }

  // For the window itself.
  WindowServices Window() {
    return {fileSystem, UserShell(), files, dialogs, printing, clipboard, Contrast(), ticks, [this](HWND owner) {
              dialogs.SetOwner(owner);
              clipboard.SetOwner(owner);
              shell.SetOwner(owner);
              printing.SetOwner(owner);
            }};
  }

  win32::Win32Registry registry;
  win32::Win32FileSystem fileSystem;
  win32::Win32DirectoryListing listing;
  win32::Win32MessagePump pump;
  win32::Win32TickSource ticks;
  win32::Win32RegistryWatcher registryWatcher;
  win32::Win32Locale locale;
  win32::Win32Profile profile{kSettingsFile};
  win32::Win32Shell shell;
  win32::Win32TextFileReader files;
  win32::Win32UserDialogs dialogs{kApplicationTitle};
  win32::Win32PrintPlatform printing;
  win32::Win32GrowingFiles growingFiles;
  win32::Win32LocalClock clock;
  win32::Win32Clipboard clipboard;
  win32::Win32DisplayContrast contrast;
  win32::Win32ProcessWatcher processes;  // uninstallers the tidy window waits for
};

}  // namespace zobl
