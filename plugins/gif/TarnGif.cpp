// TarnGif.spi: the exports over the GIF decoder. Files are read whole into a local block; the
// decoder and its playback state live in one process-wide player.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "GifFormat.h"
#include "TarnGifShell.h"
#include "common/LocalPictureMemory.h"
#include "common/PluginAbi.h"
#include "common/PluginFile.h"
#include "common/PluginNames.h"
#include "common/StillImagePlugin.h"

using namespace tarn;
using namespace tarn::gif;

namespace tarn::gif {

HINSTANCE g_module = nullptr;

GifPlayer& Player() {
  static GifPlayer player;
  return player;
}

}  // namespace tarn::gif

namespace {

constexpr const char* kInfo[] = {
    "00IN",
    "TarnGif v0.25u (c) The Tarn developers",
    "*.gif",
    "GIF file",
};
constexpr const char* kMarkerNames[] = {"[UNICODE].gif"};
constexpr const char* kExtensions[] = {".gif"};
constexpr DWORD kSniffBytes = 2000;

std::wstring Wide(const char* utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring w(n > 0 ? n : 1, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, w.data(), n);
  return w;
}

class BoxNotice final : public Notice {
 public:
  void Show(const char* text, const char* caption) override {
    MessageBoxW(nullptr, Wide(text).c_str(), Wide(caption).c_str(), MB_OK);
  }
};

// The bytes of a file from offset `len` to its end, in a local block.
class FileData {
 public:
  // 0 when read, else the plug-in's answer: 2 negative size, 4 no memory, 6 positioning or reading.
  int Read(const ReadOnlyFile& file, LONG_PTR len) {
    const std::int64_t total = file.Size();
    if (total < 0) return kSpiFileError;
    const std::int64_t bytes = total - len;
    if (bytes < 0) return kSpiNotFormat;
    if (!file.SeekTo(len)) return kSpiFileError;
    if (static_cast<std::uint64_t>(bytes) > MAXDWORD) return kSpiNoMemory;
    block_ = static_cast<std::uint8_t*>(LocalAlloc(LMEM_FIXED, std::max<std::size_t>(bytes, 1)));
    if (block_ == nullptr) return kSpiNoMemory;
    DWORD got;
    if (!ReadSome(file.Handle(), block_, static_cast<DWORD>(bytes), &got) || got != bytes) return kSpiFileError;
    size_ = static_cast<std::size_t>(bytes);
    return kSpiOk;
  }
  FileData() = default;
  FileData(const FileData&) = delete;
  FileData& operator=(const FileData&) = delete;
  ~FileData() { Free(); }
  void Free() {
    if (block_ != nullptr) LocalFree(block_);
    block_ = nullptr;
    size_ = 0;
  }
  const std::uint8_t* Data() const { return block_; }
  std::size_t Size() const { return size_; }

 private:
  std::uint8_t* block_ = nullptr;  // owned
  std::size_t size_ = 0;
};

// The sense scan's files: opened by their byte-string names for reading.
class LocalFileSource final : public FileSource {
 public:
  Status Load(const char* name) override {
    data_.Free();
    const ReadOnlyFile file(name);
    if (!file.IsOpen()) return kOpenFailed;
    const int read = data_.Read(file, 0);
    return read == kSpiOk ? kLoaded : read == kSpiNoMemory ? kNoMemory : kOpenFailed;
  }
  const std::uint8_t* Data() const override { return data_.Data(); }
  std::size_t Size() const override { return data_.Size(); }
  void Release() override { data_.Free(); }

 private:
  FileData data_;
};

bool IsGifMarkerName(LPCSTR name) { return IsMarkerName(name, kMarkerNames, 1); }

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    char text[256];
    GetPrivateProfileStringA("TarnGif", "LoopSelect", "Nothing", text, sizeof text, "TarnSpi.ini");
    Player().loopSelect = LoopSelectFromProfile(text, kDefaultLoopSelect);
  }
  return TRUE;
}

extern "C" int WINAPI GetPluginInfo(int infono, LPSTR buf, int buflen) {
  return CopyInfoString(kInfo, 4, infono, buf, buflen);
}

extern "C" int WINAPI IsSupported(LPCSTR filename, ULONG_PTR dw) {
  std::uint8_t header[kSniffBytes] = {};
  if (IsFileHandleArgument(dw)) {
    DWORD got;
    if (!ReadSome(reinterpret_cast<HANDLE>(dw), header, kSniffBytes, &got)) return 0;
  } else {
    std::memcpy(header, reinterpret_cast<const void*>(dw), 4);
  }
  return HasExtension(filename, kExtensions, 1) && HasGif8Signature(header, 4) ? 1 : 0;
}

extern "C" int WINAPI GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned int flag, PictureInfo* lpInfo) {
  if (buf == nullptr || lpInfo == nullptr) return kSpiInternal;
  FileData file;
  const std::uint8_t* data;
  std::size_t size;
  if (IsMemoryInput(flag)) {
    if (len < 0) return kSpiNotFormat;
    data = reinterpret_cast<const std::uint8_t*>(buf);
    size = static_cast<std::size_t>(len);
  } else {
    const ReadOnlyFile opened(buf);
    if (!opened.IsOpen()) return kSpiFileError;
    if (const int read = file.Read(opened, len); read != kSpiOk) return read;
    data = file.Data();
    size = file.Size();
  }
  FirstImage first;
  if (const int parsed = ReadFirstImage(data, size, &first); parsed != kSpiOk) return parsed;
  *lpInfo = PictureInfo{};
  lpInfo->left = first.left;
  lpInfo->top = first.top;
  lpInfo->width = static_cast<DWORD>(first.width);
  lpInfo->height = static_cast<DWORD>(first.height);
  lpInfo->colorDepth = static_cast<SHORT>(first.colorDepth);
  return kSpiOk;
}

extern "C" int WINAPI GetPicture(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo,
                                 HLOCAL* pHBm, SpiProgressCallback lpPrgressCallback, LONG_PTR lData) {
  if (buf == nullptr || pHBInfo == nullptr || pHBm == nullptr) return kSpiInternal;
  // lData carries the sense cells during playback; every cell is written through this call's
  // pointer, so the plug-in keeps none between calls.
  SenseCell* cells = reinterpret_cast<SenseCell*>(lData);
  BoxNotice notice;
  if (IsMemoryInput(flag)) {
    // The decoder works from files only; memory that holds a GIF is told so.
    if (len < 4 || !HasGif8Signature(reinterpret_cast<const std::uint8_t*>(buf), 4)) return kSpiNotFormat;
    notice.Show("ファイル名称が不当です<-1> ", "エラー");
    return kSpiNotFormat;
  }
  FileData file;
  {
    const ReadOnlyFile opened(buf);
    if (!opened.IsOpen())
      return IsGifMarkerName(buf) ? ServePlaceholder(pHBInfo, pHBm, lpPrgressCallback, lData) : kSpiFileError;
    if (const int read = file.Read(opened, len); read != kSpiOk) return read;
  }
  if (!HasGif8Signature(file.Data(), file.Size())) return kSpiNotFormat;
  LocalPictureMemory memory;
  const int result = Player().Decode(file.Data(), file.Size(), cells, memory, notice);
  if (result == kSpiOk) memory.Deliver(pHBInfo, pHBm);
  return result;
}

extern "C" int WINAPI GetPreview(LPCSTR buf, LONG_PTR, unsigned int, HLOCAL* pHBInfo, HLOCAL* pHBm,
                                 SpiProgressCallback lpPrgressCallback, LONG_PTR lData) {
  return PlaceholderPreview(buf, kMarkerNames, pHBInfo, pHBm, lpPrgressCallback, lData);
}

extern "C" int WINAPI ConfigurationDlg(HWND parent, int) {
  ShowSettingsDialog(parent);
  return kSpiOk;
}

extern "C" int WINAPI SensePlugIn(LPCSTR spiName, LPCSTR fileName, SenseCell* pInfo) {
  BoxNotice notice;
  LocalFileSource files;
  return Player().Sense(spiName, fileName, pInfo, files, notice);
}
