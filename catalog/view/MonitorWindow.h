// The catalog monitor: a small window beside the catalog that shows each thumbnail as it is made,
// in a 90 x 90 box with the file's name under it, while the monitor setting is on.
#pragma once

#include <string_view>

#include "catalog/view/CellTitle.h"
#include "framework/MemoryBitmap.h"
#include "framework/Window.h"

namespace tarn {

class CMonitorWindow final : public CWindow {
 public:
  // Shows the window at the top right of `owner`'s client area; false when it cannot be made.
  bool Open(HWND owner);
  void Close();
  bool IsOpen() const { return Handle() != nullptr && IsWindowVisible(Handle()); }

  // The surface the thumbnail is drawn into; null while closed.
  HDC Surface() const { return m_Surface.Dc(); }
  void Clear();
  // Writes the name under the box and shows the surface.
  void ShowTitle(std::u16string_view name, HFONT font, int budget);

  static constexpr int kClientWidth = 98;
  static constexpr int kClientHeight = 108;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  MemoryBitmap m_Surface;
};

}  // namespace tarn
