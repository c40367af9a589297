#include "texture/win32/texture.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <span>

#include "platform/utf8.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/gdi_handles.h"
#include "texture/texture_tiling.h"

namespace zobl {
namespace {

constexpr std::size_t kLongestFileName = 259;
constexpr int kLeastScreenDepth = 15;

// Palette screens of 256 colours or fewer get no texture; an unknown screen does.
bool ScreenDeepEnough() {
  const win32::ScopedWindowDc screen(nullptr);
  if (screen.Get() == nullptr) return true;
  return GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES) >= kLeastScreenDepth;
}

// A file that cannot be read whole, or held in memory, is no picture.
std::optional<std::vector<std::uint8_t>> ReadWhole(const std::string& fileName) try {
  const win32::ScopedFileHandle file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return std::nullopt;
  const DWORD size = GetFileSize(file.Get(), nullptr);
  if (size == 0 || size == INVALID_FILE_SIZE) return std::nullopt;
  std::vector<std::uint8_t> bytes(size);
  DWORD read = 0;
  if (!ReadFile(file.Get(), bytes.data(), size, &read, nullptr) || read != size) return std::nullopt;
  return bytes;
} catch (const std::bad_alloc&) {
  return std::nullopt;
}

}  // namespace

thread_local const Texture* Texture::hooked_ = nullptr;

bool Texture::LoadPicture(const char* fileName, bool enable) {
  state_.fileName.assign(fileName, Utf8FitLength(fileName, kLongestFileName + 1));
  return enable ? TextureEnable() : true;
}

bool Texture::TextureEnable() {
  if (hook_.IsValid() || state_.picture) return true;
  if (!ScreenDeepEnough()) return false;
  state_.picture = ReadWhole(state_.fileName);
  if (!state_.picture) return false;
  // A damaged file counts as no picture at all: no blit may read past its bytes.
  format_ = CheckTextureFile(*state_.picture);
  if (!format_) {
    state_.picture.reset();
    return false;
  }
  hook_ = win32::ScopedHook(
      SetWindowsHookExA(WH_CALLWNDPROCRET, &Texture::TexturePaintHook, nullptr, GetCurrentThreadId()));
  if (!hook_.IsValid()) return false;
  hooked_ = this;
  return true;
}

bool Texture::Disable() {
  if (hook_.IsValid()) {
    hook_.Reset();
    if (hooked_ == this) hooked_ = nullptr;
  }
  state_.picture.reset();
  format_.reset();
  return true;
}

// Runs after every message a window procedure of the thread has handled: it returns at
// once for all but a background erase with a device context to paint on.
LRESULT CALLBACK Texture::TexturePaintHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code < 0) return CallNextHookEx(nullptr, code, wParam, lParam);
  if (lParam == 0) return 0;
  const auto& handled = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (handled.message != WM_ERASEBKGND || handled.wParam == 0 || hooked_ == nullptr) return 0;
  hooked_->PaintOver(handled.hwnd, reinterpret_cast<HDC>(handled.wParam));
  return 0;
}

void Texture::PaintOver(HWND window, HDC dc) const {
  if (!Painting() || !state_.picture) return;
  RECT client;
  if (!GetClientRect(window, &client)) return;
  POINT origin{};
  if (!GetDCOrgEx(dc, &origin)) return;
  const std::uint8_t* bytes = state_.picture->data();
  const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes + format_->infoOffset);
  const std::uint8_t* pixels = bytes + format_->pixelOffset;
  const int height = format_->height;
  ForEachTilePiece(client.right, client.bottom, format_->width, height, origin.x, origin.y,
                   [&](const TilePiece& piece) {
                     SetDIBitsToDevice(dc, piece.x, piece.y, static_cast<DWORD>(piece.width),
                                       static_cast<DWORD>(piece.height), piece.sourceX, piece.sourceRowFromBottom, 0,
                                       static_cast<UINT>(height), pixels, info, DIB_RGB_COLORS);
                   });
}

}  // namespace zobl
