#include "catalog/save/ImageSaver.h"

#include <commdlg.h>

#include <utility>
#include <vector>

#include "base/AppGlobals.h"
#include "base/Prompt.h"
#include "base/RunState.h"
#include "base/TextUtil.h"
#include "base/WinText.h"
#include "catalog/save/ThumbSource.h"
#include "image/PictureWnd.h"
#include "image/ScratchFile.h"

namespace tarn {

int g_JpegQuality = kJpegQualityDefault;

namespace {

enum TargetStep : int { kWriteTarget, kStopSave, kAskName, kAskNameWithHint };

constexpr char16_t kSaveTitle[] = u"[名前を付けて保存]    保存(S)で書込み";
constexpr char16_t kSaveTitleWithHint[] = u"[名前を付けて保存]    ①ファイル名(N)の編集  ⇒  ②保存(S)で書込み";

bool Exists(const std::u16string& path) { return GetFileAttributesW(AsWide(path)) != INVALID_FILE_ATTRIBUTES; }

// What the old program's delete before writing would have refused: the new file replaces the old
// one only once it is whole, so the refusal is found out before anything is written.
bool Replaceable(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(AsWide(path));
  return attributes == INVALID_FILE_ATTRIBUTES ||
         (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == 0;
}

std::u16string SizeText(const std::u16string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(AsWide(path), GetFileExInfoStandard, &data)) return u"---";
  return GroupDigits(static_cast<long long>(static_cast<ULONGLONG>(data.nFileSizeHigh) << 32 | data.nFileSizeLow));
}

}  // namespace

bool ShowSaveAsDialog(const SaveAsRequest& request, std::u16string& chosen) {
  // The filter's "|" separators become the dialog's NULs.
  std::u16string filter = request.filter;
  for (char16_t& c : filter)
    if (c == u'|') c = u'\0';
  std::vector<wchar_t> file(MAX_PATH, L'\0');
  const std::size_t length = std::min<std::size_t>(request.name.size(), MAX_PATH - 1);
  std::copy_n(AsWide(request.name), length, file.begin());
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = request.owner;
  ofn.lpstrFilter = AsWide(filter);
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrInitialDir = request.folder.empty() ? nullptr : AsWide(request.folder);
  ofn.lpstrTitle = AsWide(request.title);
  ofn.lpstrDefExt = request.defaultExt.size() > 1 ? AsWide(request.defaultExt) + 1 : nullptr;
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&ofn)) return false;
  chosen = FromWide(file.data());
  return true;
}

int CImageSaver::SaveImage(const std::u16string& initialFolder, const std::u16string& proposed, int mode, int batch) {
  m_Batch = batch;
  // A source overwritten keeps its own name.
  const bool overwrite = batch == kSaveBatchOverwrite;
  const SaveTarget target = MakeSaveTarget(initialFolder, proposed, mode, !overwrite && m_Picture.TransState() > 0,
                                           overwrite ? 100 : g_ZoomPercent);
  std::u16string path = target.path;
  const int step = AskTarget(target, mode, batch, path);
  if (step == kStopSave) return 1;
  if (step == kAskName || step == kAskNameWithHint) {
    const SaveAsRequest request{m_Owner,           initialFolder,     std::u16string(path.substr(FolderOf(path).size())),
                                target.filter,     target.defaultExt, step == kAskName ? kSaveTitle : kSaveTitleWithHint};
    std::u16string chosen;
    if (!saveAs(request, chosen)) {
      Say(u"キャンセルが押されました ", u"キャンセル終了");
      return 1;
    }
    if (const int after = AfterDialog(chosen, mode, batch); after >= 0) return after;
    path = chosen;
  }

  const SaveFormat format = SaveFormatOf(path);
  if (format == kSaveUnknownFormat) {
    Say(u"拡張子は“ jpg ”か“ bmp ”を指定してください ", u"拡張子 不一致");
    return 1;
  }
  (mode == kSaveClipboard ? m_LastClipboardFolder : m_LastSaveFolder) = FolderOf(path);
  return format == kSaveJpeg ? SaveJpeg(path, mode) : SaveBmp(path, mode);
}

int CImageSaver::AskTarget(const SaveTarget& target, int mode, int batch, std::u16string& path) {
  path = target.path;
  if (!Exists(path)) return kAskName;
  if ((mode == kSaveTrimming || mode == kSaveClipboard) && ReservedNameOf(path, g_StartFolder) != kNotReserved)
    return kAskName;
  if (batch == kSaveBatchOverwrite) {
    if (Replaceable(path)) return kWriteTarget;
    Say(u"画像ファイルを削除できません<-v64> ");
    return kStopSave;
  }
  // The batch asked its own question already: a name that is taken is edited in the dialog.
  if (batch == kSaveBatchRename) return kAskNameWithHint;
  switch (Say(u"同名のファイルがあります。名称を上書きしますか？  はい　≪いいえ≫変更  ≪キャンセル≫", path,
              Buttons::kYesNoCancel)) {
    case kAnswerYes:
      if (Replaceable(path)) return kWriteTarget;
      Say(u"画像ファイルを削除できません<-v64> ");
      return kStopSave;
    case kAnswerNo: return kAskNameWithHint;
    default: return kStopSave;
  }
}

// -1 to go on writing `chosen`; otherwise the answer of SaveImage.
int CImageSaver::AfterDialog(const std::u16string& chosen, int mode, int batch) {
  if (batch != kSaveSingle && SaveFormatOf(chosen) != kSaveBmp) {
    Say(u"[BMP] 以外の拡張子は指定できません ");
    return 1;
  }
  switch (ReservedNameOf(chosen, g_StartFolder)) {
    case kTrimmingName:
      if (mode != kSaveTrimming) {
        Say(u"トリミングの専用名称は指定できません ");
        return 1;
      }
      Say(u"トリミング画像を保存しました ");
      m_TrimmingPath = chosen;
      return 0;
    case kClipboardName:
      if (mode != kSaveClipboard) {
        Say(u"クリップボードの専用名称は指定できません ");
        return 1;
      }
      Say(u"クリップボード画像を保存しました ");
      m_ClipboardPath = chosen;
      return 0;
    default: break;
  }
  if (!Exists(chosen)) return -1;
  if (Say(u"同名のファイルがあります。上書きしますか？ ", {}, Buttons::kOkCancel) != kAnswerOk) return 1;
  if (Replaceable(chosen)) return -1;
  Say(u"画像ファイルを削除できません<-v63> ");
  return 1;
}

int CImageSaver::SaveJpeg(const std::u16string& path, int mode) {
  if (mode == kSaveClipboard) {
    if (m_Picture.FileLoad(kSelectStill, AsWide(ClipboardWorkName(g_StartFolder))) != 0) return 1;
  } else if (const int bits = m_Picture.Loaded().BitCount(); bits < 8) {
    Say(FromWide((std::to_wstring(1 << bits) + L" 色の画像は“ bmp ”形式を指定してください ").c_str()),
        u"“jpg”対象画像≪256色以上≫");
    return 1;
  }
  if (m_Writer.IsJpegBusy()) {
    Say(u"変換実行中です ");
    return 1;
  }
  if (!m_Writer.StartJpegWrite(path, m_Picture, g_JpegQuality, m_Owner, m_DoneMessage)) return Failed(path);
  m_JpegMode = mode;
  return 0;
}

bool CImageSaver::StartToolJpeg(const std::u16string& path, std::function<void(bool written)> done) {
  if (!m_Writer.StartJpegWrite(path, m_Picture, g_JpegQuality, m_Owner, m_DoneMessage)) return false;
  m_ToolDone = std::move(done);
  return true;
}

void CImageSaver::OnJpegWritten(bool written) {
  m_Writer.Wait();
  if (m_ToolDone) {
    const std::function<void(bool)> done = std::exchange(m_ToolDone, nullptr);
    done(written);
    return;
  }
  if (written)
    Succeeded(m_Writer.TargetPath(), m_JpegMode);
  else
    Failed(m_Writer.TargetPath());
}

int CImageSaver::SaveBmp(const std::u16string& path, int mode) {
  if (mode == kSaveClipboard) {
    const std::u16string work = ClipboardWorkName(g_StartFolder);
    if (!EqualsIgnoreCase(path, work) && !CopyFileW(AsWide(work), AsWide(path), FALSE)) {
      Say(u"移動に失敗しました<-v67> ");
      return 1;
    }
    return Succeeded(path, mode);
  }
  ScratchFile scratch(path);
  HANDLE file = scratch.Made() ? CreateFileW(scratch.Path(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr)
                               : INVALID_HANDLE_VALUE;
  if (file == INVALID_HANDLE_VALUE) {
    Say(u"BMPファイルを保存できません_1-A3 ");
    return 1;
  }
  // Thumbnail sources are written at the zoom percentage; SetZoomSize refuses what no zoom allows.
  int written = 0;
  if (mode != kSaveThumbSource || g_ZoomPercent == 100)
    written = m_Picture.WriteBmp(file);
  else if (m_Picture.SetZoomSize(g_ZoomPercent) == 1)
    written = m_Picture.WriteBmpScaled(file, m_Picture.m_ZoomWidth, m_Picture.m_ZoomHeight);
  const bool closed = CloseHandle(file) != 0;
  if (written < 0 || !closed) {
    Say(u"BMPファイルを保存できません<-v68> ");
    return 1;
  }
  if (written == 0 || !scratch.Commit()) return Failed(path);
  return Succeeded(path, mode);
}

int CImageSaver::Succeeded(const std::u16string& path, int mode) {
  if (mode == kSaveTrimming) m_TrimmingPath = path;
  if (mode == kSaveClipboard) m_ClipboardPath = path;
  if (m_Batch != kSaveSingle && g_ThumbOverwriteFlag) return 0;
  Say(u"↑↑上記のフォルダに保存しました    FileSize = " + SizeText(path) +
          u" byte\n\nフォルダを指定して「カタログ」ボタンを押すと表示されます ",
      path);
  return 0;
}

int CImageSaver::Failed(const std::u16string& path) {
  Say(u"ファイルを保存できません<-v69> ", path);
  return 1;
}

}  // namespace tarn
