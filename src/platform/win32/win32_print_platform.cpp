#include "platform/win32/win32_print_platform.h"

#include <cderr.h>
#include <commdlg.h>

#include <stdexcept>
#include <utility>

#include "platform/win32/gdi_handles.h"

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
    font_ = ScopedFont(CreateFontA(-MulDiv(kFontPoints, GetDeviceCaps(dc_.Get(), LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL,
                                   FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
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
  int TextHeight(std::string_view text) const override { return Extent(text).cy; }
  void SetWhiteFill() override {
    filled_ = true;
    SetBkMode(dc_.Get(), OPAQUE);
    SetBkColor(dc_.Get(), RGB(255, 255, 255));
  }
  int DrawText(int x, int y, std::string_view text) override {
    if (!TextOutA(dc_.Get(), x, y, text.data(), static_cast<int>(text.size()))) {
      throw PrintingFailure("The printer cannot draw the list");
    }
    return x + Extent(text).cx;
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
  SIZE Extent(std::string_view text) const {
    SIZE size{};
    GetTextExtentPoint32A(dc_.Get(), text.data(), static_cast<int>(text.size()), &size);
    return size;
  }

  ScopedPrinterDc dc_;
  ScopedFont font_;
  HGDIOBJ stockFont_ = nullptr;
  bool started_ = false;
  bool filled_ = false;
};

}  // namespace

bool Win32PrintPlatform::ShowPrintDialog() {
  printer_.Reset();
  PRINTDLGA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE;
  const BOOL chosen = PrintDlgA(&dialog);
  if (dialog.hDevMode != nullptr) GlobalFree(dialog.hDevMode);
  if (dialog.hDevNames != nullptr) GlobalFree(dialog.hDevNames);
  if (!chosen) {
    const DWORD error = CommDlgExtendedError();
    if (error == 0) return false;  // cancelled
    throw std::runtime_error(error == PDERR_NODEFAULTPRN
                                 ? "No printer is installed"
                                 : "The print dialog failed (error " + std::to_string(error) + ")");
  }
  if (dialog.hDC == nullptr) throw std::runtime_error("The chosen printer cannot be opened");
  printer_ = ScopedPrinterDc(dialog.hDC);
  return true;
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
