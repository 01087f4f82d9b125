// CPictureWnd::FileLoad: the one road from a file to the current picture.
#include <string>

#include "base/ErrorLog.h"
#include "base/Prompt.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "image/PictureWnd.h"
#include "image/SenseExchange.h"
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

void CPictureWnd::SenseGif(int select, const wchar_t* path) {
  if (!EndsWith(path, u".gif")) {
    m_Animation.Forget();
    m_Registry.m_lData = 0;
    return;
  }
  if (m_Registry.FindByName(kGifPlugin) < 0) {
    m_Registry.m_lData = 0;
    return;
  }
  const SenseCell* cells = PrepareGifSense(select == kSelectGifFrame, m_Animation, g_SenseCells,
                                           [&](SenseCell* command) {
                                             return m_Registry.SenseDispatch(kGifPlugin, path, command);
                                           });
  m_Registry.m_lData = reinterpret_cast<LONG_PTR>(cells);
}

int CPictureWnd::PrepareSense(int select, const wchar_t* path) {
  const std::u16string caption = FromWide(path);
  if (select == kSelectStill || select == kSelectGifFrame) {
    SenseGif(select, path);
    return 0;
  }

  if (select == kSelectMedia) {
    StartMovieFlags();
    g_SenseCells[kCellMovLoad] = -2;
    if (m_Registry.FindByName(kMovPlugin) < 0) {
      m_Registry.m_lData = 0;
      return 0;
    }
    const int result = m_Registry.SenseDispatch(kMovPlugin, path, &g_SenseCells[kCellMovLoad]);
    if (result != 0) {
      g_MovieRun = 0;
      Say(u"ファイルを認識できません。複数の同種プラグインが組み込まれていませんか？ \n [TarnMov.spi]エラー<-d01> ",
          caption);
      return result;
    }
    g_MovSensed = 1;
    m_Registry.m_lData = reinterpret_cast<LONG_PTR>(&g_SenseCells[kCellMovLoad]);
    return 0;
  }

  if (select == kSelectFlvMp4) {
    StartMovieFlags();
    const char16_t* player = FlvMp4PlayerFor(WideView(path));
    const wchar_t* plugin = reinterpret_cast<const wchar_t*>(player);
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
    (player == kFlvPlayer ? g_FlvFlag : g_Mp4Flag) = 1;
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
  if (select != kSelectGifFrame) m_Animation.Stop();
  // An unknown select keeps the current picture, so it keeps its turns and brightness too:
  // dropping the work buffer alone would show the loaded pixels under a turned header.
  if (select < kSelectRelease || select > kSelectFlvMp4Thumbnail) {
    Say(u"FileLoad Select = " + DecimalText(select));
    return -1;
  }
  // Whatever comes next starts untouched: no work buffer, no saved colours, not turned.
  m_Transforms.ForgetPicture();
  m_Loaded.Reset();
  ++m_LoadCount;
  if (select == kSelectRelease) {
    g_MovieRun = 0;
    return 0;
  }
  // The sense exchange and the decoding each ask the plug-ins about the same file.
  const PathReportScope once;

  if (IsPreview(select)) {
    const int result = m_Loaded.Receive([&](HLOCAL* info, HLOCAL* bits, PictureInfo* record) {
      return m_Registry.LoadPreview(path, info, bits, record);
    });
    if (result != 0) {
      m_Loaded.Reset();
      return result;
    }
  } else {
    if (const int sensed = PrepareSense(select, path); sensed != 0) return sensed;
    const int result = m_Loaded.Receive([&](HLOCAL* info, HLOCAL* bits, PictureInfo* record) {
      return m_Registry.LoadPicture(path, info, bits, record);
    });
    if (result != 0) {
      m_Loaded.Reset();
      StopMovieFlags();
      ReportLoadFailure(result, select, path);
      return result;
    }
    if (select == kSelectGifFrame) TakeFrameAnswers(m_Animation, g_SenseCells);
    if (select == kSelectMedia) {
      g_SenseCells[kCellMovAnswer] = -1;
      const int answered =
          g_MovSensed ? m_Registry.SenseDispatch(kMovPlugin, path, &g_SenseCells[kCellMovAnswer]) : 0;
      if (answered != 0) {
        Say(FromWide(path), u"≪SensePlugInInfo エラー２≫ ret=" + DecimalText(answered) + u" ");
        m_Loaded.Reset();
        StopMovieFlags();
        return answered;
      }
    }
  }

  const bool locked = m_Loaded.Lock();
  const bool mayBeEmpty = select == kSelectMedia || select == kSelectGifFrame || select == kSelectFlvMp4;
  if (!mayBeEmpty && !locked) {
    m_Loaded.Reset();
    Say(u"Load Error No=8 Select=" + DecimalText(select) + u"<-d04>", u"エラー");
    return 8;
  }
  return 0;
}

int CPictureWnd::LoadEmbedded(const wchar_t* path, const std::uint8_t* data, std::size_t size, int orientation) {
  m_Transforms.ForgetPicture();
  m_Loaded.Reset();
  ++m_LoadCount;
  const int result = m_Loaded.Receive([&](HLOCAL* info, HLOCAL* bits, PictureInfo*) {
    return m_Registry.LoadFromMemory(path, data, size, info, bits);
  });
  if (result != 0 || !m_Loaded.Lock()) {
    m_Loaded.Reset();
    return 2;
  }
  BrightLevels untouched{};
  for (const int op : UprightingTurns(orientation))
    if (op != kRotateRestore && m_Transforms.RotateMap(op, Blocks(), untouched) != 0) {
      m_Loaded.Reset();
      return 2;
    }
  return 0;
}

}  // namespace tarn
