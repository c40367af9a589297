#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <map>
#include <memory>

#include "ui/window_design.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/window_base.h"
#include "platform/win32/window_scale.h"

namespace zobl {

// The window's fonts at the screen's resolution.
struct WindowFonts {
  explicit WindowFonts(int dpi);
  [[nodiscard]] HFONT Get(FontKind kind) const;

  win32::ScopedFont normal;
  win32::ScopedFont minorAction;
  win32::ScopedFont mainAction;
  win32::ScopedFont linksHeading;
  win32::ScopedFont aboutTitle;
  win32::ScopedFont aboutVersion;
};

// The action of the control `id` when it tells its parent `notification`: a click on a
// button, check box, tool button or the link, a change of the filter box's text or of the
// sort box's choice. nullptr for anything else.
[[nodiscard]] ControlAction ActionOf(int id, int notification);

// A tab page: a plain window over the page control's display area. Its owner, the form,
// handles the page's messages, those of the controls on it among them, as its own.
class TabSheet final : public win32::WindowBase<TabSheet> {
 public:
  class Owner {
   public:
    virtual LRESULT PageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) = 0;

   protected:
    ~Owner() = default;
  };

  TabSheet(HWND pageControl, HINSTANCE instance, const char* caption, Owner& owner);
  ~TabSheet();
  TabSheet(const TabSheet&) = delete;
  TabSheet& operator=(const TabSheet&) = delete;

 private:
  friend class win32::WindowBase<TabSheet>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return owner_.PageMessage(window_, message, wParam, lParam);
  }

  Owner& owner_;
};

// The window's controls, made from the design: the page control with its four pages,
// and every control on the window and on the pages, with fonts and tooltips. They go
// with it, before the fonts and pictures they show. Their fonts, pictures, tooltips and
// places follow the window's scale; the next Layout places the controls there.
class MainWindowControls final : private win32::WindowScale::Follower {
 public:
  MainWindowControls(HWND window, HINSTANCE instance, const win32::WindowScale& scale, TabSheet::Owner& pageOwner);
  ~MainWindowControls();
  MainWindowControls(const MainWindowControls&) = delete;
  MainWindowControls& operator=(const MainWindowControls&) = delete;

  [[nodiscard]] HWND Get(ControlId id) const;
  [[nodiscard]] HWND Page(WindowPage page) const;
  // Selects the page's tab, shows the page and hides the others.
  void ShowPage(WindowPage page) const;
  // Places every control for a client area `extra` pixels wider and higher than the
  // design (never less than 0), the window's own controls moved by its scroll position.
  void Layout(SIZE extra, POINT scroll);
  // The room beyond the design the last layout gave out, which the pages also get.
  [[nodiscard]] SIZE Extra() const { return extra_; }

 private:
  void DpiChanged(int previousDpi) override;
  HWND Create(const ControlDesign& design, HWND parent);
  // Where the design puts the control at the current resolution, labels measured in `font`.
  [[nodiscard]] RECT DesignPlace(const ControlDesign& design, HFONT font) const;
  void SetToolBarPictures(HWND toolBar);
  void SetAuthorPicture(HWND button);
  void SetTabPadding(HWND pageControl) const;
  void CreatePages(HWND pageControl, TabSheet::Owner& pageOwner);
  void PlacePages() const;
  void SetUpToolBar(HWND toolBar);
  void SetUpComboBox(HWND combo);
  void AddHint(HWND control, const char* hint);
  [[nodiscard]] SIZE TextSize(const char* text, HFONT font, int wrapWidth) const;

  HWND window_;
  HINSTANCE instance_;
  WindowFonts fonts_;
  HWND tooltip_ = nullptr;
  win32::ScopedImageList toolBarImages_;  // freed after the window, which owns the tool bar
  win32::ScopedIcon authorPicture_;
  std::array<std::unique_ptr<TabSheet>, 4> pages_;
  std::map<ControlId, HWND> controls_;
  std::map<ControlId, RECT> designPlaces_;  // as made, in the parent's client coordinates
  SIZE extra_{};
};

}  // namespace zobl
