// Loading and saving the settings: "Tarn.ini" through the profile functions in common mode,
// "Tarn.cfg" in code page 932 in individual mode, and the switch between the two.
#include <windows.h>

#include <string>

#include "AppGlobals.h"
#include "FileUtil.h"
#include "Prompt.h"
#include "RecordBuffer.h"
#include "Settings.h"
#include "SettingsKeys.h"
#include "TarnCfg.h"
#include "TextUtil.h"
#include "WinText.h"
#include "common/Handles.h"

namespace tarn {
namespace {

constexpr UINT kSettingsCodePage = 932;
constexpr wchar_t kIniFile[] = L"Tarn.ini";
// A real "Tarn.cfg" is a few kilobytes; more than this is not read.
constexpr DWORD kCfgReadLimit = 1u << 20;

std::u16string CfgPath() { return g_StartFolder + u"Tarn.cfg"; }
std::u16string Cfg2Path() { return g_StartFolder + u"Tarn2.cfg"; }

bool CanOpenForReading(const std::u16string& path) {
  const FileHandle file(CreateFileW(AsWide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.IsOpen();
}

bool Exists(const std::u16string& path) { return GetFileAttributesW(AsWide(path)) != INVALID_FILE_ATTRIBUTES; }

// The file's bytes as UTF-16. Bytes that are not code page 932 become the code page's default
// character, so a damaged file still reads line by line.
bool ReadCfgText(const std::u16string& path, std::u16string* text) {
  FileHandle file(CreateFileW(AsWide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return false;
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (bytes.size() < kCfgReadLimit && ReadFile(file.Get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
    bytes.append(chunk, got);
  file.Close();
  if (bytes.size() > kCfgReadLimit) bytes.resize(kCfgReadLimit);
  text->clear();
  if (bytes.empty()) return true;
  const int n = MultiByteToWideChar(kSettingsCodePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (n <= 0) return false;
  text->resize(static_cast<std::size_t>(n));
  MultiByteToWideChar(kSettingsCodePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                      reinterpret_cast<wchar_t*>(text->data()), n);
  return true;
}

bool WriteBytes(const std::u16string& path, const std::string& bytes) {
  FileHandle file(CreateFileW(AsWide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return false;
  DWORD written = 0;
  const bool ok = bytes.empty() ||
                  (WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                   written == bytes.size());
  return file.Close() && ok;
}

// The current settings into "Tarn.cfg", stamped with the local time, in code page 932. A value
// with a character that code page cannot hold is written as an empty line: stored with a
// substitute it would come back as a path that does not exist.
bool WriteCfg() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const std::u16string text = WriteTarnCfg({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond});
  std::string bytes;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find(u"\r\n", at);
    if (end == std::u16string::npos) end = text.size();
    const wchar_t* line = reinterpret_cast<const wchar_t*>(text.data() + at);
    const int length = static_cast<int>(end - at);
    if (length > 0) {
      BOOL substituted = FALSE;
      const int n = WideCharToMultiByte(kSettingsCodePage, WC_NO_BEST_FIT_CHARS, line, length, nullptr, 0, nullptr,
                                        &substituted);
      if (n > 0 && !substituted) {
        const std::size_t from = bytes.size();
        bytes.resize(from + static_cast<std::size_t>(n));
        WideCharToMultiByte(kSettingsCodePage, WC_NO_BEST_FIT_CHARS, line, length, bytes.data() + from, n, nullptr,
                            nullptr);
      }
    }
    if (end < text.size()) bytes += "\r\n";
    at = end + 2;
  }
  return WriteBytes(CfgPath(), bytes);
}

void ReadCfg() {
  std::u16string text;
  if (!ReadCfgText(CfgPath(), &text)) return;
  const CfgReadResult read = ReadTarnCfg(text);
  FinishSettingsLoad(read.applicationsRead);
}

void ReadIni() {
  wchar_t value[512];
  for (const SettingKey& key : SettingKeys()) {
    const std::u16string section(key.section), name(key.key);
    GetPrivateProfileStringW(AsWide(section), AsWide(name), L"Nothing", value, 512, kIniFile);
    if (std::wstring_view(value) == L"Nothing") continue;
    ApplyIniValue(key, WideView(value));
  }
  FinishSettingsLoad(true);
}

void WriteIni() {
  if (g_SaveSuppressed) return;
  for (const SettingKey& key : SettingKeys()) {
    const std::u16string section(key.section), name(key.key);
    std::u16string text = IniValueText(key);
    if (!FitsAnsi(text)) text.clear();
    WritePrivateProfileStringW(AsWide(section), AsWide(name), AsWide(text), kIniFile);
  }
}

// The tree lists of both folder-dialog pages go with the settings that named their trees.
void DeleteTreeLists(std::u16string_view failure) {
  for (int n = 5; n <= 13; ++n) {
    const std::u16string path = g_StartFolder + u"TreeList" + DecimalText(n) + u".txt";
    if (!Exists(path)) continue;
    if (WipeDelete(path, RecordLengthOf(g_CatalogSize)) != kWipeDeleted) Say(failure);
  }
}

void SwitchToCommon() {
  const int answer = Say(u"個別設定ファイルを共通用に変更します　ファイルを保存しますか", {}, Buttons::kYesNoCancel);
  if (answer == kAnswerCancel) {
    g_IndividualFlag = 1;
    return;
  }
  if (answer == kAnswerNo) {
    if (WipeDelete(CfgPath(), RecordLengthOf(g_CatalogSize)) != kWipeDeleted) Say(u"個別設定値ファイルの削除失敗");
  } else {
    WriteCfg();
    // A set put aside earlier is replaced: only one can be kept, and this one is newer.
    if (!MoveFileExW(AsWide(CfgPath()), AsWide(Cfg2Path()), MOVEFILE_REPLACE_EXISTING))
      Say(u"個別設定値ファイルの名称変更失敗");
  }
  RestoreDefaults();
  DeleteTreeLists(u"削除失敗<-M12> ");
  ReadIni();
  TheSettingsHost().RefreshTreeDialog();
  ApplyCatalogLimitRule();
}

void SwitchToIndividual() {
  bool renamed = false;
  if (Exists(Cfg2Path())) {
    if (Say(u"設定を「個別設定値」に変更します", {}, Buttons::kOkCancel) == kAnswerCancel) {
      g_IndividualFlag = 0;
      return;
    }
    renamed = MoveFileW(AsWide(Cfg2Path()), AsWide(CfgPath())) != FALSE;
  } else if (Say(u"「個別設定値」ファイルを新規作成します", {}, Buttons::kOkCancel) == kAnswerCancel) {
    g_IndividualFlag = 0;
    return;
  }
  WriteIni();
  RestoreDefaults();
  DeleteTreeLists(u"削除失敗<-M11> ");
  if (renamed) {
    ReadCfg();
  } else if (!WriteBytes(CfgPath(), {})) {
    Say(u"個別設定値ファイルの作成失敗");
    // Without the file the program is in common mode, whatever the box said.
    g_IndividualFlag = 0;
    return;
  }
  TheSettingsHost().RefreshTreeDialog();
  ApplyCatalogLimitRule();
}

}  // namespace

void LoadSettings(bool switching) {
  if (!switching) {
    SetDefaults();
    if (CanOpenForReading(CfgPath())) {
      g_IndividualFlag = 1;
      ReadCfg();
    } else {
      g_IndividualFlag = 0;
      ReadIni();
    }
    ApplyCatalogLimitRule();
    return;
  }
  const bool cfgExists = Exists(CfgPath());
  if (cfgExists && g_IndividualFlag == 0) SwitchToCommon();
  else if (!cfgExists && g_IndividualFlag != 0) SwitchToIndividual();
}

void SaveSettings() {
  if (g_SaveSuppressed) return;
  if (CanOpenForReading(CfgPath()))
    WriteCfg();
  else
    WriteIni();
}

}  // namespace tarn
