#include "app/export_inventory.h"

#include <windows.h>

#include <array>
#include <cstdio>
#include <exception>
#include <string>

#include "commandline/inventory_export.h"
#include "inventory/uninstall_key.h"
#include "mainwindow/system_services.h"
#include "platform/console_text.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/whole_file_replacement.h"
#include "platform/win32/win32_command_line.h"
#include "platform/win32/win32_console.h"

namespace zobl {
namespace {

// The machine's name as its users know it (the DNS host name, which keeps its letter
// case), in UTF-8.
std::string ComputerName() {
  std::array<wchar_t, 256> name{};
  DWORD length = static_cast<DWORD>(name.size());
  if (!GetComputerNameExW(ComputerNamePhysicalDnsHostname, name.data(), &length)) {
    length = static_cast<DWORD>(name.size());
    if (!GetComputerNameW(name.data(), &length)) return std::string();
  }
  return win32::Utf8FromWide(std::wstring_view(name.data(), length));
}

std::string UtcNow() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%04u-%02u-%02uT%02u:%02u:%02uZ", now.wYear, now.wMonth, now.wDay,
                now.wHour, now.wMinute, now.wSecond);
  return text.data();
}

// To standard output, or to FILE whole; 0 when written, else the exit code.
int WriteInventory(const CommandLine& line, const std::string& name, const std::string& inventory) {
  if (line.action != CommandLine::Action::Export) {
    if (win32::WriteStandard(STD_OUTPUT_HANDLE, inventory)) return 0;
    win32::TellConsole(name + ": cannot write to the standard output");
    return kExitFailed;
  }
  const char* why = "";
  switch (win32::ReplaceWholeFile(win32::WideFromUtf8(line.exportFile), inventory)) {
    case win32::FileReplacement::Replaced: return 0;
    case win32::FileReplacement::Directory: why = ": it is a folder, not a file"; break;
    case win32::FileReplacement::Device: why = ": it names a device, not a file"; break;
    case win32::FileReplacement::Failed: why = "; it is unchanged"; break;
  }
  win32::TellConsole(name + ": cannot write " + line.exportFile + why);
  return kExitUnwritable;
}

}  // namespace

int ExportInventory(const CommandLine& line, std::string_view program, MessagePump& pump, ComputeSizesObserver& progress) {
  const std::string name(program);
  const bool toFile = line.action == CommandLine::Action::Export;
  const std::string unchanged = toFile ? "; " + line.exportFile + " is unchanged" : "";
  try {
    // Every text in UTF-8 through the wide calls: exact also where the process's code
    // page is not UTF-8 (Windows before 10 version 1903, Server 2016 and 2019).
    SystemServices system(CP_UTF8);
    ExportSystem parts{system.registry, system.fileSystem, system.locale, system.listing, pump};
    const ExportRequest request{.measureSizes = line.measureSizes,
                                .json = line.json,
                                .byteOrderMark = toFile,
                                .forConsole = !toFile && win32::IsConsole(GetStdHandle(STD_OUTPUT_HANDLE)),
                                .origin = line.json ? InventoryOrigin{ComputerName(), UtcNow()} : InventoryOrigin{}};
    const std::optional<ExportedDocument> inventory = ExportedInventory(parts, request, progress);
    if (!inventory) {
      win32::TellConsole(name + ": the registry's list of installed programs cannot be read" + unchanged);
      return kExitFailed;
    }
    // A pump that reports an end now has cut the measuring short.
    if (line.measureSizes && !pump.Pump()) {
      win32::TellConsole(name + ": stopped" + unchanged);
      return kExitFailed;
    }
    if (const int written = WriteInventory(line, name, inventory->text); written != 0) return written;
    // A key name's own line breaks must not start a line of ours at a console; a log
    // file or pipe keeps it exact.
    const HANDLE errors = GetStdHandle(STD_ERROR_HANDLE);
    const bool exact = errors != nullptr && errors != INVALID_HANDLE_VALUE && !win32::IsConsole(errors);
    for (const UnreadableDescriptor& descriptor : inventory->unreadable) {
      const std::string location = DescriptorLocation(descriptor.source, descriptor.keyName);
      win32::TellConsole(name + ": " + (exact ? location : VisibleOnConsole(location, false)) +
                         " cannot be read: " + descriptor.reason);
    }
    return inventory->unreadable.empty() ? 0 : kExitIncomplete;
  } catch (const std::exception& failure) {
    win32::TellConsole(name + ": " + failure.what());
    return kExitFailed;
  }
}

}  // namespace zobl
