// What every plug-in of the program promises the host, as data each plug-in's test supplies: its
// DLL and information strings, the names and headers it takes, a picture of its format and what
// that picture decodes to. PluginContractTest.cpp runs the promises on each plug-in that
// instantiates the suites; the plug-in's own rules stay in its own test file.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/PluginHarness.h"

namespace tarn::test {

// A file's name, its first bytes or all of them, and what the plug-in must answer for it.
struct FileCase {
  const char* name;
  Bytes bytes;
  int expected;
};

// A call on memory input that must fail: the first `length` bytes of the sample.
struct MemoryCase {
  LONG_PTR length;
  int expected;
  const char* why;
};

struct PluginContract {
  const wchar_t* dll;
  const char* folderPrefix;
  const char* versionStart;  // information string 1 begins with this
  const char* patterns;
  const char* formatName;
  // Exports beyond the five every picture plug-in has; TarnCatch's GetPreview is GetPicture.
  bool configurationDlg = false;
  bool sensePlugIn = false;
  bool previewIsPicture = false;

  // IsSupported on header buffers.
  std::vector<FileCase> support;
  // Read through a handle: `handleSample` under `handleName`, with junk before it. TarnCatch claims
  // what lacks a signature, so it answers the other way round.
  const char* handleName;
  Bytes handleSample;
  bool claimsUnsigned = false;

  // The rest applies to the plug-ins that decode files (the "Decoder" suite).
  Bytes sample;                  // a picture of the format
  std::function<void(const Delivered&)> checkSample;  // what `sample` decodes to
  std::size_t minimumBytes = 0;  // shorter input is not this format
  Bytes infoSample;              // GetPictureInfo's picture and the record it gives
  PictureInfo info{};
  std::vector<MemoryCase> infoFromMemory;  // GetPictureInfo on memory cut short
  std::vector<FileCase> damaged;           // files the decoding library fails on, and the code
  bool decodesMemory = true;               // TarnGif reads files only
  bool previewDecodes = false;             // GetPreview decodes ordinary files too
  bool callsBackOnFiles = true;            // TarnGif asks the callback for the placeholder only
  std::vector<const char*> markers;        // "[UNICODE]" names in mixed case
  const char* foreignMarker;               // another plug-in's marker name
};

// What the 6 x 4 sample of the formats with transparency decodes to: its left half opaque red,
// its right half clear and so white, in 24 bits.
void CheckRedAndClearHalves(const Delivered& d);

// gtest prints the parameter of a failing case by its DLL name.
inline void PrintTo(const PluginContract& c, std::ostream* out) {
  for (const wchar_t* p = c.dll; *p != L'\0'; ++p) *out << static_cast<char>(*p);
}

class PluginContractTest : public PluginFolderTest, public ::testing::WithParamInterface<PluginContract> {
 protected:
  PluginContractTest() : PluginFolderTest(GetParam().dll, GetParam().folderPrefix) {}
  const PluginContract& Contract() const { return GetParam(); }
};

// The same promises for the plug-ins that decode files.
class DecoderContractTest : public PluginContractTest {};

// Test names by DLL: "TarnBmp/DecoderContractTest.GetPictureInfo/TarnBmp_spi".
inline std::string ContractName(const ::testing::TestParamInfo<PluginContract>& info) {
  std::string name;
  for (const wchar_t* p = info.param.dll; *p != L'\0'; ++p) name += *p == L'.' ? '_' : static_cast<char>(*p);
  return name;
}

}  // namespace tarn::test
