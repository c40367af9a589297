#include "mainwindow/design_scroll.h"

#include <algorithm>

namespace zobl {

void DesignScroll::Fit() {
  RECT client;
  GetClientRect(window_, &client);
  const int extent[] = {scale_.Pixels(design_.cx), scale_.Pixels(design_.cy)};
  const int page[] = {client.right - client.left, client.bottom - client.top};
  for (const int bar : {SB_HORZ, SB_VERT}) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = 0;
    info.nMax = extent[bar] - 1;
    info.nPage = static_cast<UINT>(std::max(page[bar], 0));
    SetScrollInfo(window_, bar, &info, TRUE);
    ScrollTo(bar, GetScrollPos(window_, bar));  // the system may have clamped it
  }
}

void DesignScroll::Scroll(int bar, int request) {
  const int line = scale_.Pixels(16);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(window_, bar, &info);
  int position = info.nPos;
  switch (request) {
    case SB_LINEUP: position -= line; break;
    case SB_LINEDOWN: position += line; break;
    case SB_PAGEUP: position -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: position += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK: position = info.nTrackPos; break;
    case SB_TOP: position = info.nMin; break;
    case SB_BOTTOM: position = info.nMax; break;
    default: return;
  }
  SetScrollPos(window_, bar, position, TRUE);
  ScrollTo(bar, GetScrollPos(window_, bar));
}

void DesignScroll::Home() {
  for (const int bar : {SB_VERT, SB_HORZ}) {
    SetScrollPos(window_, bar, 0, TRUE);
    ScrollTo(bar, 0);
  }
}

void DesignScroll::ScrollTo(int bar, int position) {
  LONG& current = bar == SB_HORZ ? offset_.x : offset_.y;
  if (position == current) return;
  const int delta = current - position;
  current = position;
  ScrollWindowEx(window_, bar == SB_HORZ ? delta : 0, bar == SB_VERT ? delta : 0, nullptr, nullptr, nullptr, nullptr,
                 SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

}  // namespace zobl
