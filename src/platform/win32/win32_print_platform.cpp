#include "platform/win32/win32_print_platform.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/dpi.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/system_library.h"
#include "platform/win32/wide_text.h"

namespace zobl::win32 {
namespace {

constexpr int kFontPoints = 8;

std::runtime_error PrintingFailure(const char* what) {
  return std::runtime_error(std::string(what) + " (error " + std::to_string(GetLastError()) + ")");
}

// A started document with its page open. Dropped before End(), the job is aborted.
class Win32PrintDocument final : public PrintDocument {
 public:
  Win32PrintDocument(ScopedPrinterDc printer, const std::string& title) : dc_(std::move(printer)) {
    // A printer DC's stock font is no 8-point sans serif; the document gets its own.
    font_ = ScopedFont(CreateFontA(-PointsToPixels(kFontPoints, GetDeviceCaps(dc_.Get(), LOGPIXELSY)), 0, 0, 0,
                                   FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                                   DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial"));
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = title.c_str();
    if (StartDocA(dc_.Get(), &info) <= 0) throw PrintingFailure("The printer cannot start the document");
    started_ = true;
    try {
      StartNewPage();
    } catch (...) {
      AbortDoc(dc_.Get());  // no destructor runs for a document never made
      throw;
    }
  }
  ~Win32PrintDocument() override {
    if (started_) AbortDoc(dc_.Get());
    if (stockFont_ != nullptr) SelectObject(dc_.Get(), stockFont_);  // so that our font can go
  }
  Win32PrintDocument(const Win32PrintDocument&) = delete;
  Win32PrintDocument& operator=(const Win32PrintDocument&) = delete;

  int PageHeight() const override { return GetDeviceCaps(dc_.Get(), VERTRES); }
  int TextHeight(std::string_view text) const override { return Extent(Wide(text)).cy; }
  void SetWhiteFill() override {
    filled_ = true;
    SetBkMode(dc_.Get(), OPAQUE);
    SetBkColor(dc_.Get(), RGB(255, 255, 255));
  }
  int DrawText(int x, int y, std::string_view text) override {
    // Texts are UTF-8; the 8-bit call would read them in the system's code page.
    const std::wstring wide = Wide(text);
    if (!TextOutW(dc_.Get(), x, y, wide.data(), static_cast<int>(wide.size()))) {
      throw PrintingFailure("The printer cannot draw the list");
    }
    return x + Extent(wide).cx;
  }
  void NewPage() override {
    if (EndPage(dc_.Get()) <= 0) throw PrintingFailure("The printer cannot end a page");
    StartNewPage();
  }
  void End() override {
    if (EndPage(dc_.Get()) <= 0) throw PrintingFailure("The printer cannot end a page");
    if (EndDoc(dc_.Get()) <= 0) throw PrintingFailure("The printer cannot end the document");
    started_ = false;
  }

 private:
  // A page starts with the printer's defaults again: the font and fill are set anew.
  void StartNewPage() {
    if (StartPage(dc_.Get()) <= 0) throw PrintingFailure("The printer cannot start a page");
    const HGDIOBJ previous = SelectObject(dc_.Get(), font_.Get());
    if (stockFont_ == nullptr) stockFont_ = previous;
    if (filled_) SetWhiteFill();
  }
  SIZE Extent(std::wstring_view text) const {
    SIZE size{};
    GetTextExtentPoint32W(dc_.Get(), text.data(), static_cast<int>(text.size()), &size);
    return size;
  }

  ScopedPrinterDc dc_;
  ScopedFont font_;
  HGDIOBJ stockFont_ = nullptr;
  bool started_ = false;
  bool filled_ = false;
};

}  // namespace

std::optional<PrintCopies> Win32PrintPlatform::ShowPrintDialog() {
  printer_.Reset();
  PRINTDLGA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  // The copies and collation asked for come back in the DEVMODE, which the DC carries.
  dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE;
  if (!commonDialogs_) commonDialogs_.emplace(L"comdlg32.dll");
  const auto printDialog = commonDialogs_->Find<decltype(PrintDlgA)>("PrintDlgA");
  const auto dialogError = commonDialogs_->Find<decltype(CommDlgExtendedError)>("CommDlgExtendedError");
  if (printDialog == nullptr || dialogError == nullptr) throw PrintingFailure("The print dialog cannot be loaded");
  const BOOL chosen = printDialog(&dialog);
  const ScopedGlobal devMode(dialog.hDevMode);
  const ScopedGlobal devNames(dialog.hDevNames);
  ScopedPrinterDc printer(dialog.hDC);
  if (!chosen) {
    const DWORD error = dialogError();
    if (error == 0) return std::nullopt;  // cancelled
    throw std::runtime_error(error == PDERR_NODEFAULTPRN
                                 ? "No printer is installed"
                                 : "The print dialog failed (error " + std::to_string(error) + ")");
  }
  if (!printer.IsValid()) throw std::runtime_error("The chosen printer cannot be opened");
  const LockedGlobal<DEVMODEA> locked(devMode.Get());
  DEVMODEA* const mode = locked.Get();
  // A dialog that ignores the flag answers in nCopies and PD_COLLATE instead.
  PrintCopies copies{std::max<int>(dialog.nCopies, 1), (dialog.Flags & PD_COLLATE) != 0};
  if (mode != nullptr && (mode->dmFields & DM_COPIES) != 0) copies.count = std::max<int>(copies.count, mode->dmCopies);
  if (mode != nullptr && (mode->dmFields & DM_COLLATE) != 0) copies.collate |= mode->dmCollate == DMCOLLATE_TRUE;
  if (copies.count > 1 && mode != nullptr) {
    const LockedGlobal<DEVNAMES> names(devNames.Get());
    const SystemLibrary spooler(L"winspool.drv");
    const auto capabilities = spooler.Find<decltype(DeviceCapabilitiesA)>("DeviceCapabilitiesA");
    // A driver that cannot be asked makes no copies of its own: the program makes them.
    if (names.Get() != nullptr && capabilities != nullptr) {
      const char* base = reinterpret_cast<const char*>(names.Get());
      const char* device = base + names.Get()->wDeviceOffset;
      const char* port = base + names.Get()->wOutputOffset;
      copies.byPrinter = capabilities(device, port, DC_COPIES, nullptr, nullptr) >= copies.count &&
                         (!copies.collate || capabilities(device, port, DC_COLLATE, nullptr, nullptr) == 1);
    }
    // Copies the program makes must not be multiplied by the printer's.
    mode->dmCopies = static_cast<short>(copies.byPrinter ? copies.count : 1);
    mode->dmCollate = copies.collate ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
    mode->dmFields |= DM_COPIES | DM_COLLATE;
    if (ResetDCA(printer.Get(), mode) == nullptr) throw PrintingFailure("The printer cannot take the copies");
  }
  printer_ = std::move(printer);
  return copies;
}

LocalDateTime Win32PrintPlatform::Now() const {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};
}

std::unique_ptr<PrintDocument> Win32PrintPlatform::StartDocument(const std::string& title) {
  if (!printer_.IsValid()) throw std::logic_error("No printer chosen");
  return std::make_unique<Win32PrintDocument>(std::move(printer_), title);
}

}  // namespace zobl::win32
