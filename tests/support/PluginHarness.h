// A plug-in DLL as the host meets it, for win64 tests: loaded with LoadLibrary, called through its
// exports, given files in a folder of the test's own, and its pictures taken over the way the
// host takes them over.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/DibLayout.h"
#include "common/PluginAbi.h"

namespace tarn::test {

using Bytes = std::vector<std::uint8_t>;

// The DLL, loaded for as long as this lives: a plug-in reads its settings when it is attached.
struct PluginExports {
  explicit PluginExports(const wchar_t* dll) : module(LoadLibraryW(dll)) {}
  PluginExports(const PluginExports&) = delete;
  PluginExports& operator=(const PluginExports&) = delete;
  ~PluginExports() {
    if (module != nullptr) FreeLibrary(module);
  }

  HMODULE module;
  SpiGetPluginInfo getPluginInfo = Find<SpiGetPluginInfo>("GetPluginInfo");
  SpiIsSupported isSupported = Find<SpiIsSupported>("IsSupported");
  SpiGetPictureInfo getPictureInfo = Find<SpiGetPictureInfo>("GetPictureInfo");
  SpiGetPicture getPicture = Find<SpiGetPicture>("GetPicture");
  SpiGetPreview getPreview = Find<SpiGetPreview>("GetPreview");
  SpiConfigurationDlg configurationDlg = Find<SpiConfigurationDlg>("ConfigurationDlg");
  SpiSensePlugIn sensePlugIn = Find<SpiSensePlugIn>("SensePlugIn");

  template <class F>
  F Find(const char* name) const {
    return module != nullptr ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                             : nullptr;
  }
};

// `count` bytes of junk before `bytes`: a picture that starts at an offset in its file.
inline Bytes Prefixed(std::size_t count, const Bytes& bytes) {
  Bytes out(count + bytes.size(), 0x33);
  std::copy(bytes.begin(), bytes.end(), out.begin() + static_cast<std::ptrdiff_t>(count));
  return out;
}

// A picture handed over by a plug-in, copied out and released.
struct Delivered {
  Bytes info, pixels;
  bool unlocked = false, freed = false;
  DibHeader Header() const { return LoadDibHeader(info.data()); }
  // Blue, green, red of pixel (x, y), y from the top, of a 24-bit bottom-up picture.
  std::array<int, 3> Pixel(int x, int y) const {
    const DibHeader h = Header();
    const std::uint8_t* p = pixels.data() + (h.biHeight - 1 - y) * DibRowBytes(h.biWidth, 24) + 3 * x;
    return {p[0], p[1], p[2]};
  }
};

inline Bytes CopyOut(HLOCAL h) {
  Bytes bytes(LocalSize(h));
  const void* p = LocalLock(h);
  if (p != nullptr) std::memcpy(bytes.data(), p, bytes.size());
  LocalUnlock(h);
  return bytes;
}

// Takes the two handles over as the host does: they must come unlocked and free cleanly.
inline Delivered TakeOver(HLOCAL info, HLOCAL pixels) {
  Delivered d;
  d.unlocked = (LocalFlags(info) & LMEM_LOCKCOUNT) == 0 && (LocalFlags(pixels) & LMEM_LOCKCOUNT) == 0;
  d.info = CopyOut(info);
  d.pixels = CopyOut(pixels);
  d.freed = LocalFree(info) == nullptr && LocalFree(pixels) == nullptr;
  EXPECT_TRUE(d.unlocked) << "handed over locked";
  EXPECT_TRUE(d.freed) << "LocalFree refused a handle";
  return d;
}

// A test of one plug-in, loaded afresh for each test, with a temporary folder for its files.
class PluginFolderTest : public ::testing::Test {
 protected:
  PluginFolderTest(const wchar_t* dll, const char* folderPrefix) : dll_(dll), prefix_(folderPrefix) {}

  void SetUp() override {
    Reload();
    ASSERT_NE(spi_->module, nullptr) << "the plug-in did not load";
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + prefix_ + "-" + std::to_string(GetCurrentProcessId()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(folder_.begin() + static_cast<std::ptrdiff_t>(std::strlen(temp)), folder_.end(), '/', '-');
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    spi_.reset();
    for (const std::string& f : files_) DeleteFileA(f.c_str());
    RemoveDirectoryA(folder_.c_str());
  }

  // Unloads and loads the DLL again, so that it reads its settings as at the host's start-up.
  void Reload() {
    spi_.reset();
    spi_ = std::make_unique<PluginExports>(dll_);
  }
  const PluginExports& Spi() const { return *spi_; }

  std::string Write(const char* name, const Bytes& bytes) {
    const std::string path = folder_ + "\\" + name;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    files_.push_back(path);
    return path;
  }

  // GetPicture or GetPreview from a file; the handles are taken over when it succeeds.
  int Load(const std::string& name, LONG_PTR offset, Delivered* out, bool preview = false, LONG_PTR lData = 0) {
    HLOCAL info = nullptr, pixels = nullptr;
    const SpiGetPicture call = preview ? spi_->getPreview : spi_->getPicture;
    const int result = call(name.c_str(), offset, 0, &info, &pixels, nullptr, lData);
    if (result == kSpiOk) *out = TakeOver(info, pixels);
    else EXPECT_TRUE(info == nullptr && pixels == nullptr) << "a failure hands nothing over";
    return result;
  }

  // The same from memory (flag 1).
  int LoadMemory(const Bytes& bytes, LONG_PTR len, Delivered* out, bool preview = false) {
    HLOCAL info = nullptr, pixels = nullptr;
    const SpiGetPicture call = preview ? spi_->getPreview : spi_->getPicture;
    const int result = call(reinterpret_cast<LPCSTR>(bytes.data()), len, 1, &info, &pixels, nullptr, 0);
    if (result == kSpiOk) *out = TakeOver(info, pixels);
    else EXPECT_TRUE(info == nullptr && pixels == nullptr) << "a failure hands nothing over";
    return result;
  }

  // IsSupported from a header buffer, as the host calls it.
  int Claims(const char* name, const Bytes& head) const {
    char header[kSpiHeaderBufferBytes] = {};
    std::memcpy(header, head.data(), std::min(head.size(), sizeof header));
    return spi_->isSupported(name, reinterpret_cast<ULONG_PTR>(header));
  }

  std::string folder_;

 private:
  const wchar_t* dll_;
  std::string prefix_;
  std::unique_ptr<PluginExports> spi_;
  std::vector<std::string> files_;
};

}  // namespace tarn::test
