// A catalog under the test display: TarnBmp in the test's start folder, a hidden main frame, a
// folder of solid-colour pictures catalogued through the folder dialog's request.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "base/ErrorLog.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "base/WinText.h"
#include "catalog/list/CatalogTable.h"
#include "catalog/list/FileOpenList.h"
#include "catalog/save/ImageSaver.h"
#include "image/PictureWnd.h"
#include "tests/plugin_host/HostFixture.h"
#include "tests/support/BmpBuilder.h"
#include "tests/support/OwnWindow.h"

namespace tarn::test {

constexpr char16_t kBuilding[] = u"画像ｶﾀﾛｸﾞ 作成中・・・";

// A 24-bit picture of one colour, as ImageMagick or Paint would write it.
inline std::string SolidBmp(int width, int height, COLORREF colour) {
  BmpFile f;
  f.width = width;
  f.height = height;
  const std::size_t row = DibRowBytes(width, 24);
  f.pixels.assign(row * static_cast<std::size_t>(height), 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = &f.pixels[y * row + x * 3];
      p[0] = GetBValue(colour);
      p[1] = GetGValue(colour);
      p[2] = GetRValue(colour);
    }
  const std::vector<std::uint8_t> bytes = MakeBmp(f);
  return std::string(bytes.begin(), bytes.end());
}

// A 24-bit BMP file as written: its size and the colour of a pixel (x from the left, y from the
// top); 0 and CLR_INVALID for what its bytes do not hold.
struct WrittenBmp {
  explicit WrittenBmp(std::string bytes) : data(std::move(bytes)) {}
  bool HasHeader() const { return data.size() >= 54 && data.compare(0, 2, "BM") == 0; }
  const std::uint8_t* At(std::size_t offset) const { return reinterpret_cast<const std::uint8_t*>(data.data()) + offset; }
  int Width() const { return HasHeader() ? static_cast<int>(ReadLe32(At(18))) : 0; }
  int Height() const { return HasHeader() ? static_cast<int>(ReadLe32(At(22))) : 0; }
  int Bits() const { return HasHeader() ? *At(28) : 0; }
  COLORREF Pixel(int x, int y) const {
    if (Bits() != 24 || x < 0 || y < 0 || x >= Width() || y >= Height()) return CLR_INVALID;
    const std::uint64_t offset = ReadLe32(At(10)) + DibRowBytes(Width(), 24) * (Height() - 1 - y) + x * 3;
    if (offset + 3 > data.size()) return CLR_INVALID;
    const std::uint8_t* p = At(offset);
    return RGB(p[2], p[1], p[0]);
  }
  std::string data;
};

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255),
                   kYellow = RGB(255, 255, 0);

// Thumbnails read back from the cache went through its 16-bit pixels: each channel keeps its top
// five or six bits.
inline ::testing::AssertionResult Near(COLORREF actual, COLORREF expected) {
  const auto close = [](int a, int b) { return a >= b - 8 && a <= b + 8; };
  if (close(GetRValue(actual), GetRValue(expected)) && close(GetGValue(actual), GetGValue(expected)) &&
      close(GetBValue(actual), GetBValue(expected)))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << std::hex << actual << " is not near " << expected;
}

// The save-as dialog answered from `answers` in turn (a cancel once none is left), each request
// kept in `asked`; both outlive the saver's use.
inline void ScriptSaveAs(CImageSaver& saver, std::vector<SaveAsRequest>& asked, std::vector<std::u16string>& answers) {
  saver.saveAs = [&asked, &answers](const SaveAsRequest& request, std::u16string& chosen) {
    asked.push_back(request);
    if (answers.empty()) return false;
    chosen = answers.front();
    answers.erase(answers.begin());
    return true;
  };
}

// Cancels the build once it has drawn `rows` rows; the file list before it runs to the end.
class BuildCancellingProgress : public RecordingProgressWindow {
 public:
  explicit BuildCancellingProgress(int rows) : rows_(rows) {}
  bool Cancelled() override { return text == kBuilding && lastPos > 0 && ++asked_ > rows_; }

 private:
  int rows_, asked_ = 0;
};

class CatalogTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    Install(L"TarnBmp.spi", L"TarnBmp.spi");
    ASSERT_EQ(Enumerate(), 1);
    CreateErrorLog();
    WriteFile(L"Tarn.cfg", "");  // individual mode in the test's own folder
    data_ = folder_ + L"pictures\\";
    CreateDirectoryW(data_.c_str(), nullptr);
    TheCatalog().rows = TheCatalog().offeredRows = TheCatalog().folderRows = 0;
    g_CatalogShown = g_CatalogBuilding = g_SlideShowRun = g_MoveRun = 0;
    picture_ = std::make_unique<CPictureWnd>(*registry_);
    frame_ = std::make_unique<CMainFrame>(*registry_, scratch_, *picture_);
    ASSERT_TRUE(frame_->Create(false));
    g_CatalogSize = 1;
    g_SmallMemFlag = 0;
    g_CatalogLimit = 1600;
    g_CatalogOffset = 0;
    g_ThumbNailFlag = 1;
    g_MonitorFlag = 0;
    g_HighSpeedFlag = 1;
    g_ExifThumbFlag = 1;
    g_ClearThumbFlag = 0;
    g_SubFolderOffset = 0;
    g_MinFileSize = g_MaxFileSize = 0;
    g_ExtRestrict = 0;
    g_SequenceFlag = 0;
  }

  void TearDown() override {
    g_SaveSuppressed = true;
    if (frame_ && frame_->Handle()) DestroyWindow(frame_->Handle());
    frame_.reset();
    picture_.reset();
    Pump(0);
    g_SaveSuppressed = false;
    TheFileListSources() = FileListSources{};
    // Empty until SetUp got that far: an empty name would list the working folder.
    if (!data_.empty()) {
      WIN32_FIND_DATAW found;
      HANDLE search = FindFirstFileW((data_ + L"*").c_str(), &found);
      if (search != INVALID_HANDLE_VALUE) {
        do DeleteFileW((data_ + found.cFileName).c_str());
        while (FindNextFileW(search, &found));
        FindClose(search);
      }
      RemoveDirectoryW(data_.c_str());
    }
    scratch_.Unload();
    HostTest::TearDown();
  }

  static void Pump(int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    MSG message;
    do {
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      Sleep(10);
    } while (GetTickCount() < end);
  }

  void Picture(const std::wstring& name, int width, int height, COLORREF colour) {
    const std::string bytes = SolidBmp(width, height, colour);
    HANDLE h = CreateFileW((data_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
  }

  // One display window, AUTO size on, the zoom screen off at 100 %: where the picture screens start.
  static void StartPictureScreens() {
    g_MultiWindowFlag = 0;
    g_AdjustSizeFlag = 1;
    g_ZoomScreenFlag = 0;
    g_ZoomPercent = 100;
  }

  // The catalog of the data folder, as a folder chosen in the folder browser.
  void Catalogue() { frame_->CatalogFolder(FromWide(data_.c_str())); }

  int Row(const char16_t* name) const {
    for (int i = 0; i < TheCatalog().rows; ++i)
      if (std::u16string(TheCatalog().entries[i].name) == name) return i;
    return -1;
  }

  // The catalog bitmap's pixel at `x`, `y` inside the cell of table row `row`.
  COLORREF CellPixel(int row, int x, int y) const {
    const CTarnView& view = frame_->View();
    const int slot = TheCatalog().entries[row].slot;
    const int columns = view.Shown().columns, W = 90;
    return GetPixel(view.CatalogBitmap().Dc(), slot % columns * W + x, slot / columns * W + y);
  }

  std::string Cache() { return ReadFile(data_ + L"_THUMB_N.TRN"); }

  std::wstring data_;
  CSPICore scratch_;
  std::unique_ptr<CPictureWnd> picture_;
  std::unique_ptr<CMainFrame> frame_;
};

}  // namespace tarn::test
