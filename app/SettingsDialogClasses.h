// The settings dialogs as classes, so that they can be shown modal from the menu or modeless and
// driven by messages.
#pragma once

#include <functional>
#include <string>

#include "framework/Dialog.h"

namespace tarn {

// "その他の設定": the saved check boxes and the individual-mode box.
class COtherSettingsDialog final : public CDialog {
 public:
  COtherSettingsDialog();

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOK() override;

 private:
  void Check(int id, int value) const;
  int Checked(int id) const;
  bool m_IndividualClicked = false;
  bool m_SmallMemClicked = false;
  bool m_CatalogUseClicked = false;
};

// "起動アプリ設定": the three application slots.
class CApplicationDialog final : public CDialog {
 public:
  // Asks the user for a program file; answers false when none was chosen. The default shows the
  // file-open dialog filtered to "*.EXE" in the start folder.
  using FileChooser = std::function<bool(HWND owner, std::wstring* path)>;
  explicit CApplicationDialog(FileChooser chooser = {});

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void ShowSlot(int slot);
  void StoreSwitch();
  int m_Slot = 0;
  FileChooser m_Chooser;
};

// The catalog offset and limit dialog.
class CCatalogOffsetDialog final : public CDialog {
 public:
  CCatalogOffsetDialog();
  bool OffsetChanged() const { return m_OffsetChanged; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  bool m_OffsetChanged = false;
};

// The controls of one bound of "サイズ制限": its four radio buttons and its typed value.
struct SizeBoundControls {
  int none, oneK, hundredK, typed, value;
};

// "サイズ制限": the typed file-size limits.
class CSizeLimitDialog final : public CDialog {
 public:
  CSizeLimitDialog();

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOK() override;

 private:
  bool Checked(int id) const;
  // The size the bound's buttons and field choose, 0 for none.
  long long ChosenSize(const SizeBoundControls& bound) const;
  // The line under the groups, with the chosen sizes round "Byte ＜ ｎ ＜".
  void ShowRange();
};

// "下位フォルダ・オフセット"
class CSubFolderOffsetDialog final : public CDialog {
 public:
  CSubFolderOffsetDialog();

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOK() override;
};

// The memory-mode caption of the catalog offset dialog for the current settings.
std::wstring MemoryModeCaption();

}  // namespace tarn
