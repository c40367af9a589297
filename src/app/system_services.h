#pragma once

#include "mainwindow/main_window.h"
#include "mainwindow/settings.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_profile.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_text_file.h"

namespace zobl {

// The system's own side of everything the window asks of the platform.
struct SystemServices {
  win32::Win32Registry registry;
  win32::Win32FileSystem fileSystem;
  win32::Win32Locale locale;
  win32::Win32Profile profile{kSettingsFile};
  win32::Win32Shell shell;
  win32::Win32TextFileReader files;

  FormServices Form() { return {registry, fileSystem, locale, profile, shell, files}; }
};

}  // namespace zobl
