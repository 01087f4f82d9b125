// CPictureWnd::FileLoad: the one road from a file to the current picture.
#include <string>

#include "base/ErrorLog.h"
#include "base/Prompt.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "image/PictureWnd.h"
#include "plugin_host/MultiByteName.h"
#include "plugin_host/PluginRegistry.h"
#include "plugin_host/SenseState.h"

namespace tarn {
namespace {

constexpr wchar_t kGifPlugin[] = L"TarnGif.spi";
constexpr wchar_t kMovPlugin[] = L"TarnMov.spi";

bool EndsWith(const wchar_t* path, std::u16string_view tail) { return EndsWithIgnoreCase(WideView(path), tail); }

bool IsPreview(int select) {
  return select == kSelectThumbnail || select == kSelectMediaThumbnail || select == kSelectFlvMp4Thumbnail;
}
bool IsMovie(int select) { return select == kSelectMedia || select == kSelectFlvMp4; }

void StartMovieFlags() {
  g_MovieMode = 1;
  g_MovieAux = 0;
  g_MovSensed = 0;
  g_FlvFlag = 0;
  g_Mp4Flag = 0;
}

void StopMovieFlags() {
  g_MovieRun = 0;
  g_MovieAux = 0;
  g_MovieMode = 0;
}

}  // namespace

void CPictureWnd::ReleasePicture() {
  if (m_lpBI != nullptr) LocalUnlock(m_hBI);
  if (m_lpBits != nullptr) LocalUnlock(m_hBits);
  m_lpBI = nullptr;
  m_lpBits = nullptr;
  if (m_hBI != nullptr) LocalFree(m_hBI);
  if (m_hBits != nullptr) LocalFree(m_hBits);
  if (m_PicInfo.hInfo != nullptr) LocalFree(m_PicInfo.hInfo);
  m_hBI = nullptr;
  m_hBits = nullptr;
  m_PicInfo.hInfo = nullptr;
}

int CPictureWnd::PrepareSense(int select, const wchar_t* path) {
  const std::u16string caption = FromWide(path);
  if (select == kSelectStill || select == kSelectGifFrame) {
    if (!EndsWith(path, u".gif")) {
      g_MotionGifLoops = 0;
      g_MotionGifState = 0;
      m_Registry.m_lData = 0;
      return 0;
    }
    if (m_Registry.FindByName(kGifPlugin) < 0) {
      m_Registry.m_lData = 0;
      return 0;
    }
    g_SenseCells[6] = 0;
    g_SenseCells[7] = 0;
    int command;
    bool send = true;
    if (select == kSelectStill) {
      command = -3;  // reset: the still picture is the first frame
      g_MotionGifLoops = 0;
      g_MotionGifState = 0;
    } else if (g_MotionGifLoops < 1) {
      command = -1;  // a new animation: learn frames and cycles
      g_MotionGifState = 0;
      g_MotionGifFrame = 0;
    } else {
      command = -2;  // the next cycle restarts the frame walk
      send = g_MotionGifFrame == 0;
    }
    g_SenseCells[2] = command;
    if (send) {
      if (m_Registry.SenseDispatch(kGifPlugin, path, &g_SenseCells[2]) != 0) {
        g_MotionGifState = 0;
        g_SenseCells[2] = 0;
      } else if (command != -2) {
        g_MotionGifLoops = g_SenseCells[3];
      }
    }
    if (select == kSelectGifFrame) {
      if (g_MotionGifState == 0) {
        g_MotionGifState = g_SenseCells[2];
        g_AnimMaxWidth = 0;
        g_AnimMaxHeight = 0;
      }
      if (g_MotionGifState > 0) ++g_MotionGifFrame;
      g_SenseCells[2] = g_MotionGifFrame;
      m_Registry.m_lData = reinterpret_cast<LONG_PTR>(&g_SenseCells[2]);
    } else {
      g_SenseCells[2] = 0;
      m_Registry.m_lData = 0;
    }
    return 0;
  }

  if (select == kSelectMedia) {
    StartMovieFlags();
    g_SenseCells[1] = -2;
    if (m_Registry.FindByName(kMovPlugin) < 0) {
      m_Registry.m_lData = 0;
      return 0;
    }
    const int result = m_Registry.SenseDispatch(kMovPlugin, path, &g_SenseCells[1]);
    if (result != 0) {
      g_MovieRun = 0;
      Say(u"ファイルを認識できません。複数の同種プラグインが組み込まれていませんか？ \n [TarnMov.spi]エラー<-d01> ",
          caption);
      return result;
    }
    g_MovSensed = 1;
    m_Registry.m_lData = reinterpret_cast<LONG_PTR>(&g_SenseCells[1]);
    return 0;
  }

  if (select == kSelectFlvMp4) {
    StartMovieFlags();
    const bool flv = EndsWith(path, u".flv");
    const wchar_t* plugin = flv ? L"TarnFlv.spi" : EndsWith(path, u".mp4") ? L"TarnMp4.spi" : nullptr;
    if (plugin == nullptr || m_Registry.FindByName(plugin) < 0) {
      m_Registry.m_lData = 0;
      return 0;
    }
    g_MovieCells[0] = -1;
    g_MovieCells[1] = -2;
    g_MovieCells[2] = -3;
    const int result = m_Registry.SenseDispatch(plugin, path, g_MovieCells);
    if (result != 0) {
      g_MovieRun = 0;
      Say(u"[TarnFlv.spi/TarnMp4.spi]を認識できません。プラグインは最新版ですか？ <-d03> ", caption);
      return result;
    }
    (flv ? g_FlvFlag : g_Mp4Flag) = 1;
    m_Registry.m_lData = reinterpret_cast<LONG_PTR>(g_MovieCells);
  }
  return 0;
}

void CPictureWnd::ReportLoadFailure(int result, int select, const wchar_t* path) {
  const std::u16string file = FromWide(path);
  std::u16string logged, shown;
  if (result == 2 && IsMovie(select)) {
    logged = u"Load Error ≪動画・音楽ファイル読出失敗≫\n" + file;
    shown = u" ≪動画・音楽ファイル読出失敗≫";
  } else if (result == 2 && EndsWith(path, u".JPG")) {
    shown = u"≪JPGプラグイン≫が組み込まれていますか？ ";
    logged = shown + file;
  } else if (result == 2) {
    shown = u"Load Error ≪未知のフォーマット≫";
    logged = shown + u"\n" + file;
  } else if (result == 6 && IsMovie(select)) {
    shown = u"≪動画・音楽ファイル読出失敗１≫";
    logged = u"Load Error " + shown + u"\n" + file;
  } else if (result == 6) {
    shown = u"Load Error ≪ロードエラー≫";
    logged = shown + u"\n" + file;
  } else {
    shown = u"Load Error ≪" + DecimalText(result) + u"≫";
    logged = shown + u"\n" + file;
  }
  WriteErrorLog(logged);
  Say(shown, file);
}

int CPictureWnd::FileLoad(int select, const wchar_t* path) {
  if (select != kSelectGifFrame) g_MotionGifState = 0;
  // An unknown select keeps the current picture, so it keeps its turns and brightness too:
  // dropping the work buffer alone would show the loaded pixels under a turned header.
  if (select < kSelectRelease || select > kSelectFlvMp4Thumbnail) {
    Say(u"FileLoad Select = " + DecimalText(select));
    return -1;
  }
  // Whatever comes next starts untouched: no work buffer, no saved colours, not turned.
  m_Transforms.ForgetPicture();
  ReleasePicture();
  ++m_LoadCount;
  if (select == kSelectRelease) {
    g_MovieRun = 0;
    return 0;
  }
  // The sense exchange and the decoding each ask the plug-ins about the same file.
  const PathReportScope once;

  if (IsPreview(select)) {
    const int result = m_Registry.LoadPreview(path, &m_hBI, &m_hBits, &m_PicInfo);
    if (result != 0) {
      ReleasePicture();
      return result;
    }
  } else {
    if (const int sensed = PrepareSense(select, path); sensed != 0) return sensed;
    const int result = m_Registry.LoadPicture(path, &m_hBI, &m_hBits, &m_PicInfo);
    if (result != 0) {
      ReleasePicture();
      StopMovieFlags();
      ReportLoadFailure(result, select, path);
      return result;
    }
    if (select == kSelectMedia) {
      g_SenseCells[0] = -1;
      const int answered = g_MovSensed ? m_Registry.SenseDispatch(kMovPlugin, path, &g_SenseCells[0]) : 0;
      if (answered != 0) {
        Say(FromWide(path), u"≪SensePlugInInfo エラー２≫ ret=" + DecimalText(answered) + u" ");
        ReleasePicture();
        StopMovieFlags();
        return answered;
      }
    }
  }

  m_lpBI = m_hBI != nullptr ? static_cast<BITMAPINFO*>(LocalLock(m_hBI)) : nullptr;
  m_lpBits = m_hBits != nullptr ? LocalLock(m_hBits) : nullptr;
  const bool mayBeEmpty = select == kSelectMedia || select == kSelectGifFrame || select == kSelectFlvMp4;
  if (!mayBeEmpty && (m_lpBI == nullptr || m_lpBits == nullptr)) {
    ReleasePicture();
    Say(u"Load Error No=8 Select=" + DecimalText(select) + u"<-d04>", u"エラー");
    return 8;
  }
  return 0;
}

}  // namespace tarn
