// A plug-in DLL as the host meets it, for win64 tests: loaded with LoadLibrary, called through its
// exports, given files in a folder of the test's own, and its pictures taken over the way the
// host takes them over.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "common/DibLayout.h"
#include "common/PluginAbi.h"

namespace tarn::test {

using Bytes = std::vector<std::uint8_t>;

struct PluginExports {
  explicit PluginExports(const wchar_t* dll) : module(LoadLibraryW(dll)) {}

  HMODULE module;
  SpiGetPluginInfo getPluginInfo = Find<SpiGetPluginInfo>("GetPluginInfo");
  SpiIsSupported isSupported = Find<SpiIsSupported>("IsSupported");
  SpiGetPictureInfo getPictureInfo = Find<SpiGetPictureInfo>("GetPictureInfo");
  SpiGetPicture getPicture = Find<SpiGetPicture>("GetPicture");
  SpiGetPreview getPreview = Find<SpiGetPreview>("GetPreview");

  template <class F>
  F Find(const char* name) const {
    return module != nullptr ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                             : nullptr;
  }
};

// A still-image plug-in's exports: the five functions and no settings or sense exchange; its one
// format's information strings, with the version line starting `versionStart` and carrying " (c) ";
// nothing written for numbers out of range.
inline void ExpectStillImagePlugin(const PluginExports& spi, const char* versionStart, const char* patterns,
                                   const char* formatName) {
  EXPECT_NE(spi.getPluginInfo, nullptr);
  EXPECT_NE(spi.isSupported, nullptr);
  EXPECT_NE(spi.getPictureInfo, nullptr);
  EXPECT_NE(spi.getPicture, nullptr);
  EXPECT_NE(spi.getPreview, nullptr);
  EXPECT_EQ(GetProcAddress(spi.module, "ConfigurationDlg"), nullptr);
  EXPECT_EQ(GetProcAddress(spi.module, "SensePlugIn"), nullptr);
  if (spi.getPluginInfo == nullptr) return;

  char buf[256];
  EXPECT_EQ(spi.getPluginInfo(0, buf, sizeof buf), 4);
  EXPECT_STREQ(buf, "00IN");
  ASSERT_GT(spi.getPluginInfo(1, buf, sizeof buf), 0);
  EXPECT_EQ(std::string(buf).rfind(versionStart, 0), 0u) << buf;
  EXPECT_NE(std::string(buf).find(" (c) "), std::string::npos) << buf;
  EXPECT_EQ(spi.getPluginInfo(2, buf, sizeof buf), static_cast<int>(std::strlen(patterns)));
  EXPECT_STREQ(buf, patterns);
  EXPECT_EQ(spi.getPluginInfo(3, buf, sizeof buf), static_cast<int>(std::strlen(formatName)));
  EXPECT_STREQ(buf, formatName);
  std::strcpy(buf, "untouched");
  EXPECT_EQ(spi.getPluginInfo(4, buf, sizeof buf), 0);
  EXPECT_EQ(spi.getPluginInfo(-1, buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "untouched");
}

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

// Takes the two handles over as the host does: checks they come unlocked, copies, frees them.
inline Delivered TakeOver(HLOCAL info, HLOCAL pixels) {
  Delivered d;
  d.unlocked = (LocalFlags(info) & LMEM_LOCKCOUNT) == 0 && (LocalFlags(pixels) & LMEM_LOCKCOUNT) == 0;
  d.info = CopyOut(info);
  d.pixels = CopyOut(pixels);
  d.freed = LocalFree(info) == nullptr && LocalFree(pixels) == nullptr;
  return d;
}

// A test of one plug-in with a temporary folder for its files, removed afterwards.
class PluginFolderTest : public ::testing::Test {
 protected:
  PluginFolderTest(const PluginExports& spi, const char* folderPrefix) : spi_(spi), prefix_(folderPrefix) {}

  void SetUp() override {
    ASSERT_NE(spi_.module, nullptr) << "the plug-in did not load";
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + prefix_ + "-" + std::to_string(GetCurrentProcessId()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    for (const std::string& f : files_) DeleteFileA(f.c_str());
    RemoveDirectoryA(folder_.c_str());
  }

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
  int Load(const std::string& name, LONG_PTR offset, Delivered* out, bool preview = false) {
    HLOCAL info = nullptr, pixels = nullptr;
    const SpiGetPicture call = preview ? spi_.getPreview : spi_.getPicture;
    const int result = call(name.c_str(), offset, 0, &info, &pixels, nullptr, 0);
    if (result == kSpiOk) *out = TakeOver(info, pixels);
    else EXPECT_TRUE(info == nullptr && pixels == nullptr) << "a failure hands nothing over";
    return result;
  }

  const PluginExports& spi_;
  std::string prefix_;
  std::string folder_;
  std::vector<std::string> files_;
};

}  // namespace tarn::test
