// CPictureWnd: the program's one current picture, as the plug-in delivered it (a BITMAPINFO
// block and a pixel block in local memory, locked while the picture is current), and the motion
// GIF it plays.
#pragma once

#include <windows.h>

#include "image/BmpFileLayout.h"
#include "image/BoxReduce.h"
#include "image/MotionGif.h"
#include "image/PictureTransforms.h"
#include "image/StretchDrawPlacement.h"
#include "image/ZoomSize.h"
#include "plugin_host/PluginPicture.h"

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

// What WriteBmp writes: the whole picture, or the part a view shows (a wallpaper).
enum BmpWriteMode : int { kBmpWhole = 0, kBmpShownPart = 1 };

// CaptureDc's modes, and what CaptureDc and CaptureScreenToBmp answer.
enum CaptureMode : int { kCapturePlain = 0, kCaptureTemplate = 1 };
enum CaptureResult : int { kCaptureDone = 0, kCaptureNoMemory = 2, kCaptureNoLock = 3, kCaptureNoFile = 5 };

class CPictureWnd {
 public:
  explicit CPictureWnd(CPluginRegistry& registry) : m_Registry(registry) {}
  CPictureWnd(const CPictureWnd&) = delete;
  CPictureWnd& operator=(const CPictureWnd&) = delete;

  // Turns the file at `path` into the current picture; see the select codes. 0 on success, a
  // plug-in or registry code on failure (with the user told), -1 for an unknown select.
  int FileLoad(int select, const wchar_t* path);
  // Makes a picture that the file `path` carries inside it (a camera's thumbnail: `size` bytes at
  // `data`) the current picture, turned as the EXIF `orientation` says. 0, or 2 when no plug-in
  // decodes it; nothing is said to the user.
  int LoadEmbedded(const wchar_t* path, const std::uint8_t* data, std::size_t size, int orientation);

  // Turns, flips, brightens or restores the current picture (RotateOp); 0 on success, -1 when
  // nothing was changed (the user has been told why, except when no picture is loaded).
  int RotateMap(int op);
  // Drops the work buffer: the loaded pixels are current again.
  void DiscardWork() { m_Transforms.DiscardWork(); }
  // 1 after setting m_ZoomWidth x m_ZoomHeight for `percent` (4 to 300), else 0.
  int SetZoomSize(int percent);
  // Draws the current pixels into `dc` over the area left, top, right, bottom: to a printer across
  // its printable width, to a screen by the fit rule or at full or zoomed size over a filled
  // background. Nothing without a picture.
  void StretchDraw(HDC dc, int left, int top, int right, int bottom);
  // Stretches the whole current picture into the rectangle at x, y of `width` x `height`.
  void DrawInto(HDC dc, int x, int y, int width, int height);
  // The printer's rule on its own: the picture across `horzRes`, reduced to `vertRes` and centred
  // when it would be taller, drawn from the top; nothing else on the page is touched. A page
  // drawn into any context of those metrics (a printer's, a metafile's, a memory bitmap's) comes
  // out as the printer receives it.
  void DrawForPrinter(HDC dc, int horzRes, int vertRes);
  // Makes the `width` x `height` area at the origin of `dc` the current picture (the picture held
  // before is released first): 24 bits a pixel (kCapturePlain), or the depth and resolution of
  // the template header (kCaptureTemplate; palette depths become 24 bits).
  // A CaptureResult.
  int CaptureDc(HDC dc, int width, int height, int mode);
  // Writes the current picture stretched to `width` x `height` to the open `file` as a BMP file,
  // in its own depth when that has no colour table, else in 24 bits; the picture itself is not
  // changed. 1 written, 0 without a picture or when the copy could not be made, -1 when a write
  // failed.
  int WriteBmpScaled(HANDLE file, int width, int height);
  // Writes the current picture to the open `file` as a BMP file, whole or (kBmpShownPart) as
  // much of it as `view` shows: 1 written, 0 without a picture, with a header other than the
  // 40-byte one or with blocks shorter than it promises, -1 when a write failed (the file then
  // holds a part and is the caller's to remove).
  int WriteBmp(HANDLE file, int mode = kBmpWhole, const ShownView& view = {});
  // Writes what the screen shows inside `area` (screen coordinates) as the BMP file `path`, at the
  // display's colour depth (24 bits above 8). With a `source` window the pixels are that window's
  // own, so that windows over it (a dialog just closed, another program) never get into the
  // picture. The picture is released first and stays empty: the caller loads the file. A
  // CaptureResult; a file that could not be written whole is removed.
  int CaptureScreenToBmp(const wchar_t* path, const RECT& area, HWND source = nullptr);

  // Counts the pictures this object has held: it changes with every load and release, so a window
  // can tell that the catalog has decoded something else into it since.
  unsigned LoadCount() const { return m_LoadCount; }
  // 0 untouched, 1 turned or flipped, 2 brightened, 3 both.
  int TransState() const { return m_Transforms.State(); }
  // Anything to return from: a work buffer, or a colour table changed in place.
  bool Changed() const { return m_Transforms.State() > 0 || m_Transforms.PaletteChanged(); }
  // The pixels to draw or write: the work buffer once anything was changed, else the loaded ones.
  const void* CurrentBits() const {
    return m_Transforms.CurrentBits(static_cast<const std::uint8_t*>(m_Loaded.Bits()));
  }
  // CurrentBits when the blocks hold everything the header promises GDI (colour table, masks and
  // rows), else null: a plug-in's header must not make a draw read past its blocks.
  const void* DrawableBits() const;
  // The drawable pixels described for reading without GDI; false when there are none or they are
  // not plain rows (bit-field masks, compression).
  bool DrawablePixels(DibPixels& pixels) const;
  // What the last StretchDraw to a screen did: where the picture went (for trimming), the shown
  // percentage (for the status text) and the extent the scroll bars cover.
  const DrawPlacement& DrawnRect() const { return m_DrawnRect; }
  int ShownPercent() const { return m_DrawnRect.percent; }
  int ScrollExtentWidth() const { return m_ExtentWidth; }
  int ScrollExtentHeight() const { return m_ExtentHeight; }

  // The picture as the plug-in delivered it, locked; its header follows the turns in force.
  const PluginPicture& Loaded() const { return m_Loaded; }
  // The motion GIF this picture plays; every load other than a frame load ends it.
  MotionGif& Animation() { return m_Animation; }
  const MotionGif& Animation() const { return m_Animation; }

  int m_ZoomWidth = 0;
  int m_ZoomHeight = 0;

 private:
  // Prepares the sense exchange for selects 1, 3, 5 and 6; a non-zero answer ends the load.
  int PrepareSense(int select, const wchar_t* path);
  // Selects 1 and 5: the GIF player's part, when the file is a GIF and the player is enabled.
  void SenseGif(int select, const wchar_t* path);
  void ReportLoadFailure(int result, int select, const wchar_t* path);
  PictureBlocks Blocks();

  CPluginRegistry& m_Registry;
  PluginPicture m_Loaded;
  MotionGif m_Animation;
  PictureTransforms m_Transforms;
  DrawPlacement m_DrawnRect;
  BITMAPINFOHEADER m_HeaderTemplate{};
  int m_ExtentWidth = 0;
  int m_ExtentHeight = 0;
  unsigned m_LoadCount = 0;
};

}  // namespace tarn
