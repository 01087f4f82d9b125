// CTarnView: the program's two wallpapers - saved from the expanded screen as the part of the
// picture the view shows, deleted on request, and drawn on the view's empty screen.
#include "TarnView.h"

#include <string>

#include "base/AppGlobals.h"
#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/Settings.h"
#include "base/WinText.h"
#include "catalog/list/CatalogTable.h"
#include "catalog/list/FileClass.h"
#include "common/Handles.h"
#include "image/PictureWnd.h"
#include "plugin_host/PluginRegistry.h"

namespace tarn {
namespace {

constexpr char16_t kNotChosen[] = u"壁紙画像未選択";

// The selected wallpaper's JPEG (".jpg") or the BMP its save goes through (".bmp").
std::u16string WallpaperFile(const char16_t* extension) {
  return g_StartFolder + (g_WallSelect2Flag ? u"TarnWall2" : u"TarnWall1") + extension;
}

bool Exists(const std::u16string& path) { return GetFileAttributesW(AsWide(path)) != INVALID_FILE_ATTRIBUTES; }

// What changes when the wallpaper file is written or deleted: its name (the switch), its time and size.
std::u16string FileStamp(const std::u16string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(AsWide(path), GetFileExInfoStandard, &data)) return path;
  return path + u"|" + FromWide(std::to_wstring(data.ftLastWriteTime.dwLowDateTime).c_str()) + u"|" +
         FromWide(std::to_wstring(data.ftLastWriteTime.dwHighDateTime).c_str()) + u"|" +
         FromWide(std::to_wstring(data.nFileSizeLow).c_str());
}

}  // namespace

void CTarnView::WallpaperSaveCommand() {
  if (!ImageToolGuard()) return;
  const bool catalogScreen = CatalogOnScreen();
  if (catalogScreen && SelectFileSearch() < 0) {
    Say(u"壁紙にする画像をカタログから選択してください ", kNotChosen);
    return;
  }
  if (!catalogScreen && !PictureScreenShown()) {
    Say(u"「読出・書込」メニューの≪カタログ≫で壁紙にする画像を選択してください ", kNotChosen);
    return;
  }
  // The wallpaper is the picture at its own size, as far as the window shows it.
  if (g_AdjustSizeFlag != 0) {
    Say(u"「AUTOｻｲｽﾞ」を OFF します ", u"Tarn壁紙保存");
    g_AdjustSizeFlag = 0;
    if (PictureScreenShown()) RedisplayPicture(2);
    InvalidateRect(Handle(), nullptr, TRUE);
  }
  if (catalogScreen) {
    OfferWallpaper(SelectFileSearch());
    return;
  }
  if (g_ZoomScreenFlag != 0) {
    Say(u"「伸縮ダイアログ」を『キャンセル』で消去してください ", u"壁紙作成画面 不一致");
    return;
  }
  if (!g_PictureShown || !WallpaperColoursAccepted()) return;
  const char16_t* question = g_WallSelect2Flag ? u"２枚目の壁紙として保存しますか？ ≪ｷｬﾝｾﾙ≫で保留 "
                                               : u"１枚目の壁紙として保存しますか？ ≪ｷｬﾝｾﾙ≫で保留 ";
  switch (Say(question, u"壁紙保存確認", Buttons::kYesNoCancel)) {
    case kAnswerYes: SaveWallpaper(); break;
    case kAnswerNo: BackToCatalog(); break;
    default: break;
  }
}

void CTarnView::OfferWallpaper(int row) {
  if (ClassifyFileName(EntryName(TheCatalog().entries[row])) != kClassStill) {
    Say(u"動画・音楽ファイルは壁紙に指定できません ", u"壁紙画像選択不可");
    return;
  }
  // The user looks at the picture where the wallpaper will be cut from and saves from there.
  OpenPictureScreen(row);
  if (g_PictureShown && !WallpaperColoursAccepted()) BackToCatalog();
}

bool CTarnView::WallpaperColoursAccepted() {
  const int bits = m_Picture->Loaded().BitCount();
  if (bits > 7) return true;
  Say(FromWide(std::to_wstring(1 << bits).c_str()) + u" 色の画像は壁紙として保存できません ", u"壁紙対象画像≪256色以上≫");
  return false;
}

void CTarnView::SaveWallpaper() {
  const std::u16string bmp = WallpaperFile(u".bmp");
  if (Exists(bmp) && !DeleteFileW(AsWide(bmp))) {
    Say(u"Tarnの壁紙ファイルを削除できません_1 ");
    return;
  }
  FileHandle file(CreateFileW(AsWide(bmp), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) {
    Say(u"壁紙として保存できません_1 ");
    return;
  }
  RECT client;
  GetClientRect(Handle(), &client);
  const POINT scroll = ScrollPosition();
  const int written = m_Picture->WriteBmp(file.Get(), kBmpShownPart, {client.right, client.bottom, scroll.x, scroll.y});
  const bool closed = file.Close();
  if (written != 1 || !closed) {
    DeleteFileW(AsWide(bmp));
    Say(written == 0 ? u"壁紙として保存できません_3 " : u"壁紙として保存できません_2 ");
    return;
  }
  // The shown part becomes the picture: the JPEG is written from it, and the screen shows it.
  const int loaded = m_Picture->FileLoad(kSelectStill, AsWide(bmp));
  if (!DeleteFileW(AsWide(bmp))) Say(u"中間ファイルを削除できません<-v61> ");
  g_PictureShown = loaded == 0 ? 1 : 0;
  RedisplayPicture(2);
  InvalidateRect(Handle(), nullptr, TRUE);
  if (loaded != 0) return;
  if (m_Saver->IsJpegBusy()) {
    Say(u"変換実行中です ");
    return;
  }
  const std::u16string jpeg = WallpaperFile(u".jpg");
  if (Exists(jpeg) && !DeleteFileW(AsWide(jpeg))) {
    Say(u"Tarnの壁紙ファイルを削除できません_2 ");
    return;
  }
  const bool started = m_Saver->StartToolJpeg(jpeg, [this](bool done) {
    Say(done ? u"壁紙として保存しました " : u"壁紙として保存できません_4 ");
    WallpaperChanged();
  });
  if (!started) Say(u"壁紙として保存できません_4 ");
}

void CTarnView::WallpaperDeleteCommand() {
  if (!ImageToolGuard()) return;
  const std::u16string jpeg = WallpaperFile(u".jpg");
  if (!Exists(jpeg)) {
    Say(u"Tarnの壁紙がありません ", u"削除エラー");
    return;
  }
  const char16_t* question = g_WallSelect2Flag ? u"２枚目の壁紙を削除しますか " : u"１枚目の壁紙を削除しますか ";
  if (Say(question, u"削除確認", Buttons::kOkCancel) != kAnswerOk) return;
  if (!DeleteFileW(AsWide(jpeg))) {
    Say(u"Tarnの壁紙ファイルを削除できません_3 ");
    return;
  }
  WallpaperChanged();
}

void CTarnView::WallpaperChanged() {
  if (m_Wallpaper) m_Wallpaper->FileLoad(kSelectRelease, nullptr);
  m_WallpaperStamp.clear();
  InvalidateRect(Handle(), nullptr, TRUE);
}

bool CTarnView::EmptyScreenShown() const {
  return g_ScreenMode == 0 && !PictureScreenShown() && !CatalogOnScreen();
}

void CTarnView::DrawWallpaper(HDC dc) {
  if (!m_Wallpaper) return;
  // Decoding waits for the paint to end (and for a build or show to finish); the plain
  // background stands in until then.
  if (FileStamp(WallpaperFile(u".jpg")) != m_WallpaperStamp) {
    if (!IsBusy()) SetTimer(Handle(), kTimerWallpaper, 10, nullptr);
    return;
  }
  RECT client;
  GetClientRect(Handle(), &client);
  m_Wallpaper->StretchDraw(dc, 0, 0, client.right, client.bottom);
}

void CTarnView::LoadWallpaper() {
  KillTimer(Handle(), kTimerWallpaper);
  if (!m_Wallpaper || !EmptyScreenShown()) return;
  const std::u16string jpeg = WallpaperFile(u".jpg");
  m_WallpaperStamp = FileStamp(jpeg);
  m_Wallpaper->FileLoad(kSelectRelease, nullptr);
  // Without a plug-in that reads it the wallpaper is simply not shown.
  if (Exists(jpeg) && m_Registry->IsSupportedAny(AsWide(jpeg)) == 1)
    m_Wallpaper->FileLoad(kSelectStill, AsWide(jpeg));
  InvalidateRect(Handle(), nullptr, TRUE);
}

}  // namespace tarn
