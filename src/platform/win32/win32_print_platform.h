#pragma once

#include <windows.h>

#include <optional>

#include "platform/print_platform.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/system_library.h"

namespace zobl::win32 {

// PrintDlgA for the printer, the local clock, and documents on the printer's DC.
class Win32PrintPlatform final : public PrintPlatform {
 public:
  // The dialog is owned by `owner`, which takes no input while it shows.
  explicit Win32PrintPlatform(HWND owner = nullptr) : owner_(owner) {}
  Win32PrintPlatform(const Win32PrintPlatform&) = delete;
  Win32PrintPlatform& operator=(const Win32PrintPlatform&) = delete;

  void SetOwner(HWND owner) { owner_ = owner; }
  // Copies the printer cannot make, collated as asked, are left to the program.
  [[nodiscard]] std::optional<PrintCopies> ShowPrintDialog() override;
  [[nodiscard]] LocalDateTime Now() const override;
  [[nodiscard]] std::unique_ptr<PrintDocument> StartDocument(const std::string& title) override;

 private:
  HWND owner_;
  // The dialogs' DLL, loaded from the system directory when the dialog first shows: its
  // own imports (the spooler's DLL) would otherwise be looked for beside the program.
  std::optional<SystemLibrary> commonDialogs_;
  ScopedPrinterDc printer_;  // the chosen printer's DC, handed to the next document
};

}  // namespace zobl::win32
