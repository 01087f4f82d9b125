// The whole catalog under Wine: a folder of 1,000 pictures of 640 x 480 at 24 bits catalogued at
// size M, first without a thumbnail cache (every file decoded and cached) and then with it. The
// figures are pictures per second and the warm speed over the cold one.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "base/AppGlobals.h"
#include "base/ErrorLog.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "base/WinText.h"
#include "catalog/CatalogTable.h"
#include "catalog/FileOpenList.h"
#include "common/Handles.h"
#include "image/PictureWnd.h"
#include "plugin_host/PluginRegistry.h"
#include "plugin_host/SPICore.h"

namespace tarn {
namespace {

constexpr int kPictures = 1000, kWidth = 640, kHeight = 480;

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

bool WriteWhole(const std::wstring& path, const std::vector<unsigned char>& bytes) {
  const FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  return file.IsOpen() &&
         WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

// A 24-bit BMP whose colours differ from picture to picture, so that no two thumbnails are alike.
std::vector<unsigned char> Picture(int seed) {
  const std::size_t row = (kWidth * 3 + 3) & ~3u, pixels = row * kHeight;
  std::vector<unsigned char> bytes(54 + pixels);
  const auto put = [&](std::size_t at, unsigned value, int count) {
    for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put(2, static_cast<unsigned>(bytes.size()), 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, kWidth, 4);
  put(22, kHeight, 4);
  put(26, 1, 2);
  put(28, 24, 2);
  put(34, static_cast<unsigned>(pixels), 4);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      unsigned char* p = &bytes[54 + y * row + x * 3];
      p[0] = static_cast<unsigned char>(x + seed);
      p[1] = static_cast<unsigned char>(y + seed * 3);
      p[2] = static_cast<unsigned char>(x ^ y ^ seed);
    }
  return bytes;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int Run() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring work = std::wstring(temp) + L"tarn-catalog-bench\\";
  const std::wstring pictures = work + L"pictures\\";
  CreateDirectoryW(work.c_str(), nullptr);
  CreateDirectoryW(pictures.c_str(), nullptr);
  for (int i = 0; i < kPictures; ++i) {
    wchar_t name[32];
    swprintf(name, 32, L"p%04d.bmp", i);
    const std::wstring path = pictures + name;
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES && !WriteWhole(path, Picture(i))) {
      std::fprintf(stderr, "catalog bench: cannot write the pictures\n");
      return 1;
    }
  }
  DeleteFileW((pictures + L"_THUMB_N.TRN").c_str());

  g_StartFolder = FromWide(work.c_str());
  CreateErrorLog();
  CPluginRegistry registry;
  registry.Enumerate(ProgramFolder().c_str());
  CSPICore scratch;
  CPictureWnd picture(registry);
  CMainFrame frame(registry, scratch, picture);
  if (!frame.Create(false)) return 1;
  g_SaveSuppressed = true;
  g_CatalogSize = 1;
  g_SmallMemFlag = 0;
  g_CatalogLimit = 1600;
  g_CatalogOffset = 0;
  g_ThumbNailFlag = 1;
  g_MonitorFlag = 0;
  g_MinFileSize = g_MaxFileSize = 0;
  g_ExtRestrict = 0;

  double seconds[2] = {};
  int decoded[2] = {};
  for (int pass = 0; pass < 2; ++pass) {
    LARGE_INTEGER from, to;
    QueryPerformanceCounter(&from);
    frame.CatalogFolder(FromWide(pictures.c_str()));
    QueryPerformanceCounter(&to);
    seconds[pass] = Seconds(from, to);
    decoded[pass] = frame.View().DecodedRows();
    if (frame.View().DrawnRows() != kPictures) {
      std::fprintf(stderr, "catalog bench: %d of %d pictures drawn\n", frame.View().DrawnRows(), kPictures);
      return 1;
    }
  }
  DestroyWindow(frame.Handle());
  if (decoded[0] != kPictures || decoded[1] != 0) {
    std::fprintf(stderr, "catalog bench: decoded %d cold and %d warm\n", decoded[0], decoded[1]);
    return 1;
  }
  const double cold = kPictures / seconds[0], warm = kPictures / seconds[1];
  std::printf("catalog_cold_per_s %.1f pictures/s\n", cold);
  std::printf("catalog_warm_per_s %.1f pictures/s\n", warm);
  std::printf("catalog_warm_vs_cold %.2f ratio\n", warm / cold);
  return 0;
}

}  // namespace
}  // namespace tarn

int wmain() { return tarn::Run(); }
