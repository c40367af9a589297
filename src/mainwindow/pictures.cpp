#include "mainwindow/pictures.h"

#include <algorithm>
#include <functional>

#include "platform/dpi.h"
#include "platform/win32/gdi_handles.h"

namespace zobl {

using win32::ScopedBitmap;
using win32::ScopedBrush;
using win32::ScopedFont;
using win32::ScopedMemoryDc;
using win32::ScopedPen;
using win32::ScopedSelectObject;
using win32::ScopedWindowDc;

namespace {

constexpr COLORREF kGreen = RGB(0, 168, 64);
constexpr COLORREF kRed = RGB(220, 0, 0);
constexpr COLORREF kTransparent = RGB(255, 0, 255);  // the mask colour of the tool bar pictures

using Painter = std::function<void(HDC, int size)>;

void FillBox(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
  const ScopedBrush brush(CreateSolidBrush(color));
  const RECT box{left, top, right, bottom};
  FillRect(dc, &box, brush.Get());
}

void FrameBox(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
  const ScopedBrush brush(CreateSolidBrush(color));
  const RECT box{left, top, right, bottom};
  FrameRect(dc, &box, brush.Get());
}

// Paints one square picture into a fresh bitmap with the screen's colours, or a
// monochrome one for an icon's mask.
HBITMAP Paint(int size, const Painter& painter, bool monochrome = false) {
  const ScopedWindowDc screen(nullptr);
  const ScopedMemoryDc dc(CreateCompatibleDC(screen.Get()));
  HBITMAP bitmap =
      monochrome ? CreateBitmap(size, size, 1, 1, nullptr) : CreateCompatibleBitmap(screen.Get(), size, size);
  {
    const ScopedSelectObject selected(dc.Get(), bitmap);
    painter(dc.Get(), size);
  }
  return bitmap;
}

void AddMasked(HIMAGELIST list, int size, const Painter& painter) {
  const ScopedBitmap bitmap(Paint(size, painter));
  ImageList_AddMasked(list, bitmap.Get(), kTransparent);
}

void PaintOk(HDC dc, int size) {
  FillBox(dc, 0, 0, size, size, kGreen);
  const ScopedFont font(CreateFontA(-(size * 3 / 5), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                                    DEFAULT_PITCH | FF_SWISS, "Arial"));
  const ScopedSelectObject selected(dc, font.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT box{0, 0, size, size};
  DrawTextA(dc, "OK", 2, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void PaintForbidden(HDC dc, int size) {
  FillBox(dc, 0, 0, size, size, kGreen);
  const int pen = size >= 32 ? 4 : 2;
  const ScopedPen red(CreatePen(PS_SOLID, pen, kRed));
  const ScopedSelectObject selectedPen(dc, red.Get());
  const ScopedSelectObject selectedBrush(dc, GetStockObject(NULL_BRUSH));
  const int inset = pen / 2 + 1;
  Ellipse(dc, inset, inset, size - inset + 1, size - inset + 1);
  // The bar from top left to bottom right, inside the ring.
  const int bar = size * 3 / 10;
  MoveToEx(dc, bar, bar, nullptr);
  LineTo(dc, size - bar, size - bar);
}

// The tool bar's pictures are drawn on a 16-pixel grid and stretched to their size,
// rounded as the window's lengths are.
int Grid(int gridUnits, int size) { return ScaleRounded(gridUnits, size, 16); }

void PaintDetails(HDC dc, int size) {
  const auto g = [size](int units) { return Grid(units, size); };
  FillBox(dc, 0, 0, size, size, kTransparent);
  FillBox(dc, g(1), g(2), size - g(1), size - g(2), RGB(255, 255, 255));
  FrameBox(dc, g(1), g(2), size - g(1), size - g(2), RGB(64, 64, 64));
  const int line = std::max(1, g(1));
  for (int row = 0; row < 3; ++row) {
    const int y = g(4 + 3 * row);
    FillBox(dc, g(3), y, g(5), y + 2 * line, RGB(0, 96, 192));
    FillBox(dc, g(6), y, size - g(3), y + line, RGB(0, 0, 0));
  }
}

void PaintLargeIcons(HDC dc, int size) {
  FillBox(dc, 0, 0, size, size, kTransparent);
  const int half = size / 2;
  const int gap = std::max(1, Grid(1, size));
  for (const int x : {gap, half + gap}) {
    for (const int y : {gap, half + gap}) FillBox(dc, x, y, x + half - 2 * gap, y + half - 2 * gap, RGB(0, 96, 192));
  }
}

void PaintPrinter(HDC dc, int size) {
  const auto g = [size](int units) { return Grid(units, size); };
  FillBox(dc, 0, 0, size, size, kTransparent);
  FillBox(dc, g(4), g(1), size - g(4), g(7), RGB(255, 255, 255));  // the sheet coming out
  FrameBox(dc, g(4), g(1), size - g(4), g(7), RGB(64, 64, 64));
  FillBox(dc, g(1), g(6), size - g(1), size - g(3), RGB(160, 160, 160));  // the body
  FrameBox(dc, g(1), g(6), size - g(1), size - g(3), RGB(32, 32, 32));
  FillBox(dc, size - g(4), g(8), size - g(2), g(10), RGB(0, 200, 0));  // the power light
  FillBox(dc, g(3), size - g(5), size - g(3), size - g(1), RGB(255, 255, 255));
  FrameBox(dc, g(3), size - g(5), size - g(3), size - g(1), RGB(64, 64, 64));
}

// A list with ticked boxes: several programs at once.
void PaintTickedList(HDC dc, int size) {
  const auto g = [size](int units) { return Grid(units, size); };
  FillBox(dc, 0, 0, size, size, kTransparent);
  const int line = std::max(1, g(1));
  for (int row = 0; row < 3; ++row) {
    const int y = g(1 + 5 * row);
    FillBox(dc, g(1), y, g(5), y + g(4), RGB(255, 255, 255));
    FrameBox(dc, g(1), y, g(5), y + g(4), RGB(64, 64, 64));
    if (row < 2) FillBox(dc, g(2), y + g(1), g(4), y + g(3), RGB(0, 150, 0));
    FillBox(dc, g(7), y + g(2) - line / 2, size - g(1), y + g(2) - line / 2 + line, RGB(0, 0, 0));
  }
}

}  // namespace

win32::ScopedImageList CreateRowImages(int size) {
  win32::ScopedImageList list(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 2, 0));
  AddMasked(list.Get(), size, PaintOk);
  AddMasked(list.Get(), size, PaintForbidden);
  return list;
}

win32::ScopedImageList CreateToolBarImages(int size) {
  win32::ScopedImageList list(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 4, 0));
  AddMasked(list.Get(), size, PaintDetails);
  AddMasked(list.Get(), size, PaintLargeIcons);
  AddMasked(list.Get(), size, PaintPrinter);
  AddMasked(list.Get(), size, PaintTickedList);
  return list;
}

namespace {

// An icon from a picture painted on black and a mask that keeps the painted shapes.
HICON MakeIcon(int size, const Painter& picture, const Painter& shape) {
  const ScopedBitmap color(Paint(size, picture));
  const ScopedBitmap mask(Paint(
      size,
      [&shape](HDC dc, int side) {
        FillBox(dc, 0, 0, side, side, RGB(255, 255, 255));
        shape(dc, side);
      },
      /*monochrome=*/true));
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = color.Get();
  info.hbmMask = mask.Get();
  return CreateIconIndirect(&info);
}

void BlackDisc(HDC dc, int left, int top, int right, int bottom) {
  const ScopedSelectObject selectedBrush(dc, GetStockObject(BLACK_BRUSH));
  const ScopedSelectObject selectedPen(dc, GetStockObject(NULL_PEN));
  Ellipse(dc, left, top, right, bottom);
}

}  // namespace

// A green disc holding a white Z.
HICON CreateWindowIcon() {
  return MakeIcon(
      32,
      [](HDC dc, int size) {
        FillBox(dc, 0, 0, size, size, RGB(0, 0, 0));
        const ScopedBrush green(CreateSolidBrush(kGreen));
        const ScopedSelectObject selectedBrush(dc, green.Get());
        const ScopedSelectObject selectedPen(dc, GetStockObject(NULL_PEN));
        Ellipse(dc, 0, 0, size + 1, size + 1);
        const ScopedPen white(CreatePen(PS_SOLID, 4, RGB(255, 255, 255)));
        const ScopedSelectObject selectedWhite(dc, white.Get());
        const POINT z[] = {{9, 9}, {23, 9}, {9, 23}, {23, 23}};
        Polyline(dc, z, 4);
      },
      [](HDC dc, int size) { BlackDisc(dc, 0, 0, size + 1, size + 1); });
}

HICON CreateAuthorIcon(int size) {
  const auto head = [](int side) { return RECT{side / 3, side / 10, side * 2 / 3 + 1, side / 2}; };
  const auto shoulders = [](int side) { return RECT{side / 8, side / 2 + 1, side - side / 10, side + side / 2}; };
  return MakeIcon(
      size,
      [&](HDC dc, int side) {
        FillBox(dc, 0, 0, side, side, RGB(0, 0, 0));
        const ScopedSelectObject selectedPen(dc, GetStockObject(NULL_PEN));
        const ScopedBrush skin(CreateSolidBrush(RGB(240, 200, 160)));
        const ScopedBrush shirt(CreateSolidBrush(RGB(0, 96, 192)));
        {
          const ScopedSelectObject selected(dc, shirt.Get());
          const RECT body = shoulders(side);
          Ellipse(dc, body.left, body.top, body.right, body.bottom);
        }
        const ScopedSelectObject selected(dc, skin.Get());
        const RECT face = head(side);
        Ellipse(dc, face.left, face.top, face.right, face.bottom);
      },
      [&](HDC dc, int side) {
        const RECT body = shoulders(side);
        const RECT face = head(side);
        BlackDisc(dc, body.left, body.top, body.right, body.bottom);
        BlackDisc(dc, face.left, face.top, face.right, face.bottom);
      });
}

}  // namespace zobl
