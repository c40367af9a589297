// The About page: its text, the frames of its support panel, the colours of its texts.
#include <windows.h>
#include <stdexcept>
#include <string>

#include "mainwindow/main_window_parts.h"
#include "platform/win32/gdi_handles.h"
#include "texture/win32/texture.h"
#include "platform/shell.h"
#include "ui/about_text.h"

namespace zobl {

// The frames of the About tab's support panel: no control draws a bare frame.
void MainWindow::PaintPage(HWND page) const {
  const win32::ScopedPaint paint(page);
  const HDC dc = paint.Get();
  if (shown_ && page == shown_->controls.Page(WindowPage::About)) {
    for (const BevelDesign& bevel : kAboutBevels) {
      const DesignRect box = ScaleToDpi(bevel.bounds, scale_.Dpi());
      RECT frame{box.left, box.top, box.left + box.width, box.top + box.height};
      OffsetRect(&frame, shown_->controls.Extra().cx, 0);  // with the panel, at the right edge
      DrawEdge(dc, &frame, bevel.raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
    }
  }
}

// Labels are transparent over the page; the read-only memo keeps a window's colours.
LRESULT MainWindow::OnControlColour(HDC dc, HWND control) const {
  if (control == Control(kAboutText)) {
    // The pair the scheme gives: its window colour alone would leave black text on a dark one.
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  }
  SetBkMode(dc, TRANSPARENT);
  if (highContrast_) {
    // The user's colours alone, the link's too: none of ours may lessen the contrast asked for.
    SetTextColor(dc, GetSysColor(control == Control(kWebSiteLink) ? COLOR_HOTLIGHT : COLOR_BTNTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }
  if (control == Control(kWebSiteLink)) SetTextColor(dc, RGB(0, 0, 255));
  // Over the picture a label leaves its background alone; without it, the face colour
  // wipes what a label showed before (a text greyed out is drawn again in full).
  if (features_.texture.Painting()) return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void MainWindow::LoadAboutText() {
  const std::string text = zobl::LoadAboutText(services_.files);
  if (!SetWindowTextA(Control(kAboutText), text.c_str())) throw std::runtime_error("Text exceeds memo capacity");
}

void MainWindow::OpenPage(std::string_view page) { services_.shell.OpenAddress(WebAddress(page)); }

}  // namespace zobl
