// CPictureWnd: the program's one current picture, as the plug-in delivered it: a BITMAPINFO
// block and a pixel block in local memory, locked while the picture is current.
#pragma once

#include <windows.h>

#include "common/PluginAbi.h"

namespace tarn {

class CPluginRegistry;

// What FileLoad is asked to do.
enum FileLoadSelect : int {
  kSelectRelease = 0,
  kSelectStill = 1,
  kSelectThumbnail = 2,
  kSelectMedia = 3,
  kSelectMediaThumbnail = 4,
  kSelectGifFrame = 5,
  kSelectFlvMp4 = 6,
  kSelectFlvMp4Thumbnail = 7,
};

class CPictureWnd {
 public:
  explicit CPictureWnd(CPluginRegistry& registry) : m_Registry(registry) {}
  CPictureWnd(const CPictureWnd&) = delete;
  CPictureWnd& operator=(const CPictureWnd&) = delete;
  ~CPictureWnd() { ReleasePicture(); }

  // Turns the file at `path` into the current picture; see the select codes. 0 on success, a
  // plug-in or registry code on failure (with the user told), -1 for an unknown select.
  int FileLoad(int select, const wchar_t* path);

  // Forgets the transform state of the current picture.
  void DiscardWork() { m_TransState = 0; }

  HLOCAL m_hBI = nullptr;
  HLOCAL m_hBits = nullptr;
  BITMAPINFO* m_lpBI = nullptr;   // m_hBI locked, or null
  void* m_lpBits = nullptr;       // m_hBits locked, or null
  union {
    PictureInfo m_PicInfo;
    unsigned char m_PicInfoReserve[kPictureInfoReserve] = {};
  };
  int m_TransState = 0;

 private:
  // Unlocks and frees both blocks and the comment block of m_PicInfo.
  void ReleasePicture();
  // Prepares the sense exchange for selects 1, 3, 5 and 6; a non-zero answer ends the load.
  int PrepareSense(int select, const wchar_t* path);
  void ReportLoadFailure(int result, int select, const wchar_t* path);

  CPluginRegistry& m_Registry;
};

}  // namespace tarn
