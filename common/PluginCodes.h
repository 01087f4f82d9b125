// What crosses the plug-in boundary as plain numbers: return codes, API kinds, input selectors and
// the sense-cell layout. Portable: no Win32 types here, so the decoders can use it natively.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarn {

// Return codes of every plug-in export and of the host's wrappers around them.
enum SpiResult : int {
  kSpiOk = 0,
  kSpiNotProvided = -1,  // function absent, input kind not handled, or name not convertible
  kSpiStopped = 1,       // the progress callback asked to stop
  kSpiNotFormat = 2,     // not this plug-in's format, or too short to be one
  kSpiBroken = 3,        // broken data
  kSpiNoMemory = 4,      // allocating memory failed
  kSpiLockFailed = 5,    // locking memory failed, or no work buffer
  kSpiFileError = 6,     // opening, positioning or reading the file failed
  kSpiInternal = 8,      // internal error or invalid argument
  kSpiHostOpenFailed = 61,
  kSpiHostNoHeaderBuffer = 62,
  kSpiHostReadFailed = 63,
};

// API kinds, by the third and fourth characters of information string 0.
enum SpiApiKind : int {
  kApiUnknown = 0,
  kApiImportNormal = 1,     // "00IN"
  kApiArchiveNormal = 2,    // "00AN"
  kApiExportNormal = 4,     // "00XN"
  kApiConvertNormal = 16,   // "00CN"
  kApiEditNormal = 32,      // "00EN"
  kApiMultiFlag = 128,      // the "M" forms carry this bit on top of the normal kind
  kApiImportMulti = kApiImportNormal | kApiMultiFlag,
  kApiArchiveMulti = kApiArchiveNormal | kApiMultiFlag,
  kApiExportMulti = kApiExportNormal | kApiMultiFlag,
};

// Classifies an answer to information number 0; `length` is the length of the answer.
SpiApiKind ApiKindOf(const char* answer, std::size_t length);

// Input selector in the flag argument of GetPictureInfo, GetPicture and GetPreview.
constexpr unsigned kSpiInputMask = 7;
constexpr unsigned kSpiInputFile = 0;    // buf is a file name, len the offset of the picture data
constexpr unsigned kSpiInputMemory = 1;  // buf is the whole file in memory, len its size

constexpr bool IsMemoryInput(unsigned flag) { return (flag & kSpiInputMask) != 0; }

// IsSupported's dw is a file handle when its upper bits are all zero, else a header pointer.
constexpr bool IsFileHandleArgument(std::uintptr_t dw) { return dw < 0x10000; }

// The host hands IsSupported this many bytes from the start of the file.
constexpr std::size_t kSpiHeaderBufferBytes = 2048;

// Sense cells: host-owned 32-bit integers shared with SensePlugIn and, through lData, GetPicture.
using SenseCell = std::int32_t;
constexpr int kSenseCellCount = 8;
constexpr int kMovieCellCount = 3;
enum SenseCellIndex : int {
  kSenseCommand = 0,  // the host's command (negative) in, the plug-in's answer (zero or more) out
  kSenseValue1 = 1,
  kSenseValue2 = 2,
};

}  // namespace tarn
