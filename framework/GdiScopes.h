// Small owners for device-context state that must be given back on every way out: the screen's
// DC, a paint DC, a stretch mode set for one draw, and a menu made in code.
#pragma once

#include <windows.h>

namespace tarn {

// The screen's device context, released when the block ends.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_ != nullptr) ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  operator HDC() const { return dc_; }

 private:
  HDC dc_;
};

// BeginPaint and its EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintDc() { EndPaint(window_, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  operator HDC() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// A stretch mode for one draw; the context's own mode comes back afterwards.
class StretchModeScope {
 public:
  StretchModeScope(HDC dc, int mode) : dc_(dc), previous_(SetStretchBltMode(dc, mode)) {}
  ~StretchModeScope() {
    if (previous_ != 0) SetStretchBltMode(dc_, previous_);
  }
  StretchModeScope(const StretchModeScope&) = delete;
  StretchModeScope& operator=(const StretchModeScope&) = delete;

 private:
  HDC dc_;
  int previous_;
};

// A menu made in code, destroyed with everything under it.
class OwnedMenu {
 public:
  explicit OwnedMenu(HMENU menu) : menu_(menu) {}
  ~OwnedMenu() {
    if (menu_ != nullptr) DestroyMenu(menu_);
  }
  OwnedMenu(OwnedMenu&& other) noexcept : menu_(other.menu_) { other.menu_ = nullptr; }
  OwnedMenu& operator=(OwnedMenu&&) = delete;
  OwnedMenu(const OwnedMenu&) = delete;
  OwnedMenu& operator=(const OwnedMenu&) = delete;
  HMENU Get() const { return menu_; }

 private:
  HMENU menu_;
};

}  // namespace tarn
