// The dialogs of the catalog commands: "リネームオール", "文字列でファイル選択", "属性でファイル選択"
// and "タイムスタンプ". Each checks its input, keeps its results in plain fields and leaves the
// work to the view.
#pragma once

#include <cstdint>
#include <string>

#include "catalog/commands/BatchRename.h"
#include "catalog/commands/SelectionCommands.h"
#include "catalog/commands/TimeStamps.h"
#include "framework/Dialog.h"

namespace tarn {

class CRenameAllDialog final : public CDialog {
 public:
  // The entries the run would see with the selected-only box ticked, and without it.
  CRenameAllDialog(int selectedRows, int shownRows);
  RenameRequest request;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOK() override;

 private:
  int m_SelectedRows, m_ShownRows;
};

class CSelectStringDialog final : public CDialog {
 public:
  CSelectStringDialog();
  std::u16string text;
  MatchPosition position = kMatchAnywhere;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOK() override;
};

class CSelectAttributeDialog final : public CDialog {
 public:
  CSelectAttributeDialog();
  std::uint32_t mask = 0;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOK() override;

 private:
  void SetBoxes(std::uint32_t bits) const;
  std::uint32_t Boxes() const;
};

class CTimeStampDialog final : public CDialog {
 public:
  CTimeStampDialog();

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOK() override;

 private:
  void ShowTime(const StampTime& time) const;
};

// The time the time-stamp dialog last stored, local; 1980-01-01 00:00:00 until then.
StampTime& TheStampTime();

}  // namespace tarn
