#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/local_clock.h"

namespace zobl {

// One started printer document. Coordinates are the printer's device units, from the
// printable area's top-left corner. Text is drawn in the surface's default font (8-point
// sans serif at the printer's resolution) on an opaque background of the fill colour.
// A document dropped before End() is aborted: nothing half-printed is left in the spooler.
class PrintDocument {
 public:
  virtual ~PrintDocument() = default;

  [[nodiscard]] virtual int PageHeight() const = 0;
  [[nodiscard]] virtual int TextHeight(std::string_view text) const = 0;
  virtual void SetWhiteFill() = 0;
  // Draws `text` with its top-left corner at (x, y); returns the x just right of it.
  virtual int DrawText(int x, int y, std::string_view text) = 0;
  virtual void NewPage() = 0;
  virtual void End() = 0;
};

// The copies asked for in the print dialog. A printer that makes them itself gets the
// document once; otherwise the program repeats its pages.
struct PrintCopies {
  int count = 1;
  bool collate = false;  // whole documents one after another (1,2,1,2), not 1,1,2,2
  bool byPrinter = false;
};

// The printing platform: the print dialog, the clock, printer documents. Failures are
// thrown; a cancelled dialog is none.
class PrintPlatform {
 public:
  virtual ~PrintPlatform() = default;

  // The print dialog with no page range, no selection and no printing to a file; nothing
  // when the user cancels. The printer and settings chosen there serve the document.
  [[nodiscard]] virtual std::optional<PrintCopies> ShowPrintDialog() = 0;
  [[nodiscard]] virtual LocalDateTime Now() const = 0;
  // Starts a document on the printer the dialog chose, titled `title`.
  [[nodiscard]] virtual std::unique_ptr<PrintDocument> StartDocument(const std::string& title) = 0;
};

}  // namespace zobl
