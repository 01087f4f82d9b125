// The whole catalog under Wine. Without arguments: a folder of 1,000 pictures of 640 x 480 at 24
// bits catalogued at size M, first without a thumbnail cache (every file decoded and cached) and
// then with it; the figures are pictures per second and the warm speed over the cold one.
// "photos FOLDER": 36 camera-sized JPEGs (4000 x 3000, quality 92, 4:2:0, written there when
// missing) catalogued cold at size M; "exif FOLDER": the same for a folder of such photos that
// carry EXIF thumbnails. Each prints its pictures per second under the name it is given.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <jpeglib.h>
#include <memory>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "base/AppGlobals.h"
#include "base/ErrorLog.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "base/WinText.h"
#include "catalog/list/CatalogTable.h"
#include "catalog/list/FileOpenList.h"
#include "common/Handles.h"
#include "image/PictureWnd.h"
#include "plugin_host/PluginRegistry.h"
#include "plugin_host/SPICore.h"

namespace tarn {
namespace {

constexpr int kPictures = 1000, kWidth = 640, kHeight = 480;
constexpr int kPhotos = 36, kPhotoWidth = 4000, kPhotoHeight = 3000;

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

// A photograph's worth of detail: broad shading, a texture and sensor-like noise, so that the
// file is as large as a camera's and its decoding as much work.
bool WritePhoto(const std::wstring& path, int seed) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (file == nullptr) return false;
  jpeg_compress_struct c{};
  jpeg_error_mgr error{};
  c.err = jpeg_std_error(&error);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, file);
  c.image_width = kPhotoWidth;
  c.image_height = kPhotoHeight;
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 92, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<JSAMPLE> row(kPhotoWidth * 3);
  unsigned noise = 12345u + seed;
  for (int y = 0; y < kPhotoHeight; ++y) {
    for (int x = 0; x < kPhotoWidth; ++x) {
      noise = noise * 1103515245u + 12345u;
      const int grain = static_cast<int>(noise >> 27) - 16;
      const int texture = ((x / 40 + y / 30 + seed) % 5) * 9;
      const int shade[3] = {x * 200 / kPhotoWidth + texture, (y + seed * 50) * 180 / kPhotoHeight + 30,
                            (x + y) * 150 / (kPhotoWidth + kPhotoHeight) + texture / 2 + 40};
      for (int k = 0; k < 3; ++k) row[x * 3 + k] = static_cast<JSAMPLE>(std::clamp(shade[k] + grain, 0, 255));
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  return std::fclose(file) == 0;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The program's frame over the plug-ins beside this executable, set for a size M catalog that
// fills a thumbnail cache.
class CatalogRig {
 public:
  explicit CatalogRig(const std::wstring& work) : picture_(registry_), frame_(registry_, scratch_, picture_) {
    g_StartFolder = FromWide(work.c_str());
    CreateErrorLog();
    registry_.Enumerate(ProgramFolder().c_str());
    created_ = frame_.Create(false);
    g_SaveSuppressed = true;
    g_CatalogSize = 1;
    g_SmallMemFlag = 0;
    g_CatalogLimit = 1600;
    g_CatalogOffset = 0;
    g_ThumbNailFlag = 1;
    g_MonitorFlag = 0;
    g_MinFileSize = g_MaxFileSize = 0;
    g_ExtRestrict = 0;
  }
  ~CatalogRig() {
    if (created_) DestroyWindow(frame_.Handle());
  }
  bool Created() const { return created_; }

  // Seconds to catalogue `folder`, or a negative number when not all `expected` pictures were
  // drawn or `decoded` of them were not decoded.
  double Catalogue(const std::wstring& folder, int expected, int decoded) {
    LARGE_INTEGER from, to;
    QueryPerformanceCounter(&from);
    frame_.CatalogFolder(FromWide(folder.c_str()));
    QueryPerformanceCounter(&to);
    const CTarnView& view = frame_.View();
    if (view.DrawnRows() != expected || view.DecodedRows() != decoded) {
      std::fprintf(stderr, "catalog bench: %d of %d pictures drawn, %d decoded\n", view.DrawnRows(), expected,
                   view.DecodedRows());
      return -1;
    }
    return Seconds(from, to);
  }

 private:
  CPluginRegistry registry_;
  CSPICore scratch_;
  CPictureWnd picture_;
  CMainFrame frame_;
  bool created_ = false;
};

std::wstring TempFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring work = std::wstring(temp) + L"tarn-catalog-bench\\";
  CreateDirectoryW(work.c_str(), nullptr);
  return work;
}

int RunBitmaps() {
  const std::wstring work = TempFolder();
  const std::wstring pictures = work + L"pictures\\";
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
  CatalogRig rig(work);
  if (!rig.Created()) return 1;
  const double coldSeconds = rig.Catalogue(pictures, kPictures, kPictures);
  const double warmSeconds = rig.Catalogue(pictures, kPictures, 0);
  if (coldSeconds <= 0 || warmSeconds <= 0) return 1;
  const double cold = kPictures / coldSeconds, warm = kPictures / warmSeconds;
  std::printf("catalog_cold_per_s %.1f pictures/s\n", cold);
  std::printf("catalog_warm_per_s %.1f pictures/s\n", warm);
  std::printf("catalog_warm_vs_cold %.2f ratio\n", warm / cold);
  return 0;
}

// `folder` ends in a backslash. Photos are written only where none are, so that a folder prepared
// with EXIF thumbnails keeps them.
int RunPhotos(const char* figure, std::wstring folder) {
  if (folder.back() != L'\\') folder += L'\\';
  CreateDirectoryW(folder.c_str(), nullptr);
  for (int i = 0; i < kPhotos; ++i) {
    wchar_t name[32];
    swprintf(name, 32, L"photo%02d.jpg", i);
    const std::wstring path = folder + name;
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES && !WritePhoto(path, i)) {
      std::fprintf(stderr, "catalog bench: cannot write the photos\n");
      return 1;
    }
  }
  DeleteFileW((folder + L"_THUMB_N.TRN").c_str());
  CatalogRig rig(TempFolder());
  if (!rig.Created()) return 1;
  const double seconds = rig.Catalogue(folder, kPhotos, kPhotos);
  if (seconds <= 0) return 1;
  std::printf("%s %.1f pictures/s\n", figure, kPhotos / seconds);
  return 0;
}

}  // namespace
}  // namespace tarn

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wstring(argv[1]) == L"photos") return tarn::RunPhotos("catalog_photos_per_s", argv[2]);
  if (argc == 3 && std::wstring(argv[1]) == L"exif") return tarn::RunPhotos("catalog_exif_per_s", argv[2]);
  return tarn::RunBitmaps();
}
