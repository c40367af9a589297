#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/scoped_handles.h"
#include "texture/texture_file.h"

namespace zobl {

inline constexpr char kTextureFile[] = "MARLO192.FON";

// The tiled background picture behind every window of the thread: after any of them has
// erased its background, a hook covers its client area with the picture, anchored to the
// screen. One per thread; it owns the picture and the hook, both gone with it.
class Texture {
 public:
  Texture() = default;
  ~Texture() { Disable(); }
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;

  // Remembers the file (at most 259 characters) and, with `enable`, starts painting.
  bool LoadPicture(const char* fileName, bool enable);
  // Loads the picture whole and hooks the thread. Succeeds at once when a picture is
  // held already, even one whose hook could not be installed.
  bool TextureEnable();
  // Unhooks and frees the picture.
  bool Disable();
  // While the system shows high contrast the picture stands aside: the hook paints
  // nothing, and the picture and the user's choice are kept for when it is switched off.
  void StandAside(bool aside) { standingAside_ = aside; }
  // True while the hook paints: labels then leave their background to the picture.
  [[nodiscard]] bool Painting() const { return hook_.IsValid() && format_.has_value() && !standingAside_; }

 private:
  struct TextureState {
    std::string fileName;
    std::optional<std::vector<std::uint8_t>> picture;  // the file's bytes as read
  };

  static LRESULT CALLBACK TexturePaintHook(int code, WPARAM wParam, LPARAM lParam);
  void PaintOver(HWND window, HDC dc) const;

  // The hook procedure gets no context of its own: the texture of this thread whose hook is on.
  static thread_local const Texture* hooked_;

  TextureState state_;
  std::optional<TextureFormat> format_;  // the picture's, when it passed the checks
  win32::ScopedHook hook_;
  bool standingAside_ = false;
};

}  // namespace zobl
