// Times the texture's two costs in one process, pinned to one core with its wineserver
// (bench/texture_paint.sh):
//  - one background erase of a 1280 x 1024 client area with the texture on, against one
//    SetDIBitsToDevice of the same area from a bitmap that already holds the tiled
//    picture: tiling in pieces should cost little more than the blit it replaces. The
//    erase without the texture shows the window's own share of it.
//  - a storm of messages the texture has nothing to do with, its hook in place against
//    none: the hook sees every message the thread's windows handle.
//   zobl_texture_paint_bench.exe [--rounds N] [--erases N] [--messages N]
// A round is N erases with the texture and a storm, N erases and a storm without it (the
// two in turn first), then N blits of the tiled bitmap, after a warm-up of each.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <span>
#include <vector>

#include "texture/win32/texture.h"
#include "texture/texture_file.h"
#include "texture/texture_tiling.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kAreaWidth = 1280;
constexpr int kAreaHeight = 1024;
constexpr UINT kStormMessage = WM_USER + 1;
constexpr char kClassName[] = "ZoblTexturePaintBench";

// Counted by the window procedure: the hook paints once per erase it sees handled, so
// one erase per timing is one paint per timing.
long g_erases = 0;
long g_stormMessages = 0;

[[noreturn]] void Fail(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  std::vfprintf(stderr, format, arguments);
  va_end(arguments);
  std::fputc('\n', stderr);
  std::exit(1);
}

LRESULT CALLBACK BenchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      if (wParam != 0) ++g_erases;
      break;  // the class brush, as any window of the program erases
    case kStormMessage: ++g_stormMessages; return 0;
    default: break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Handles what waits in the queue so that no timing pays for what came before it.
void Drain() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Milliseconds(Clock::time_point start, Clock::time_point end) {
  return std::chrono::duration<double, std::milli>(end - start).count();
}

// The file as the texture reads it, and its pixels as the screen should show them.
class Picture {
 public:
  explicit Picture(const char* fileName) {
    std::ifstream file(fileName, std::ios::binary);
    bytes_.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    const std::optional<zobl::TextureFormat> format = zobl::CheckTextureFile(bytes_);
    if (!format) Fail("%s is missing or not a picture the texture paints", fileName);
    if (bytes_[28] != 24 || bytes_[29] != 0) Fail("%s does not hold 24 bits per pixel", fileName);
    format_ = *format;
    rowBytes_ = (static_cast<std::size_t>(format_.width) * 3 + 3) / 4 * 4;
  }

  [[nodiscard]] int Width() const { return format_.width; }
  [[nodiscard]] int Height() const { return format_.height; }

  // Rows are stored bottom row first, each pixel blue, green, red.
  [[nodiscard]] COLORREF At(int x, int y) const {
    const std::uint8_t* pixel =
        bytes_.data() + format_.pixelOffset + static_cast<std::size_t>(format_.height - 1 - y) * rowBytes_ + 3 * x;
    return RGB(pixel[2], pixel[1], pixel[0]);
  }

  // Screen pixel (x, y) of a window at the screen's origin.
  [[nodiscard]] COLORREF OnScreen(int x, int y) const { return At(x % format_.width, y % format_.height); }

 private:
  std::vector<std::uint8_t> bytes_;
  zobl::TextureFormat format_;
  std::size_t rowBytes_ = 0;
};

// The whole area already tiled, bottom-up at 24 bits as the file is: the fastest a
// tiled background can reach the window is one blit of this.
struct TiledArea {
  BITMAPINFO info{};
  std::vector<std::uint8_t> bits;

  explicit TiledArea(const Picture& picture) {
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kAreaWidth;
    info.bmiHeader.biHeight = kAreaHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const std::size_t rowBytes = (kAreaWidth * 3 + 3) / 4 * 4;
    bits.resize(rowBytes * kAreaHeight);
    for (int y = 0; y < kAreaHeight; ++y) {
      std::uint8_t* row = bits.data() + static_cast<std::size_t>(kAreaHeight - 1 - y) * rowBytes;
      for (int x = 0; x < kAreaWidth; ++x) {
        const COLORREF colour = picture.OnScreen(x, y);
        row[3 * x] = GetBValue(colour);
        row[3 * x + 1] = GetGValue(colour);
        row[3 * x + 2] = GetRValue(colour);
      }
    }
  }
};

// Corners, tile seams and the area's far edge.
constexpr POINT kCheckPoints[] = {{0, 0},     {191, 191}, {192, 0},   {191, 192}, {383, 384},
                                  {640, 512}, {1000, 77}, {37, 1000}, {1279, 0},  {1279, 1023}};

enum class Expect { Picture, ButtonFace };

struct Screen {
  HWND window = nullptr;
  HDC dc = nullptr;
  const Picture* picture = nullptr;
  HBRUSH sentinel = nullptr;  // a colour that none of the expected pixels has

  // Covers the area with the sentinel, outside any timing, so that each check sees what
  // the timed call itself painted.
  void Clear() const {
    const RECT area{0, 0, kAreaWidth, kAreaHeight};
    FillRect(dc, &area, sentinel);
    GdiFlush();
    Drain();
  }

  void Check(Expect expect, const char* what) const {
    for (const POINT& point : kCheckPoints) {
      const COLORREF shown = GetPixel(dc, point.x, point.y);
      const COLORREF wanted =
          expect == Expect::Picture ? picture->OnScreen(point.x, point.y) : GetSysColor(COLOR_BTNFACE);
      if (shown != wanted) {
        Fail("%s: pixel (%ld, %ld) is %06lx, not %06lx", what, point.x, point.y, static_cast<unsigned long>(shown),
             static_cast<unsigned long>(wanted));
      }
    }
  }
};

// SendMessageA rather than RedrawWindow: the window procedure gets exactly this one
// erase, on the window's own DC, and the hook paints once after it; no invalidation and
// no pending WM_PAINT come with it.
double TimeErase(const Screen& screen, Expect expect, const char* what) {
  screen.Clear();
  const long before = g_erases;
  const auto start = Clock::now();
  SendMessageA(screen.window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(screen.dc), 0);
  const auto end = Clock::now();
  if (g_erases != before + 1) Fail("%s: %ld erases handled, not 1", what, g_erases - before);
  screen.Check(expect, what);
  return Milliseconds(start, end);
}

double TimeBlit(const Screen& screen, const TiledArea& tiled) {
  screen.Clear();
  const auto start = Clock::now();
  const int lines = SetDIBitsToDevice(screen.dc, 0, 0, kAreaWidth, kAreaHeight, 0, 0, 0, kAreaHeight, tiled.bits.data(),
                                      &tiled.info, DIB_RGB_COLORS);
  const auto end = Clock::now();
  if (lines != kAreaHeight) Fail("the blit of the tiled area copied %d lines, not %d", lines, kAreaHeight);
  screen.Check(Expect::Picture, "the blit of the tiled area");
  return Milliseconds(start, end);
}

// Every message goes the way of any message the program's windows handle: the window
// procedure, then, with the texture on, its hook.
double TimeStorm(HWND window, int messages) {
  Drain();
  g_stormMessages = 0;
  const auto start = Clock::now();
  for (int i = 0; i < messages; ++i) SendMessageA(window, kStormMessage, 0, 0);
  const auto end = Clock::now();
  if (g_stormMessages != messages) Fail("the storm reached the window %ld times, not %d", g_stormMessages, messages);
  return Milliseconds(start, end);
}

void SetTexture(zobl::Texture& texture, bool on) {
  if (on) {
    if (!texture.TextureEnable() || !texture.Painting()) {
      Fail("the texture does not paint: no %s, a damaged one or a screen of 256 colours", zobl::kTextureFile);
    }
  } else {
    texture.Disable();
    if (texture.Painting()) Fail("the texture still paints once disabled");
  }
}

struct Phase {
  std::vector<double> erases;
  double storm = 0;
};

Phase RunPhase(const Screen& screen, zobl::Texture& texture, bool on, int erases, int messages) {
  SetTexture(texture, on);
  Phase phase;
  const char* what = on ? "the erase with the texture" : "the erase without the texture";
  for (int i = 0; i < erases; ++i)
    phase.erases.push_back(TimeErase(screen, on ? Expect::Picture : Expect::ButtonFace, what));
  phase.storm = TimeStorm(screen.window, messages);
  return phase;
}

std::vector<double> RunBlits(const Screen& screen, const TiledArea& tiled, int blits) {
  std::vector<double> times;
  for (int i = 0; i < blits; ++i) times.push_back(TimeBlit(screen, tiled));
  return times;
}

HWND CreateBenchWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = BenchWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (RegisterClassA(&windowClass) == 0) Fail("RegisterClassA failed: %lu", GetLastError());
  // A popup at the screen's origin: no frame, so the client area is the whole screen
  // and the picture's phase is zero on both axes.
  const HWND window = CreateWindowExA(0, kClassName, "Texture paint bench", WS_POPUP, 0, 0, kAreaWidth, kAreaHeight,
                                      nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window == nullptr) Fail("CreateWindowExA failed: %lu", GetLastError());
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  Drain();
  return window;
}

COLORREF PickSentinel(const Picture& picture) {
  for (const COLORREF candidate : {RGB(255, 0, 255), RGB(1, 254, 3), RGB(17, 34, 51)}) {
    if (candidate == GetSysColor(COLOR_BTNFACE)) continue;
    if (std::none_of(std::begin(kCheckPoints), std::end(kCheckPoints),
                     [&](const POINT& p) { return picture.OnScreen(p.x, p.y) == candidate; })) {
      return candidate;
    }
  }
  Fail("no sentinel colour differs from every pixel checked");
}

int Bench(int rounds, int erases, int messages) {
  const Picture picture(zobl::kTextureFile);
  const TiledArea tiled(picture);

  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (screenWidth < kAreaWidth || screenHeight < kAreaHeight) {
    Fail("the screen is %d x %d, smaller than the %d x %d area", screenWidth, screenHeight, kAreaWidth, kAreaHeight);
  }

  const HWND window = CreateBenchWindow();
  RECT client{};
  GetClientRect(window, &client);
  if (client.right != kAreaWidth || client.bottom != kAreaHeight) {
    Fail("the client area is %ld x %ld, not %d x %d", client.right, client.bottom, kAreaWidth, kAreaHeight);
  }
  POINT origin{};
  ClientToScreen(window, &origin);
  if (origin.x != 0 || origin.y != 0) Fail("the client area starts at (%ld, %ld), not (0, 0)", origin.x, origin.y);

  Screen screen;
  screen.window = window;
  screen.dc = GetDC(window);
  screen.picture = &picture;
  screen.sentinel = CreateSolidBrush(PickSentinel(picture));
  if (screen.dc == nullptr || screen.sentinel == nullptr) Fail("no DC or no brush for the window");

  int pieces = 0;
  zobl::ForEachTilePiece(kAreaWidth, kAreaHeight, picture.Width(), picture.Height(), 0, 0,
                         [&](const zobl::TilePiece&) { ++pieces; });
  std::printf("client area %d x %d on a %d x %d screen; picture %d x %d, %d pieces per erase\n", kAreaWidth,
              kAreaHeight, screenWidth, screenHeight, picture.Width(), picture.Height(), pieces);
  std::printf("an erase: SendMessageA(WM_ERASEBKGND) with the window's DC, one paint of the hook each\n");
  std::printf("a storm: %d SendMessageA(WM_USER+1) returning 0\n", messages);

  zobl::Texture texture;
  if (!texture.LoadPicture(zobl::kTextureFile, false)) Fail("TextureInit failed");

  // Warm-up: the file's first read, the window's surface, the paths of both blits.
  RunPhase(screen, texture, true, erases, messages / 10);
  RunPhase(screen, texture, false, erases, messages / 10);
  RunBlits(screen, tiled, erases);

  std::vector<double> onErases;
  std::vector<double> offErases;
  std::vector<double> blits;
  std::vector<double> onStorms;
  std::vector<double> offStorms;
  for (int round = 1; round <= rounds; ++round) {
    // In turn first, so that neither state always follows the other.
    const bool onFirst = round % 2 == 1;
    Phase on;
    Phase off;
    if (onFirst) {
      on = RunPhase(screen, texture, true, erases, messages);
      off = RunPhase(screen, texture, false, erases, messages);
    } else {
      off = RunPhase(screen, texture, false, erases, messages);
      on = RunPhase(screen, texture, true, erases, messages);
    }
    const std::vector<double> blitRound = RunBlits(screen, tiled, erases);

    const double onMedian = Median(on.erases);
    const double offMedian = Median(off.erases);
    const double blitMedian = Median(blitRound);
    std::printf(
        "  round %d: texture erase %.3f ms, erase without %.3f ms, one blit %.3f ms (%.2f); "
        "storm on %.1f ms, off %.1f ms (%.3f)\n",
        round, onMedian, offMedian, blitMedian, onMedian / blitMedian, on.storm, off.storm, on.storm / off.storm);
    std::fflush(stdout);
    onErases.insert(onErases.end(), on.erases.begin(), on.erases.end());
    offErases.insert(offErases.end(), off.erases.begin(), off.erases.end());
    blits.insert(blits.end(), blitRound.begin(), blitRound.end());
    onStorms.push_back(on.storm);
    offStorms.push_back(off.storm);
  }
  texture.Disable();
  ReleaseDC(window, screen.dc);
  DeleteObject(screen.sentinel);
  DestroyWindow(window);

  const double onMedian = Median(onErases);
  const double offMedian = Median(offErases);
  const double blitMedian = Median(blits);
  const double onStorm = Median(onStorms);
  const double offStorm = Median(offStorms);
  std::printf(
      "median of %zu each: texture erase %.3f ms, erase without the texture %.3f ms (%.0f%% of it), "
      "one blit of the area %.3f ms\n",
      onErases.size(), onMedian, offMedian, 100 * offMedian / onMedian, blitMedian);
  std::printf("median of %zu storms each: texture on %.1f ms (%.0f ns a message), off %.1f ms (%.0f ns a message)\n",
              onStorms.size(), onStorm, 1e6 * onStorm / messages, offStorm, 1e6 * offStorm / messages);
  std::printf("texture erase / one blit of the area: %.2f (goal: at most 1.5)\n", onMedian / blitMedian);
  std::printf("message storm, texture on / off: %.3f (goal: at most 1.05)\n", onStorm / offStorm);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = 5;
  int erases = 20;
  int messages = 200000;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) {
      rounds = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--erases") == 0 && i + 1 < argc) {
      erases = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--messages") == 0 && i + 1 < argc) {
      messages = std::atoi(argv[++i]);
    } else {
      rounds = 0;
      break;
    }
  }
  if (rounds < 1 || erases < 1 || messages < 10) {
    std::fprintf(stderr, "usage: zobl_texture_paint_bench [--rounds N] [--erases N] [--messages N]\n");
    return 2;
  }
  return Bench(rounds, erases, messages);
}
